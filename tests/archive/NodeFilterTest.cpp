#include "archive/NodeFilter.h"

#include "archive/ArchiveDocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace orvik;

namespace {

// Housekeeping: Regular HK, Internal HK; MS: dataset "MS 0" holding a time stamp,
// "HKSweep" with "MS HK (0)", and "Spectrum 0 (1024 smp)"; System: Error Message.
struct SmallTree {
    CategoryTree tree;
    TimeList timeList;
    NodeId housekeeping, regularHk, internalHk, ms, dataset, time, sweeps, sweep, spectrum, system, error;

    SmallTree()
    {
        tree.setNodeAddedHandler([this](NodeId id) {
            if (tree.kind(id) != NodeKind::Group)
                timeList.append(id);
        });
        housekeeping = tree.addGroup(noNode, "Housekeeping");
        ms = tree.addGroup(noNode, "MS");
        system = tree.addGroup(noNode, "System");
        regularHk = tree.addNode(housekeeping, NodeWrapper(NodeKind::RegularHk, static_cast<const RawPacket*>(nullptr)));
        dataset = tree.addGroup(ms, "MS 0");
        time = tree.addNode(dataset, NodeWrapper(NodeKind::Time, int64_t(0)));
        sweeps = tree.addGroup(dataset, "HKSweep");
        sweep = tree.addNode(sweeps, NodeWrapper(NodeKind::MsHkSweep), 0);
        auto record = std::make_unique<SpectrumRecord>();
        record->sampleCount = 1024;
        spectrum = tree.addNode(dataset, NodeWrapper(NodeKind::Spectrum, std::move(record)), 0);
        error = tree.addNode(system, NodeWrapper(NodeKind::ErrorMessage, static_cast<const RawPacket*>(nullptr)));
        internalHk = tree.addNode(housekeeping, NodeWrapper(NodeKind::InternalHk, static_cast<const RawPacket*>(nullptr)));
    }

    NodeFilter filter(std::string_view needle) const { return *filterNodes(tree, needle); }
};

} // namespace

TEST(NodeFilter, KeepsMatchesWithTheirAncestorsAndTheTimeListOrder)
{
    const SmallTree t;
    // Case does not matter on either side; numbered texts are matched whole.
    const NodeFilter spectrum = t.filter("sPeCtRuM 0 (1024");
    EXPECT_EQ(spectrum.children(noNode), std::vector<NodeId>{t.ms});
    EXPECT_EQ(spectrum.children(t.ms), std::vector<NodeId>{t.dataset});
    EXPECT_EQ(spectrum.children(t.dataset), std::vector<NodeId>{t.spectrum});
    EXPECT_TRUE(spectrum.children(t.housekeeping).empty());
    EXPECT_EQ(spectrum.timeListNodes(), std::vector<NodeId>{t.spectrum});
    EXPECT_EQ(spectrum.shownCount(), 3u);
    EXPECT_EQ(spectrum.row(t.spectrum, t.tree), 0u);
    EXPECT_FALSE(spectrum.shows(t.time));

    // "hk" is in fixed texts of two kinds and in a numbered one; the time list keeps
    // the order of addition: Internal HK, added last, comes after the sweep.
    const NodeFilter hk = t.filter("HK");
    EXPECT_EQ(hk.timeListNodes(), (std::vector<NodeId>{t.regularHk, t.sweep, t.internalHk}));
    EXPECT_EQ(hk.children(noNode), (std::vector<NodeId>{t.housekeeping, t.ms}));
    EXPECT_EQ(hk.children(t.housekeeping), (std::vector<NodeId>{t.regularHk, t.internalHk}));
    EXPECT_EQ(hk.children(t.dataset), std::vector<NodeId>{t.sweeps}); // "HKSweep" matches as well
    EXPECT_EQ(hk.children(t.sweeps), std::vector<NodeId>{t.sweep});
    EXPECT_EQ(hk.row(t.internalHk, t.tree), 1u);

    // A group that matches is shown without its children; time texts are searched too.
    const NodeFilter group = t.filter("system");
    EXPECT_EQ(group.children(noNode), std::vector<NodeId>{t.system});
    EXPECT_TRUE(group.children(t.system).empty());
    EXPECT_TRUE(group.timeListNodes().empty());
    EXPECT_EQ(t.filter("01-jan-03").timeListNodes(), std::vector<NodeId>{t.time});
}

TEST(NodeFilter, EmptyNeedleShowsEverythingAndOddNeedlesMatchNothing)
{
    const SmallTree t;
    const NodeFilter all = t.filter("");
    EXPECT_EQ(all.shownCount(), t.tree.size());
    EXPECT_EQ(all.timeListNodes(), std::vector<NodeId>(t.timeList.begin(), t.timeList.end()));
    for (NodeId parent : {noNode, t.housekeeping, t.ms, t.dataset, t.sweeps, t.system})
        EXPECT_EQ(all.children(parent), t.tree.children(parent)) << parent;

    // Bytes of UTF-8 sequences, a NUL and a needle longer than any text: no match, no fault.
    const std::string longNeedle(300, 'x');
    for (std::string_view needle : {std::string_view("Sp\xC3\xA9\x63trum"), std::string_view("\xFF\x80"),
                                    std::string_view("HK\0", 3), std::string_view(longNeedle)}) {
        const NodeFilter none = t.filter(needle);
        EXPECT_EQ(none.shownCount(), 0u);
        EXPECT_TRUE(none.children(noNode).empty());
        EXPECT_TRUE(none.timeListNodes().empty());
    }
}

TEST(NodeFilter, CancelledSearchGivesNothing)
{
    const SmallTree t;
    std::atomic<bool> cancelled{true};
    EXPECT_FALSE(filterNodes(t.tree, "HK", &cancelled));
    cancelled = false;
    EXPECT_TRUE(filterNodes(t.tree, "HK", &cancelled));
}

// On a real archive every entry of the filtered time list is in the full list, in
// the same order, and every node whose text holds the needle is in it.
TEST(NodeFilter, DemoArchiveTimeListIsTheMatchingSubsequence)
{
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE)) << doc.openError();
    const NodeFilter found = *filterNodes(doc.tree(), "spectrum");
    std::vector<NodeId> expected;
    for (NodeId id : doc.timeListNodes())
        if (doc.tree().text(id).find("Spectrum") != std::string::npos)
            expected.push_back(id);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(found.timeListNodes(), expected);
}
