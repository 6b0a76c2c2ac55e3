// orvik-dump --mzml and --andi: the demo archive's datasets written from the command line,
// read back by FileInfo and netCDF4, with what the export core makes of the same dataset.

#include "tests/exports/AndiReadBack.h"
#include "tests/exports/MzmlFile.h"

#include "tests/dump/RunTool.h"

#include <gmock/gmock.h>

using namespace orvik;
using namespace orvik::test;

namespace {

class DumpExportTest : public ::testing::Test {
protected:
    DumpExportTest()
    {
        EXPECT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE));
    }
    // The first time-list entry whose text begins with `prefix`, and its number.
    size_t entry(const std::string& prefix) const
    {
        for (size_t k = 0; k < doc.timeListNodes().size(); ++k)
            if (doc.tree().text(doc.timeListNodes()[k]).starts_with(prefix))
                return k;
        ADD_FAILURE() << "no entry " << prefix;
        return 0;
    }
    ProgramRun dump(const std::string& options) const
    {
        return runProgram(ORVIK_DUMP_PROGRAM, options + " '" + std::string(ORVIK_DEMO_ARCHIVE) + "'");
    }
    exports::DatasetContent contentOf(size_t k) const
    {
        return exports::datasetContent(doc.tree(), exports::datasetOf(doc.tree(), doc.timeListNodes()[k]));
    }

    ArchiveDocument doc;
    TempDir dir;
};

TEST_F(DumpExportTest, MzmlAndAndiOfAnEntrysDatasetAreReadBackByTheFieldsReaders)
{
    const size_t spectrum = entry("Spectrum ");
    const exports::DatasetContent content = contentOf(spectrum);
    ASSERT_FALSE(content.spectra.empty());
    const std::string mzml = (dir.path() / "d.mzML").string(), andi = (dir.path() / "d.cdf").string();

    const ProgramRun mzmlRun = dump("--zlib --mzml " + std::to_string(spectrum) + " '" + mzml + "'");
    ASSERT_EQ(mzmlRun.code, 0) << mzmlRun.err;
    const FileInfoReport report = fileInfo(mzml);
    EXPECT_TRUE(report.valid()) << report.validation.out;
    EXPECT_EQ(report.count("Number of spectra"), long(content.spectra.size())) << report.summary.out;

    const ProgramRun andiRun = dump("--andi " + std::to_string(spectrum) + " '" + andi + "'");
    ASSERT_EQ(andiRun.code, 0) << andiRun.err;
    const auto files = readBack({andi});
    ASSERT_EQ(files.count(andi), 1u);
    expectScansOf(files.at(andi), content, ORVIK_DEMO_ARCHIVE);
}

TEST_F(DumpExportTest, AnEntryOutsideADatasetAMissingSeriesAndAnUnwritableTargetAreRefused)
{
    const ProgramRun outside = dump("--mzml 0 '" + (dir.path() / "x.mzML").string() + "'");
    EXPECT_EQ(outside.code, 2);
    EXPECT_EQ(outside.err, "orvik-dump: entry 0 lies in no dataset\n");
    const size_t spectrum = entry("Spectrum ");
    const ProgramRun series = dump("--andi " + std::to_string(spectrum) + " x.cdf --series 'Column 9 Low'");
    EXPECT_EQ(series.code, 2);
    EXPECT_THAT(series.err, ::testing::HasSubstr("has no chromatogram series 'Column 9 Low'"));
    const std::string unwritable = (dir.path() / "missing" / "x.mzML").string();
    const ProgramRun failed = dump("--mzml " + std::to_string(spectrum) + " '" + unwritable + "'");
    EXPECT_EQ(failed.code, 1);
    EXPECT_THAT(failed.err, ::testing::StartsWith("orvik-dump: cannot write " + unwritable + ": "));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

} // namespace
