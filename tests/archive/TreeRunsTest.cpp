#include "archive/CategoryTree.h"
#include "archive/NodeFilter.h"
#include "archive/TimeList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace orvik;

namespace {

// What the tree answers, kept the plain way: a parent per node, a vector of children per group.
struct Reference {
    std::vector<NodeId> parents;
    std::map<NodeId, std::vector<NodeId>> children; // groups and noNode
    std::vector<NodeId> timeList;
    std::vector<std::string> texts;
};

struct GrownTree {
    CategoryTree tree;
    TimeList timeList;
    Reference ref;
};

// How the next node picks its parent among the groups so far (and the top level).
enum class Parents { changeAtEveryNode, longRuns, mixed };

// `count` appends, each a group (one in eight) or a numbered "MS HK" node.
void grow(GrownTree& t, Parents parents, size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    t.tree.setNodeAddedHandler([&t](NodeId id) {
        if (t.tree.kind(id) != NodeKind::Group)
            t.timeList.append(id);
    });
    std::vector<NodeId> groups = {noNode};
    t.ref.children[noNode];
    NodeId last = noNode;
    for (size_t k = 0; k < count; ++k) {
        NodeId parent = last;
        const bool change = parents == Parents::changeAtEveryNode
                            || (parents == Parents::longRuns && random() % 500 == 0)
                            || (parents == Parents::mixed && random() % 3 == 0);
        if (change && groups.size() > 1) {
            do
                parent = groups[random() % groups.size()];
            while (parents == Parents::changeAtEveryNode && parent == last);
        }
        const auto number = uint32_t(random());
        NodeId id;
        if (random() % 8 == 0 || groups.size() < 3) {
            t.ref.texts.push_back("Group " + std::to_string(number));
            id = t.tree.addGroup(parent, t.ref.texts.back());
            groups.push_back(id);
            t.ref.children[id];
        } else {
            t.ref.texts.push_back("MS HK (" + std::to_string(number) + ")");
            id = t.tree.addNode(parent, NodeWrapper(NodeKind::MsHkSweep), number);
            t.ref.timeList.push_back(id);
        }
        ASSERT_EQ(id, t.ref.parents.size());
        t.ref.parents.push_back(parent);
        t.ref.children[parent].push_back(id);
        last = parent;
    }
}

std::vector<NodeId> listed(const NodeRuns& runs)
{
    return {runs.begin(), runs.end()};
}

void expectSameAnswers(const GrownTree& t)
{
    const CategoryTree& tree = t.tree;
    ASSERT_EQ(tree.size(), t.ref.parents.size());
    CategoryTree::ParentWalk walk(tree);
    for (NodeId id : tree.ids()) {
        ASSERT_EQ(tree.parent(id), t.ref.parents[id]) << id;
        ASSERT_EQ(walk.parent(id), t.ref.parents[id]) << id;
        const std::vector<NodeId>& siblings = t.ref.children.at(t.ref.parents[id]);
        ASSERT_EQ(tree.row(id), uint32_t(std::find(siblings.begin(), siblings.end(), id) - siblings.begin())) << id;
        ASSERT_EQ(tree.text(id), t.ref.texts[id]) << id;
        if (tree.kind(id) != NodeKind::Group) {
            ASSERT_TRUE(tree.children(id).empty()) << id;
        }
    }
    for (const auto& [group, children] : t.ref.children) {
        const NodeRuns& runs = tree.children(group);
        ASSERT_EQ(runs.size(), children.size()) << group;
        ASSERT_EQ(listed(runs), children) << group;
        for (size_t k = 0; k < children.size(); ++k) {
            ASSERT_EQ(runs[k], children[k]) << group << ' ' << k;
            ASSERT_EQ(runs.entryOf(children[k]), k) << group << ' ' << k;
        }
    }
    ASSERT_EQ(listed(t.timeList), t.ref.timeList);
    for (size_t k = 0; k < t.ref.timeList.size(); ++k)
        ASSERT_EQ(t.timeList.entryOf(t.ref.timeList[k]), k) << k;

    // Asked out of order, the walk still answers right.
    std::mt19937 random(1);
    for (int k = 0; k < 1000; ++k) {
        const auto id = NodeId(random() % tree.size());
        ASSERT_EQ(walk.parent(id), t.ref.parents[id]) << id;
    }
}

// A search shows the matches and their ancestors, children in tree order.
void expectSearchLikeReference(const GrownTree& t, const std::string& needle)
{
    std::vector<bool> shown(t.ref.parents.size(), false);
    for (NodeId id = 0; id < shown.size(); ++id)
        if (t.ref.texts[id].find(needle) != std::string::npos)
            for (NodeId n = id; n != noNode; n = t.ref.parents[n])
                shown[n] = true;
    const NodeFilter filter = *filterNodes(t.tree, needle);
    for (const auto& [group, children] : t.ref.children) {
        if (group != noNode && !shown[group])
            continue;
        std::vector<NodeId> expected;
        std::copy_if(children.begin(), children.end(), std::back_inserter(expected),
                     [&](NodeId id) { return shown[id]; });
        ASSERT_EQ(listed(filter.children(group)), expected) << needle << ' ' << group;
        for (size_t k = 0; k < expected.size(); ++k)
            ASSERT_EQ(filter.row(expected[k], t.tree), k) << needle << ' ' << expected[k];
    }
    EXPECT_EQ(filter.shownCount(), size_t(std::count(shown.begin(), shown.end(), true))) << needle;
}

class TreeRuns : public ::testing::TestWithParam<Parents> {};

TEST_P(TreeRuns, TreeAnswersLikeParentAndChildVectors)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        GrownTree t;
        grow(t, GetParam(), 20000, seed);
        expectSameAnswers(t);
        for (const std::string needle : {"", "Group", "MS HK (1", "7)"})
            expectSearchLikeReference(t, needle);
    }
}

