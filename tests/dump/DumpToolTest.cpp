#include "tests/archive/ArchiveBuilder.h"
#include "tools/dump/DumpCommands.h"
#include "tools/dump/DumpOptions.h"
#include "tests/dump/RunTool.h"
#include "OrvikVersion.h"
#include "tools/dump/ShowPrinter.h"

#include <cstdio>
#include <regex>
#include <sstream>

using namespace orvik;
using namespace orvik::dump;
using namespace orvik::test;

namespace {

struct OptionCase {
    std::vector<std::string> args;
    Command command;
    std::string archive;
    std::string error; // empty: the options are accepted
    size_t showEntry = 0;
    bool points = false;
    int half = 0;
};

class DumpOptionsTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(DumpOptionsTest, ParsesOrExplainsInOneLine)
{
    const OptionCase c = GetParam();
    const ParsedOptions parsed = parseDumpOptions(c.args);
    EXPECT_EQ(parsed.error, c.error);
    ASSERT_EQ(parsed.options.has_value(), c.error.empty());
    if (parsed.options) {
        EXPECT_EQ(parsed.options->command, c.command);
        EXPECT_EQ(parsed.options->archive, c.archive);
        EXPECT_EQ(parsed.options->showEntry, c.showEntry);
        EXPECT_EQ(parsed.options->points, c.points);
        EXPECT_EQ(parsed.options->half, c.half);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DumpOptionsTest,
    ::testing::Values(OptionCase{{"a.cvlbin"}, Command::Summary, "a.cvlbin", ""},
                      OptionCase{{"--tree", "a.dat"}, Command::Tree, "a.dat", ""},
                      OptionCase{{"--time", "--time", "a.dat"}, Command::Time, "a.dat", ""},
                      OptionCase{{"--tree", "--help", "a.dat"}, Command::Help, "", ""},
                      OptionCase{{"-h"}, Command::Help, "", ""},
                      OptionCase{{"--tree", "--time", "a.dat"}, {}, "", "--tree, --time and --show exclude each other"},
                      OptionCase{{"--points", "--show", "12", "a.dat"}, Command::Show, "a.dat", "", 12, true},
                      OptionCase{{"--show", "3", "--tree", "a.dat"}, {}, "", "--tree, --time and --show exclude each other"},
                      OptionCase{{"--show", "a.dat"}, {}, "", "--show takes a time-list entry number (see --help)"},
                      OptionCase{{"--show", "-1", "a.dat"}, {}, "", "--show takes a time-list entry number (see --help)"},
                      OptionCase{{"--bogus", "a.dat"}, {}, "", "unknown option '--bogus' (see --help)"},
                      OptionCase{{"a.dat", "--tree"}, {}, "",
                                 "unexpected argument 'a.dat': the archive comes last (see --help)"},
                      OptionCase{{"--tree"}, {}, "", "no archive given (see --help)"},
                      OptionCase{{"--half", "1", "--show", "2", "a.dat"}, Command::Show, "a.dat", "", 2, false, 1},
                      OptionCase{{"--show", "2", "--half", "0", "a.dat"}, Command::Show, "a.dat", "", 2},
                      OptionCase{{"--half", "2", "a.dat"}, {}, "", "--half takes 0 or 1 (see --help)"},
                      OptionCase{{"--half", "a.dat"}, {}, "", "--half takes 0 or 1 (see --help)"},
                      OptionCase{{"--hk-csv", "a.dat"}, Command::HkCsv, "a.dat", ""},
                      OptionCase{{"--tree", "--hk-csv", "a.dat"}, {}, "", "--hk-csv excludes the other commands"},
                      OptionCase{{"--connect", "h:1", "--record", "r.dat"}, Command::Connect, "r.dat", ""},
                      OptionCase{{"--connect", "h:1", "r.dat"}, {}, "", "--connect goes with --record FILE (see --help)"},
                      OptionCase{{"--record", "r.dat"}, {}, "", "--connect goes with --record FILE (see --help)"},
                      OptionCase{{"--time", "--connect", "h:1", "--record", "r.dat"}, {}, "", "--connect excludes the other commands"},
                      OptionCase{{}, {}, "", "no archive given (see --help)"}));

// A small archive: housekeeping, a foreign and an empty packet, a parameter table and one dataset.
class DumpCommandsTest : public DocumentTest {
protected:
    void SetUp() override
    {
        ScienceStreamBuilder science;
        science.tc(msCommand).ti(32).spectrum(Tag::MS, 0, {1, 2});
        open(Archive()
                 .add({regularHk(), categoryPacket(3), withProcessId(categoryPacket(3), 0), categoryPacket(0)})
                 .add(categoryPacket(5))
                 .add(science.blocks()));
    }
    template <class Print>
    std::string printed(Print print)
    {
        std::ostringstream out;
        print(doc, out);
        return out.str();
    }
};

TEST_F(DumpCommandsTest, SummaryShowsStatusTextsAndEveryStatisticsRow)
{
    EXPECT_EQ(printed(printSummary), "Packets: 6\nUnknown: 1\nMissing: 0\n"
                                     "Empty packets\t1\nScience Parameter\t0\nScience Data\t1\nInternal HK\t1\n"
                                     "Dev parameter\t0\nGC/MS parameter\t1\nTest results\t0\nError messages\t0\n"
                                     "TPST report\t0\nMemory Dump\t0\nRaw Data\t0\nCSIB CGF\t0\n"
                                     "TC Execution Report\t0\n");
}

TEST_F(DumpCommandsTest, TreeIndentsTwoBlanksPerLevel)
{
    EXPECT_EQ(printed(printTree), "Housekeeping\n  Regular HK\n  Internal HK\nSystem\nGC\n  GC/MS - Parameter\nGCMS\n"
                                  "MS\n  GC/MS - Parameter\n  Dataset (0)\n    TC: \n"
                                  "    Time: 01-Jan-03 00:00:01,000\n    Spectrum 0 (2 smp)\n");
}

TEST_F(DumpCommandsTest, ShowGroupsTheWritesPerComponentInWriteOrder)
{
    // The page actions only: the decoders' labels of these tiny packets are all "-".
    const auto show = [this](size_t k) {
        std::istringstream lines(
            printed([k](const ArchiveDocument& d, std::ostream& out) { printShow(d, k, DumpOptions{}, out); }));
        std::string pageActions;
        for (std::string line; std::getline(lines, line);)
            if (std::regex_search(line, std::regex(R"(^\w+\.(active|tabVisible|visible|itemIndex)\t)")))
                pageActions += line + '\n';
        return pageActions;
    };
    EXPECT_EQ(show(0), "HKPacketHalf.visible\ttrue\nHKPacketHalf.itemIndex\t0\nPageControl1.active\tRegularHKTabSheet\n");
    EXPECT_EQ(show(3), "PageControl2.active\tTabSheet2\nTabSheet1.tabVisible\tfalse\nTabSheet2.tabVisible\ttrue\n"
                       "TabSheet3.tabVisible\ttrue\nCSIBPageControl.active\tDeviceParTabSheet\n"
                       "PageControl1.active\tCSIBTabSheet\n");
    EXPECT_EQ(show(5), "");
}

TEST_F(DumpCommandsTest, ShowPrintsTheSpectrumCalibratedOrOverTheSampleIndex)
{
    DumpOptions options = *parseDumpOptions({"--uncalibrated", "--points", "--show", "6", "a.cvlbin"}).options;
    EXPECT_TRUE(options.uncalibrated);
    const auto show = [&] {
        return printed([&](const ArchiveDocument& d, std::ostream& out) { printShow(d, 6, options, out); });
    };
    const std::string rest = "MSChart.title\tSpectrum 0 (2 smp)\nmsspectime\t0x0000:0000 - Wed 01-Jan-03 00:00:00,000\n"
                             "MSPageControl.active\tMSSpecTabSheet\nPageControl1.active\tMSTab\n";
    EXPECT_EQ(show(), "MSChart.series\tSeries2\t2\nMSChart.point\tSeries2\t0\t1\nMSChart.point\tSeries2\t1\t2\n" + rest);
    options.uncalibrated = false;
    // Calibrated ("high": no configuration before the spectrum), in ascending x order.
    EXPECT_EQ(show(), "MSChart.series\tSeries2\t2\nMSChart.point\tSeries2\t0.177522674\t2\n"
                      "MSChart.point\tSeries2\t0.178506255\t1\n" + rest);
}

TEST_F(DumpCommandsTest, TimeListNumbersTheEntriesFromZero)
{
    EXPECT_EQ(printed(printTimeList), "0\tRegular HK\n1\tInternal HK\n2\tGC/MS - Parameter\n3\tGC/MS - Parameter\n"
                                      "4\tTC: \n5\tTime: 01-Jan-03 00:00:01,000\n6\tSpectrum 0 (2 smp)\n");
}

// Housekeeping as orvik-dump shows it: rows formatted with ".", the status tree, the half picked.
TEST_F(DocumentTest, ShowPrintsTheHousekeepingRowsOfTheHalfPicked)
{
    Words block = counting(128, 100);
    block[60] = 0xC005;
    block[124] = 0x4005;
    open(Archive().add(Packet{.serviceType = 3, .data = le({0}) + le(block)}));
    const auto show = [this](int half) {
        std::ostringstream out;
        DumpOptions options;
        options.half = half;
        printShow(doc, 0, options, out);
        return out.str();
    };
    const auto count = [](const std::string& text, const std::string& key) {
        size_t n = 0;
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1))
            ++n;
        return n;
    };

