// Mass spectra and chromatograms on their charts: the calibration, the split into
// channel series, titles, time labels, and the histogram of a spectrum.

#include "tests/archive/ArchiveBuilder.h"
#include "display/Histogram.h"
#include "display/MainDisplay.h"
#include "display/SpectrumDisplay.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

class SpectrumDisplayTest : public DocumentTest {
protected:
    // Shows the last spectrum of the archive built from `science`.
    void showLastSpectrum(const ScienceStreamBuilder& science)
    {
        open(Archive().add(science.blocks()));
        NodeId spectrum = noNode;
        for (NodeId node : doc.timeListNodes())
            if (doc.tree().kind(node) == NodeKind::Spectrum)
                spectrum = node;
        ASSERT_NE(spectrum, noNode);
        display.components.beginDisplay();
        display.displayNode(doc.tree(), spectrum);
    }
    std::vector<ChartSeries> series(const char* chart) const
    {
        const ComponentState* state = display.components.find(chart);
        const Value* v = state ? state->get(Property::Series) : nullptr;
        return v ? std::get<std::vector<ChartSeries>>(*v) : std::vector<ChartSeries>{};
    }
    std::string text(const char* component, Property p = Property::Text) const
    {
        const ComponentState* state = display.components.find(component);
        return state ? state->text(p) : "";
    }
    std::vector<std::string> titles(const char* chart) const
    {
        std::vector<std::string> out;
        for (const ChartSeries& s : series(chart))
            out.push_back(s.title + " " + std::to_string(s.points.size()));
        return out;
    }

    MainDisplay display;
};

TEST_F(SpectrumDisplayTest, CalibrationFollowsTheResolutionWord)
{
    // No configuration before the spectrum: 0xFFFF, the "high" parameters.
    showLastSpectrum(ScienceStreamBuilder().tc(msCommand).spectrum(Tag::MS, 0, Words(1001, 7)));
    std::vector<ChartSeries> ms = series("MSChart");
    ASSERT_EQ(ms.size(), 1u);
    EXPECT_EQ(ms[0].title, "Series2");
    ASSERT_EQ(ms[0].points.size(), 1001u);
    EXPECT_EQ(ms[0].points.back(), (ChartPoint{double(float(std::pow(1.1656 - 0.4225, 2))), 7}));
    EXPECT_NEAR(ms[0].points.back().x, 0.5522, 1e-4);
    EXPECT_EQ(calibratedX(0, msCalibration(0xFFFF)), double(float(0.4225 * 0.4225)));
    EXPECT_TRUE(std::is_sorted(ms[0].points.begin(), ms[0].points.end(),
                               [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; }))
        << "the falling values below i = b / a sit among the low ones";

    // Resolution "low".
    showLastSpectrum(ScienceStreamBuilder().tc(msCommand).cd(csibConfiguration(0, 0)).spectrum(Tag::MS, 0, Words(1001, 7)));
    ms = series("MSChart");
    EXPECT_NEAR(ms[0].points.back().x, 3.6191, 1e-4);
    EXPECT_EQ(calibratedX(0, msCalibration(0)), double(float(0.4306 * 0.4306)));

    // Any non-zero word is "high".
    showLastSpectrum(ScienceStreamBuilder().tc(msCommand).cd(csibConfiguration(1, 0)).spectrum(Tag::MS, 0, Words(1001, 7)));
    EXPECT_NEAR(series("MSChart")[0].points.back().x, 0.5522, 1e-4);
}

TEST_F(SpectrumDisplayTest, UncalibratedSpectraRunOverTheSampleIndex)
{
    display.components.userSet("MSCalDisp", Property::Checked, false);
    showLastSpectrum(ScienceStreamBuilder().tc(msCommand).spectrum(Tag::MS, 0, {0xFFFF, 3, 0}));
    EXPECT_EQ(series("MSChart")[0].points, (std::vector<ChartPoint>{{0, 65535}, {1, 3}, {2, 0}}));
    EXPECT_EQ(text("MSChart", Property::Title), "Spectrum 0 (3 smp)");
}

TEST_F(SpectrumDisplayTest, AnEmptySpectrumEmptiesTheSeriesAndStillSetsTitleAndTime)
{
    showLastSpectrum(ScienceStreamBuilder().tc(msCommand).spectrum(Tag::MS, 0x01234567, {1, 2}).spectrum(Tag::MS, 32, {}));
    EXPECT_EQ(titles("MSChart"), (std::vector<std::string>{"Series2 0"}));
    EXPECT_EQ(text("MSChart", Property::Title), "Spectrum 1 (0 smp)");
    EXPECT_EQ(text("msspectime"), "0x0000:0020 - Wed 01-Jan-03 00:00:01,000");
}

TEST_F(SpectrumDisplayTest, TimeLabelsShowTheWordsAndTheSignedTime)
{
    EXPECT_EQ(spectrumTimeText(0x0123, 0x4567), "0x0123:4567 - Tue 07-Jan-03 21:42:03,218");
    EXPECT_EQ(spectrumTimeText(0x8000, 0x0000), "0x8000:0000 - Wed 15-Nov-00 06:38:56,000");
}

