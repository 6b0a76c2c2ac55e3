#include "display/HousekeepingRows.h"

#include "display/WordFormat.h"

namespace orvik::display {

std::string housekeepingValue(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator)
{
    const std::optional<float> value = engineeringValue(d, block, half);
    return value ? fixedTwoDecimals(*value, decimalSeparator) : "-";
}

ReportRow housekeepingRow(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator)
{
    if (block.empty())
        return ReportRow(4);
    return {d.mnemonic, housekeepingValue(d, block, half, decimalSeparator), d.unit, d.description};
}

} // namespace orvik::display
