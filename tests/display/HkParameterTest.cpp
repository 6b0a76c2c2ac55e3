// The housekeeping parameter table, its row lists and its conversions.

#include "display/Parameters.h"
#include "display/WordFormat.h"

#include "tests/archive/ArchiveBuilder.h"

using namespace orvik;
using namespace orvik::display;
using orvik::test::le;
using orvik::test::Words;

namespace {

std::vector<int> wordsOf(const HkParameterList& list)
{
    std::vector<int> words;
    for (const HkParameter* d : list)
        words.push_back(d->wordIndex);
    return words;
}

const HkParameter& row(size_t r)
{
    return hkParameterTable.at(r);
}

// The engineering value of table row r for a block whose word at the row's index is `raw`.
float valueOf(size_t r, uint16_t raw)
{
    Words words(64, 0);
    words.at(size_t(row(r).wordIndex) % 64) = raw;
    const auto bytes = le(words);
    return engineeringValue(row(r), WordView(bytes.data(), bytes.size()), 0).value();
}

TEST(Parameters, ListsEveryDescriptorAndSelectsThemByKey)
{
    Parameters parameters;
    EXPECT_EQ(parameters.loadDescriptors(), 94u);
    EXPECT_EQ(parameters.list().front(), &hkParameterTable.front());

    const HkParameterList regular = parameters.descriptorsWithKey(1812);
    std::vector<int> expected(64);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(wordsOf(regular), expected);

    expected.resize(17);
    std::iota(expected.begin(), expected.end(), 64);
    expected.insert(expected.begin() + 17, 80); // two descriptors name word 80
    std::vector<int> internal(expected);
    for (int w = 81; w <= 90; ++w)
        internal.push_back(w);
    EXPECT_EQ(wordsOf(parameters.descriptorsWithKey(1813)), internal);

    const HkParameterList science = parameters.descriptorsWithKey(1820);
    ASSERT_EQ(science.size(), 2u);
    EXPECT_STREQ(science[0]->mnemonic, "ORVS_PktID");
    EXPECT_STREQ(science[1]->mnemonic, "ORVS_PktCnt");
    EXPECT_TRUE(parameters.descriptorsWithKey(1811).empty());
}

TEST(Parameters, InternalListHoldsTheRegularRowsThenTheInternalOnes)
{
    const HousekeepingLists lists;
    ASSERT_EQ(lists.regularHkList.size(), 64u);
    ASSERT_EQ(lists.internalHkList.size(), 92u);
    EXPECT_TRUE(std::equal(lists.regularHkList.begin(), lists.regularHkList.end(), lists.internalHkList.begin()));
    EXPECT_STREQ(lists.internalHkList[64]->mnemonic, "ORVH_Alloc_BRAM_Size");
    EXPECT_EQ(lists.internalHkList[64]->wordIndex, 64);
    EXPECT_STREQ(lists.internalHkList[91]->mnemonic, "ORVH_Result");
    EXPECT_EQ(lists.internalHkList[91], &hkParameterTable[93]) << "the lists share the descriptors";
}

TEST(HkParameterTable, RowsCarryTheirTextsAndConstants)
{
    EXPECT_STREQ(row(0).description, "Current +5V");
    EXPECT_STREQ(row(0).unit, "mA");
    EXPECT_STREQ(row(19).unit, "°C");
    EXPECT_STREQ(row(35).formula, "x0.04") << "formula texts are kept as they are, typos and all";
    EXPECT_STREQ(row(41).formula, "x*505");
    EXPECT_STREQ(row(68).description, "Offset & Length of Stored TC buffer");
    for (const HkParameter& d : hkParameterTable) {
        EXPECT_EQ(d.bitOffset, 0) << d.mnemonic;
        EXPECT_EQ(d.bitCount, 16) << d.mnemonic;
    }
    EXPECT_EQ(row(15).convert, &scaleSigned);
    EXPECT_FLOAT_EQ(row(15).factor, 0.000732f);
    EXPECT_EQ(row(5).convert, nullptr);
    EXPECT_EQ(bitMasks[1], 0x0001);
    EXPECT_EQ(bitMasks[15], 0x7FFF);
    EXPECT_EQ(bitMasks[16], 0xFFFF);
}

TEST(HkConversions, SignedAndUnsignedRowsReadTheSameWordDifferently)
{
    EXPECT_FLOAT_EQ(valueOf(0, 0xFFFF), -0.183f);
    EXPECT_FLOAT_EQ(valueOf(16, 0xFFFF), 1048560.0f);
    EXPECT_EQ(fixedTwoDecimals(valueOf(0, 0x8000), "."), "-5996.54");
    EXPECT_EQ(fixedTwoDecimals(valueOf(15, 0x8000), "."), "-23.99") << "DPU voltage is signed";
}

TEST(HkConversions, SpecialRowsUseTheirConversionNotTheirFormulaText)
{
    EXPECT_EQ(fixedTwoDecimals(valueOf(19, 7329), "."), "20.00"); // 7329 × 0.04 - 273.16
    EXPECT_EQ(fixedTwoDecimals(valueOf(35, 7329), "."), "20.00");
    EXPECT_FLOAT_EQ(valueOf(41, 1000), 505.0f); // × 0.505, not × 505
    EXPECT_FLOAT_EQ(valueOf(32, 2522), 0.0f);
    EXPECT_FLOAT_EQ(valueOf(34, 1070), 14.0f);
    EXPECT_FLOAT_EQ(scaleThenOffset(10, 2.0f, -1.5f), 18.5f);
    EXPECT_FLOAT_EQ(offsetThenScale(10, 2.0f, -1.5f), 17.0f);
}

TEST(HkConversions, ValuesAreReadFromTheHalfAndOnlyFromWordsTheBlockHolds)
{
    Words words(128, 0);
    words[16] = 1;
    words[64 + 16] = 2;
    const auto bytes = le(words);
    const WordView block(bytes.data(), bytes.size());
    EXPECT_FLOAT_EQ(engineeringValue(row(16), block, 0).value(), 16.0f);
    EXPECT_FLOAT_EQ(engineeringValue(row(16), block, 1).value(), 32.0f);
    EXPECT_FALSE(engineeringValue(row(16), block.slice(0, 80), 1).has_value());
    EXPECT_FALSE(engineeringValue(row(16), WordView(), 0).has_value());
}

TEST(WordFormat, NumbersIgnoreTheLocaleAndTakeTheSeparatorGiven)
{
    EXPECT_EQ(fixedTwoDecimals(1234.0f, "."), "1234.00");
    EXPECT_EQ(fixedTwoDecimals(1234.0f, ","), "1234,00");
    EXPECT_EQ(fixedTwoDecimals(1048560.0f, "."), "1048560.00");
    EXPECT_EQ(fixedTwoDecimals(0.005f, "."), "0.01");
    EXPECT_EQ(generalThreeDigits(31.49, ","), "31,5");
    EXPECT_EQ(generalThreeDigits(0, "."), "0");
    EXPECT_EQ(hex4(0x1F4), "0x01F4");
    EXPECT_EQ(hex2(5), "0x05");
    EXPECT_EQ(hex2(0x1A3), "0x1A3");
}

} // namespace
