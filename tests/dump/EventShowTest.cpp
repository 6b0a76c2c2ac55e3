// orvik-dump --show prints what the event decoders wrote: list items with their
// icons, grid cells and memo texts.

#include "tests/archive/ArchiveBuilder.h"
#include "tools/dump/DumpCommands.h"
#include "tools/dump/DumpOptions.h"

#include <sstream>

using namespace orvik;
using namespace orvik::dump;
using namespace orvik::test;

namespace {

class EventShowTest : public DocumentTest {
protected:
    void SetUp() override
    {
        Words tpst(55, 0);
        tpst[1] = 0x0A0B;
        tpst[23] = 0xBEEF; // data word 25, the first backup RAM word
        open(Archive().add(
            {categoryPacket(Category::TestResults, {0, 0x0103}), categoryPacket(Category::TpstReport, tpst)}));
    }
    std::string show(size_t k)
    {
        std::ostringstream out;
        printShow(doc, k, DumpOptions{}, out);
        return out.str();
    }
};

TEST_F(EventShowTest, PrintsListItemsWithIconsGridCellsAndMemos)
{
    EXPECT_EQ(show(0), "testresult\t0x0103\ntestresultListView1.item\tMS\t1\ntestresultListView1.item\tGC\t0\n"
                       "PageControl1.active\tTestResultTabSheet\n");
    const std::string tpst = show(1);
    EXPECT_NE(tpst.find("tpst_report_StringGrid[1,1]\t0x0A0B\n"), std::string::npos) << tpst;
    EXPECT_NE(tpst.find("BRAMMemo\tBEEF 0000 "), std::string::npos) << tpst;
}

} // namespace
