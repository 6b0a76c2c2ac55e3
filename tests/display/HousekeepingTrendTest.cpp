// Housekeeping trends: both halves of every regular packet in time order, the
// values of the "Regular HK" list view, short packets, parameters outside the
// regular list, mnemonics, and the CSV of the series.

#include "display/HousekeepingRows.h"
#include "display/HousekeepingTrend.h"
#include "archive/OnBoardTime.h"
#include "display/WordFormat.h"

#include "tests/archive/ArchiveBuilder.h"

#include <sstream>

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

// A full block whose halves carry these 1/32 s counts as their LOBT.
Words stampedBlock(uint32_t first, uint32_t second, uint16_t fill)
{
    Words block = counting(128, fill);
    block[54] = uint16_t(first >> 16), block[55] = uint16_t(first);
    block[64 + 54] = uint16_t(second >> 16), block[64 + 55] = uint16_t(second);
    return block;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part);)
        parts.push_back(part);
    return parts;
}

class HousekeepingTrendTest : public DocumentTest {
protected:
    const HkParameter& named(const char* mnemonic)
    {
        const HkParameter* d = parameterNamed(mnemonic);
        EXPECT_NE(d, nullptr) << mnemonic;
        return *d;
    }
    std::string csv(const HkParameterList& parameters)
    {
        std::string text;
        EXPECT_TRUE(writeTrendCsv(trendSamples(doc), parameters, [&text](std::string_view piece) {
            text += piece;
            return true;
        }));
        return text;
    }
};

TEST_F(HousekeepingTrendTest, EveryPacketGivesBothHalvesInTimeOrderWithTheListViewsValues)
{
    // The second packet was stamped earlier than the first: the trend goes by time.
    Words late = stampedBlock(320, 336, 1000);
    late[0] = 0x8000; // ORVH_p5V_C, signed: -5996.54
    const Words early = stampedBlock(32, 48, 2000);
    open(Archive().add({regularHkWith(late), categoryPacket(Category::InternalHk, counting(92, 3000)),
                        regularHkWith(early)}));

    const std::vector<TrendSample> samples = trendSamples(doc);
    ASSERT_EQ(samples.size(), 4u) << "two per regular packet; Internal HK gives none";
    std::vector<int64_t> ticks;
    for (const TrendSample& s : samples)
        ticks.push_back(s.ticks);
    EXPECT_EQ(ticks, (std::vector<int64_t>{32 * 2048, 48 * 2048, 320 * 2048, 336 * 2048}));
    EXPECT_EQ(samples[1].half, 1);

    const HkParameter& current = named("ORVH_p5V_C");
    const std::vector<ChartPoint> points = trendPoints(current, samples);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_DOUBLE_EQ(points[0].x, obtEpoch + 1.0);
    EXPECT_DOUBLE_EQ(points[1].x, obtEpoch + 1.5);
    EXPECT_DOUBLE_EQ(points[3].x, obtEpoch + 10.5);
    for (size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(fixedTwoDecimals(float(points[i].y), "."),
                  housekeepingValue(current, samples[i].block, samples[i].half, "."))
            << "sample " << i;
    EXPECT_EQ(housekeepingValue(current, samples[2].block, 0, "."), "-5996.54");
    // The second half's word: block word 64 + 16 of the earlier packet.
    EXPECT_DOUBLE_EQ(trendPoints(named("ORVH_He1_Pressure"), samples)[1].y, 16.0 * early[64 + 16]);
}

TEST_F(HousekeepingTrendTest, MissingWordsAndParametersOutsideTheRegularListGiveNoPoints)
{
    // 60 words: the first half lacks words 60..63, the second half has nothing, not even its LOBT.
    Words shortBlock = stampedBlock(64, 0, 1);
    shortBlock.resize(60);
    open(Archive().add({regularHkWith(stampedBlock(32, 48, 1)), regularHkWith(shortBlock)}));

    const std::vector<TrendSample> samples = trendSamples(doc);
    ASSERT_EQ(samples.size(), 3u) << "a half without its LOBT words has no time: left out";
    EXPECT_EQ(trendPoints(named("ORVH_MS_Cycles"), samples).size(), 3u);
    EXPECT_EQ(trendPoints(named("ORVH_TPST_last"), samples).size(), 2u) << "word 63 beyond the short packet";
    EXPECT_TRUE(trendPoints(named("ORVH_Alloc_BRAM_Size"), samples).empty()) << "internal extension";
    EXPECT_TRUE(trendPoints(named("ORVS_PktID"), samples).empty()) << "science packet";

    const std::vector<std::string> text = lines(csv({&named("ORVH_TPST_last"), &named("ORVH_Result")}));
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(text[0], "LOBT [UTC],ORVH_TPST_last,ORVH_Result");
    EXPECT_EQ(text[1], "\"2003-01-01 00:00:01,000\",64.00,-");
    EXPECT_EQ(text[2], "\"2003-01-01 00:00:01,500\",128.00,-");
    EXPECT_EQ(text[3], "\"2003-01-01 00:00:02,000\",-,-");
}

TEST_F(HousekeepingTrendTest, MnemonicsNameAnyOfTheDescriptorsExactly)
{
    for (const HkParameter& d : hkParameterTable)
        EXPECT_EQ(parameterNamed(d.mnemonic), &d);
    EXPECT_EQ(parameterNamed("ORVH_Oven_Temp")->wordIndex, 34);
    EXPECT_EQ(parameterNamed("orvh_oven_temp"), nullptr);
    EXPECT_EQ(parameterNamed("ORVH_Oven"), nullptr);
    EXPECT_EQ(parameterNamed(""), nullptr);
}

TEST_F(HousekeepingTrendTest, TheCsvHasTheHousekeepingHeaderAndOneLinePerSample)
{
    std::vector<Packet> packets;
    for (uint32_t i = 0; i < 2000; ++i) // several pieces of text
        packets.push_back(regularHkWith(stampedBlock(64 * i, 64 * i + 32, uint16_t(i))));
    open(Archive().add(packets));
    const HkParameterList parameters{&named("ORVH_Oven_Temp"), &named("ORVH_p5V_C")};
    const std::vector<std::string> text = lines(csv(parameters));
    ASSERT_EQ(text.size(), 4001u);
    EXPECT_EQ(text[0] + '\n', housekeepingCsvHeader(parameters));
    EXPECT_EQ(text[0], "LOBT [UTC],ORVH_Oven_Temp [°C],ORVH_p5V_C [mA]");
    // Sample 3: packet 1, second half, 3 s after the epoch; words 34 and 0 of that half.
    const std::vector<TrendSample> samples = trendSamples(doc);
    EXPECT_EQ(text[4], "\"2003-01-01 00:00:03,000\"," + housekeepingValue(*parameters[0], samples[3].block, 1, ".")
                           + "," + housekeepingValue(*parameters[1], samples[3].block, 1, "."));

    size_t pieces = 0;
    EXPECT_FALSE(writeTrendCsv(samples, parameters, [&pieces](std::string_view) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2u) << "a failed write ends the writing";
}

TEST_F(HousekeepingTrendTest, AnArchiveWithoutRegularHousekeepingHasNoSamples)
{
    open(Archive().add(categoryPacket(Category::InternalHk, counting(92))));
    EXPECT_TRUE(trendSamples(doc).empty());
    EXPECT_EQ(lines(csv({&named("ORVH_p5V_C")})), std::vector<std::string>{"LOBT [UTC],ORVH_p5V_C [mA]"});
}

} // namespace
