// ANDI chromatography files of one chromatogram series, read back by netCDF4: the detector
// values and their times exactly as the GC chart plots them, what the file says of their
// spacing (equal, or not when a column gathers several DAC channels), and the refusals.

#include "tests/exports/AndiReadBack.h"
#include "display/SpectrumDisplay.h"

using namespace orvik;
using namespace orvik::test;

namespace {

using AndiChromatogramTest = AndiTest;
constexpr double step = display::chromatogramTimeStep;

// The index of the first chromatogram of `content` that `holds`.
template <typename Predicate>
size_t firstChromatogram(const exports::DatasetContent& content, Predicate holds)
{
    const auto& all = content.chromatograms;
    return size_t(std::find_if(all.begin(), all.end(), holds) - all.begin());
}

TEST_F(AndiChromatogramTest, SeriesReadBackWithTheirTimesAndSpacing)
{
    const std::vector<exports::DatasetContent> datasets = contents(
        ScienceStreamBuilder()
            // Each DAC channel on a column of its own: every series equally spaced.
            .tc(gcCommand).cd(csibConfiguration(0, 0x3210)).ti(64)
            .spectrum(Tag::GC, 0x40, counting(64, 100))
            .spectrum(Tag::GC, 0x60, counting(8, 1000))  // one point per series
            .spectrum(Tag::GC, 0x80, {5, 6})              // one point, or none
            // DAC channels 1 and 3 measure column 1, channels 2 and 4 column 2.
            .tc(gcCommand).cd(csibConfiguration(0, 0x1010)).spectrum(Tag::GC, 0, counting(32)));
    ASSERT_EQ(datasets.size(), 2u);
    const exports::DatasetContent& equal = datasets[0];
    const exports::DatasetContent& twice = datasets[1];
    ASSERT_EQ(equal.chromatograms.size(), 24u);
    const size_t third = firstChromatogram(equal, [](const auto& c) { return c.title == "Column 3 Low"; });
    const size_t one = firstChromatogram(equal, [](const auto& c) { return c.time.size() == 1; });
    const size_t none = firstChromatogram(equal, [](const auto& c) { return c.time.empty(); });
    ASSERT_EQ(third, 4u);
    ASSERT_EQ(one, 8u);
    ASSERT_LT(none, 24u);
    ASSERT_EQ(twice.chromatograms[0].title, "Column 1 Low");
    ASSERT_EQ(twice.chromatograms[0].time.size(), 8u);

    const std::vector<std::pair<const exports::DatasetContent*, size_t>> exported = {
        {&equal, third}, {&equal, one}, {&equal, none}, {&twice, 0}};
    std::vector<std::string> paths;
    for (const auto& [content, index] : exported) {
        paths.push_back(target("gc" + std::to_string(paths.size()) + ".cdf"));
        ASSERT_EQ(exports::writeAndiChromatogram(*content, index, paths.back(), source), std::nullopt);
    }
    const auto files = readBack(paths);
    ASSERT_EQ(files.size(), paths.size());
    for (size_t k = 0; k < exported.size(); ++k) {
        SCOPED_TRACE(paths[k]);
        expectChromatogram(files.at(paths[k]), *exported[k].first, exported[k].second, source.archivePath);
    }

    // Column 3 Low: channel 2, every eighth sample from the third on.
    const NetcdfFile& uniform = files.at(paths[0]);
    EXPECT_EQ(uniform.variables.at("ordinate_values").values.front(), 102);
    EXPECT_EQ(samplingOf(uniform).second, "Y");
    EXPECT_DOUBLE_EQ(samplingOf(uniform).first, 8 * step);
    EXPECT_DOUBLE_EQ(uniform.variables.at("actual_delay_time").values.at(0).value_or(0), 2 * step);
    EXPECT_DOUBLE_EQ(uniform.variables.at("actual_run_time_length").values.at(0).value_or(0), 56 * step);
    EXPECT_EQ(uniform.attribute("detector_name"), "Column 3 Low");
    EXPECT_EQ(uniform.attribute("injection_date_time_stamp"), "20030101000002+0000");

    // With fewer than two points there is no step.
    EXPECT_EQ(samplingOf(files.at(paths[1])), (std::pair<double, std::string>{0, "Y"}));
    EXPECT_EQ(samplingOf(files.at(paths[2])), (std::pair<double, std::string>{0, "Y"}));

    // Channels 0 and 2 interleaved: steps of 2 and 6 sample times, their mean stated.
    const NetcdfFile& interleaved = files.at(paths[3]);
    EXPECT_EQ(samplingOf(interleaved).second, "N");
    EXPECT_DOUBLE_EQ(samplingOf(interleaved).first, 26 * step / 7);
    EXPECT_EQ(interleaved.variables.at("raw_data_retention").values.at(1), twice.chromatograms[0].time[1]);
    EXPECT_DOUBLE_EQ(twice.chromatograms[0].time[1], 2 * step);
}

TEST_F(AndiChromatogramTest, MissingChromatogramsAreRefusedAndNoFileWritten)
{
    const std::vector<exports::DatasetContent> datasets =
        contents(ScienceStreamBuilder()
                     .tc(gcCommand).cd(csibConfiguration(0, 0x3210)).spectrum(Tag::GC, 0, counting(16))
                     .tc(msCommand).spectrum(Tag::MS, 0, counting(16))
                     // No configuration names the columns.
                     .tc(gcCommand).spectrum(Tag::GC, 0, counting(16)).spectrum(Tag::GC, 0, counting(16)));
    // In tree order: the datasets of the "GC" group before that of the "MS" group.
    ASSERT_EQ(datasets.size(), 3u);
    ASSERT_EQ(datasets[0].chromatograms.size(), 8u);
    ASSERT_TRUE(datasets[2].chromatograms.empty() && !datasets[2].spectra.empty());
    EXPECT_EQ(exports::writeAndiChromatogram(datasets[0], 8, target("gc.cdf"), source),
              "the dataset holds 8 chromatograms (0 to 7), not 8");
    EXPECT_EQ(exports::writeAndiChromatogram(datasets[1], 0, target("gc.cdf"), source),
              "the dataset holds no chromatograms: no configuration names the columns of its 2 GC records");
    EXPECT_EQ(exports::writeAndiChromatogram(datasets[2], 0, target("gc.cdf"), source),
              "the dataset holds no chromatograms");
    EXPECT_TRUE(written().empty());
}

} // namespace
