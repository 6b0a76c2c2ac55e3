#include "tests/archive/ArchiveBuilder.h"

using namespace orvik;
using namespace orvik::test;

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ScienceStreamTest : public DocumentTest {
protected:
    void openStream(const ScienceStreamBuilder& stream) { open(Archive().add(stream.blocks())); }

    template <class R>
    std::vector<const R*> records() const
    {
        std::vector<const R*> found;
        for (NodeId id : doc.timeListNodes())
            if (const R* r = doc.tree().wrapper(id).record<R>())
                found.push_back(r);
        return found;
    }
};

TEST_F(ScienceStreamTest, TwoBlockStreamYieldsADatasetWithEveryKindOfRecord)
{
    ScienceStreamBuilder s;
    s.tc(msCommand).ti(32).cd(counting(36)).pd(counting(3)).hk(107, counting(106)).ti(16);
    s.sweep(Tag::AM).sweep(Tag::AG).spectrum(Tag::MS, 0x00012345, {7, 8, 9});
    open(Archive().add(categoryPacket(3)).add(s.blocks()));
    EXPECT_EQ(doc.statusPanels()[2], "Missing: 0");
    EXPECT_TRUE(doc.scienceAssembled());
    EXPECT_EQ(doc.datasetCounter(), 1u);
    EXPECT_THAT(outline(doc.tree(), doc.msNode()),
                ElementsAre("Dataset (0)", "Dataset (0) > TC: ", "Dataset (0) > Time: 01-Jan-03 00:00:01,000",
                            "Dataset (0) > CSIB(Cfg)", "Dataset (0) > CSIB(Par)", "Dataset (0) > Full HK",
                            "Dataset (0) > Time: 01-Jan-03 00:00:00,500", "Dataset (0) > HKSweep",
                            "Dataset (0) > HKSweep > MS HK (0)", "Dataset (0) > HKSweep > GC HK (1)",
                            "Dataset (0) > Spectrum 0 (3 smp)"));
    EXPECT_THAT(timeList(), ElementsAre("Internal HK", "TC: ", "Time: 01-Jan-03 00:00:01,000", "CSIB(Cfg)",
                                        "CSIB(Par)", "Full HK", "Time: 01-Jan-03 00:00:00,500", "MS HK (0)",
                                        "GC HK (1)", "Spectrum 0 (3 smp)"));

    const TelecommandRecord& tc = *records<TelecommandRecord>().at(0);
    EXPECT_EQ(tc.count(), 4);
    EXPECT_EQ(tc.words().wordOr(1), 0x0010);
    EXPECT_EQ(tc.words().wordOr(2), 1);
    const CsibParameterRecord& pd = *records<CsibParameterRecord>().at(0);
    EXPECT_EQ(pd.words().wordOr(2), 3);
    EXPECT_EQ(pd.words().wordOr(3), 0);
    const FullHkRecord& hk = *records<FullHkRecord>().at(0);
    EXPECT_EQ(hk.words().wordOr(0), 1);
    EXPECT_EQ(hk.words().wordOr(105), 106);
    const SpectrumRecord& ms = *records<SpectrumRecord>().at(0);
    EXPECT_EQ(ms.tag, Tag::MS);
    EXPECT_EQ(ms.sampleCount, 3);
    EXPECT_EQ(ms.timeHigh, 0x0001);
    EXPECT_EQ(ms.timeLow, 0x2345);
    EXPECT_EQ(ms.samples.wordCount(), 3u);
    EXPECT_EQ(ms.samples.wordOr(2), 9);
    EXPECT_EQ(ms.csibWord, 36);
}

