#pragma once
// Prints what one display wrote into the components, one property a line:
// grouped per component (in the order of first write), in write order within it.

#include "ComponentModel.h"

#include <ostream>
#include <vector>

namespace orvik::dump {

void printWrites(const std::vector<display::Write>& writes, bool withPoints, std::ostream& out);

} // namespace orvik::dump
