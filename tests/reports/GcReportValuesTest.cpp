// The GC report's values: which records of a dataset feed it and the texts it
// shows for them.

#include "tests/reports/GcRecords.h"
#include "reports/GcReportValues.h"

using namespace orvik;
using namespace orvik::reports;
using namespace orvik::test;

namespace {

class GcRunTest : public DocumentTest {
protected:
    void openStream(const ScienceStreamBuilder& science) { open(Archive().add(regularHk()).add(science.blocks())); }
    NodeId dataset(size_t k) { return doc.tree().children(doc.gcNode()).at(k); }
};

TEST_F(GcRunTest, TakesTheBlocksFromTheDatasetsParameterAndConfigurationChildrenByKind)
{
    const Words p = {200, 2, 3, 4, 5, 6, 7, 8, 1234, 0x1E3C};
    const Words c = {0xFFFF, 9, 1, 0, 1500, 0x0F00, 0x1702, 0x12DD};
    ScienceStreamBuilder science;
    // The configuration comes first and a sweep group lies between: position does not count.
    science.tc(gcCommand).ti(5).cd(configurationRecord(c)).sweep(Tag::AG).pd(parameterRecord(p))
        .cd(configurationRecord({}))
        .tc(gcCommand).pd(parameterRecord(p));
    openStream(science);

    const std::optional<GcRun> run = gcRunOf(doc.tree(), dataset(0));
    ASSERT_TRUE(run);
    ASSERT_EQ(run->parameters.wordCount(), 10u);
    ASSERT_EQ(run->configuration.wordCount(), 8u);
    for (size_t k = 0; k < 10; ++k)
        EXPECT_EQ(run->parameters.wordOr(k), p[k]) << k;
    for (size_t k = 0; k < 8; ++k)
        EXPECT_EQ(run->configuration.wordOr(k), c[k]) << k; // the first "CSIB(Cfg)", not the second

    EXPECT_FALSE(gcRunOf(doc.tree(), dataset(1))) << "a dataset without configuration";
    EXPECT_FALSE(gcRunOf(doc.tree(), doc.gcNode()));
    EXPECT_FALSE(gcRunOf(doc.tree(), doc.housekeepingNode()));
    EXPECT_FALSE(gcRunOf(doc.tree(), doc.tree().children(dataset(0)).at(0))) << "a telecommand node";
    EXPECT_FALSE(gcRunOf(doc.tree(), noNode));

    // What holds a time-list entry: its dataset, also through the sweep group.
    for (NodeId entry : doc.timeListNodes()) {
        NodeId group = doc.tree().parent(entry);
        if (doc.tree().text(group) == "HKSweep")
            group = doc.tree().parent(group);
        const NodeId expected = group == dataset(0) ? dataset(0) : noNode;
        EXPECT_EQ(gcRunHolder(doc.tree(), entry), expected) << doc.tree().text(entry);
    }
}

GcRun runOf(const Words& p, const Words& c, Bytes& storage)
{
    storage = le(p) + le(c);
    const WordView all(storage.data(), storage.size());
    return {all.slice(0, p.size()), all.from(p.size())};
}

TEST(GcReportValuesTest, ShowsTheParameterBlock)
{
    Bytes storage;
    const GcReportValues v =
        gcReportValues(runOf({200, 0xABCD, 0, 0xFFFF, 4, 5, 6, 7, 65535, 0x1E3C}, Words(8), storage));
    EXPECT_EQ(v.wordsToCopy, "65535");
    EXPECT_EQ(v.timeToHeatTenax, "7740"); // both heating times in one number
    EXPECT_THAT(v.colTempSetPoints,
                ::testing::ElementsAre("Col: 0 - 00c8", "Col: 1 - abcd", "Col: 2 - 0000", "Col: 3 - ffff",
                                       "Col: 4 - 0004", "Col: 5 - 0005", "Col: 6 - 0006", "Col: 7 - 0007"));
}

TEST(GcReportValuesTest, ShowsTheConfigurationBlock)
{
    Bytes storage;
    const GcReportValues v = gcReportValues(runOf(Words(10), {1, 0x7777, 31, 0x0001, 65535, 0, 0x1702, 0x12DD}, storage));
    EXPECT_EQ(v.hkSweep, "yes");
    EXPECT_EQ(v.duration, "31.5 min");
    EXPECT_EQ(v.injectionTime, "65535 msec");
    EXPECT_EQ(v.heTank, "#2");
    EXPECT_EQ(v.source, "Error in CFG!");
    EXPECT_EQ(v.headPressure, "0x00DD");
    EXPECT_THAT(v.channels, ::testing::ElementsAre("3", "1", "8", "2"));

    const GcReportValues off = gcReportValues(runOf(Words(10), {0, 0, 0, 0, 0, 0x00F0, 0xFFFF, 0xFF00}, storage));
    EXPECT_EQ(off.hkSweep, "no");
    EXPECT_EQ(off.duration, "0 min");
    EXPECT_EQ(off.injectionTime, "0 msec");
    EXPECT_EQ(off.heTank, "#1");
    EXPECT_EQ(off.source, "Oven");
    EXPECT_EQ(off.headPressure, "0x0000");
    EXPECT_THAT(off.channels, ::testing::ElementsAre("16", "16", "16", "16"));
}

TEST(GcReportValuesTest, DurationCountsTheLowFiveBitsInThreeSignificantDigits)
{
    Bytes storage;
    const auto duration = [&](uint16_t c2, char separator = '.') {
        return gcReportValues(runOf(Words(10), {0, 0, c2, 0, 0, 0, 0, 0}, storage), separator).duration;
    };
    EXPECT_EQ(duration(1), "1.02 min");
    EXPECT_EQ(duration(0x0021), "1.02 min");
    EXPECT_EQ(duration(0xFFE1), "1.02 min");
    EXPECT_EQ(duration(31), "31.5 min");
    EXPECT_EQ(duration(20), "20.3 min");
    EXPECT_EQ(duration(1, ','), "1,02 min");
}

TEST(GcReportValuesTest, SampleSources)
{
    Bytes storage;
    const auto source = [&](uint16_t c5) {
        return gcReportValues(runOf(Words(10), {0, 0, 0, 0, 0, c5, 0, 0}, storage)).source;
    };
    EXPECT_EQ(source(0x000F), "Calibration Gas");
    EXPECT_EQ(source(0x00F0), "Oven");
    EXPECT_EQ(source(0x0F00), "Tenax");
    EXPECT_EQ(source(0xF000), "Error in CFG!");
    EXPECT_EQ(source(0x00FF), "Error in CFG!");
}

TEST(GcReportValuesTest, WordsTheBlocksDoNotHoldShowAsDashes)
{
    Bytes storage;
    const GcReportValues v = gcReportValues(runOf({200, 1}, {1, 0, 1}, storage));
    EXPECT_EQ(v.colTempSetPoints.at(0), "Col: 0 - 00c8");
    EXPECT_EQ(v.colTempSetPoints.at(2), "-");
    EXPECT_EQ(v.wordsToCopy, "-");
    EXPECT_EQ(v.duration, "1.02 min");
    EXPECT_EQ(v.source, "-");
    EXPECT_THAT(v.channels, ::testing::Each("-"));
}

} // namespace
