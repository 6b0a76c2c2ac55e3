#pragma once
// The category tree: nodes in arrays of 12-byte wrappers, numbered in the order
// they are shown, which is also the order of every group's children. Nodes are
// added in that order too, but for one exception: the science stream's nodes are
// shown where the stream began, and when an archive is read as it grows, they keep
// coming after later nodes. So the ids come from two ranges: the early range from 0
// holds the nodes added before the stream began and the stream's own, the later
// range from `laterNodes` the other nodes added after it began.
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
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace orvik {

class CategoryTree {
public:
    // The most nodes a tree holds: every id below noNode but one.
    static constexpr size_t maxNodes = size_t(noNode) - 1;

    explicit CategoryTree(size_t capacity = maxNodes) : capacity_(capacity) {}

    // Which range the next node's id comes from.
    enum class Range : uint8_t { Early, Later };
    void setRange(Range range) { range_ = range; }
    Range range() const { return range_; }

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
    void reserve(size_t nodes) { ranges_[size_t(range_)].nodes.reserve(nodes); }

    // What the tree holds at a moment, to go back to with truncate().
    struct Mark {
        uint32_t early = 0, later = 0, groups = 0;
        Range range = Range::Early;
        friend bool operator==(const Mark&, const Mark&) = default;
    };
    Mark mark() const;
    // Destroys the nodes added since the mark, and with them their records.
    void truncate(const Mark& mark);
    // Removes from a list of ids (the time list) those added since the mark.
    static void eraseAfter(NodeRuns& list, const Mark& mark);
    // Replaces the text of a group node.
    void setGroupText(NodeId group, std::string text);
    // Packets that nodes refer to were moved from `from` to `to` (`count` of them).
    void movePackets(const RawPacket* from, const RawPacket* to, size_t count);

    size_t size() const { return ranges_[0].nodes.size() + ranges_[1].nodes.size(); }
    size_t earlyCount() const { return ranges_[0].nodes.size(); }
    // The node's place among all ids in rising order (0 ... size() - 1).
    size_t position(NodeId id) const { return id < laterNodes ? id : earlyCount() + (id - laterNodes); }
    bool contains(NodeId id) const
    {
        return id < laterNodes ? id < ranges_[0].nodes.size() : id - laterNodes < ranges_[1].nodes.size();
    }
    // Every id in rising order: the early range, then the later one.
    class Ids {
    public:
        class iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = NodeId;
            using difference_type = std::ptrdiff_t;
            using pointer = void;
            using reference = NodeId;
            iterator() = default;
            iterator(NodeId id, NodeId earlyEnd) : id_(id), earlyEnd_(earlyEnd) {}
            NodeId operator*() const { return id_; }
            iterator& operator++()
            {
                if (++id_ == earlyEnd_)
                    id_ = laterNodes;
                return *this;
            }
            iterator operator++(int)
            {
                const iterator before = *this;
                ++*this;
                return before;
            }
            bool operator==(const iterator& other) const { return id_ == other.id_; }

        private:
            NodeId id_ = 0, earlyEnd_ = 0;
        };
        iterator begin() const { return {earlyEnd_ == 0 ? laterNodes : 0, earlyEnd_}; }
        iterator end() const { return {laterNodes + laterCount_, earlyEnd_}; }

    private:
        friend class CategoryTree;
        Ids(NodeId earlyEnd, NodeId laterCount) : earlyEnd_(earlyEnd), laterCount_(laterCount) {}
        NodeId earlyEnd_, laterCount_;
    };
    Ids ids() const { return Ids(NodeId(ranges_[0].nodes.size()), NodeId(ranges_[1].nodes.size())); }
    // Children of a group node, or the top-level nodes for noNode. Other nodes have none.
    const NodeRuns& children(NodeId parent) const;
    // The group node holding the node, or noNode for a top-level one; found among the parent runs.
    NodeId parent(NodeId id) const { return rangeOf(id).parentRuns[parentRunOf(id)].parent; }
    // Position of the node among its parent's children.
    uint32_t row(NodeId id) const;
    const NodeWrapper& wrapper(NodeId id) const { return rangeOf(id).nodes[indexIn(id)]; }
    int16_t kind(NodeId id) const { return wrapper(id).kind; }
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
        bool later_ = false;
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

    struct Nodes {
        PageBackedVector<NodeWrapper> nodes;
        std::vector<ParentRun> parentRuns; // one for each stretch of ids with one parent
    };
    const Nodes& rangeOf(NodeId id) const { return ranges_[id >= laterNodes]; }
    static uint32_t indexIn(NodeId id) { return id >= laterNodes ? id - laterNodes : id; }
    NodeWrapper& node(NodeId id) { return ranges_[id >= laterNodes].nodes[indexIn(id)]; }

    NodeId append(NodeId parent, NodeWrapper wrapper);
    NodeId nextId() const;
    // Whether the range that numbers the next node has no id left.
    bool rangeFull() const;
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
    Nodes ranges_[2]; // a group node holds its index into groups_
    Range range_ = Range::Early;
    // The numbers the nodes' texts show, in id order; only the few nodes whose number is not 0.
    std::vector<NumberedNode> numbers_;
    std::vector<Group> groups_;
    NodeRuns topLevel_;
    NodeAddedFn nodeAdded_;
    size_t capacity_;
    uint64_t refused_ = 0; // nodes refused since the last clear

};

// "Memory Dump " and the memory's name in brackets; nothing after the blank for an unknown type.
std::string memoryDumpNodeText(uint16_t memoryType);

} // namespace orvik
