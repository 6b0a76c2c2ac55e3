#include "archive/NodeFacts.h"

#include "tests/archive/ArchiveBuilder.h"

using namespace orvik;
using namespace orvik::test;

namespace {

class NodeFactsTest : public DocumentTest {
protected:
    // Six stray bytes, then a regular HK packet at 100.25 s (frame of 24 bytes), a one-page
    // memory dump at 2 s, and a science stream with a telecommand, a time and a spectrum.
    void SetUp() override
    {
        ScienceStreamBuilder s;
        s.tc(msCommand).ti(32).spectrum(Tag::MS, 0x40, {7});
        open(Archive()
                 .raw(le({0, 0, 0}))
                 .add(stampedAt(regularHk(), 100 * 32 + 8))
                 .add(stampedAt(dumpHeader(0, 1), 64))
                 .add(dumpPage(counting(128)))
                 .add(s.blocks()));
    }
    NodeId entry(size_t k) const { return doc.timeListNodes()[k]; }
};

TEST_F(NodeFactsTest, PacketNodesTellEntryTimePacketAndOffset)
{
    const NodeFacts hk = nodeFacts(doc, entry(0));
    EXPECT_EQ(hk.timeListEntry, 0u);
    EXPECT_EQ(hk.ticks, int64_t(100 * 32 + 8) * 2048);
    EXPECT_EQ(hk.packetNumber, 0u);
    EXPECT_EQ(hk.fileOffset, 6u);
    EXPECT_EQ(nodeHeaderText(doc, entry(0)),
              "Regular HK \u00B7 #1 in the time list \u00B7 LOBT 01-Jan-03 00:01:40,250 \u00B7 packet 0 at offset 0x6");
    EXPECT_EQ(nodeToolTipText(doc, entry(0)),
              "#1 in the time list\nLOBT 01-Jan-03 00:01:40,250\npacket 0 at offset 0x6");

    // A memory dump is told by the packet that announced it.
    EXPECT_EQ(nodeHeaderText(doc, entry(1)),
              "Memory Dump \u00B7 #2 in the time list \u00B7 LOBT 01-Jan-03 00:00:02,000 \u00B7 packet 1 at offset 0x1E");
}

TEST_F(NodeFactsTest, ScienceStreamNodesHaveNoPacketAndTheirTimeWhereTheyCarryOne)
{
    EXPECT_EQ(doc.tree().kind(entry(2)), NodeKind::Telecommand);
    EXPECT_EQ(nodeHeaderText(doc, entry(2)), "Telecommand \u00B7 #3 in the time list");
    EXPECT_EQ(nodeToolTipText(doc, entry(2)), "#3 in the time list");
    EXPECT_EQ(nodeHeaderText(doc, entry(3)), "Time \u00B7 #4 in the time list \u00B7 LOBT 01-Jan-03 00:00:01,000");
    const NodeFacts spectrum = nodeFacts(doc, entry(4));
    EXPECT_EQ(doc.tree().kind(entry(4)), NodeKind::Spectrum);
    EXPECT_EQ(spectrum.ticks, int64_t(0x40) * 2048);
    EXPECT_EQ(spectrum.packetNumber, std::nullopt);
    EXPECT_EQ(spectrum.fileOffset, std::nullopt);
}

TEST_F(NodeFactsTest, GroupNodesHaveOnlyTheirKindAndNoNodeHasNothing)
{
    const NodeFacts group = nodeFacts(doc, doc.msNode());
    EXPECT_EQ(group.timeListEntry, std::nullopt);
    EXPECT_EQ(group.ticks, std::nullopt);
    EXPECT_EQ(group.packetNumber, std::nullopt);
    EXPECT_EQ(nodeHeaderText(doc, doc.msNode()), "Group");
    EXPECT_EQ(nodeToolTipText(doc, doc.msNode()), "");
    EXPECT_EQ(nodeHeaderText(doc, noNode), "");
}

TEST(NodeFactTexts, NumbersCountFromOneInGroupsOfThreeDigitsAndTimesOfDayDropTheDate)
{
    EXPECT_EQ(onBoardTimeOfDayText((int64_t(86400 + 3723) << 16) + 0x8000), "01:02:03,500");
    EXPECT_EQ(timeListNumberText(0), "#1");
    EXPECT_EQ(timeListNumberText(999), "#1 000");
    EXPECT_EQ(timeListNumberText(12344), "#12 345");
    EXPECT_EQ(timeListNumberText(4'799'999), "#4 800 000");
}

TEST(NodeFactTexts, APacketNotStoredByTheReaderHasNoNumberOrOffset)
{
    ESAPacket reader;
    const RawPacket elsewhere;
    EXPECT_EQ(reader.packetNumber(elsewhere), std::nullopt);
    EXPECT_EQ(reader.fileOffset(elsewhere), std::nullopt);
}

} // namespace
