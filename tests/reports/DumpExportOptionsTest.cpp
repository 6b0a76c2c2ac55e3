// orvik-dump --export-dump and --report: their command lines and the export.

#include "tools/dump/DumpOptions.h"
#include "tools/dump/ExportCommands.h"
#include "tests/reports/GcRecords.h"

#include "archive/FileName.h"

#include "OrvikFeatures.h"

#include <sstream>

using namespace orvik;
using namespace orvik::dump;
using namespace orvik::test;

namespace {

TEST(DumpExportOptionsTest, ParsesEntryFormatAndOutput)
{
    const auto parsed = [](std::vector<std::string> args) { return parseDumpOptions(args); };
    const ParsedOptions binary = parsed({"--export-dump", "3", "--binary", "out.bin", "a.dat"});
    ASSERT_TRUE(binary.options) << binary.error;
    EXPECT_EQ(binary.options->command, Command::ExportDump);
    EXPECT_EQ(binary.options->entry, 3u);
    EXPECT_TRUE(binary.options->binary);
    EXPECT_EQ(binary.options->output, "out.bin");
    EXPECT_EQ(binary.options->archive, "a.dat");

    const ParsedOptions text = parsed({"--text", "out.txt", "--export-dump", "12", "a.dat"});
    ASSERT_TRUE(text.options) << text.error;
    EXPECT_FALSE(text.options->binary);
    EXPECT_EQ(text.options->output, "out.txt");
    EXPECT_EQ(text.options->entry, 12u);

}

// What a build lacks is told in the help and refused in one line once the command line is
// well formed; what it has is parsed.
TEST(DumpExportOptionsTest, ParsesTheReportAndTheExportsWhereTheBuildHasThem)
{
    const auto lacking = [](const std::string& option, const std::string& needs) {
        return option + " is not in this build of orvik-dump: it needs " + needs;
    };
    const std::string untold = "(not in this build of orvik-dump: it needs ";
    EXPECT_EQ(usageText.find(untold + "Qt)") == std::string::npos, features::report);
    EXPECT_EQ(usageText.find(untold + "nettle, zlib and netCDF)") == std::string::npos, features::datasetExports);

    const ParsedOptions report = parseDumpOptions({"--report", "7", "gc.pdf", "a.dat"});
    if (features::report) {
        ASSERT_TRUE(report.options) << report.error;
        EXPECT_EQ(report.options->command, Command::Report);
        EXPECT_EQ(report.options->entry, 7u);
        EXPECT_EQ(report.options->output, "gc.pdf");
    } else {
        EXPECT_EQ(report.error, lacking("--report", "Qt"));
    }

    const ParsedOptions mzml = parseDumpOptions({"--zlib", "--mzml", "4", "d.mzML", "a.dat"});
    const ParsedOptions andi = parseDumpOptions({"--andi", "5", "c.cdf", "--series", "Column 3 Low", "a.dat"});
    if (!features::datasetExports) {
        EXPECT_EQ(mzml.error, lacking("--mzml", "nettle, zlib and netCDF"));
        EXPECT_EQ(andi.error, lacking("--andi", "nettle, zlib and netCDF"));
        return;
    }
    ASSERT_TRUE(mzml.options) << mzml.error;
    EXPECT_EQ(mzml.options->command, Command::Mzml);
    EXPECT_EQ(mzml.options->entry, 4u);
    EXPECT_EQ(mzml.options->output, "d.mzML");
    EXPECT_TRUE(mzml.options->zlib);

    ASSERT_TRUE(andi.options) << andi.error;
    EXPECT_EQ(andi.options->command, Command::Andi);
    EXPECT_EQ(andi.options->entry, 5u);
    EXPECT_EQ(andi.options->output, "c.cdf");
    EXPECT_EQ(andi.options->series, "Column 3 Low");
}

TEST(DumpExportOptionsTest, ExplainsWhatIsWrongInOneLine)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--export-dump", "3", "a.dat"}, "--export-dump goes with --binary OUT or --text OUT (see --help)"},
        {{"--binary", "o", "a.dat"}, "--export-dump goes with --binary OUT or --text OUT (see --help)"},
        {{"--report", "1", "r.pdf", "--text", "o", "a.dat"},
         "--export-dump goes with --binary OUT or --text OUT (see --help)"},
        {{"--export-dump", "3", "--binary", "o", "--text", "p", "a.dat"},
         "--binary or --text takes the one output file (see --help)"},
        {{"--export-dump", "x", "--text", "o", "a.dat"}, "--export-dump takes a time-list entry number (see --help)"},
        {{"--report", "2", "a.dat"}, "--report takes a time-list entry number and a PDF file (see --help)"},
        {{"--tree", "--report", "1", "r.pdf", "a.dat"}, "--export-dump, --report, --mzml and --andi exclude the other commands"},
        {{"--report", "1", "r.pdf", "--export-dump", "1", "--text", "o", "a.dat"},
         "--export-dump, --report, --mzml and --andi exclude the other commands"},
        {{"--mzml", "1", "a.dat"}, "--mzml takes a time-list entry number and an output file (see --help)"},
        {{"--andi", "x", "o.cdf", "a.dat"}, "--andi takes a time-list entry number and an output file (see --help)"},
        {{"--mzml", "1", "o", "--andi", "1", "p", "a.dat"}, "--export-dump, --report, --mzml and --andi exclude the other commands"},
        {{"--andi", "1", "o", "--zlib", "a.dat"}, "--zlib goes with --mzml (see --help)"},
        {{"--mzml", "1", "o", "--series", "Column 1 Low", "a.dat"}, "--series goes with --andi (see --help)"},
    };
    for (const auto& [args, error] : cases) {
        const ParsedOptions parsed = parseDumpOptions(args);
        EXPECT_FALSE(parsed.options) << args.front();
        EXPECT_EQ(parsed.error, error);
    }
}

