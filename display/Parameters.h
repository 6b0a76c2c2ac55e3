#pragma once
// The list of housekeeping parameter descriptors and the row lists of the two
// housekeeping list views derived from it. The lists share the constant descriptors.

#include "display/HkParameter.h"

#include <vector>

namespace orvik::display {

using HkParameterList = std::vector<const HkParameter*>;

class Parameters {
public:
    // Appends every descriptor, row 0 first; returns the new count.
    size_t loadDescriptors();
    // Every descriptor with that key, in table order.
    HkParameterList descriptorsWithKey(int16_t key) const;
    const HkParameterList& list() const { return list_; }

private:
    HkParameterList list_;
};

// The rows of the "Regular HK" list (64: key 1812) and of the "InternalHK" list
// (92: the 1812 rows, then the 1813 rows not already there).
struct HousekeepingLists {
    HousekeepingLists();

    Parameters parameters;
    HkParameterList regularHkList;
    HkParameterList internalHkList;
};

} // namespace orvik::display
