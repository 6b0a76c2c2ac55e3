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
    // Runs begin at rising node ids: the node can only lie in the last run begun at or before it.
    const auto next =
        std::upper_bound(runs_.begin(), runs_.end(), id, [](NodeId node, const Run& r) { return node < r.firstNode; });
    if (next == runs_.begin())
        return std::nullopt;
    const Run& run = *std::prev(next);
    const size_t entry = run.firstEntry + (id - run.firstNode);
    if (entry >= (next == runs_.end() ? size_ : next->firstEntry))
        return std::nullopt;
    return entry;
}

} // namespace orvik