TEST_F(SpectrumDisplayTest, ChromatogramsSplitIntoALowAndAHighSeriesPerColumn)
{
    const Words samples = counting(16, 100);
    showLastSpectrum(ScienceStreamBuilder().tc(gcCommand).cd(csibConfiguration(0, 0x3210)).ti(64).spectrum(Tag::GC, 0x40, samples));
    EXPECT_EQ(titles("GCChart"),
              (std::vector<std::string>{"Column 1 Low 2", "Column 1 High 2", "Column 2 Low 2", "Column 2 High 2",
                                        "Column 3 Low 2", "Column 3 High 2", "Column 4 Low 2", "Column 4 High 2"}));
    const std::vector<ChartSeries> gc = series("GCChart");
    EXPECT_EQ(gc[0].points, (std::vector<ChartPoint>{{0, 100}, {0.262144, 108}}));
    EXPECT_EQ(gc[1].points, (std::vector<ChartPoint>{{0.131072, 104}, {0.393216, 112}}));
    EXPECT_EQ(gc[7].points, (std::vector<ChartPoint>{{7 * chromatogramTimeStep, 107}, {15 * chromatogramTimeStep, 115}}));
    EXPECT_EQ(text("GCChart", Property::Title), "Spectrum 0 (16 smp)");
    EXPECT_EQ(text("gcspectime"), "0x0000:0040 - Wed 01-Jan-03 00:00:02,000");
}

TEST_F(SpectrumDisplayTest, ChannelsSharingAColumnShareItsSeries)
{
    showLastSpectrum(ScienceStreamBuilder().tc(gcCommand).cd(csibConfiguration(0, 0x0000)).spectrum(Tag::GC, 0, counting(16)));
    EXPECT_EQ(titles("GCChart"), (std::vector<std::string>{"Column 1 Low 8", "Column 1 High 8"}));
    EXPECT_EQ(series("GCChart")[0].points[1], (ChartPoint{chromatogramTimeStep, 2}));
}

TEST_F(SpectrumDisplayTest, ChannelsNamingNoColumnGetNoSeriesAndLoseTheirSamples)
{
    // DAC channels 1 and 2 measure columns 8 and 1; channels 3 and 4 name no column.
    showLastSpectrum(ScienceStreamBuilder().tc(gcCommand).cd(csibConfiguration(0, 0xF807)).spectrum(Tag::GC, 0, counting(16)));
    EXPECT_EQ(titles("GCChart"),
              (std::vector<std::string>{"Column 1 Low 2", "Column 1 High 2", "Column 8 Low 2", "Column 8 High 2"}));
    EXPECT_EQ(series("GCChart")[0].points, (std::vector<ChartPoint>{{chromatogramTimeStep, 2}, {9 * chromatogramTimeStep, 10}}));
}

TEST_F(SpectrumDisplayTest, AChromatogramWithoutItsConfigurationOnlyChangesTheTime)
{
    showLastSpectrum(ScienceStreamBuilder()
                         .tc(gcCommand).cd(csibConfiguration(0, 0x3210)).spectrum(Tag::GC, 0, counting(8))
                         .tc(gcCommand).ti(96).cd(csibConfiguration(0, 0)).spectrum(Tag::GC, 0x20, counting(8)));
    EXPECT_EQ(display.components.find("GCChart"), nullptr);
    EXPECT_EQ(text("gcspectime"), "0x0000:0020 - Wed 01-Jan-03 00:00:01,000");
}

TEST_F(SpectrumDisplayTest, ReleasingTheSeriesEmptiesBothChartsAndBringsBackTheirDesignTexts)
{
    showLastSpectrum(ScienceStreamBuilder().tc(msCommand).spectrum(Tag::MS, 0, {1, 2}).spectrum(Tag::GC, 0, {3}));
    display.displayNode(doc.tree(), doc.timeListNodes()[doc.timeListNodes().size() - 2]);
    ASSERT_EQ(text("MSChart", Property::Title), "Spectrum 0 (2 smp)");
    display.releaseSpectrumSeries();
    EXPECT_TRUE(series("GCChart").empty());
    EXPECT_EQ(titles("MSChart"), (std::vector<std::string>{"Series2 0"}));
    EXPECT_EQ(text("MSChart", Property::Title), "\n");
    EXPECT_EQ(text("GCChart", Property::Title), "");
    EXPECT_EQ(text("msspectime"), "-");
    EXPECT_EQ(text("gcspectime"), "-");
}

TEST(HistogramTest, BinsRunToTheLargestXAndCountOnlyValuesUpToIt)
{
    const std::vector<ChartPoint> spectrum = {{0, 0}, {1, 1}, {2, 1}, {3, 7}};
    EXPECT_EQ(histogramPoints(spectrum), (std::vector<ChartPoint>{{0, 0}, {1, 1}, {2, 2}, {3, 0}, {4, 0}}));
    EXPECT_EQ(histogramPoints({}), (std::vector<ChartPoint>{{0, 0}, {1, 0}}));
    // A calibrated spectrum bins up to its largest calibrated value.
    EXPECT_EQ(histogramPoints(std::vector<ChartPoint>{{0.18, 0}, {2.9, 1}}),
              (std::vector<ChartPoint>{{0, 0}, {1, 1}, {2, 1}, {3, 0}}));
    // x values beyond the 65 536 counters stay within them.
    EXPECT_EQ(histogramPoints(std::vector<ChartPoint>{{1e9, 65535}}).size(), 65537u);
}

} // namespace
