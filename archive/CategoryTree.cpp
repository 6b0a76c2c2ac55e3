#include "archive/CategoryTree.h"

#include "archive/OnBoardTime.h"

#include <algorithm>

namespace orvik {

namespace {
const NodeRuns noChildren;
}

NodeId CategoryTree::addGroup(NodeId parent, std::string text)
{
    if (nodes_.size() >= capacity_) {
        ++refused_;
        return noNode;
    }
    groups_.push_back({std::move(text), {}});
    return append(parent, NodeWrapper::group(uint32_t(groups_.size() - 1)));
}

NodeId CategoryTree::addNode(NodeId parent, NodeWrapper wrapper, uint32_t number)
{
    if (nodes_.size() >= capacity_) {
        ++refused_; // the wrapper goes, and with it any record it owns
        return noNode;
    }
    if (number != 0)
        numbers_.push_back({NodeId(nodes_.size()), number});
    return append(parent, std::move(wrapper));
}

NodeId CategoryTree::append(NodeId parent, NodeWrapper wrapper)
{
    const auto id = NodeId(nodes_.size());
    NodeRuns& siblings = childList(parent);
    nodes_.push_back(std::move(wrapper));
    if (parentRuns_.empty() || parentRuns_.back().parent != parent)
        parentRuns_.push_back({id, parent});
    siblings.append(id);
    if (nodeAdded_)
        nodeAdded_(id);
    return id;
}

NodeRuns& CategoryTree::childList(NodeId parent)
{
    return parent == noNode ? topLevel_ : groups_[nodes_[parent].groupIndex()].children;
}

const NodeRuns& CategoryTree::children(NodeId parent) const
{
    if (parent == noNode)
        return topLevel_;
    const NodeWrapper& node = nodes_[parent];
    return node.kind == NodeKind::Group ? groups_[node.groupIndex()].children : noChildren;
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
    const auto next = std::upper_bound(parentRuns_.begin(), parentRuns_.end(), id,
                                       [](NodeId node, const ParentRun& r) { return node < r.firstNode; });
    return size_t(next - parentRuns_.begin()) - 1;
}

bool CategoryTree::parentRunHolds(size_t r, NodeId id) const
{
    return parentRuns_[r].firstNode <= id && (r + 1 == parentRuns_.size() || id < parentRuns_[r + 1].firstNode);
}

NodeId CategoryTree::ParentWalk::parent(NodeId id)
{
    if (!tree_.parentRunHolds(run_, id))
        run_ = tree_.parentRunOf(id);
    return tree_.parentRuns_[run_].parent;
}

void CategoryTree::clear()
{
    nodes_.clear();
    nodes_.shrink_to_fit();
    parentRuns_.clear();
    parentRuns_.shrink_to_fit();
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
    const NodeWrapper& w = nodes_[id];
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
