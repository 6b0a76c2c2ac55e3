// The "Regular HK" page and the "InternalHK" list: which words each housekeeping
// node shows, the half selector, and blocks too short for their words.

#include "display/MainDisplay.h"
#include "tests/display/NodePaths.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

class HousekeepingDisplayTest : public DocumentTest {
protected:
    void SetUp() override
    {
        block = counting(128, 1000);
        block[60] = 0xC005;
        block[61] = 0x2395;
        block[124] = 0x4005;
        block[125] = 0x0001;
        Words internal = counting(92, 3000); // data words 2.., the block from data word 3
        ScienceStreamBuilder science;
        science.tc(msCommand).hk(107, counting(106, 5000));
        open(Archive()
                 .add({regularHkWith(block), categoryPacket(Category::InternalHk, internal),
                       regularHkWith(counting(10, 1)), categoryPacket(Category::InternalHk, {0})})
                 .add(science.blocks()));
    }

    void show(const std::string& path, size_t nth = 0)
    {
        NodeId node = nodeAtPath(doc.tree(), path);
        ASSERT_NE(node, noNode) << path;
        const auto& siblings = doc.tree().children(doc.tree().parent(node));
        size_t seen = 0;
        for (NodeId sibling : siblings)
            if (doc.tree().text(sibling) == doc.tree().text(node) && seen++ == nth)
                node = sibling;
        display.components.beginDisplay();
        display.displayNode(doc.tree(), node);
    }
    std::string value(size_t row) const { return display.HKListViewData(row).at(1); }
    std::string internalValue(size_t row) const { return display.InternalHKListViewData(row).at(1); }
    std::vector<TreeItem> statusNodes() const
    {
        const Value* nodes = display.components.find("HKTreeView1")->get(Property::Nodes);
        return std::get<std::vector<TreeItem>>(*nodes);
    }
    std::optional<int> rowCount(const std::string& list) const
    {
        return display.components.number(list, Property::RowCount);
    }
    static std::string fixed(double v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", v);
        return text;
    }

    Words block;
    MainDisplay display;
};

TEST_F(HousekeepingDisplayTest, RegularHkShowsTheFirstHalfRowsAndStatusWords)
{
    display.hkHalf = 1;
    show("Housekeeping > Regular HK");
    EXPECT_EQ(display.hkHalf, 0);
    EXPECT_EQ(rowCount("HKListView"), 64);
    EXPECT_EQ(rowCount("InternalHKListView"), 92);
    EXPECT_EQ(display.HKListViewData(16), (ReportRow{"ORVH_He1_Pressure", fixed(16.0 * block[16]), "mbar",
                                                     "Pressure He tank 1"}));
    EXPECT_EQ(value(5), fixed(block[5])) << "identity rows add .00";
    EXPECT_EQ(statusNodes().front().text, "System Status 2 = 0xC005 SSV, MM");
    EXPECT_EQ(statusNodes().at(5).text, "System Status 1 = 0x2395 System Mode, Power Switches");
    EXPECT_EQ(display.HKListViewData(64), ReportRow(4)) << "no row beyond the list";
}

TEST_F(HousekeepingDisplayTest, PickingTheSecondHalfReadsWords64On)
{
    show("Housekeeping > Regular HK");
    display.components.beginDisplay();
    display.HKPacketHalfChange(1);
    EXPECT_EQ(display.hkHalf, 1);
    EXPECT_EQ(value(16), fixed(16.0 * block[64 + 16])) << "data word 81 of the packet";
    EXPECT_EQ(statusNodes().front().text, "System Status 2 = 0x4005 SSV, MM");
    EXPECT_EQ(statusNodes().at(5).text, "System Status 1 = 0x0001 System Mode, Power Switches");
    std::vector<std::string> written;
    for (const Write& w : display.components.writes())
        written.push_back(w.component);
    EXPECT_THAT(written, ::testing::ElementsAre("HKPacketHalf", "HKListView", "HKTreeView1"));
    EXPECT_EQ(internalValue(16), fixed(16.0 * block[16])) << "the internal list always reads the first half";

    // No entry picked is not a half.
    display.HKPacketHalfChange(-1);
    EXPECT_EQ(display.hkHalf, 1);

    // Showing the node again goes back to the first half.
    show("Housekeeping > Regular HK");
    EXPECT_EQ(display.components.number("HKPacketHalf", Property::ItemIndex), 0);
    EXPECT_EQ(value(16), fixed(16.0 * block[16]));
}

