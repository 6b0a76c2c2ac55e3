// What a dataset hands to the exports: the values its charts plot, its times and the words
// that describe it, from built archives and from the demo archive.

#include "tests/archive/ArchiveBuilder.h"
#include "display/SpectrumDisplay.h"
#include "exports/DatasetContent.h"

using namespace orvik;
using namespace orvik::exports;
using namespace orvik::test;

namespace {

std::vector<double> xs(const display::ChartSeries& s)
{
    std::vector<double> v;
    for (const display::ChartPoint& p : s.points)
        v.push_back(p.x);
    return v;
}
std::vector<double> ys(const display::ChartSeries& s)
{
    std::vector<double> v;
    for (const display::ChartPoint& p : s.points)
        v.push_back(p.y);
    return v;
}

// The content of `dataset` holds exactly the series its charts plot.
void expectChartValues(const CategoryTree& tree, const DatasetContent& content)
{
    size_t spectrum = 0, chromatogram = 0;
    for (const NodeId child : tree.children(content.dataset)) {
        const auto* record = tree.wrapper(child).record<SpectrumRecord>();
        if (!record)
            continue;
        if (record->tag == msTag) {
            ASSERT_LT(spectrum, content.spectra.size());
            const ExportedSpectrum& s = content.spectra[spectrum];
            const display::ChartSeries chart = display::massSpectrumSeries(*record, true);
            EXPECT_EQ(s.node, child);
            EXPECT_EQ(s.number, spectrum);
            EXPECT_EQ(s.mz, xs(chart));
            EXPECT_EQ(s.intensity, ys(chart));
            EXPECT_EQ(s.ticks, ticksFromSignedCount(record->timeHigh, record->timeLow));
            ++spectrum;
        } else if (const auto series = display::chromatogramSeriesOf(tree, child)) {
            for (const display::ChartSeries& chart : *series) {
                ASSERT_LT(chromatogram, content.chromatograms.size());
                const ExportedChromatogram& c = content.chromatograms[chromatogram++];
                EXPECT_EQ(c.node, child);
                EXPECT_EQ(c.title, chart.title);
                EXPECT_EQ(c.time, xs(chart));
                EXPECT_EQ(c.intensity, ys(chart));
            }
        }
    }
    EXPECT_EQ(spectrum, content.spectra.size());
    EXPECT_EQ(chromatogram, content.chromatograms.size());
}

class DatasetContentTest : public DocumentTest {
protected:
    DatasetContent onlyDataset(const ScienceStreamBuilder& science)
    {
        open(Archive().add(science.blocks()));
        const std::vector<NodeId> found = datasets(doc.tree());
        EXPECT_EQ(found.size(), 1u);
        return found.empty() ? DatasetContent{} : datasetContent(doc.tree(), found[0]);
    }
};

TEST_F(DatasetContentTest, SpectraAtBothResolutionsAndOfNoOrOneSampleAreTheChartSeries)
{
    // No configuration yet (0xFFFF), then "low" (0) and "high" (non-zero).
    const DatasetContent content = onlyDataset(ScienceStreamBuilder()
                                                   .tc({0x0010, 1, 0, 0, 0xABCD})
                                                   .spectrum(Tag::MS, 0x20, {5})
                                                   .cd(csibConfiguration(0, 0x0123))
                                                   .spectrum(Tag::MS, 0x40, counting(1001, 3))
                                                   .cd(csibConfiguration(7, 0))
                                                   .spectrum(Tag::MS, 0x60, {})
                                                   .spectrum(Tag::MS, 0x80, counting(1001)));
    ASSERT_EQ(content.spectra.size(), 4u);
    EXPECT_EQ(content.name, "Dataset (0)");
    EXPECT_EQ(content.path, "MS > Dataset (0)");
    EXPECT_EQ(content.telecommand, (std::vector<uint16_t>{0x0010, 1, 0, 0, 0xABCD}));
    // The GC chart reads the DAC word only from a "CSIB(Cfg)" node that is the dataset's second child.
    EXPECT_EQ(content.dacChannelWord, std::nullopt);
    EXPECT_EQ(content.spectra[0].csibWord, 0xFFFF);
    EXPECT_EQ(content.spectra[1].csibWord, 0);
    EXPECT_EQ(content.spectra[3].csibWord, 7);
    EXPECT_EQ(content.spectra[0].mz, (std::vector<double>{display::calibratedX(0, display::msCalibration(0xFFFF))}));
    EXPECT_TRUE(content.spectra[2].mz.empty());
    // The two resolutions reach different ends of the m/z axis.
    EXPECT_NEAR(content.spectra[1].mz.back(), 3.6191, 1e-4);
    EXPECT_NEAR(content.spectra[3].mz.back(), 0.5522, 1e-4);
    expectChartValues(doc.tree(), content);

    // Without a "Time: " node the times count from the first spectrum.
    EXPECT_FALSE(content.startTicks);
    EXPECT_EQ(content.start(), 0x20 * 2048);
    EXPECT_DOUBLE_EQ(content.secondsFromStart(content.spectra[3].ticks), 3.0);
}

TEST_F(DatasetContentTest, ChromatogramsFollowTheDacWordAlsoWhenItNamesAColumnTwice)
{
    // DAC channels 1 and 2 both measure column 2, channels 3 and 4 column 1.
    const DatasetContent content = onlyDataset(ScienceStreamBuilder()
                                                   .tc(gcCommand)
                                                   .cd(csibConfiguration(0, 0x0011))
                                                   .ti(32)
                                                   .spectrum(Tag::GC, 96, counting(16, 100))
                                                   .spectrum(Tag::GC, 128, counting(8)));
    ASSERT_EQ(content.chromatograms.size(), 8u);
    EXPECT_EQ(content.chromatograms[0].title, "Column 1 Low");
    EXPECT_EQ(content.chromatograms[2].title, "Column 2 Low");
    // Column 2 Low: channels 0 and 1 of both rounds of eight.
    EXPECT_EQ(content.chromatograms[2].intensity, (std::vector<double>{100, 101, 108, 109}));
    EXPECT_EQ(content.chromatograms[4].record, 1u);
    EXPECT_EQ(content.gcRecordsWithoutColumns, 0u);
    EXPECT_EQ(content.dacChannelWord, 0x0011);
    expectChartValues(doc.tree(), content);
    EXPECT_EQ(content.startTicks, 32 * 2048);
    EXPECT_DOUBLE_EQ(content.secondsFromStart(content.chromatograms[4].ticks), 3.0);
}

TEST_F(DatasetContentTest, ChromatogramsWithoutAConfigurationAreCountedNotExported)
{
    const DatasetContent content =
        onlyDataset(ScienceStreamBuilder().tc(gcCommand).spectrum(Tag::GC, 0, counting(8)).spectrum(Tag::MS, 0, {1}));
    EXPECT_TRUE(content.chromatograms.empty());
    EXPECT_EQ(content.gcRecordsWithoutColumns, 1u);
    EXPECT_EQ(content.spectra.size(), 1u);
}

TEST(DemoDatasetContent, EveryDatasetHoldsWhatItsChartsPlot)
{
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE)) << doc.openError();
    const std::vector<NodeId> found = datasets(doc.tree());
    ASSERT_GE(found.size(), 3u);
    size_t spectra = 0, chromatograms = 0;
    for (const NodeId dataset : found) {
        SCOPED_TRACE(doc.tree().text(dataset));
        const DatasetContent content = datasetContent(doc.tree(), dataset);
        expectChartValues(doc.tree(), content);
        spectra += content.spectra.size();
        chromatograms += content.chromatograms.size();
        EXPECT_EQ(datasetOf(doc.tree(), dataset), dataset);
        // One curve of the dataset: only that node's values.
        if (!content.spectra.empty()) {
            const DatasetContent curve = curveContent(doc.tree(), content.spectra.back().node);
            ASSERT_EQ(curve.spectra.size(), 1u);
            EXPECT_EQ(curve.spectra[0].mz, content.spectra.back().mz);
            EXPECT_TRUE(curve.chromatograms.empty());
        }
    }
    EXPECT_GT(spectra, 0u);
    EXPECT_GT(chromatograms, 0u);
}

} // namespace
