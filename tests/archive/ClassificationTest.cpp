#include "tests/archive/ArchiveBuilder.h"

using namespace orvik;
using namespace orvik::test;

namespace {

struct Counted {
    Packet packet;
    int row;     // the statistics row counted, or -1
    uint64_t unknown; // added to unknownCount
};

class ClassificationTest : public DocumentTest {
protected:
    void expectCounts(const std::array<uint64_t, Category::count>& rows, uint64_t unknown)
    {
        EXPECT_EQ(doc.packetStatistics().counts, rows);
        EXPECT_EQ(doc.unknownCount(), unknown);
        EXPECT_EQ(doc.statusPanels()[1], "Unknown: " + std::to_string(unknown));
    }
};

class CategoryTableTest : public ClassificationTest, public ::testing::WithParamInterface<Counted> {};

TEST_P(CategoryTableTest, OnePacketIsCountedInItsRowAndAsUnrecognisedAsTheTableSays)
{
    const Counted c = GetParam();
    open(Archive().add(c.packet));
    std::array<uint64_t, Category::count> rows{};
    if (c.row >= 0)
        rows[size_t(c.row)] = 1;
    expectCounts(rows, c.unknown);
    EXPECT_EQ(doc.statusPanels()[0], "Packets: 1");
}

Counted category(int16_t word, int row, uint64_t unknown)
{
    return {categoryPacket(word), row, unknown};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CategoryTableTest,
    ::testing::Values(category(0, 0, 1), category(1, 1, 1), category(2, 2, 0), category(3, 3, 0),
                      category(4, 4, 0), category(5, 5, 0), category(6, 6, 0), category(7, 7, 0),
                      category(8, 8, 0), category(9, 9, 0), category(10, 10, 0), category(11, 11, 0),
                      category(12, 12, 0), category(0x4F72, -1, 0), category(13, -1, 1),
                      category(0x7FFF, -1, 1), category(-1, -1, 1), category(-32768, -1, 1),
                      // Not instrument packets, or not categorised.
                      Counted{withProcessId(categoryPacket(0), 112), -1, 0},
                      Counted{regularHk(), -1, 0},
                      // A packet without a category word (data word 1) is unrecognised.
                      Counted{Packet{.data = le({0}) + Bytes{0x03}}, -1, 1},
                      Counted{Packet{.dataFieldHeader = false, .data = le({0})}, -1, 1}));

TEST_F(ClassificationTest, CountsAddUpPerFileAndStartAgainWithTheNextFile)
{
    const Packet foreign = withProcessId(categoryPacket(3), 0);
    open(Archive()
             .add({categoryPacket(0), categoryPacket(0), categoryPacket(1), categoryPacket(13)})
             .add({categoryPacket(3), categoryPacket(3), categoryPacket(7), foreign, regularHk()}));
    EXPECT_EQ(doc.statusPanels()[0], "Packets: 9");
    expectCounts({2, 1, 0, 2, 0, 0, 0, 1}, 4);

    open(Archive().add({categoryPacket(12), foreign}), "second.dat");
    EXPECT_EQ(doc.statusPanels()[0], "Packets: 2");
    expectCounts({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 0);
}

} // namespace
