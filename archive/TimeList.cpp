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

std::optional<size_t> TimeList::entryOf(NodeId id) const
{
    // Runs rise in node id: the node lies in the last run starting at or below it, or in none.
    const auto after = std::upper_bound(runs_.begin(), runs_.end(), id,
                                        [](NodeId node, const Run& r) { return node < r.firstNode; });
    if (after == runs_.begin())
        return std::nullopt;
    const Run& run = *std::prev(after);
    const size_t entry = run.firstEntry + (id - run.firstNode);
    if (entry >= (after == runs_.end() ? size_ : after->firstEntry))
        return std::nullopt;
    return entry;
}

} // namespace orvik
