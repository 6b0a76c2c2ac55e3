#pragma once
// The texts of one row of a housekeeping list view, computed when the row is painted.

#include "ComponentModel.h"
#include "HkParameter.h"

#include <string_view>

namespace orvik::display {

// Name, value (two decimals), unit, description of the descriptor in the block's half.
// No block: a blank row. A word the block does not hold: the value "-".
ReportRow housekeepingRow(const HkParameter& d, WordView block, int half, std::string_view decimalSeparator);

} // namespace orvik::display
