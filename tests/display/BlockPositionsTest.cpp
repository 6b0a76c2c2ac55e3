// Where the dispatcher finds the parameter and configuration blocks of each node kind.

#include "display/MainDisplay.h"
#include "tests/display/NodePaths.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

class BlockPositionsTest : public DocumentTest {
protected:
    void SetUp() override
    {
        // Every word holds its own position, so each label tells where it was read.
        ScienceStreamBuilder science;
        science.tc(gcCommand).cd(counting(90, 0)).pd(counting(55, 0));
        // Packets: data word 0, the category, then data words 2.. counting from 2.
        open(Archive()
                 .add({categoryPacket(Category::DevParameter, counting(40, 2)),
                       categoryPacket(Category::GcMsParameter, counting(40, 2)),
                       categoryPacket(Category::DevParameter, {2, 3})})
                 .add(science.blocks()));
    }
    void show(const std::string& path, size_t nth = 0)
    {
        std::vector<NodeId> matches;
        for (NodeId node : doc.timeListNodes())
            if (doc.tree().text(node) == path.substr(path.rfind('>') + 2))
                matches.push_back(node);
        ASSERT_LT(nth, matches.size()) << path;
        display.components.beginDisplay();
        display.displayNode(doc.tree(), matches[nth]);
    }
    std::string text(const std::string& name) const { return display.components.find(name)->text(); }
    std::string cell(int col, int row) const { return display.components.find("StringGrid1")->cells().at({col, row}); }

    MainDisplay display;
};

TEST_F(BlockPositionsTest, OvenTpstParameterPacket)
{
    show("System > Oven/TPST Parameter");
    EXPECT_EQ(text("tpst_pos_open"), "3");
    EXPECT_EQ(text("tpst_pos_lower"), "8");
    EXPECT_EQ(text("tpst_ctrl_timeout"), "12") << "control block at data word 10";
    EXPECT_EQ(cell(1, 1), "0x0F") << "oven block at data word 15";
    EXPECT_EQ(cell(2, 1), "0x19");
    EXPECT_EQ(text("phcycles"), "23");
}

TEST_F(BlockPositionsTest, GcMsParameterPacket)
{
    show("GC > GC/MS - Parameter");
    EXPECT_EQ(text("csib_ms_specdepth"), "24k") << "MS block at data word 3";
    EXPECT_EQ(text("csib_ms_words"), "20");
    EXPECT_EQ(text("csib_gc_coltemp1"), "22") << "GC block at data word 22";
    EXPECT_EQ(text("csib_gc_tenaxtime"), "31");
}

TEST_F(BlockPositionsTest, CsibParameterRecordHoldsTheFiveBlocksBackToBack)
{
    show("GC > Dataset (0) > CSIB(Par)");
    EXPECT_EQ(text("tpst_pos_open"), "0");
    EXPECT_EQ(text("tpstctrl_ignoresd2"), "yes");
    EXPECT_EQ(text("tpst_ctrl_timeout"), "8");
    EXPECT_EQ(cell(1, 1), "0x0A");
    EXPECT_EQ(cell(2, 1), "0x14");
    EXPECT_EQ(text("csib_ms_specdepth"), "216k") << "MS parameters from word 27";
    EXPECT_EQ(text("csib_ms_words"), "44");
    EXPECT_EQ(text("csib_gc_coltemp1"), "45") << "GC parameters from word 45";
    EXPECT_EQ(text("csib_gc_tenaxtime"), "54");
}

TEST_F(BlockPositionsTest, CsibConfigRecordFillsAllThreeConfigurationPages)
{
    show("GC > Dataset (0) > CSIB(Cfg)");
    EXPECT_EQ(text("ms_cfg_emissioni"), "0x0021") << "MS configuration from word 30";
    EXPECT_EQ(text("gc_cfg_injection"), "64") << "GC configuration from word 60";
    EXPECT_EQ(text("gc_cfg_colheadpre"), "0x0043");
    EXPECT_EQ(text("tpst_cfg_potivalue"), "3") << "TPST configuration from word 0: by potentiometer, word 3";
    EXPECT_EQ(display.components.find("PageControl1")->text(Property::ActivePage), "GCtab");
}

TEST_F(BlockPositionsTest, AParameterPacketTooShortForItsBlocksShowsDashes)
{
    show("System > Oven/TPST Parameter", 1);
    EXPECT_EQ(text("tpst_pos_open"), "3");
    EXPECT_EQ(text("tpst_pos_contacts"), "-");
    EXPECT_EQ(display.components.find("tpst_pos_contacts")->text(Property::Hint), "");
    EXPECT_EQ(text("tpst_ctrl_timeout"), "-");
    EXPECT_EQ(cell(1, 8), "-");
    EXPECT_EQ(text("phdecay"), "-");
}

} // namespace
