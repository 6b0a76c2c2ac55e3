// The event pages as the window drives them: a click in the test-result list and
// the dump page's scroll bar act only on what they may still read.

#include "tests/archive/ArchiveBuilder.h"
#include "display/MainDisplay.h"
#include "display/MemoryDumpDisplay.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

// Test results of MS and GC (data word 3), with MS address words 9 and 10.
Packet testResults(uint16_t addressHigh)
{
    Words more(121, 0);
    more[1] = 0x0303;
    more[7] = 0x5678;
    more[8] = addressHigh;
    return categoryPacket(Category::TestResults, more);
}

Words page(uint16_t first)
{
    return counting(128, first);
}

class EventNodesTest : public DocumentTest {
protected:
    void SetUp() override
    {
        open(Archive().add({testResults(0x1234), categoryPacket(Category::ErrorMessages, {0, 0x100B}),
                            dumpHeader(0x000F, 3), dumpPage(page(0x1000)), dumpPage(page(0x2000)),
                            dumpPage(page(0x3000)), testResults(0x9999)}));
    }
    NodeId timeNode(size_t k) const { return doc.timeListNodes()[k]; }
    void show(size_t k)
    {
        display.components.beginDisplay();
        display.displayNode(doc.tree(), timeNode(k));
    }
    std::string text(const std::string& component) const
    {
        const ComponentState* s = display.components.find(component);
        return s ? s->text() : "<never written>";
    }

    MainDisplay display;
};

TEST_F(EventNodesTest, TimeListHoldsTheEventNodes)
{
    EXPECT_EQ(timeList(), (std::vector<std::string>{"Test Results", "Error Message", "Memory Dump (MM)",
                                                    "Test Results"}));
}

TEST_F(EventNodesTest, AUnitClickReadsThePacketThatFilledTheList)
{
    show(0);
    show(1); // another node is current now; the list still shows the first test results
    display.testresultListView1SelectItem("MS");
    EXPECT_EQ(text("mstestaddr"), "0x12345678");

    show(3);
    display.testresultListView1SelectItem("MS");
    EXPECT_EQ(text("mstestaddr"), "0x99995678");
}

TEST_F(EventNodesTest, AUnitClickAfterTheFileWasReleasedDoesNothing)
{
    show(0);
    display.releaseArchive();
    open(Archive().add(categoryPacket(Category::ErrorMessages, {0, 0x100B})));
    display.components.beginDisplay();
    display.testresultListView1SelectItem("MS");
    EXPECT_TRUE(display.components.writes().empty());
    EXPECT_EQ(text("mstestaddr"), "<never written>");
}

TEST_F(EventNodesTest, ScrollingTurnsThePageOfTheChosenDumpOnly)
{
    show(2);
    EXPECT_EQ(text("MemDumpMemo").substr(0, 5), "1000 ");

    display.memDumpScrollBar1Scroll(doc.tree(), timeNode(2), 2);
    EXPECT_EQ(text("MemDumpPacket"), "2");
    EXPECT_EQ(text("MemDumpMemo"), pageText(*doc.tree().wrapper(timeNode(2)).record<MemoryDumpImage>(), 2));
    EXPECT_EQ(text("MemDumpMemo").substr(0, 5), "3000 ");

    // No node chosen, or another kind: the bar moves, the page stays.
    for (NodeId chosen : {noNode, timeNode(1)}) {
        display.components.beginDisplay();
        display.memDumpScrollBar1Scroll(doc.tree(), chosen, 1);
        EXPECT_TRUE(display.components.writes().empty());
        EXPECT_EQ(text("MemDumpPacket"), "2");
    }
    EXPECT_EQ(display.components.number("MemDumpScrollBar1", Property::Position), 1);
    show(2);
    EXPECT_EQ(text("MemDumpPacket"), "1") << "the dump is shown where the bar was left";
}

} // namespace
