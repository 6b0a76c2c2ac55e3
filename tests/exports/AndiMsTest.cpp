// ANDI-MS files of a dataset's spectra, read back by netCDF4: the scans over time, their
// points exactly as the MS chart plots them, the template's attributes; and the refusals.

#include "tests/exports/AndiReadBack.h"

using namespace orvik;
using namespace orvik::test;

namespace {

TEST(AndiTimeStampTest, StampsAreTheUtcSecondOfTheOnBoardTime)
{
    EXPECT_EQ(exports::andiTimeStamp(0), "20030101000000+0000");
    EXPECT_EQ(exports::andiTimeStamp(int64_t(65536) * (86400 + 3661) + 65535), "20030102010101+0000");
    // Before the epoch, the second below.
    EXPECT_EQ(exports::andiTimeStamp(-1), "20021231235959+0000");
    EXPECT_EQ(exports::andiTimeStamp(-65536), "20021231235959+0000");
    EXPECT_EQ(exports::andiTimeStamp(-65537), "20021231235958+0000");
    expectAndiTimeStamp(exports::andiTimeStampNow());
}

using AndiMsTest = AndiTest;

TEST_F(AndiMsTest, ScansHoldEverySpectrumAtBothResolutionsAndWithoutPoints)
{
    const std::vector<exports::DatasetContent> datasets = contents(
        ScienceStreamBuilder()
            .tc(msCommand).ti(64)
            .spectrum(Tag::MS, 0x80, counting(1001, 7))
            .cd(csibConfiguration(0, 0)).spectrum(Tag::MS, 0xA0, counting(1001, 100))
            .cd(csibConfiguration(1, 0)).spectrum(Tag::MS, 0xC0, {0xFFFF, 0, 12345})
            .spectrum(Tag::MS, 0xE0, {})
            .spectrum(Tag::MS, 0x100, {42})
            // Only empty spectra, before the epoch.
            .tc(msCommand).spectrum(Tag::MS, 0xFFFFFFE0, {}));
    ASSERT_EQ(datasets.size(), 2u);
    const exports::DatasetContent& ms = datasets[0];
    ASSERT_EQ(ms.spectra.size(), 5u);
    std::vector<uint16_t> resolutions;
    for (const exports::ExportedSpectrum& s : ms.spectra)
        resolutions.push_back(s.csibWord);
    ASSERT_EQ(resolutions, (std::vector<uint16_t>{0xFFFF, 0, 1, 1, 1}));
    ASSERT_NE(ms.spectra[0].mz.back(), ms.spectra[1].mz.back()) << "the resolutions calibrate apart";

    // An existing file is replaced, and nothing else stays beside it.
    std::ofstream(target("ms.cdf")) << "not netCDF";
    EXPECT_EQ(exports::writeAndiMs(ms, target("ms.cdf"), source), std::nullopt);
    EXPECT_EQ(exports::writeAndiMs(datasets[1], target("empty.cdf"), source), std::nullopt);
    EXPECT_EQ(written(), (std::vector<std::string>{"empty.cdf", "ms.cdf"}));

    const auto files = readBack({target("ms.cdf"), target("empty.cdf")});
    ASSERT_EQ(files.size(), 2u);
    const NetcdfFile& file = files.at(target("ms.cdf"));
    expectScansOf(file, ms, source.archivePath);
    // Seconds from the dataset's "Time: " node; the scan without points is there.
    EXPECT_EQ(file.variables.at("scan_acquisition_time").values,
              (std::vector<std::optional<double>>{2, 3, 4, 5, 6}));
    EXPECT_EQ(file.variables.at("point_count").values, (std::vector<std::optional<double>>{1001, 1001, 3, 0, 1}));
    EXPECT_EQ(file.attribute("experiment_date_time_stamp"), "20030101000002+0000");

    const NetcdfFile& empty = files.at(target("empty.cdf"));
    expectScansOf(empty, datasets[1], source.archivePath);
    EXPECT_EQ(empty.attribute("experiment_date_time_stamp"), "20021231235959+0000");
}

TEST_F(AndiMsTest, ADatasetWithoutSpectraIsRefusedAndNoFileWritten)
{
    const std::vector<exports::DatasetContent> datasets = contents(
        ScienceStreamBuilder().tc(gcCommand).cd(csibConfiguration(0, 0x3210)).spectrum(Tag::GC, 0, counting(16)));
    ASSERT_EQ(datasets.size(), 1u);
    EXPECT_EQ(exports::writeAndiMs(datasets[0], target("ms.cdf"), source), "the dataset holds no mass spectra");
    EXPECT_TRUE(written().empty());
}

TEST_F(AndiMsTest, UnwritableTargetsFailInOneLineAndLeaveNothingBehind)
{
    const std::vector<exports::DatasetContent> datasets = contents(ScienceStreamBuilder()
                                                                        .tc(gcmsCommand)
                                                                        .cd(csibConfiguration(0, 0x3210))
                                                                        .spectrum(Tag::MS, 0, counting(10))
                                                                        .spectrum(Tag::GC, 0, counting(16)));
    ASSERT_EQ(datasets.size(), 1u);
    const exports::DatasetContent& content = datasets[0];
    ASSERT_FALSE(content.chromatograms.empty());
    std::filesystem::create_directory(out / "folder");
    for (const std::string& path : {target("missing/ms.cdf"), target("folder")}) {
        for (const std::optional<std::string>& failure :
             {exports::writeAndiMs(content, path, source), exports::writeAndiChromatogram(content, 0, path, source)}) {
            ASSERT_TRUE(failure) << path;
            EXPECT_THAT(*failure, ::testing::StartsWith("cannot write " + path + ": "));
            EXPECT_GT(failure->size(), ("cannot write " + path + ": ").size());
            EXPECT_EQ(failure->find('\n'), std::string::npos) << *failure;
        }
    }
    EXPECT_EQ(written(), (std::vector<std::string>{"folder"}));
    EXPECT_TRUE(std::filesystem::is_empty(out / "folder"));
}

TEST(AndiDemoTest, TheDemoArchivesSpectraAndChromatogramsReadBackExactly)
{
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE)) << doc.openError();
    TempDir dir;
    const exports::ExportSource source{ORVIK_DEMO_ARCHIVE};
    // Each dataset with spectra as ANDI-MS, its first and last chromatogram as ANDI chromatography.
    struct Written {
        exports::DatasetContent content;
        std::string path;
        std::optional<size_t> chromatogram;
    };
    std::vector<Written> files;
    for (const NodeId dataset : exports::datasets(doc.tree())) {
        const exports::DatasetContent content = exports::datasetContent(doc.tree(), dataset);
        const std::string stem = (dir.path() / std::to_string(dataset)).string();
        if (!content.spectra.empty()) {
            ASSERT_EQ(exports::writeAndiMs(content, stem + "-ms.cdf", source), std::nullopt);
            files.push_back({content, stem + "-ms.cdf", std::nullopt});
        }
        for (const size_t k : {size_t(0), content.chromatograms.size() - 1}) {
            if (k >= content.chromatograms.size())
                continue;
            const std::string path = stem + "-gc" + std::to_string(k) + ".cdf";
            ASSERT_EQ(exports::writeAndiChromatogram(content, k, path, source), std::nullopt);
            files.push_back({content, path, k});
        }
    }
    const auto isMs = [](const Written& w) { return !w.chromatogram; };
    ASSERT_TRUE(std::any_of(files.begin(), files.end(), isMs));
    ASSERT_FALSE(std::all_of(files.begin(), files.end(), isMs));

    std::vector<std::string> paths;
    for (const Written& w : files)
        paths.push_back(w.path);
    const auto read = readBack(paths);
    for (const Written& w : files) {
        SCOPED_TRACE(w.path);
        if (read.count(w.path) == 0)
            continue;
        if (w.chromatogram)
            expectChromatogram(read.at(w.path), w.content, *w.chromatogram, source.archivePath);
        else
            expectScansOf(read.at(w.path), w.content, source.archivePath);
    }
}

} // namespace
