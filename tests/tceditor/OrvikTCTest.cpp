// The telecommand record: codes by mnemonic, the hexadecimal text, and the
// coding of the parameters the editor writes.

#include "tceditor/OrvikTC.h"
#include "tceditor/TcLayouts.h"
#include "tests/tceditor/ZeroWords.h"

#include <gtest/gtest.h>

using orvik::tceditor::OrvikTC;
using orvik::tceditor::tcCodeOf;
using orvik::tceditor::tcHexText;
using orvik::test::zeroWords;
namespace tcw = orvik::tceditor::tcwords;

TEST(TcCodeOf, FindsEveryMnemonicExactlyAndCaseSensitively)
{
    EXPECT_EQ(tcCodeOf("STST"), 1);
    EXPECT_EQ(tcCodeOf("CFGC"), 2);
    EXPECT_EQ(tcCodeOf("UDPT"), 3);
    EXPECT_EQ(tcCodeOf("GIHK"), 5);
    EXPECT_EQ(tcCodeOf("FSSV"), 14);
    for (std::size_t row = 0; row < orvik::tceditor::tcMnemonicTable.size(); ++row)
        EXPECT_EQ(tcCodeOf(orvik::tceditor::tcMnemonicTable[row].mnemonic), row + 1);

    for (const char* unknown : {"stst", "Stst", "STS", "STST ", " STST", "", "XXXX"})
        EXPECT_EQ(tcCodeOf(unknown), 0xFFFF) << unknown;
}

TEST(TcHexText, ANewRecordIsItsCodeFollowedByThirtyOneZeroWords)
{
    EXPECT_EQ(tcHexText(OrvikTC("STST")), "0001 " + zeroWords(31));
    EXPECT_EQ(tcHexText(OrvikTC("GIHK")).substr(0, 10), "0005 0000 ");
    EXPECT_EQ(tcHexText(OrvikTC("CFGC")).substr(0, 10), "0002 0000 ");
    EXPECT_EQ(tcHexText(OrvikTC("UDPT")).substr(0, 10), "0003 0000 ");
    EXPECT_EQ(tcHexText(OrvikTC("udpt")), "FFFF " + zeroWords(31));
}

TEST(TcHexText, IsAlwaysOneHundredSixtyCharactersOfUpperCaseWords)
{
    OrvikTC tc("CFGC");
    for (std::size_t i = 0; i < OrvikTC::wordCount; ++i)
        tc.words[i] = std::uint16_t(0xFFFF - i * 0x0811);
    tc.words[5] = 0xabcd;
    tc.words[31] = 0x00f0;
    const std::string text = tcHexText(tc);
    ASSERT_EQ(text.size(), 160u);
    EXPECT_EQ(text.substr(0, 5), "FFFF ");
    EXPECT_EQ(text.substr(25, 5), "ABCD ");
    EXPECT_EQ(text.substr(155), "00F0 ");
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(TcLayouts, CodeTheExampleRecords)
{
    // CFGC: sample source Oven, columns 3, 1, 8, 2 on channels 1 to 4, tank 2.
    OrvikTC cfgc("CFGC");
    cfgc.words[tcw::cfgc::sampleSource] = tcw::cfgc::sampleSourceWord(1);
    cfgc.words[tcw::cfgc::columns] = tcw::cfgc::columnsWord({3 - 1, 1 - 1, 8 - 1, 2 - 1});
    cfgc.words[tcw::cfgc::heliumTank] = tcw::flag(true);
    EXPECT_EQ(cfgc.words[6], 0x00F0);
    EXPECT_EQ(cfgc.words[7], 0x1702);
    EXPECT_EQ(cfgc.words[4], 0xFFFF);
    EXPECT_EQ(tcw::cfgc::columnOf(0x1702, 0), 2);
    EXPECT_EQ(tcw::cfgc::columnOf(0x1702, 2), 7);

    // UDPT: positions in RAM and EEPROM, control parameters in EEPROM only.
    OrvikTC udpt("UDPT");
    udpt.words[tcw::udpt::positionStorage] = tcw::storageWord(true, true);
    udpt.words[tcw::udpt::controlStorage] = tcw::storageWord(false, true);
    EXPECT_EQ(udpt.words[1], 0x00FF);
    EXPECT_EQ(udpt.words[8], 0x00F0);
    EXPECT_EQ(tcw::storageWord(false, false), 0x0000);
}

TEST(TcLayouts, SampleSourceOfAWord)
{
    EXPECT_FALSE(tcw::cfgc::sampleSourceIndex(0).has_value());
    EXPECT_EQ(tcw::cfgc::sampleSourceIndex(0x000F), 0);
    EXPECT_EQ(tcw::cfgc::sampleSourceIndex(0x00F0), 1);
    EXPECT_EQ(tcw::cfgc::sampleSourceIndex(0x0F00), 2);
    // Beyond the last source (or stray bits) still names one of the three.
    EXPECT_EQ(tcw::cfgc::sampleSourceIndex(0xF000), 2);
    EXPECT_EQ(tcw::cfgc::sampleSourceIndex(0x0001), 0);
    EXPECT_EQ(tcw::cfgc::sampleSourceIndex(0xFFFF), 2);
}