    const std::string first = show(0);
    EXPECT_THAT(first, ::testing::HasSubstr("HKPacketHalf.visible\ttrue\nHKPacketHalf.itemIndex\t0\n"
                                            "HKListView.row\tORVH_p5V_C\t18.30\tmA\tCurrent +5V\n"));
    EXPECT_THAT(first, ::testing::HasSubstr("HKListView.row\tORVH_He1_Pressure\t1856.00\tmbar\tPressure He tank 1\n"));
    EXPECT_THAT(first, ::testing::HasSubstr("HKTreeView1.node\tSystem Status 2 = 0xC005 SSV, MM\n"
                                            "HKTreeView1.node\t  11.. .... .... .... Single Shot Valve 01: armed, "
                                            "11:fired\n"));
    EXPECT_THAT(first, ::testing::HasSubstr("InternalHKListView.row\tORVH_Alloc_BRAM_Size\t-\t-\t"));
    EXPECT_EQ(count(first, "HKListView.row\t"), 64u + 92u);
    EXPECT_EQ(count(first, "InternalHKListView.row\t"), 92u);

    const std::string second = show(1);
    EXPECT_THAT(second, ::testing::HasSubstr("HKPacketHalf.itemIndex\t0\nHKPacketHalf.itemIndex\t1\n"));
    EXPECT_THAT(second, ::testing::HasSubstr("HKListView.row\tORVH_He1_Pressure\t2880.00\tmbar\t"))
        << "16 × block word 80, data word 81";
    EXPECT_THAT(second, ::testing::HasSubstr("HKTreeView1.node\tSystem Status 2 = 0x4005 SSV, MM\n"));
    EXPECT_EQ(count(second, "HKListView.row\t"), 64u + 92u) << "the rows are printed once, as painted";
    // The tree is filled twice, for the node and for the half picked, and printed in that order.
    EXPECT_EQ(count(second, "HKTreeView1.node\tSystem Status 2"), 2u);
    EXPECT_LT(second.find("System Status 2 = 0xC005"), second.find("System Status 2 = 0x4005"));
}

