// The memory dump image on its own: the pages it copies go with it when it moves.

#include "tests/archive/ArchiveBuilder.h"

using namespace orvik;
using namespace orvik::test;

namespace {

TEST(MemoryDumpImageTest, AMovedImageKeepsItsPaddedPagesAndTakesNoPagePastItsCount)
{
    MemoryDumpImage image(1, 0x00F0);
    const Bytes words = le(counting(3, 0x0100));
    image.addPage(WordView(words.data(), words.size()));
    image.addPage(WordView(words.data(), words.size()));

    const MemoryDumpImage moved = std::move(image);
    ASSERT_EQ(moved.pagesHeld(), 1u);
    EXPECT_EQ(moved.page(0).wordOr(2), 0x0102);
    EXPECT_EQ(moved.page(0).wordOr(3, 0xDEAD), 0);
    EXPECT_EQ(moved.dataWord(127), 0);
    EXPECT_TRUE(moved.page(1).empty());
    EXPECT_EQ(moved.storedByteCount(), 4u + 256);
}

} // namespace
