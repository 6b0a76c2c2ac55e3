// A dataset as Series,X,Y lines, the layout of the charts' CSV export.

#include "tests/exports/MzmlFile.h"
#include "tests/archive/ArchiveBuilder.h"
#include "exports/DatasetExport.h"
#include "exports/ReplacingFile.h"

using namespace orvik;
using namespace orvik::exports;
using namespace orvik::test;

namespace {

TEST(CsvExport, WritesTheSpectraThenTheChromatogramsPointByPoint)
{
    DatasetContent content;
    content.spectra.push_back({noNode, 0, 0, 0xFFFF, {0.17850625, 0.5}, {5, 65535}});
    content.spectra.push_back({noNode, 1, 0, 0, {}, {}});
    content.spectra.push_back({noNode, 2, 0, 0, {1e-7}, {1}});
    content.chromatograms.push_back({noNode, 1, 0, "Column 3 Low", {0, 0.032768}, {100, 101}});
    content.chromatograms.push_back({noNode, 1, 0, "Column, \"odd\"", {0.131072}, {104}});
    TempDir dir;
    const std::string path = (dir.path() / "dataset.csv").string();
    ASSERT_FALSE(writeDatasetCsv(content, path));
    EXPECT_EQ(fileText(path), "Series,X,Y\n"
                              "Spectrum 0,0.17850625,5\n"
                              "Spectrum 0,0.5,65535\n"
                              "Spectrum 2,1e-07,1\n"
                              "GC 1 Column 3 Low,0,100\n"
                              "GC 1 Column 3 Low,0.032768,101\n"
                              "\"GC 1 Column, \"\"odd\"\"\",0.131072,104\n");
}

TEST(CsvExport, AnUnwritableTargetIsRefusedAndLeavesNoFile)
{
    TempDir dir;
    const std::string missing = (dir.path() / "missing" / "dataset.csv").string();
    const auto error = writeDatasetCsv({}, missing);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->rfind(cannotWrite(missing, ""), 0), 0u) << *error;
    const auto refused = writeDatasetCsv({}, dir.path().string());
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->rfind(cannotWrite(dir.path().string(), ""), 0), 0u) << *refused;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