TEST(ShowPrinter, VirtualRowsArePrintedOnceFromTheRowSource)
{
    using namespace orvik::display;
    const std::vector<Write> writes = {
        {"list", Property::RowCount, 3},
        {"page", Property::TabVisible, true},
        {"list", Property::RowCount, 2},
    };
    std::ostringstream withRows, countOnly;
    printWrites(writes, false, withRows, [](const std::string& list, size_t row) {
        return ReportRow{list, std::to_string(row)};
    });
    printWrites(writes, false, countOnly);
    // The list keeps its place: it was written first.
    EXPECT_EQ(withRows.str(), "list.row\tlist\t0\nlist.row\tlist\t1\npage.tabVisible\ttrue\n");
    EXPECT_EQ(countOnly.str(), "list.rowCount\t2\npage.tabVisible\ttrue\n");
}

TEST(ShowPrinter, WritesEveryPropertyKindOnePerLine)
{
    using namespace orvik::display;
    const std::vector<Write> writes = {
        {"memo", Property::Text, std::string("two\nlines")},
        {"grid", Property::Cell, GridCell{2, 1, "x"}},
        {"memo", Property::Hint, std::string("0x0F00")},
        {"list", Property::Items, std::vector<ListItem>{{"passed", 1}, {"plain", -1}}},
        {"tree", Property::Nodes, std::vector<TreeItem>{{"top", 0}, {"child", 1}}},
        {"report", Property::Rows, std::vector<ReportRow>{{"a", "b"}}},
        {"page", Property::TabVisible, false},
        {"chart", Property::Title, std::string("MS")},
        {"chart", Property::Series, std::vector<ChartSeries>{{"S", {{0.5, 1e10}, {2, 3}}}}},
    };
    std::ostringstream plain, withPoints;
    printWrites(writes, false, plain);
    printWrites(writes, true, withPoints);
    const std::string expected = "memo\ttwo\\nlines\nmemo.hint\t0x0F00\ngrid[2,1]\tx\nlist.item\tpassed\t1\n"
                                 "list.item\tplain\ntree.node\ttop\ntree.node\t  child\nreport.row\ta\tb\n"
                                 "page.tabVisible\tfalse\nchart.title\tMS\nchart.series\tS\t2\n";
    EXPECT_EQ(plain.str(), expected);
    EXPECT_EQ(withPoints.str(), expected + "chart.point\tS\t0.5\t1e+10\nchart.point\tS\t2\t3\n");
}

} // namespace

