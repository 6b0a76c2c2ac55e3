#include "archive/CategoryTree.h"

#include "archive/OnBoardTime.h"

#include <algorithm>

namespace orvik {

namespace {
const std::vector<NodeId> noChildren;
}

NodeId CategoryTree::addGroup(NodeId parent, std::string text)
{
    if (nodes_.size() >= capacity_) {
        ++refused_;
        return noNode;
    }
    groups_.push_back({std::move(text), {}});
    return append(parent, NodeWrapper(NodeKind::Group), uint32_t(groups_.size() - 1));
}

NodeId CategoryTree::addNode(NodeId parent, NodeWrapper wrapper, uint32_t number)
{
    if (nodes_.size() >= capacity_) {
        ++refused_; // the wrapper goes, and with it any record it owns
        return noNode;
    }
    return append(parent, std::move(wrapper), number);
}

NodeId CategoryTree::append(NodeId parent, NodeWrapper wrapper, uint32_t number)
{
    const auto id = NodeId(nodes_.size());
    std::vector<NodeId>& siblings = childList(parent);
    nodes_.push_back({std::move(wrapper), parent, number});
    siblings.push_back(id);
    if (nodeAdded_)
        nodeAdded_(id);
    return id;
}

std::vector<NodeId>& CategoryTree::childList(NodeId parent)
{
    return parent == noNode ? topLevel_ : groups_[nodes_[parent].number].children;
}

const std::vector<NodeId>& CategoryTree::children(NodeId parent) const
{
    if (parent == noNode)
        return topLevel_;
    const Node& node = nodes_[parent];
    return node.wrapper.kind == NodeKind::Group ? groups_[node.number].children : noChildren;
}

uint32_t CategoryTree::row(NodeId id) const
{
    const std::vector<NodeId>& siblings = children(nodes_[id].parent);
    return uint32_t(std::lower_bound(siblings.begin(), siblings.end(), id) - siblings.begin());
}

void CategoryTree::clear()
{
    nodes_.clear();
    nodes_.shrink_to_fit();
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
    const Node& node = nodes_[id];
    const NodeWrapper& w = node.wrapper;
    if (const NodeKindEntry* entry = nodeKindEntry(w.kind); entry && !entry->fixedText.empty()) {
        out += entry->fixedText;
        return;
    }
    switch (w.kind) {
    case NodeKind::Spectrum:
        out += "Spectrum ";
        out += std::to_string(node.number);
        out += " (";
        out += std::to_string(w.record<SpectrumRecord>()->sampleCount);
        out += " smp)";
        return;
    case NodeKind::Group: out += groups_[node.number].text; return;
    case NodeKind::GcHkSweep:
        out += "GC HK (";
        out += std::to_string(node.number);
        out += ')';
        return;
    case NodeKind::MsHkSweep:
        out += "MS HK (";
        out += std::to_string(node.number);
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
