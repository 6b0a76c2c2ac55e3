#pragma once
// The category tree: nodes in one array, children listed per group node in the
// order they were added, which is also the order of their ids.
// Node texts are built when asked for from the node's kind and payload; only
// group nodes keep a text of their own. Node ids are 32 bits wide: a full tree
// refuses further nodes (and counts them) rather than let the ids wrap.

#include "archive/NodeWrapper.h"
#include "archive/PageBackedBuffer.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvik {

using NodeId = uint32_t;
constexpr NodeId noNode = UINT32_MAX;

class CategoryTree {
public:
    // The most nodes a tree holds: every id below noNode but one.
    static constexpr size_t maxNodes = size_t(noNode) - 1;

    explicit CategoryTree(size_t capacity = maxNodes) : capacity_(capacity) {}

    // Told of every node right after it was added (the time list listens).
    using NodeAddedFn = std::function<void(NodeId)>;
    void setNodeAddedHandler(NodeAddedFn handler) { nodeAdded_ = std::move(handler); }

    // Appends a group node (kind 265) as the last child of `parent` (noNode: the top level).
    // Both return noNode, and add nothing, once the tree is full.
    NodeId addGroup(NodeId parent, std::string text);
    // Appends a node of another kind; `number` is the sweep or spectrum number of its text.
    NodeId addNode(NodeId parent, NodeWrapper wrapper, uint32_t number = 0);
    // What an open tells of the nodes refused since the last clear; nothing when none was.
    std::optional<std::string> refusalWarning() const;

    // Destroys every node and so every record the nodes own.
    void clear();
    void reserve(size_t nodes) { nodes_.reserve(nodes); }

    size_t size() const { return nodes_.size(); }
    // Children of a group node, or the top-level nodes for noNode. Other nodes have none.
    const std::vector<NodeId>& children(NodeId parent) const;
    NodeId parent(NodeId id) const { return nodes_[id].parent; }
    // Position of the node among its parent's children.
    uint32_t row(NodeId id) const;
    const NodeWrapper& wrapper(NodeId id) const { return nodes_[id].wrapper; }
    int16_t kind(NodeId id) const { return nodes_[id].wrapper.kind; }
    std::string text(NodeId id) const;
    // Appends the node's text to `out`: one buffer serves many nodes.
    void appendText(NodeId id, std::string& out) const;
    // Whether every node of the kind has the same text (a group's is its own).
    static bool hasFixedText(int16_t kind);

private:
    struct Node {
        NodeWrapper wrapper;
        NodeId parent;
        uint32_t number; // group nodes: index into groups_
    };
    struct Group {
        std::string text;
        std::vector<NodeId> children;
    };

    NodeId append(NodeId parent, NodeWrapper wrapper, uint32_t number);
    std::vector<NodeId>& childList(NodeId parent);

    PageBackedVector<Node> nodes_;
    std::vector<Group> groups_;
    std::vector<NodeId> topLevel_;
    NodeAddedFn nodeAdded_;
    size_t capacity_;
    uint64_t refused_ = 0; // nodes refused since the last clear

};

// "Memory Dump " and the memory's name in brackets; nothing after the blank for an unknown type.
std::string memoryDumpNodeText(uint16_t memoryType);

} // namespace orvik
