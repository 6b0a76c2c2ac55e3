#include "HousekeepingRows.h"

#include "WordFormat.h"

namespace orvik::display {

ReportRow housekeepingRow(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator)
{
    if (block.empty())
        return ReportRow(4);
    const std::optional<float> value = engineeringValue(d, block, half);
    return {d.mnemonic, value ? fixedTwoDecimals(*value, decimalSeparator) : "-", d.unit, d.description};
}

} // namespace orvik::display
