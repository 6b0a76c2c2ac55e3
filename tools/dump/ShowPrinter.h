#pragma once
// Prints what one display wrote into the components, one property a line:
// grouped per component (in the order of first write), in write order within it.

#include "display/ComponentModel.h"

#include <functional>
#include <ostream>
#include <vector>

namespace orvik::dump {

// The texts of row `row` of the virtual list view `list`, as it paints them.
using RowSource = std::function<display::ReportRow(const std::string& list, size_t row)>;

// A virtual list's rows are printed once, as painted after the display: at its last
// row-count write. Without a row source only the row count is printed.
void printWrites(const std::vector<display::Write>& writes, bool withPoints, std::ostream& out,
                 const RowSource& rows = {});

} // namespace orvik::dump
