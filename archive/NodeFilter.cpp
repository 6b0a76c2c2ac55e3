#include "archive/NodeFilter.h"

#include <algorithm>
#include <array>

namespace orvik {

namespace {

// Folds ASCII letters only: other bytes (UTF-8 sequences in a needle) compare as they are.
char foldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

const NodeRuns noChildren;

} // namespace

const NodeRuns& NodeFilter::children(NodeId parent) const
{
    const auto found = children_.find(parent);
    return found == children_.end() ? noChildren : found->second;
}

uint32_t NodeFilter::row(NodeId id, const CategoryTree& tree) const
{
    return uint32_t(*children(tree.parent(id)).entryOf(id));
}

std::optional<NodeFilter> filterNodes(const CategoryTree& tree, std::string_view needle,
                                      const std::atomic<bool>* cancelled)
{
    std::string folded(needle);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldCase);

    std::string text;
    const auto matches = [&](NodeId id) {
        text.clear();
        tree.appendText(id, text);
        std::transform(text.begin(), text.end(), text.begin(), foldCase);
        return text.find(folded) != std::string::npos;
    };
    // Kinds with one text for all their nodes: decided at their first node. Kinds are 16-bit.
    enum : uint8_t { unknown, no, yes };
    std::array<uint8_t, 65536> fixedKindMatches{};

    NodeFilter filter;
    filter.shown_.assign(tree.size(), false);
    filter.earlyCount_ = tree.earlyCount();
    const auto shown = [&](NodeId id) { return filter.shown_[tree.position(id)]; };
    constexpr size_t cancelCheckInterval = 1 << 16;
    CategoryTree::ParentWalk parents(tree);
    size_t visited = 0;
    for (NodeId id : tree.ids()) {
        if (visited++ % cancelCheckInterval == 0 && cancelled && cancelled->load(std::memory_order_relaxed))
            return std::nullopt;
        const int16_t kind = tree.kind(id);
        bool match;
        if (CategoryTree::hasFixedText(kind)) {
            uint8_t& decided = fixedKindMatches[uint16_t(kind)];
            if (decided == unknown)
                decided = matches(id) ? yes : no;
            match = decided == yes;
        } else {
            match = matches(id);
        }
        if (!match)
            continue;
        ++filter.matchCount_;
        if (kind != NodeKind::Group)
            filter.timeListNodes_.push_back(id);
        // Ancestors have smaller ids: none of the node's descendants was seen yet, and its
        // ancestors are marked upwards until one is shown already. The walk along the ids
        // gives the parent; the rarer steps above it search.
        shown(id) = true;
        ++filter.shownCount_;
        for (NodeId n = parents.parent(id); n != noNode && !shown(n); n = tree.parent(n)) {
            shown(n) = true;
            ++filter.shownCount_;
        }
    }
    // Children in id order are children in tree order. Runs of siblings are common:
    // the list of the last parent is kept at hand (the map's values do not move).
    NodeId lastParent = 0;
    NodeRuns* siblings = nullptr;
    CategoryTree::ParentWalk shownParents(tree);
    for (NodeId id : tree.ids()) {
        if (!shown(id))
            continue;
        const NodeId parent = shownParents.parent(id);
        if (!siblings || parent != lastParent) {
            siblings = &filter.children_[parent];
            lastParent = parent;
        }
        siblings->append(id);
    }
    return filter;
}

} // namespace orvik
