// Every hand-made malformed archive opens in orvik-dump: exit code 0, a warning
// where the file was wrong, and every time-list entry shown and viewed raw.

#include "tools/dump/DumpCommands.h"
#include "tests/archive/MalformedArchives.h"
#include "tests/dump/RunTool.h"

#include <sstream>

using namespace orvik;
using namespace orvik::dump;
using namespace orvik::test;

namespace {

class MalformedCorpusTest : public ::testing::TestWithParam<std::string> {
protected:
    std::string write() { return dir.write(GetParam(), malformedArchives().at(GetParam())); }
    // What the tool says before its summary.
    std::string warningLines() const
    {
        const std::string warning = openWarnings(GetParam());
        return warning.empty() ? "" : "orvik-dump: warning: " + warning + "\n";
    }
    TempDir dir;
};

TEST_P(MalformedCorpusTest, OpensInTheToolWithAWarningWhereTheFileIsWrong)
{
    const std::string file = write();
    const auto [code, output] = runDump("'" + file + "'");
    EXPECT_EQ(code, 0) << output;
    EXPECT_THAT(output, ::testing::StartsWith(warningLines())) << output;
    EXPECT_THAT(output, ::testing::HasSubstr("Packets: "));
    EXPECT_EQ(output.find("warning:", warningLines().size()), std::string::npos) << output;
}

TEST_P(MalformedCorpusTest, EveryEntryIsShownAndViewedRaw)
{
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(write()));
    for (size_t k = 0; k < doc.timeListNodes().size(); ++k) {
        DumpOptions options;
        for (bool uncalibrated : {false, true}) {
            options.uncalibrated = uncalibrated;
            std::ostringstream shown;
            printShow(doc, k, options, shown);
        }
        std::ostringstream raw;
        printRaw(doc, k, raw);
        EXPECT_FALSE(raw.str().empty()) << "entry " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MalformedCorpusTest, ::testing::ValuesIn(malformedArchiveNames()),
                         [](const auto& info) { return testNameOf(info.param); });

} // namespace
