// orvik-dump --trend: the list of mnemonics, the series of the demo archive as
// the tool prints them, and the refusal of a mnemonic that names no parameter.

#include "tests/archive/ArchiveBuilder.h"
#include "tools/dump/DumpCommands.h"
#include "tools/dump/DumpOptions.h"
#include "display/HousekeepingTrend.h"
#include "tests/dump/RunTool.h"

#include <algorithm>
#include <sstream>

using namespace orvik;
using namespace orvik::dump;
using orvik::test::runDump;

namespace {

TEST(TrendDumpTest, TakesACommaSeparatedListAndNoOtherCommand)
{
    const ParsedOptions parsed = parseDumpOptions({"--trend", "ORVH_Oven_Temp,ORVH_p5V_C", "a.dat"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->command, Command::Trend);
    EXPECT_EQ(parsed.options->trend, (std::vector<std::string>{"ORVH_Oven_Temp", "ORVH_p5V_C"}));
    EXPECT_EQ(parsed.options->archive, "a.dat");
    EXPECT_EQ(parseDumpOptions({"--trend", "A,,B", "a.dat"}).options->trend, (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(parseDumpOptions({"--trend", "a.dat"}).error,
              "--trend takes a list of mnemonics separated by commas (see --help)");
    EXPECT_EQ(parseDumpOptions({"--tree", "--trend", "X", "a.dat"}).error, "--trend excludes the other commands");
    EXPECT_THAT(usageText, ::testing::HasSubstr("  --trend MNEMONIC[,MNEMONIC...]\n"));
}

TEST(TrendDumpTest, TheToolPrintsTheSeriesOfTheDemoArchive)
{
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE)) << doc.openError();
    const display::HkParameterList parameters{display::parameterNamed("ORVH_Oven_Temp"),
                                              display::parameterNamed("ORVH_He1_Pressure")};
    std::ostringstream expected;
    printTrend(doc, parameters, expected);
    const std::string text = expected.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              1 + std::ptrdiff_t(display::trendSamples(doc).size()));
    EXPECT_THAT(text, ::testing::StartsWith("LOBT [UTC],ORVH_Oven_Temp [°C],ORVH_He1_Pressure [mbar]\n\"20"));

    EXPECT_EQ(runDump("--trend ORVH_Oven_Temp,ORVH_He1_Pressure '" ORVIK_DEMO_ARCHIVE "'"), std::pair(0, text));
}

TEST(TrendDumpTest, AnUnknownMnemonicIsToldInOneLineBeforeTheArchiveIsRead)
{
    const std::string message = "orvik-dump: unknown parameter 'ORVH_Nothing' (see --help)\n";
    EXPECT_EQ(runDump("--trend ORVH_Oven_Temp,ORVH_Nothing '" ORVIK_DEMO_ARCHIVE "'"), std::pair(2, message));
    EXPECT_EQ(runDump("--trend ORVH_Nothing /no/such/archive.cvlbin"), std::pair(2, message));
    EXPECT_EQ(runDump("--trend ORVH_Oven_Temp, '" ORVIK_DEMO_ARCHIVE "'"),
              std::pair(2, std::string("orvik-dump: unknown parameter '' (see --help)\n")));
}

} // namespace
