#include "archive/NodeRuns.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace orvik {

void NodeRuns::append(NodeId id)
{
    if (runs_.empty() || runs_.back().firstNode + (size_ - runs_.back().firstEntry) != id)
        runs_.push_back({size_, id});
    ++size_;
}

void NodeRuns::insert(NodeId id)
{
    if (runs_.empty() || id > back())
        return append(id);
    // The last run begun below the id ends before it; the id extends it, starts
    // the next one a step earlier, joins the two, or makes a run of its own.
    const auto next =
        std::upper_bound(runs_.begin(), runs_.end(), id, [](NodeId node, const Run& r) { return node < r.firstNode; });
    const size_t r = size_t(next - runs_.begin());
    const bool extendsPrevious = r > 0 && runs_[r - 1].firstNode + (runEnd(r - 1) - runs_[r - 1].firstEntry) == id;
    const bool startsNext = r < runs_.size() && runs_[r].firstNode == id + 1;
    const uint32_t entry = r > 0 ? uint32_t(runEnd(r - 1)) : 0;
    size_t shiftFrom = r;
    if (extendsPrevious && startsNext) {
        runs_.erase(runs_.begin() + std::ptrdiff_t(r));
    } else if (startsNext) {
        runs_[r].firstNode = id;
        shiftFrom = r + 1;
    } else if (!extendsPrevious) {
        runs_.insert(runs_.begin() + std::ptrdiff_t(r), Run{entry, id});
        shiftFrom = r + 1;
    }
    for (size_t i = shiftFrom; i < runs_.size(); ++i)
        ++runs_[i].firstEntry;
    ++size_;
}

size_t NodeRuns::entriesBelow(NodeId id) const
{
    const auto next =
        std::upper_bound(runs_.begin(), runs_.end(), id, [](NodeId node, const Run& r) { return node < r.firstNode; });
    if (next == runs_.begin())
        return 0;
    const size_t r = size_t(next - runs_.begin()) - 1;
    return std::min<size_t>(runs_[r].firstEntry + (id - runs_[r].firstNode), runEnd(r));
}

void NodeRuns::erase(NodeId first, NodeId end)
{
    if (first >= end || entriesBelow(first) == entriesBelow(end))
        return;
    NodeRuns kept;
    for (const Run& run : runs_) {
        const size_t r = size_t(&run - runs_.data());
        const NodeId runEndId = NodeId(run.firstNode + (runEnd(r) - run.firstEntry));
        if (run.firstNode < first)
            kept.appendRun(run.firstNode, std::min(runEndId, first));
        if (runEndId > end)
            kept.appendRun(std::max(run.firstNode, end), runEndId);
    }
    *this = std::move(kept);
}

void NodeRuns::appendRun(NodeId first, NodeId end)
{
    if (first >= end)
        return;
    if (runs_.empty() || back() + 1 != first)
        runs_.push_back({size_, first});
    size_ += end - first;
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
