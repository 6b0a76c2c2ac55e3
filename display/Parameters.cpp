#include "display/Parameters.h"

#include <algorithm>

namespace orvik::display {

size_t Parameters::loadDescriptors()
{
    for (const HkParameter& d : hkParameterTable)
        list_.push_back(&d);
    return list_.size();
}

HkParameterList Parameters::descriptorsWithKey(int16_t key) const
{
    HkParameterList found;
    std::copy_if(list_.begin(), list_.end(), std::back_inserter(found),
                 [key](const HkParameter* d) { return d->key == key; });
    return found;
}

HousekeepingLists::HousekeepingLists()
{
    parameters.loadDescriptors();
    regularHkList = parameters.descriptorsWithKey(regularHkKey);
    internalHkList = parameters.descriptorsWithKey(regularHkKey);
    for (const HkParameter* d : parameters.descriptorsWithKey(internalHkKey))
        if (std::find(internalHkList.begin(), internalHkList.end(), d) == internalHkList.end())
            internalHkList.push_back(d);
}

} // namespace orvik::display