TEST_F(HousekeepingDisplayTest, InternalListShowsInternalWordsOnlyWhereTheBlockHasThem)
{
    show("Housekeeping > Regular HK");
    EXPECT_EQ(display.InternalHKListViewData(63).at(0), "ORVH_TPST_last");
    EXPECT_EQ(internalValue(63), fixed(block[63]));
    // Words 64.. of a regular packet are its second half, not internal words.
    EXPECT_EQ(display.InternalHKListViewData(64), (ReportRow{"ORVH_Alloc_BRAM_Size", "-", "-",
                                                             "Allocated BackupRAM size"}));

    show("Housekeeping > Internal HK");
    EXPECT_EQ(display.components.flag("HKPacketHalf", Property::Visible), false);
    // The block starts at data word 3, which is word 1 of the words after the category.
    EXPECT_EQ(value(0), fixed(0.183f * 3001)) << "current +5V, signed";
    EXPECT_EQ(internalValue(64), "3065.00");
    EXPECT_EQ(internalValue(91), "3091.00") << "ORVH_Result is word 90";
    EXPECT_EQ(display.InternalHKListViewData(91).at(0), "ORVH_Result");
}

TEST_F(HousekeepingDisplayTest, FullHkRecordShowsOneHalf)
{
    show("MS > Dataset (0) > Full HK");
    EXPECT_EQ(display.components.flag("HKPacketHalf", Property::Visible), false);
    EXPECT_EQ(value(16), fixed(16.0 * 5016));
    EXPECT_EQ(internalValue(68), "5068.00") << "ORVH_Service_Sys_Status, word 68";
    EXPECT_EQ(display.currentHkData.wordCount(), 106u);
}

TEST_F(HousekeepingDisplayTest, ShortPacketsShowDashesForTheWordsTheyLack)
{
    show("Housekeeping > Regular HK", 1); // a block of 10 words
    EXPECT_EQ(value(9), "10.00");
    EXPECT_EQ(display.HKListViewData(10), (ReportRow{"ORVH_Chan10_DPU_Mux", "-", "-", "DPU Channel 10"}));
    EXPECT_EQ(statusNodes().size(), 2u);
    EXPECT_EQ(statusNodes().front().text, "System Status 2 = - SSV, MM");

    show("Housekeeping > Internal HK", 1); // no block at all
    EXPECT_EQ(display.HKListViewData(0), ReportRow(4)) << "no block: blank rows";
    EXPECT_EQ(display.InternalHKListViewData(0), ReportRow(4));
}

TEST_F(HousekeepingDisplayTest, ReleasingTheArchiveBlanksTheRowsAndKeepsTheTree)
{
    show("Housekeeping > Regular HK");
    display.components.beginDisplay();
    display.releaseArchive();
    EXPECT_TRUE(display.currentHkData.empty());
    EXPECT_EQ(display.HKListViewData(0), ReportRow(4));
    EXPECT_EQ(display.InternalHKListViewData(0), ReportRow(4));
    EXPECT_EQ(rowCount("HKListView"), 64);
    EXPECT_EQ(statusNodes().front().text, "System Status 2 = 0xC005 SSV, MM");

    // A half picked now only stores the half.
    display.components.beginDisplay();
    display.HKPacketHalfChange(1);
    EXPECT_EQ(display.hkHalf, 1);
    for (const Write& w : display.components.writes())
        EXPECT_NE(w.component, "HKTreeView1");
}

TEST_F(HousekeepingDisplayTest, VirtualRowsAreFoundByListName)
{
    show("Housekeeping > Regular HK");
    display.decimalSeparator = ",";
    EXPECT_EQ(display.virtualRow("HKListView", 5), display.HKListViewData(5));
    EXPECT_EQ(display.virtualRow("HKListView", 5).at(1), fixed(block[5]).replace(4, 1, ","));
    EXPECT_EQ(display.virtualRow("InternalHKListView", 70), display.InternalHKListViewData(70));
    EXPECT_TRUE(display.virtualRow("TreeView1", 0).empty());
}

} // namespace
