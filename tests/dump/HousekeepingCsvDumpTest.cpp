// orvik-dump --hk-csv on the demo archive: a header and two lines per "Regular HK"
// packet, each with the time and a value for every parameter.

#include "tests/archive/ArchiveBuilder.h"
#include "tools/dump/DumpCommands.h"
#include "display/HousekeepingCsv.h"
#include "display/HousekeepingSamples.h"
#include "display/Parameters.h"

#include <algorithm>
#include <sstream>

using namespace orvik;
using namespace orvik::dump;

TEST(HousekeepingCsvDumpTest, TheDemoArchiveGivesTwoLinesPerRegularPacket)
{
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE)) << doc.openError();
    const size_t packets = display::regularHkBlocks(doc).size();
    ASSERT_GT(packets, 0u);

    std::ostringstream out;
    printHousekeepingCsv(doc, out);
    std::istringstream lines(out.str());
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line + '\n', display::housekeepingCsvHeader(display::HousekeepingLists().regularHkList));
    size_t rows = 0;
    std::string previousTime;
    while (std::getline(lines, line)) {
        ++rows;
        // "yyyy-mm-dd hh:mm:ss,mmm" in quotes, then 64 values: 65 commas in all.
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 65) << line;
        ASSERT_EQ(line.find("\"20"), 0u) << line;
        const std::string time = line.substr(0, line.find('"', 1));
        EXPECT_GE(time, previousTime) << "the simulated clock only advances";
        EXPECT_EQ((line + ',').find(",-,"), std::string::npos) << "the demo's packets hold every word: " << line;
        previousTime = time;
    }
    EXPECT_EQ(rows, 2 * packets);
}