TEST(ScienceStreamParseTest, ASpectrumReadsItsSamplesInPlaceInTheStream)
{
    const Bytes stream = le({Tag::TC, 4, 0x0010, 1, 0, 0, Tag::MS, 5, 0, 1, 7, 8, 9});
    CategoryTree tree;
    const NodeId ms = tree.addGroup(noNode, "MS");
    uint64_t datasets = 0;
    EXPECT_FALSE(parseScienceStream(WordView(stream.data(), stream.size()), false, {tree, noNode, noNode, ms, datasets}));
    const SpectrumRecord* spectrum = nullptr;
    for (NodeId id : tree.ids())
        if (!spectrum)
            spectrum = tree.wrapper(id).record<SpectrumRecord>();
    ASSERT_NE(spectrum, nullptr);
    EXPECT_EQ(spectrum->samples.bytes(), stream.data() + 2 * 10);
    EXPECT_EQ(spectrum->samples.wordCount(), 3u);
}

TEST_F(ScienceStreamTest, SpectraReadTheirSamplesAcrossBlocksUntilTheNextOpen)
{
    // 300 samples over three blocks: the document keeps the stream they are read in.
    ScienceStreamBuilder s;
    s.tc(msCommand).spectrum(Tag::MS, 0, counting(300, 0x0100)).ti(32);
    openStream(s);
    const SpectrumRecord& spectrum = *records<SpectrumRecord>().at(0);
    Words samples;
    for (size_t k = 0; k < spectrum.samples.wordCount(); ++k)
        samples.push_back(spectrum.samples.wordOr(k));
    EXPECT_EQ(samples, counting(300, 0x0100));
    EXPECT_THAT(timeList(), ElementsAre("TC: ", "Spectrum 0 (300 smp)", "Time: 01-Jan-03 00:00:01,000"));
}

TEST_F(ScienceStreamTest, DatasetParentFollowsTheTelecommandWordsAndSpectraAreNumberedThroughTheFile)
{
    ScienceStreamBuilder s;
    s.ti(0).tc(untargetedCommand).tc(gcCommand).spectrum(Tag::GC, 0, {}).tc(untargetedCommand);
    s.tc(gcmsCommand).tc(msCommand).spectrum(Tag::MS, 0, {5});
    openStream(s);
    EXPECT_THAT(outline(doc.tree()),
                ElementsAre("Housekeeping", "System", "GC", "GC > Dataset (1)", "GC > Dataset (1) > TC: ",
                            "GC > Dataset (1) > Spectrum 0 (0 smp)", "GC > Dataset (2)", "GC > Dataset (2) > TC: ",
                            "GCMS", "GCMS > Dataset (3)", "GCMS > Dataset (3) > TC: ", "MS", "MS > Dataset (4)",
                            "MS > Dataset (4) > TC: ", "MS > Dataset (4) > Spectrum 1 (1 smp)",
                            "Time: 01-Jan-03 00:00:00,000", "Dataset (0)", "Dataset (0) > TC: "));
}

TEST_F(ScienceStreamTest, CsibWordOfMsSpectraComesFromTheLastConfiguration)
{
    Words longConfig = counting(100, 0x100);
    Words shortConfig = counting(20);
    ScienceStreamBuilder s;
    s.tc(msCommand).spectrum(Tag::MS, 0, {}).cd(longConfig).spectrum(Tag::GC, 0, {}).spectrum(Tag::MS, 0, {});
    s.cd(shortConfig).spectrum(Tag::MS, 0, {});
    openStream(s);
    std::vector<uint16_t> csib;
    for (const SpectrumRecord* r : records<SpectrumRecord>())
        csib.push_back(r->csibWord);
    EXPECT_THAT(csib, ElementsAre(0xFFFF, 0, 0x100 + 35, 0));
    const std::vector<const CsibConfigRecord*> configs = records<CsibConfigRecord>();
    ASSERT_EQ(configs.size(), 2u);
    EXPECT_EQ(configs[0]->words().wordOr(89), 0x100 + 89);
    EXPECT_EQ(configs[1]->words().wordOr(19), 20);
    EXPECT_EQ(configs[1]->words().wordOr(20), 0);
}

