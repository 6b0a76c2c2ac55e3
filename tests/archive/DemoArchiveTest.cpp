// The demo archive that the viewer opens out of the box shows every kind of node.

#include "archive/ArchiveDocument.h"

#include <gtest/gtest.h>

#include <set>

namespace orvik {
namespace {

TEST(DemoArchiveOpen, HoldsEveryNodeKindAndOpensCleanly)
{
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE)) << doc.openError();
    EXPECT_TRUE(doc.warnings().empty());
    EXPECT_TRUE(doc.scienceAssembled());
    EXPECT_EQ(doc.statusPanels()[2], "Missing: 0");

    std::set<int16_t> kinds;
    std::set<std::string> dumps;
    for (NodeId id : doc.tree().ids()) {
        kinds.insert(doc.tree().kind(id));
        if (doc.tree().kind(id) == NodeKind::MemoryDump)
            dumps.insert(doc.tree().text(id));
    }
    const std::set<int16_t> everyKind = {2, 3, 4, 5, 6, 7, 8, 12, 265, 266, 267, 268, 269, 270, 271, 272, 273, 274};
    EXPECT_EQ(kinds, everyKind);
    EXPECT_EQ(dumps, (std::set<std::string>{"Memory Dump (MM)", "Memory Dump (GC)", "Memory Dump (MS/TDC)",
                                            "Memory Dump (DPU)"}));
    for (NodeId parent : {doc.gcNode(), doc.gcmsNode(), doc.msNode()}) {
        bool hasDataset = false;
        for (NodeId child : doc.tree().children(parent))
            hasDataset |= doc.tree().text(child).starts_with("Dataset (");
        EXPECT_TRUE(hasDataset) << doc.tree().text(parent);
    }
    EXPECT_GT(doc.unknownCount(), 0u);
    EXPECT_GT(doc.packetStatistics().counts[Category::ScienceData], 0u);
}

} // namespace
} // namespace orvik
