#pragma once
// Search over the category tree: the nodes whose text holds a needle (ASCII
// letters compared without case), with their ancestors so that the tree keeps its
// structure, and the time list cut down to the matching entries in its order.
// Archives hold millions of nodes: texts are built into one reused buffer, nodes
// of a kind with one fixed text are decided once per kind, and a search can be
// cancelled from another thread while it runs.

#include "archive/CategoryTree.h"

#include <atomic>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvik {

class NodeFilter {
public:
    // Whether the tree shows the node: it matches or holds a match.
    bool shows(NodeId id) const
    {
        const size_t slot = id < laterNodes ? id : earlyCount_ + (id - laterNodes);
        return (id < laterNodes ? id < earlyCount_ : slot < shown_.size()) && shown_[slot];
    }
    // The shown children of a shown group node, or the shown top-level nodes for noNode.
    const NodeRuns& children(NodeId parent) const;
    // Position of a shown node among its parent's shown children.
    uint32_t row(NodeId id, const CategoryTree& tree) const;
    // The matching entries of the time list, in its order.
    const std::vector<NodeId>& timeListNodes() const { return timeListNodes_; }
    // Nodes the tree shows: matches and their ancestors.
    size_t shownCount() const { return shownCount_; }
    // Nodes whose text holds the needle, groups among them.
    size_t matchCount() const { return matchCount_; }

private:
    friend std::optional<NodeFilter> filterNodes(const CategoryTree&, std::string_view,
                                                 const std::atomic<bool>*);
    std::vector<bool> shown_; // early ids, then later ones
    size_t earlyCount_ = 0;
    std::unordered_map<NodeId, NodeRuns> children_;
    std::vector<NodeId> timeListNodes_;
    size_t shownCount_ = 0;
    size_t matchCount_ = 0;
};

// The nodes of `tree` whose text holds `needle`. An empty needle matches every node.
// Returns nothing when `cancelled` was set before the search ended.
// The time list is every non-group node in the order of the node ids, so the
// matching entries come out of the same walk.
std::optional<NodeFilter> filterNodes(const CategoryTree& tree, std::string_view needle,
                                      const std::atomic<bool>* cancelled = nullptr);

} // namespace orvik