TEST(DumpOptions, RawTakesAnEntryAndNoOtherCommand)
{
    const ParsedOptions raw = parseDumpOptions({"--raw", "7", "a.dat"});
    ASSERT_TRUE(raw.options) << raw.error;
    EXPECT_EQ(raw.options->command, Command::Raw);
    EXPECT_EQ(raw.options->entry, 7u);
    EXPECT_EQ(raw.options->archive, "a.dat");
    EXPECT_EQ(parseDumpOptions({"--raw", "a.dat"}).error, "--raw takes a time-list entry number (see --help)");
    EXPECT_EQ(parseDumpOptions({"--raw", "x", "a.dat"}).error, "--raw takes a time-list entry number (see --help)");
    EXPECT_EQ(parseDumpOptions({"--show", "1", "--raw", "2", "a.dat"}).error, "--raw excludes the other commands");
    EXPECT_THAT(usageText, ::testing::HasSubstr("  --raw K "));
}

// CLI11 on its own reads C literals ("010" as eight, "0x10") and throws on a repeated option.
TEST(DumpOptions, TakesDecimalEntryNumbersAndTheLastValueOfARepeatedOption)
{
    const auto parsed = [](std::vector<std::string> args) {
        const ParsedOptions p = parseDumpOptions(args);
        EXPECT_TRUE(p.options) << p.error;
        return p.options.value_or(DumpOptions{});
    };
    EXPECT_EQ(parsed({"--show", "010", "a.dat"}).showEntry, 10u);
    EXPECT_EQ(parsed({"--show", "1", "--show", "2", "a.dat"}).showEntry, 2u);
    const DumpOptions dump = parsed({"--export-dump", "08", "--export-dump", "9", "--text", "s.txt", "a.dat"});
    EXPECT_EQ(dump.entry, 9u);
    EXPECT_EQ(dump.output, "s.txt");
    for (const char* bad : {"0x10", "+1", "1.5", "18446744073709551616"})
        EXPECT_EQ(parseDumpOptions({"--raw", bad, "a.dat"}).error, "--raw takes a time-list entry number (see --help)")
            << bad;
}

