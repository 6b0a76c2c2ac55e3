#include "archive/NodeRuns.h"

#include <stdexcept>
#include <string>

namespace orvik {

void NodeRuns::append(NodeId id)
{
    if (runs_.empty() || runs_.back().firstNode + (size_ - runs_.back().firstEntry) != id)
        runs_.push_back({size_, id});
    ++size_;
}

NodeId NodeRuns::operator[](size_t k) const
{
    const auto run = std::prev(std::upper_bound(runs_.begin(), runs_.end(), k,
                                                [](size_t entry, const Run& r) { return entry < r.firstEntry; }));
    return NodeId(run->firstNode + (k - run->firstEntry));
}

NodeId NodeRuns::at(size_t k) const
{
    if (k >= size_)
        throw std::out_of_range("NodeRuns::at: entry " + std::to_string(k) + " of " + std::to_string(size_));
    return (*this)[k];
}

std::optional<size_t> NodeRuns::entryOf(NodeId id) const
{
    // Runs begin at rising ids: the id can only lie in the last run begun at or before it.
    const auto next =
        std::upper_bound(runs_.begin(), runs_.end(), id, [](NodeId node, const Run& r) { return node < r.firstNode; });
    if (next == runs_.begin())
        return std::nullopt;
    const size_t r = size_t(next - runs_.begin()) - 1;
    const size_t entry = runs_[r].firstEntry + (id - runs_[r].firstNode);
    if (entry >= runEnd(r))
        return std::nullopt;
    return entry;
}

} // namespace orvik
