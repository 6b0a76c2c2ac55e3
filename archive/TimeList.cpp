#include "archive/TimeList.h"

#include <algorithm>

namespace orvik {

void TimeList::append(NodeId id)
{
    if (runs_.empty() || runs_.back().firstNode + (size_ - runs_.back().firstEntry) != id)
        runs_.push_back({size_, id});
    ++size_;
}

NodeId TimeList::operator[](size_t k) const
{
    const auto run = std::prev(std::upper_bound(runs_.begin(), runs_.end(), k,
                                                [](size_t entry, const Run& r) { return entry < r.firstEntry; }));
    return NodeId(run->firstNode + (k - run->firstEntry));
}

} // namespace orvik
