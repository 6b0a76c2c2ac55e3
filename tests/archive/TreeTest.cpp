#include "tests/archive/ArchiveBuilder.h"

using namespace orvik;
using namespace orvik::test;

namespace {

using TreeTest = DocumentTest;
using ::testing::ElementsAre;

TEST_F(TreeTest, SinglePacketItemsBecomeNodesUnderTheirGroups)
{
    open(Archive()
             .add({regularHk(), categoryPacket(3), categoryPacket(4), categoryPacket(5), categoryPacket(6)})
             .add({categoryPacket(7), categoryPacket(8), categoryPacket(12)})
             .add({categoryPacket(0), categoryPacket(10), categoryPacket(11), categoryPacket(0x4F72)})
             .add(withProcessId(categoryPacket(3), 112)));
    EXPECT_THAT(outline(doc.tree()),
                ElementsAre("Housekeeping", "Housekeeping > Regular HK", "Housekeeping > Internal HK", "System",
                            "System > Oven/TPST Parameter", "System > Test Results", "System > Error Message",
                            "System > TPST Report", "System > Execution Report", "GC", "GC > GC/MS - Parameter",
                            "GCMS", "MS", "MS > GC/MS - Parameter"));
    for (NodeId group : {doc.housekeepingNode(), doc.systemNode(), doc.gcNode(), doc.gcmsNode(), doc.msNode()})
        EXPECT_EQ(doc.tree().kind(group), NodeKind::Group);

    // The time list holds every other node in the order added; each refers to its stored packet,
    // and the two nodes of the category-5 packet (MS first, then GC) have a wrapper each.
    EXPECT_THAT(timeList(), ElementsAre("Regular HK", "Internal HK", "Oven/TPST Parameter", "GC/MS - Parameter",
                                        "GC/MS - Parameter", "Test Results", "Error Message", "TPST Report",
                                        "Execution Report"));
    const std::vector<int16_t> kinds = {270, 3, 4, 5, 5, 6, 7, 8, 12};
    const std::vector<size_t> packets = {0, 1, 2, 3, 3, 4, 5, 6, 7};
    const TimeList& nodes = doc.timeListNodes();
    ASSERT_EQ(nodes.size(), kinds.size());
    for (size_t k = 0; k < nodes.size(); ++k) {
        EXPECT_EQ(doc.tree().kind(nodes[k]), kinds[k]) << k;
        EXPECT_EQ(doc.tree().wrapper(nodes[k]).packet(), &doc.reader()[packets[k]]) << k;
    }
    EXPECT_EQ(doc.tree().parent(nodes[3]), doc.msNode());
    EXPECT_EQ(doc.tree().parent(nodes[4]), doc.gcNode());
    EXPECT_NE(&doc.tree().wrapper(nodes[3]), &doc.tree().wrapper(nodes[4]));
}

Words pageOf(const MemoryDumpImage& image, size_t p)
{
    Words w;
    for (size_t k = 0; k < MemoryDumpImage::pageWords; ++k)
        w.push_back(image.page(p).wordOr(k, 0xDEAD));
    return w;
}

const MemoryDumpImage& dumpImage(const ArchiveDocument& doc)
{
    const NodeId node = doc.tree().children(doc.systemNode()).front();
    EXPECT_EQ(doc.tree().kind(node), NodeKind::MemoryDump);
    return *doc.tree().wrapper(node).record<MemoryDumpImage>();
}

TEST_F(TreeTest, MemoryDumpTakesEveryTransferPacketAsAPageAndPassesOverTheRest)
{
    // A page is recognised by its service type and subtype alone: the second one comes from
    // another process and its first word looks like category 3.
    Words second = counting(128, 0x0300);
    second[0] = 3;
    open(Archive()
             .add({dumpHeader(0x00F0, 2), categoryPacket(3), dumpPage(counting(128, 0x1000))})
             .add({withProcessId(dumpPage(second), 7), categoryPacket(7)}));
    EXPECT_THAT(outline(doc.tree(), doc.systemNode()), ElementsAre("Memory Dump (GC)", "Error Message"));
    EXPECT_TRUE(doc.tree().children(doc.housekeepingNode()).empty());
    const MemoryDumpImage& image = dumpImage(doc);
    EXPECT_EQ(image.storedByteCount(), 2u * 258);
    EXPECT_EQ(image.pageCount(), 2);
    EXPECT_EQ(image.memoryType(), 0x00F0);
    EXPECT_EQ(pageOf(image, 0), counting(128, 0x1000));
    EXPECT_EQ(pageOf(image, 1), second);
    EXPECT_EQ(doc.packetStatistics().counts[3], 0u);
    EXPECT_EQ(doc.packetStatistics().counts[9], 1u);
    EXPECT_TRUE(doc.warnings().empty());
}

TEST_F(TreeTest, DumpPagesAreReadInPlaceFromTheirPacketsAndAShortOneIsPadded)
{
    // A full page, a short one, one from a packet longer than a page; the fourth never comes.
    open(Archive().add({dumpHeader(0x000F, 4), dumpPage(counting(128, 0x1000)), dumpPage(counting(5, 0x2000)),
                        dumpPage(counting(129, 0x3000))}));
    const MemoryDumpImage& image = dumpImage(doc);
    ASSERT_EQ(image.pagesHeld(), 3u);
    EXPECT_EQ(image.page(0).bytes(), doc.reader()[1].dataWords().from(1).bytes());
    EXPECT_EQ(image.page(2).bytes(), doc.reader()[3].dataWords().from(1).bytes());
    Words shortPage = counting(5, 0x2000);
    shortPage.resize(128, 0);
    EXPECT_EQ(pageOf(image, 0), counting(128, 0x1000));
    EXPECT_EQ(pageOf(image, 1), shortPage);
    EXPECT_EQ(pageOf(image, 2), counting(128, 0x3000));
    EXPECT_EQ(pageOf(image, 3), Words(128, 0));
    EXPECT_EQ(image.dataWord(128 + 4), 0x2004);
    EXPECT_EQ(image.dataWord(128 + 5), 0);
    EXPECT_EQ(image.dataWord(3 * 128), 0);

    Words stored{4, 0x000F};
    for (const Words& page : {counting(128, 0x1000), shortPage, counting(128, 0x3000)})
        stored.insert(stored.end(), page.begin(), page.end());
    const Bytes storedBytes = le(stored);
    EXPECT_EQ(image.storedBytes(), storedBytes);
    EXPECT_EQ(image.storedBytes(7), Bytes(storedBytes.begin(), storedBytes.begin() + 7));
}

class DumpSuffixTest : public DocumentTest,
                       public ::testing::WithParamInterface<std::pair<uint16_t, std::string>> {};

TEST_P(DumpSuffixTest, NodeTextNamesTheMemory)
{
    open(Archive().add(dumpHeader(GetParam().first, 0)).add(categoryPacket(8)));
    EXPECT_THAT(outline(doc.tree(), doc.systemNode()), ElementsAre(GetParam().second, "TPST Report"));
    EXPECT_EQ(dumpImage(doc).storedByteCount(), 2u * 2);
    EXPECT_TRUE(doc.warnings().empty());
}

INSTANTIATE_TEST_SUITE_P(MemoryTypes, DumpSuffixTest,
                         ::testing::Values(std::pair<uint16_t, std::string>{0x000F, "Memory Dump (MM)"},
                                           std::pair<uint16_t, std::string>{0x00F0, "Memory Dump (GC)"},
                                           std::pair<uint16_t, std::string>{0x0F00, "Memory Dump (MS/TDC)"},
                                           std::pair<uint16_t, std::string>{0xF000, "Memory Dump (DPU)"},
                                           std::pair<uint16_t, std::string>{0x0001, "Memory Dump "}));

TEST_F(TreeTest, DumpCutShortKeepsItsPagesWarnsAndTheWalkResumesAfterTheLastPage)
{
    // A short page packet supplies ten words; the rest of its page reads as zero.
    open(Archive().add({dumpHeader(0x0F00, 3), categoryPacket(7), dumpPage(counting(10)), categoryPacket(3)}));
    EXPECT_THAT(outline(doc.tree()),
                ElementsAre("Housekeeping", "Housekeeping > Internal HK", "System", "System > Memory Dump (MS/TDC)",
                            "GC", "GCMS", "MS"));
    const MemoryDumpImage& image = dumpImage(doc);
    EXPECT_EQ(image.pagesHeld(), 1u);
    EXPECT_EQ(image.dataWordCount(), 3u * 128);
    EXPECT_EQ(image.dataWord(3 * 128 - 1), 0);
    Words first = counting(10);
    first.resize(128, 0);
    EXPECT_EQ(pageOf(image, 0), first);
    EXPECT_EQ(pageOf(image, 2), Words(128, 0));
    EXPECT_THAT(doc.warnings(), ElementsAre("Memory Dump (MS/TDC) (packet 0) announces 3 pages, but the file ends "
                                            "after 1; the missing pages read as zero."));
    EXPECT_EQ(doc.statusPanels()[1], "Unknown: 0");

    // Without any page the walk resumes right after the header.
    open(Archive().add({categoryPacket(6), dumpHeader(0xF000, 2), categoryPacket(7)}));
    EXPECT_THAT(outline(doc.tree(), doc.systemNode()),
                ElementsAre("Test Results", "Memory Dump (DPU)", "Error Message"));
    EXPECT_THAT(doc.warnings(), ElementsAre("Memory Dump (DPU) (packet 1) announces 2 pages, but the file ends "
                                            "after 0; the missing pages read as zero."));
}

TEST_F(TreeTest, ADumpCutShortTakesOnlyTheRoomOfThePagesFound)
{
    // Not 16 MiB of zeros for a header announcing 65 535 pages in a file of a few bytes.
    open(Archive().add({dumpHeader(0x000F, 0xFFFF), dumpPage(counting(128))}));
    const MemoryDumpImage& image = dumpImage(doc);
    EXPECT_EQ(image.storedByteCount(), 4u + 256);
    EXPECT_EQ(image.pageCount(), 0xFFFF);
    EXPECT_EQ(image.dataWordCount(), 128u * 0xFFFF);
    EXPECT_EQ(pageOf(image, 0), counting(128));
    EXPECT_EQ(pageOf(image, 0xFFFE), Words(128, 0));
    EXPECT_TRUE(image.page(0xFFFF).empty());
}

// Node ids are 32 bits: a full tree refuses further nodes, says how many, and the ids never wrap.
TEST(TreeCapacityTest, AFullTreeRefusesFurtherNodesAndSaysHowMany)
{
    CategoryTree tree(3);
    std::vector<NodeId> added;
    tree.setNodeAddedHandler([&](NodeId id) { added.push_back(id); });
    const NodeId group = tree.addGroup(noNode, "System");
    tree.addNode(group, NodeWrapper(NodeKind::TestResults));
    tree.addGroup(group, "Dataset (0)");
    EXPECT_EQ(tree.refusalWarning(), std::nullopt);

    EXPECT_EQ(tree.addNode(group, NodeWrapper(NodeKind::Telecommand, std::make_unique<TelecommandRecord>())), noNode);
    EXPECT_EQ(tree.addGroup(noNode, "MS"), noNode);
    EXPECT_EQ(tree.size(), 3u);
    EXPECT_THAT(added, ElementsAre(0u, 1u, 2u));
    EXPECT_THAT(outline(tree), ElementsAre("System", "System > Test Results", "System > Dataset (0)"));
    EXPECT_EQ(tree.refusalWarning(),
              "The archive makes more nodes than the tree can hold (3): the last 2 were left out.");

    tree.clear();
    EXPECT_EQ(tree.refusalWarning(), std::nullopt);
}

} // namespace

