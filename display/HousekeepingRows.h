#pragma once
// The texts of one row of a housekeeping list view, computed when the row is painted.

#include "display/ComponentModel.h"
#include "display/HkParameter.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvik::display {

// An engineering value with two decimals, or "-" for none.
std::string engineeringText(std::optional<float> value, std::string_view decimalSeparator);
// The engineering value of the descriptor in the block's half with two decimals,
// or "-" for a word the block does not hold.
std::string housekeepingValue(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator);

// Name, value (two decimals), unit, description of the descriptor in the block's half.
// No block: a blank row. A word the block does not hold: the value "-".
ReportRow housekeepingRow(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator);

} // namespace orvik::display