TEST_F(ScienceStreamTest, SweepsShareOneGroupUntilTheNextSpectrum)
{
    ScienceStreamBuilder s;
    s.tc(msCommand).sweep(Tag::AG).sweep(Tag::AM).spectrum(Tag::GC, 0, {}).sweep(Tag::AM);
    s.tc(gcCommand).sweep(Tag::AG, 0xABCD); // the sweep group outlives the dataset
    openStream(s);
    EXPECT_THAT(outline(doc.tree(), doc.msNode()),
                ElementsAre("Dataset (0)", "Dataset (0) > TC: ", "Dataset (0) > HKSweep",
                            "Dataset (0) > HKSweep > GC HK (0)", "Dataset (0) > HKSweep > MS HK (1)",
                            "Dataset (0) > Spectrum 0 (0 smp)", "Dataset (0) > HKSweep",
                            "Dataset (0) > HKSweep > MS HK (0)", "Dataset (0) > HKSweep > GC HK (1)"));
    EXPECT_THAT(outline(doc.tree(), doc.gcNode()), ElementsAre("Dataset (1)", "Dataset (1) > TC: "));
    EXPECT_EQ(records<HkSweepRecord>().back()->words().wordOr(15), 0xABCD);
}

TEST_F(ScienceStreamTest, CountedRecordsFindTheirNextTagWhereTheirLengthSays)
{
    // TC keeps its first 32 words; HK's next tag is at p + n + 1; spectra with n < 2 are empty.
    ScienceStreamBuilder s;
    s.tc(counting(40)).ti(32).hk(107, Words(106, 0)).ti(64);
    s.words({Tag::GC, 1, 0x7777}).ti(96).words({Tag::MS, 0}).ti(128);
    openStream(s);
    EXPECT_THAT(outline(doc.tree(), doc.msNode()),
                ElementsAre("Dataset (0)", "Dataset (0) > TC: ", "Dataset (0) > Time: 01-Jan-03 00:00:01,000",
                            "Dataset (0) > Full HK", "Dataset (0) > Time: 01-Jan-03 00:00:02,000",
                            "Dataset (0) > Spectrum 0 (0 smp)", "Dataset (0) > Time: 01-Jan-03 00:00:03,000",
                            "Dataset (0) > Spectrum 1 (0 smp)", "Dataset (0) > Time: 01-Jan-03 00:00:04,000"));
    const TelecommandRecord& tc = *records<TelecommandRecord>().at(0);
    EXPECT_EQ(tc.count(), 40);
    EXPECT_EQ(tc.words().wordCount(), 33u);
    EXPECT_EQ(tc.words().wordOr(32), 32);
    for (const SpectrumRecord* r : records<SpectrumRecord>()) {
        EXPECT_EQ(r->sampleCount, 0);
        EXPECT_EQ(r->timeHigh, 0);
        EXPECT_EQ(r->timeLow, 0);
        EXPECT_TRUE(r->samples.empty());
    }
}

// Records are parsed up to the very end of the stream; one that runs past it is dropped.
class StreamEndTest : public ScienceStreamTest, public ::testing::WithParamInterface<std::pair<size_t, bool>> {};