class DumpExportTest : public DocumentTest {
protected:
    void SetUp() override
    {
        open(Archive().add({regularHk(), dumpHeader(0xF000, 1), dumpPage(counting(128, 0xFFF0))}));
    }
    int run(size_t k, bool binary, const std::filesystem::path& out)
    {
        err.str({});
        return exportDumpEntry(doc, k, binary, nameOfPath(out), err);
    }
    std::ostringstream err;
};

TEST_F(DumpExportTest, SavesTheDumpOfAnEntryAsTheWindowDoes)
{
    ASSERT_EQ(doc.tree().text(doc.timeListNodes()[1]), "Memory Dump (DPU)");
    EXPECT_EQ(run(1, true, dir.path() / "dump.bin"), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "dump.bin"), 256u);
    EXPECT_EQ(run(1, false, dir.path() / "dump.txt"), 0);
    std::ifstream text(dir.path() / "dump.txt");
    std::string first;
    std::getline(text, first);
    EXPECT_EQ(first, "65520");
    const std::filesystem::path foreign = dir.path() / pathOfName("Speicherauszug Ωμέγα.bin");
    EXPECT_EQ(run(1, true, foreign), 0);
    EXPECT_EQ(std::filesystem::file_size(foreign), 256u);
    EXPECT_EQ(err.str(), "");
}

TEST_F(DumpExportTest, RefusesOtherEntriesAndReportsFilesItCannotWrite)
{
    EXPECT_EQ(run(0, true, dir.path() / "x.bin"), 2);
    EXPECT_EQ(err.str(), "orvik-dump: entry 0 (Regular HK) is not a memory dump\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.bin"));

    const std::filesystem::path missing = dir.path() / "no folder" / "x.bin";
    EXPECT_EQ(run(1, true, missing), 2);
    EXPECT_EQ(err.str(), "orvik-dump: Cannot open \"" + missing.string() + "\" for writing: No such file or directory.\n");
}

} // namespace
