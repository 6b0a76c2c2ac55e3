#pragma once
// The category tree: nodes in one array of 12-byte wrappers, numbered in the
// order they were added, which is also the order of every group's children.
// Long stretches of consecutive ids share a parent (nearly every node of an
// archive goes under "Housekeeping"), so the structure is kept as runs: the
// parent of each run of ids, and the children of each group as NodeRuns.
// A change of parent costs a parent run and a run among the new parent's
// children, 8 bytes each: a tree whose parent changes at every node spends 16
// bytes a node on its structure, where a parent and a child entry per node
// would take 8.
// Node texts are built when asked for from the node's kind and payload; only
// group nodes keep a text of their own. Node ids are 32 bits wide: a full tree
// refuses further nodes (and counts them) rather than let the ids wrap.

#include "archive/NodeId.h"
#include "archive/NodeRuns.h"
#include "archive/NodeWrapper.h"
#include "archive/PageBackedBuffer.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvik {

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
    const NodeRuns& children(NodeId parent) const;
    // The group node holding the node, or noNode for a top-level one; found among the parent runs.
    NodeId parent(NodeId id) const { return parentRuns_[parentRunOf(id)].parent; }
    // Position of the node among its parent's children.
    uint32_t row(NodeId id) const;
    const NodeWrapper& wrapper(NodeId id) const { return nodes_[id]; }
    int16_t kind(NodeId id) const { return nodes_[id].kind; }
    std::string text(NodeId id) const;
    // Appends the node's text to `out`: one buffer serves many nodes.
    void appendText(NodeId id, std::string& out) const;
    // Whether every node of the kind has the same text (a group's is its own).
    static bool hasFixedText(int16_t kind);

    // Parents of many nodes in rising order, as a walk over every node asks for them:
    // the run of the last node is kept at hand, so a search is made only where a run ends.
    class ParentWalk {
    public:
        explicit ParentWalk(const CategoryTree& tree) : tree_(tree) {}
        NodeId parent(NodeId id);

    private:
        const CategoryTree& tree_;
        size_t run_ = 0;
    };

private:
    struct ParentRun {
        NodeId firstNode;
        NodeId parent;
    };
    struct Group {
        std::string text;
        NodeRuns children;
    };

    NodeId append(NodeId parent, NodeWrapper wrapper);
    // The sweep or spectrum number of the node's text (0 for nodes without one).
    uint32_t numberOf(NodeId id) const;
    NodeRuns& childList(NodeId parent);
    // The parent run holding the node.
    size_t parentRunOf(NodeId id) const;
    // Whether parent run r holds the node.
    bool parentRunHolds(size_t r, NodeId id) const;

    struct NumberedNode {
        NodeId node;
        uint32_t number;
    };
    PageBackedVector<NodeWrapper> nodes_; // a group node holds its index into groups_
    // The numbers the nodes' texts show, in id order; only the few nodes whose number is not 0.
    std::vector<NumberedNode> numbers_;
    std::vector<ParentRun> parentRuns_;   // one for each stretch of ids with one parent
    std::vector<Group> groups_;
    NodeRuns topLevel_;
    NodeAddedFn nodeAdded_;
    size_t capacity_;
    uint64_t refused_ = 0; // nodes refused since the last clear

};

// "Memory Dump " and the memory's name in brackets; nothing after the blank for an unknown type.
std::string memoryDumpNodeText(uint16_t memoryType);

} // namespace orvik