TEST(DumpOptions, VersionNeedsNoArchiveAndTheHelpNamesIt)
{
    EXPECT_EQ(parseDumpOptions({"--version"}).options.value_or(DumpOptions{}).command, Command::Version);
    EXPECT_EQ(parseDumpOptions({"--tree", "--version", "a.dat"}).options.value_or(DumpOptions{}).command,
              Command::Version);
    EXPECT_THAT(usageText, ::testing::HasSubstr("\nUsage: orvik-dump [OPTIONS] FILE\n"));
    EXPECT_EQ(versionText, "orvik-dump " ORVIK_FILE_VERSION);
}

TEST_F(DumpCommandsTest, RawPrintsThePacketHeaderAndItsBytesOrANote)
{
    const auto raw = [this](size_t k) {
        return printed([k](const ArchiveDocument& d, std::ostream& out) { printRaw(d, k, out); });
    };
    const std::string housekeeping = raw(0);
    EXPECT_THAT(housekeeping, ::testing::StartsWith("Packet, 24 bytes\nSync                   0x1ACF 0xFC1D\n"));
    EXPECT_THAT(housekeeping, ::testing::HasSubstr("\nService type           3\n"));
    EXPECT_THAT(housekeeping, ::testing::EndsWith("\n\n00000000  CF 1A 1D FC 10 0F 00 00  0D 00 00 00 00 00 00 00  "
                                                  "|................|\n"
                                                  "00000010  03 00 00 00 00 00 00 00" + std::string(27, ' ') +
                                                  "|........|\n"));
    EXPECT_THAT(raw(4), ::testing::StartsWith("Telecommand record, 33 words\n"));
    EXPECT_EQ(raw(5), "Time node: it holds no bytes of its own\n");
}

// The tool itself: the raw view on standard output, or a message and exit code 2.
TEST_F(DumpCommandsTest, TheToolPrintsTheRawViewOrRefusesAnEntryOutOfRange)
{
    const std::string archive = (dir.path() / "archive.cvlbin").string();
    const auto run = [&](const std::string& entry) { return runDump("--raw " + entry + " '" + archive + "'"); };
    std::ostringstream expected;
    printRaw(doc, 6, expected);
    EXPECT_EQ(run("6"), std::pair(0, expected.str()));
    EXPECT_EQ(run("7"), std::pair(2, std::string("orvik-dump: entry 7 is out of range: the time list has 7 entries\n")));
}

namespace {

// A file without a frame opens, with the warning before the (empty) summary; its name
// reaches the tool whatever characters it holds.
TEST(DumpTool, AFileWithoutAFrameIsSaidToBeNoArchiveOfThisKind)
{
    TempDir dir;
    for (const std::string name : {"empty.cvlbin", "Prüfstand Ωμέγα 試験.cvlbin"}) {
        const std::string file = dir.write(name, {});
        const auto [code, output] = runDump("'" + file + "'");
        EXPECT_EQ(code, 0);
        EXPECT_THAT(output, ::testing::StartsWith("orvik-dump: warning: No packet was found in " + file +
                                                  ": it is not an archive of this kind, or it is empty\nPackets: 0\n"));
    }
}

} // namespace