TEST_P(StreamEndTest, LastRecordIsParsedOnlyWhenItEndsInsideTheStream)
{
    const auto [timeAt, parsed] = GetParam();
    ScienceStreamBuilder s;
    s.tc(msCommand).padTo(timeAt).ti(32);
    open(Archive().add({s.block(0, 0), s.block(1, 1)})); // 252 words
    std::vector<std::string> expected = {"Dataset (0)", "Dataset (0) > TC: "};
    if (parsed)
        expected.push_back("Dataset (0) > Time: 01-Jan-03 00:00:01,000");
    EXPECT_THAT(outline(doc.tree(), doc.msNode()), ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(Offsets, StreamEndTest,
                         ::testing::Values(std::pair<size_t, bool>{100, true}, std::pair<size_t, bool>{249, true},
                                           std::pair<size_t, bool>{250, false},
                                           std::pair<size_t, bool>{251, false}));

// Blocks nobody sent read as zero and are passed over: the records after a gap of
// any width are found, and a record reaching into the gap reads zeros there.
class BlockGapTest : public ScienceStreamTest, public ::testing::WithParamInterface<uint16_t> {};

TEST_P(BlockGapTest, RecordsAfterAGapAreFoundAndARecordReachingIntoItReadsZeros)
{
    const uint16_t gap = GetParam();
    ScienceStreamBuilder first, after;
    first.tc(msCommand).spectrum(Tag::GC, 0, Words(200, 7)); // words 6..209: into the next block
    after.ti(32).ti(64);
    open(Archive().add({first.block(0, 0), after.block(0, uint16_t(gap + 1))}));
    EXPECT_EQ(doc.statusPanels()[2], "Missing: " + std::to_string(gap));
    EXPECT_THAT(outline(doc.tree(), doc.msNode()),
                ElementsAre("Dataset (0) - not complete!", "Dataset (0) - not complete! > TC: ",
                            "Dataset (0) - not complete! > Spectrum 0 (200 smp)",
                            "Dataset (0) - not complete! > Time: 01-Jan-03 00:00:01,000",
                            "Dataset (0) - not complete! > Time: 01-Jan-03 00:00:02,000"));
    const SpectrumRecord& gc = *records<SpectrumRecord>().at(0);
    EXPECT_EQ(gc.samples.wordOr(115), 7) << "the last word of block 0";
    EXPECT_EQ(gc.samples.wordOr(116, 0xDEAD), 0) << "the first word of the gap";
    EXPECT_EQ(gc.samples.wordOr(199, 0xDEAD), 0);
}

INSTANTIATE_TEST_SUITE_P(Widths, BlockGapTest, ::testing::Values(1, 3, 65533));

TEST_F(ScienceStreamTest, AWideGapIsKeptAsFarAsTheLongestRecordReachesIntoIt)
{
    // A spectrum of 65 535 words from the last words of block 0 ends 520.5 blocks into
    // the gap: the time record after the gap stays out of its reach.
    ScienceStreamBuilder first, after;
    first.tc(msCommand).padTo(124).words({Tag::GC, 0xFFFF});
    after.ti(32);
    open(Archive().add({first.block(0, 7), after.block(0, 7 + 1001)}));
    EXPECT_EQ(doc.statusPanels()[2], "Missing: 1000");
    EXPECT_THAT(timeList(), ElementsAre("TC: ", "Spectrum 0 (65533 smp)", "Time: 01-Jan-03 00:00:01,000"));

    // The stream holds the two blocks and no more of the gap than that reach.
    ScienceAssembly stream;
    stream.assemble(doc.reader().packets());
    EXPECT_EQ(stream.words().wordCount(), (2 + widestGapKept) * scienceBlockWords);
    EXPECT_GE(widestGapKept * scienceBlockWords, longestRecordWords);
    EXPECT_EQ(stream.blockNumber(stream.blockSent().size() - 1), 7 + 1001);
}

TEST_F(ScienceStreamTest, RecordRunningPastTheEndStopsTheParse)
{
    ScienceStreamBuilder s;
    s.tc(msCommand).words({Tag::MS, 500, 0, 0}).ti(32);
    openStream(s);
    EXPECT_THAT(outline(doc.tree(), doc.msNode()), ElementsAre("Dataset (0)", "Dataset (0) > TC: "));
    EXPECT_THAT(doc.warnings(), ElementsAre("The science stream ends inside a MS record, which starts at word 6 of "
                                            "block 0; that record is left out."));
}

// Blocks land in the order of their numbers; the missing count follows the order sent.
struct BlockOrder {
    std::vector<uint16_t> numbers;
    uint16_t lowest;
    int missing;
    std::vector<uint16_t> datasets; // word 0 of each dataset's telecommand, in stream order
};

class BlockOrderTest : public ScienceStreamTest, public ::testing::WithParamInterface<BlockOrder> {};

TEST_P(BlockOrderTest, BlocksLandByTheirNumber)
{
    const BlockOrder o = GetParam();
    ScienceStreamBuilder s;
    for (uint16_t k = 0; k < 4; ++k)
        s.tc({k, 1}).padTo((k + 1) * scienceBlockWords);
    Archive archive;
    for (uint16_t b : o.numbers)
        archive.add(s.block(uint16_t(b - o.lowest), b));
    open(archive);
    EXPECT_EQ(doc.statusPanels()[2], "Missing: " + std::to_string(o.missing));
    const std::string suffix = o.missing ? " - not complete!" : "";
    const NodeRuns& datasets = doc.tree().children(doc.msNode());
    ASSERT_EQ(datasets.size(), o.datasets.size());
    for (size_t d = 0; d < datasets.size(); ++d) {
        EXPECT_EQ(doc.tree().text(datasets[d]), "Dataset (" + std::to_string(d) + ")" + suffix);
        const NodeId tc = doc.tree().children(datasets[d]).front();
        EXPECT_EQ(doc.tree().wrapper(tc).record<TelecommandRecord>()->words().wordOr(1), o.datasets[d]);
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, BlockOrderTest,
                         ::testing::Values(BlockOrder{{5, 6, 7}, 5, 0, {0, 1, 2}},
                                           BlockOrder{{5, 6, 8}, 5, 1, {0, 1, 3}},
                                           BlockOrder{{5, 6, 6, 7}, 5, -1, {0, 1, 2}},
                                           BlockOrder{{7, 5, 6}, 5, -3, {0, 1, 2}},
                                           BlockOrder{{0xFFFE, 0xFFFF}, 0xFFFE, 0, {0, 1}}));

TEST_F(ScienceStreamTest, AssemblyStartsAtTheFirstInstrumentBlockAndTakesLaterBlocksOfAnyProcess)
{
    ScienceStreamBuilder s;
    s.tc(msCommand).padTo(scienceBlockWords).tc(gcCommand).padTo(2 * scienceBlockWords).tc(gcmsCommand);
    open(Archive().add({withProcessId(s.block(0, 0), 1), s.block(1, 1), withProcessId(s.block(2, 2), 1)}));
    EXPECT_EQ(doc.statusPanels()[2], "Missing: 0");
    EXPECT_THAT(outline(doc.tree(), noNode),
                ElementsAre("Housekeeping", "System", "GC", "GC > Dataset (0)", "GC > Dataset (0) > TC: ", "GCMS",
                            "GCMS > Dataset (1)", "GCMS > Dataset (1) > TC: ", "MS"));
    EXPECT_EQ(doc.packetStatistics().counts[Category::ScienceData], 1u);
}

TEST_F(ScienceStreamTest, ShortBlockSuppliesTheWordsItHoldsAndTheRestReadsAsZero)
{
    open(Archive().add(transfer({0, Category::ScienceData, 0, Tag::TC, 2, 0x0010, 1})));
    EXPECT_EQ(doc.statusPanels()[2], "Missing: 0");
    EXPECT_THAT(outline(doc.tree(), doc.msNode()), ElementsAre("Dataset (0)", "Dataset (0) > TC: "));
}

TEST_F(ScienceStreamTest, EachOpenNumbersDatasetsFromZeroAndKeepsTheMissingTextWithoutAStream)
{
    ScienceStreamBuilder s;
    s.tc(msCommand).tc(msCommand);
    const Archive science = Archive().add({s.block(0, 3), s.block(1, 5)});
    open(science, "science.cvlbin");
    open(science, "science.cvlbin");
    EXPECT_THAT(outline(doc.tree(), doc.msNode()),
                ElementsAre("Dataset (0) - not complete!", "Dataset (0) - not complete! > TC: ",
                            "Dataset (1) - not complete!", "Dataset (1) - not complete! > TC: "));
    EXPECT_EQ(doc.statusPanels()[2], "Missing: 1");

    open(Archive().add(categoryPacket(3)), "housekeeping.cvlbin");
    EXPECT_FALSE(doc.scienceAssembled());
    EXPECT_EQ(doc.datasetCounter(), 0u);
    EXPECT_EQ(doc.statusPanels()[2], "Missing: 1");
}

} // namespace
