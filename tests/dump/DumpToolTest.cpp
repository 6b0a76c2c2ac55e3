#include "ArchiveBuilder.h"
#include "DumpCommands.h"
#include "DumpOptions.h"

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
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DumpOptionsTest,
    ::testing::Values(OptionCase{{"a.cvlbin"}, Command::Summary, "a.cvlbin", ""},
                      OptionCase{{"--tree", "a.dat"}, Command::Tree, "a.dat", ""},
                      OptionCase{{"--time", "--time", "a.dat"}, Command::Time, "a.dat", ""},
                      OptionCase{{"--tree", "--help", "a.dat"}, Command::Help, "", ""},
                      OptionCase{{"-h"}, Command::Help, "", ""},
                      OptionCase{{"--tree", "--time", "a.dat"}, {}, "", "--tree and --time exclude each other"},
                      OptionCase{{"--bogus", "a.dat"}, {}, "", "unknown option '--bogus' (see --help)"},
                      OptionCase{{"a.dat", "--tree"}, {}, "",
                                 "unexpected argument 'a.dat': the archive comes last (see --help)"},
                      OptionCase{{"--tree"}, {}, "", "no archive given (see --help)"},
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

TEST_F(DumpCommandsTest, TimeListNumbersTheEntriesFromZero)
{
    EXPECT_EQ(printed(printTimeList), "0\tRegular HK\n1\tInternal HK\n2\tGC/MS - Parameter\n3\tGC/MS - Parameter\n"
                                      "4\tTC: \n5\tTime: 01-Jan-03 00:00:01,000\n6\tSpectrum 0 (2 smp)\n");
}

} // namespace
