// The status-word tree under the housekeeping list.

#include "display/StatusWords.h"

#include "tests/archive/ArchiveBuilder.h"

using namespace orvik;
using namespace orvik::display;
using orvik::test::le;
using orvik::test::Words;

namespace {

std::vector<std::string> texts(const std::vector<TreeItem>& tree)
{
    std::vector<std::string> lines;
    for (const TreeItem& node : tree)
        lines.push_back(std::string(size_t(2 * node.depth), ' ') + node.text);
    return lines;
}

std::vector<TreeItem> treeOf(const Words& words, int half = 0)
{
    const auto bytes = le(words);
    return statusTree(WordView(bytes.data(), bytes.size()), half);
}

TEST(BitPattern, ShowsTheMaskedBitsInGroupsOfFour)
{
    EXPECT_EQ(bitPattern(0x4005, 0xC000), "01.. .... .... .... ");
    EXPECT_EQ(bitPattern(0x4005, 0x0004), ".... .... .... .1.. ");
    EXPECT_EQ(bitPattern(0xFFFF, 0x0000), ".... .... .... .... ");
    EXPECT_EQ(bitPattern(0x0000, 0xFFFF), "0000 0000 0000 0000 ");
}

TEST(StatusTree, DecodesBothStatusWordsOfTheHalf)
{
    Words words(64, 0);
    words[60] = 0xC005;
    words[61] = 0x2395;
    EXPECT_THAT(texts(treeOf(words)),
                ::testing::ElementsAre("System Status 2 = 0xC005 SSV, MM",
                                       "  11.. .... .... .... Single Shot Valve 01: armed, 11:fired",
                                       "  .... .... .... .1.. HK auto collection 0: disabled, 1: enabled",
                                       "  .... .... .... ..0. MM dump 0: disabled, 1: enabled",
                                       "  .... .... .... ...1 MM auto dump 0: disabled, 1: enabled",
                                       "System Status 1 = 0x2395 System Mode, Power Switches",
                                       "  001. .... .... .... Configuration valid xx1: TPST, x1x: MS, 1xx: GC",
                                       "  .... .011 .... .... System Mode 000: idle, 001: GC, 010: MS, 011: GCMS, "
                                       "100: Self-Test",
                                       "  .... .... 1001 .... Power Switches xxx1: PWS1, xx1x: PWS2, x1xx: PWS3, "
                                       "1xxx: PWS4",
                                       "  .... .... .... 0... Mass Memory 0: off, 1: on",
                                       "  .... .... .... .1.. EEPROM Timestamp 0: okay, 1: mismatch",
                                       "  .... .... .... ..0. TPST direction 0: no change, 1: changed",
                                       "  .... .... .... ...1 SD2 ready 0: false, 1: true"));
}

TEST(StatusTree, SecondHalfReadsWords124And125AndAbsentWordsShowADash)
{
    Words words(128, 0);
    words[124] = 0x4005;
    words[125] = 0x0001;
    const auto second = texts(treeOf(words, 1));
    EXPECT_EQ(second.at(0), "System Status 2 = 0x4005 SSV, MM");
    EXPECT_EQ(second.at(5), "System Status 1 = 0x0001 System Mode, Power Switches");

    words.resize(61); // word 60 only
    EXPECT_EQ(texts(treeOf(words)).back(), "System Status 1 = - System Mode, Power Switches");
    EXPECT_EQ(texts(treeOf(words)).size(), 6u);
    EXPECT_EQ(texts(treeOf({}, 1)), (std::vector<std::string>{"System Status 2 = - SSV, MM",
                                                              "System Status 1 = - System Mode, Power Switches"}));
}

} // namespace