INSTANTIATE_TEST_SUITE_P(ParentChoices, TreeRuns,
                         ::testing::Values(Parents::changeAtEveryNode, Parents::longRuns, Parents::mixed));

TEST(NodeRuns, ListsCompareByTheirIdsAndRefuseEntriesBeyondTheEnd)
{
    NodeRuns runs;
    for (NodeId id : {3u, 4u, 5u, 9u})
        runs.append(id);
    EXPECT_EQ(runs, (std::vector<NodeId>{3, 4, 5, 9}));
    EXPECT_FALSE(runs == (std::vector<NodeId>{3, 4, 5}));
    NodeRuns same;
    for (NodeId id : {3u, 4u, 5u, 9u})
        same.append(id);
    EXPECT_EQ(runs, same);
    same.append(10);
    EXPECT_FALSE(runs == same);

    EXPECT_EQ(runs.at(3), 9u);
    EXPECT_THROW(runs.at(4), std::out_of_range);
    EXPECT_THROW(NodeRuns().at(0), std::out_of_range);
}

// Ids inserted among others and ranges removed keep the list as one built in order:
// the same entries, and runs as long as they can be (equal lists compare equal).
TEST(NodeRuns, InsertedAndErasedIdsLeaveTheListAsIfBuiltInOrder)
{
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        NodeRuns runs;
        std::vector<NodeId> ids;
        for (int k = 0; k < 60; ++k) {
            const NodeId id = NodeId(random() % 80) + (random() % 2 ? laterNodes : 0);
            if (std::find(ids.begin(), ids.end(), id) != ids.end())
                continue;
            runs.insert(id);
            ids.insert(std::upper_bound(ids.begin(), ids.end(), id), id);
        }
        const NodeId first = NodeId(random() % 80) + (random() % 2 ? laterNodes : 0);
        const NodeId end = first + NodeId(random() % 40);
        runs.erase(first, end);
        std::erase_if(ids, [&](NodeId id) { return id >= first && id < end; });
        NodeRuns built;
        for (NodeId id : ids)
            built.append(id);
        ASSERT_EQ(runs, built) << round;
        for (size_t k = 0; k < ids.size(); ++k)
            ASSERT_EQ(runs.entryOf(ids[k]), k) << round;
        ASSERT_EQ(runs.entriesBelow(laterNodes),
                  size_t(std::lower_bound(ids.begin(), ids.end(), laterNodes) - ids.begin()));
    }
}

// Nodes added after the science stream began go to the later range; the stream's own
// stay in the early one and are shown among the nodes before them, whenever they come.
TEST(CategoryTreeRanges, LaterNodesComeAfterTheStreamsWhicheverIsAddedFirst)
{
    CategoryTree tree;
    const NodeId ms = tree.addGroup(noNode, "MS");
    tree.addNode(ms, NodeWrapper(NodeKind::RegularHk));
    const CategoryTree::Mark streamBegan = tree.mark();
    tree.setRange(CategoryTree::Range::Later);
    const NodeId later = tree.addNode(ms, NodeWrapper(NodeKind::RegularHk));
    tree.setRange(CategoryTree::Range::Early);
    const NodeId dataset = tree.addGroup(ms, "Dataset (0)");
    const NodeId spectrum = tree.addNode(dataset, NodeWrapper(NodeKind::Spectrum), 3);
    EXPECT_GE(later, laterNodes);
    EXPECT_EQ(tree.children(ms), (std::vector<NodeId>{1, dataset, later}));
    EXPECT_EQ(tree.row(later), 2u);
    EXPECT_EQ(tree.parent(spectrum), dataset);
    EXPECT_EQ(std::vector<NodeId>(tree.ids().begin(), tree.ids().end()),
              (std::vector<NodeId>{0, 1, dataset, spectrum, later}));

    // Back to the mark: the stream's nodes go, the node before it stays.
    tree.truncate(streamBegan);
    EXPECT_EQ(tree.children(ms), (std::vector<NodeId>{1}));
    EXPECT_EQ(tree.size(), 2u);
    EXPECT_FALSE(tree.contains(later));
    EXPECT_EQ(tree.range(), CategoryTree::Range::Early);
    const NodeId again = tree.addGroup(ms, "Dataset (0)");
    EXPECT_EQ(again, dataset); // the same ids as before
}

} // namespace
