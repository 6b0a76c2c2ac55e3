#include "archive/CategoryTree.h"

#include "archive/OnBoardTime.h"

#include <algorithm>
#include <functional>

namespace orvik {

namespace {
const NodeRuns noChildren;
}

NodeId CategoryTree::addGroup(NodeId parent, std::string text)
{
    if (size() >= capacity_ || rangeFull()) {
        ++refused_;
        return noNode;
    }
    groups_.push_back({std::move(text), {}});
    return append(parent, NodeWrapper::group(uint32_t(groups_.size() - 1)));
}

NodeId CategoryTree::addNode(NodeId parent, NodeWrapper wrapper, uint32_t number)
{
    if (size() >= capacity_ || rangeFull()) {
        ++refused_; // the wrapper goes, and with it any record it owns
        return noNode;
    }
    const NodeId id = nextId();
    if (number != 0) // science nodes may follow later ones: they go to their place
        numbers_.insert(std::upper_bound(numbers_.begin(), numbers_.end(), id,
                                         [](NodeId node, const NumberedNode& n) { return node < n.node; }),
                        {id, number});
    return append(parent, std::move(wrapper));
}

bool CategoryTree::rangeFull() const
{
    return ranges_[size_t(range_)].nodes.size() >= (range_ == Range::Early ? laterNodes : noNode - laterNodes);
}

NodeId CategoryTree::nextId() const
{
    const size_t index = ranges_[size_t(range_)].nodes.size();
    return NodeId(range_ == Range::Early ? index : laterNodes + index);
}

NodeId CategoryTree::append(NodeId parent, NodeWrapper wrapper)
{
    const NodeId id = nextId();
    NodeRuns& siblings = childList(parent);
    Nodes& nodes = ranges_[size_t(range_)];
    nodes.nodes.push_back(std::move(wrapper));
    if (nodes.parentRuns.empty() || nodes.parentRuns.back().parent != parent)
        nodes.parentRuns.push_back({id, parent});
    siblings.insert(id);
    if (nodeAdded_)
        nodeAdded_(id);
    return id;
}

NodeRuns& CategoryTree::childList(NodeId parent)
{
    return parent == noNode ? topLevel_ : groups_[node(parent).groupIndex()].children;
}

const NodeRuns& CategoryTree::children(NodeId parent) const
{
    if (parent == noNode)
        return topLevel_;
    const NodeWrapper& node = wrapper(parent);
    return node.kind == NodeKind::Group ? groups_[node.groupIndex()].children : noChildren;
}

void CategoryTree::setGroupText(NodeId group, std::string text)
{
    groups_[node(group).groupIndex()].text = std::move(text);
}

CategoryTree::Mark CategoryTree::mark() const
{
    return {uint32_t(ranges_[0].nodes.size()), uint32_t(ranges_[1].nodes.size()), uint32_t(groups_.size()), range_};
}

void CategoryTree::truncate(const Mark& mark)
{
    const NodeId earlyEnd = mark.early, laterEnd = laterNodes + mark.later;
    const auto gone = [&](NodeId id) { return (id >= earlyEnd && id < laterNodes) || id >= laterEnd; };
    groups_.resize(mark.groups);
    eraseAfter(topLevel_, mark);
    for (Group& group : groups_)
        eraseAfter(group.children, mark);
    std::erase_if(numbers_, [&](const NumberedNode& n) { return gone(n.node); });
    const uint32_t counts[2] = {mark.early, mark.later};
    for (size_t r = 0; r < 2; ++r) {
        auto& nodes = ranges_[r].nodes;
        nodes.erase(nodes.begin() + std::ptrdiff_t(std::min<size_t>(counts[r], nodes.size())), nodes.end());
        const NodeId end = r == 0 ? earlyEnd : laterEnd;
        while (!ranges_[r].parentRuns.empty() && ranges_[r].parentRuns.back().firstNode >= end)
            ranges_[r].parentRuns.pop_back();
    }
    range_ = mark.range;
}

void CategoryTree::eraseAfter(NodeRuns& list, const Mark& mark)
{
    list.erase(NodeId(mark.early), laterNodes);
    list.erase(laterNodes + mark.later, noNode);
}

void CategoryTree::movePackets(const RawPacket* from, const RawPacket* to, size_t count)
{
    const std::less<const RawPacket*> before;
    const auto moved = [&](const RawPacket* p) { return p && !before(p, from) && before(p, from + count); };
    for (Nodes& range : ranges_)
        for (NodeWrapper& w : range.nodes) {
            if (const RawPacket* p = w.packet(); moved(p))
                w.store(static_cast<const void*>(to + (p - from)));
            else if (auto* image = const_cast<MemoryDumpImage*>(w.record<MemoryDumpImage>());
                     image && moved(image->headerPacket))
                image->headerPacket = to + (image->headerPacket - from);
        }
}

uint32_t CategoryTree::numberOf(NodeId id) const
{
    const auto found = std::lower_bound(numbers_.begin(), numbers_.end(), id,
                                        [](const NumberedNode& n, NodeId node) { return n.node < node; });
    return found != numbers_.end() && found->node == id ? found->number : 0;
}

uint32_t CategoryTree::row(NodeId id) const
{
    return uint32_t(*children(parent(id)).entryOf(id));
}

size_t CategoryTree::parentRunOf(NodeId id) const
{
    // Runs begin at rising ids and every node lies in one: the last run begun at or before it.
    const std::vector<ParentRun>& runs = rangeOf(id).parentRuns;
    const auto next = std::upper_bound(runs.begin(), runs.end(), id,
                                       [](NodeId node, const ParentRun& r) { return node < r.firstNode; });
    return size_t(next - runs.begin()) - 1;
}

bool CategoryTree::parentRunHolds(size_t r, NodeId id) const
{
    const std::vector<ParentRun>& runs = rangeOf(id).parentRuns;
    return r < runs.size() && runs[r].firstNode <= id && (r + 1 == runs.size() || id < runs[r + 1].firstNode);
}

NodeId CategoryTree::ParentWalk::parent(NodeId id)
{
    const bool later = id >= laterNodes;
    if (later != later_ || !tree_.parentRunHolds(run_, id)) {
        run_ = tree_.parentRunOf(id);
        later_ = later;
    }
    return tree_.rangeOf(id).parentRuns[run_].parent;
}

void CategoryTree::clear()
{
    for (Nodes& range : ranges_) {
        range.nodes.clear();
        range.nodes.shrink_to_fit();
        range.parentRuns.clear();
        range.parentRuns.shrink_to_fit();
    }
    range_ = Range::Early;
    numbers_.clear();
    groups_.clear();
    topLevel_.clear();
    refused_ = 0;
}

std::optional<std::string> CategoryTree::refusalWarning() const
{
    if (refused_ == 0)
        return std::nullopt;
    return "The archive makes more nodes than the tree can hold (" + std::to_string(capacity_) + "): the last " +
           std::to_string(refused_) + " were left out.";
}

std::string memoryDumpNodeText(uint16_t memoryType)
{
    std::string text = "Memory Dump ";
    switch (memoryType) {
    case 0x000F: return text + "(MM)";
    case 0x00F0: return text + "(GC)";
    case 0x0F00: return text + "(MS/TDC)";
    case 0xF000: return text + "(DPU)";
    default: return text;
    }
}

std::string CategoryTree::text(NodeId id) const
{
    std::string text;
    appendText(id, text);
    return text;
}

bool CategoryTree::hasFixedText(int16_t kind)
{
    const NodeKindEntry* entry = nodeKindEntry(kind);
    return !entry || !entry->fixedText.empty();
}

void CategoryTree::appendText(NodeId id, std::string& out) const
{
    const NodeWrapper& w = wrapper(id);
    if (const NodeKindEntry* entry = nodeKindEntry(w.kind); entry && !entry->fixedText.empty()) {
        out += entry->fixedText;
        return;
    }
    switch (w.kind) {
    case NodeKind::Spectrum:
        out += "Spectrum ";
        out += std::to_string(numberOf(id));
        out += " (";
        out += std::to_string(w.record<SpectrumRecord>()->sampleCount);
        out += " smp)";
        return;
    case NodeKind::Group: out += groups_[w.groupIndex()].text; return;
    case NodeKind::GcHkSweep:
        out += "GC HK (";
        out += std::to_string(numberOf(id));
        out += ')';
        return;
    case NodeKind::MsHkSweep:
        out += "MS HK (";
        out += std::to_string(numberOf(id));
        out += ')';
        return;
    case NodeKind::MemoryDump: out += memoryDumpNodeText(w.record<MemoryDumpImage>()->memoryType()); return;
    case NodeKind::Time:
        out += "Time: ";
        out += formatOnBoardTime(w.ticks(), timeNodeFormat);
        return;
    default: return;
    }
}

} // namespace orvik
