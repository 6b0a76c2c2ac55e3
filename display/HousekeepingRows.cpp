#include "display/HousekeepingRows.h"

#include "display/WordFormat.h"

namespace orvik::display {

std::string engineeringText(std::optional<float> value, std::string_view decimalSeparator)
{
    return orDash(value, [decimalSeparator](float v) { return fixedTwoDecimals(v, decimalSeparator); });
}

std::string housekeepingValue(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator)
{
    return engineeringText(engineeringValue(d, block, half), decimalSeparator);
}

ReportRow housekeepingRow(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator)
{
    if (block.empty())
        return ReportRow(4);
    return {d.mnemonic, housekeepingValue(d, block, half, decimalSeparator), d.unit, d.description};
}

} // namespace orvik::display
