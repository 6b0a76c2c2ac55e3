#include "CategoryTree.h"

#include "OnBoardTime.h"

#include <algorithm>

namespace orvik {

namespace {
const std::vector<NodeId> noChildren;
}

NodeId CategoryTree::addGroup(NodeId parent, std::string text)
{
    groups_.push_back({std::move(text), {}});
    return append(parent, NodeWrapper(NodeKind::Group), uint32_t(groups_.size() - 1));
}

NodeId CategoryTree::addNode(NodeId parent, NodeWrapper wrapper, uint32_t number)
{
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
    const Node& node = nodes_[id];
    const NodeWrapper& w = node.wrapper;
    switch (w.kind) {
    case NodeKind::Spectrum:
        return "Spectrum " + std::to_string(node.number) + " (" +
               std::to_string(w.record<SpectrumRecord>()->sampleCount) + " smp)";
    case NodeKind::InternalHk: return "Internal HK";
    case NodeKind::OvenTpstParameter: return "Oven/TPST Parameter";
    case NodeKind::GcMsParameter: return "GC/MS - Parameter";
    case NodeKind::TestResults: return "Test Results";
    case NodeKind::ErrorMessage: return "Error Message";
    case NodeKind::TpstReport: return "TPST Report";
    case NodeKind::ExecutionReport: return "Execution Report";
    case NodeKind::Group: return groups_[node.number].text;
    case NodeKind::GcHkSweep: return "GC HK (" + std::to_string(node.number) + ")";
    case NodeKind::MsHkSweep: return "MS HK (" + std::to_string(node.number) + ")";
    case NodeKind::CsibConfig: return "CSIB(Cfg)";
    case NodeKind::MemoryDump: return memoryDumpNodeText(w.record<MemoryDumpImage>()->memoryType());
    case NodeKind::RegularHk: return "Regular HK";
    case NodeKind::Time: return "Time: " + formatOnBoardTime(w.ticks(), timeNodeFormat);
    case NodeKind::Telecommand: return "TC: ";
    case NodeKind::FullHk: return "Full HK";
    case NodeKind::CsibParameter: return "CSIB(Par)";
    default: return {};
    }
}

} // namespace orvik
