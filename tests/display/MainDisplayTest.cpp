// Which pages a node brings to the front, which tabs it shows, and what it leaves alone.

#include "tests/archive/ArchiveBuilder.h"
#include "display/MainDisplay.h"

#include <set>

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

class MainDisplayTest : public DocumentTest {
protected:
    void SetUp() override
    {
        ScienceStreamBuilder science;
        for (const Words& command : {msCommand, gcCommand, gcmsCommand}) {
            science.tc(command).ti(32).cd(Words(90, 0)).pd(Words(55, 0)).hk(107, Words(106, 0));
            science.sweep(Tag::AG).sweep(Tag::AM).spectrum(Tag::MS, 0, {1, 2}).spectrum(Tag::GC, 0, {3});
        }
        open(Archive()
                 .add({regularHk(), categoryPacket(Category::InternalHk, Words(70, 0)),
                       categoryPacket(Category::DevParameter, Words(40, 0)),
                       categoryPacket(Category::GcMsParameter, Words(40, 0)), categoryPacket(Category::TestResults),
                       categoryPacket(Category::ErrorMessages), categoryPacket(Category::TpstReport),
                       categoryPacket(Category::ExecutionReport), dumpHeader(0x000F, 1), dumpPage(Words(128, 0))})
                 .add(science.blocks()));
    }

    // The first node with this path (see outline()) shown, and the page actions it made.
    std::string show(const std::string& path)
    {
        const std::vector<std::string> paths = outline(doc.tree());
        const auto it = std::find(paths.begin(), paths.end(), path);
        EXPECT_NE(it, paths.end()) << path;
        display.components.beginDisplay();
        display.displayNode(doc.tree(), nodeAt(size_t(it - paths.begin())));
        std::string text;
        for (const Write& w : display.components.writes())
            if (isPageAction(w.property))
                text += w.component + "=" + valueText(w.value) + " ";
        return text;
    }
    std::optional<bool> tabVisible(const std::string& page) const
    {
        return display.components.flag(page, Property::TabVisible);
    }

    MainDisplay display;

private:
    // Node ids in the order outline() lists them.
    NodeId nodeAt(size_t index) const
    {
        std::vector<NodeId> order;
        collect(noNode, order);
        return order.at(index);
    }
    void collect(NodeId parent, std::vector<NodeId>& order) const
    {
        for (NodeId child : doc.tree().children(parent)) {
            order.push_back(child);
            collect(child, order);
        }
    }
    // What brings pages forward or hides tabs; the decoders' texts are tested with the decoders.
    static bool isPageAction(Property p)
    {
        return p == Property::ActivePage || p == Property::TabVisible || p == Property::Visible ||
               p == Property::ItemIndex;
    }
    static std::string valueText(const Value& v)
    {
        if (const auto* s = std::get_if<std::string>(&v))
            return *s;
        if (const auto* b = std::get_if<bool>(&v))
            return *b ? "true" : "false";

        return std::to_string(std::get<int>(v));
    }
};

TEST_F(MainDisplayTest, EachKindActivatesItsPagesInOrder)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Housekeeping > Regular HK",
         "HKPacketHalf=true HKPacketHalf=0 PageControl1=RegularHKTabSheet "},
        {"Housekeeping > Internal HK", "HKPacketHalf=false PageControl1=RegularHKTabSheet "},
        {"System > Oven/TPST Parameter",
         "TabSheet1=true TabSheet2=false TabSheet3=false PageControl2=TabSheet1 CSIBPageControl=DeviceParTabSheet "
         "PageControl1=CSIBTabSheet "},
        {"MS > GC/MS - Parameter",
         "PageControl2=TabSheet3 TabSheet1=false TabSheet2=true TabSheet3=true CSIBPageControl=DeviceParTabSheet "
         "PageControl1=CSIBTabSheet "},
        {"GC > GC/MS - Parameter",
         "PageControl2=TabSheet2 TabSheet1=false TabSheet2=true TabSheet3=true CSIBPageControl=DeviceParTabSheet "
         "PageControl1=CSIBTabSheet "},
        {"System > Test Results", "PageControl1=TestResultTabSheet "},
        {"System > Error Message", "PageControl1=ErrMsgTabSheet "},
        {"System > TPST Report", "PageControl3=TPSTReportTabSheet PageControl1=TPSTTabSheet "},
        {"System > Execution Report", "PageControl1=TCExeReportTabSheet "},
        {"System > Memory Dump (MM)", "PageControl1=MemDumpTabSheet "},
        {"MS > Dataset (0) > TC: ", "PageControl1=TCTabSheet "},
        {"MS > Dataset (0) > Full HK", "HKPacketHalf=false PageControl1=RegularHKTabSheet "},
        {"MS > Dataset (0) > HKSweep > GC HK (0)", "GCPageControl=GCParTabSheet1 PageControl1=GCtab "},
        {"MS > Dataset (0) > HKSweep > MS HK (1)", "MSPageControl=MSParTabSheet PageControl1=MSTab "},
        {"MS > Dataset (0) > Spectrum 0 (2 smp)", "MSPageControl=MSSpecTabSheet PageControl1=MSTab "},
        {"MS > Dataset (0) > Spectrum 1 (1 smp)", "GCPageControl=GCSpecTabSheet PageControl1=GCtab "},
        {"MS > Dataset (0) > CSIB(Cfg)", "PageControl1=MSTab MSPageControl=MSCfgTabSheet "},
        {"GCMS > Dataset (2) > CSIB(Cfg)", "PageControl1=MSTab MSPageControl=MSCfgTabSheet "},
        {"GC > Dataset (1) > CSIB(Cfg)", "PageControl1=GCtab GCPageControl=GCCfgTabSheet "},
        {"GC > Dataset (1) > CSIB(Par)",
         "PageControl2=TabSheet2 TabSheet1=true TabSheet2=true TabSheet3=true DeviceParTabSheet=true "
         "PageControl1=CSIBTabSheet "},
        {"GCMS > Dataset (2) > CSIB(Par)",
         "TabSheet1=true TabSheet2=true TabSheet3=true DeviceParTabSheet=true PageControl1=CSIBTabSheet "},
        // Groups and time stamps show nothing.
        {"Housekeeping", ""},
        {"MS > Dataset (0)", ""},
        {"MS > Dataset (0) > HKSweep", ""},
        {"MS > Dataset (0) > Time: 01-Jan-03 00:00:01,000", ""},
    };
    for (const auto& [path, writes] : cases)
        EXPECT_EQ(show(path), writes) << path;
}

// A kind is added by one entry in each table: a kind left out of one of them is a node
// that shows nothing or a packet that makes a node nobody can name.
TEST(KindTablesTest, EveryNodeKindIsNamedOnceAndShownUnlessItHoldsNothingToShow)
{
    std::set<int16_t> named;
    for (const NodeKindEntry& entry : nodeKinds)
        EXPECT_TRUE(named.insert(entry.kind).second) << entry.kind;
    std::set<int16_t> shown;
    for (const MainDisplay::KindDisplay& entry : MainDisplay::kindDisplays()) {
        EXPECT_TRUE(named.count(entry.kind)) << entry.kind;
        EXPECT_TRUE(shown.insert(entry.kind).second) << entry.kind;
    }
    for (int16_t kind : named)
        EXPECT_EQ(shown.count(kind), kind != NodeKind::Group && kind != NodeKind::Time) << kind;
    for (const CategoryEntry& entry : categories) {
        const bool makesOwnNode = entry.placement == Placement::Housekeeping || entry.placement == Placement::System ||
                                  entry.placement == Placement::MsAndGc;
        EXPECT_EQ(named.count(entry.nodeKind), makesOwnNode) << entry.statisticsRow;
    }
}

TEST_F(MainDisplayTest, TabsStayAsTheLastParameterNodeLeftThem)
{
    show("System > Oven/TPST Parameter");
    EXPECT_EQ(tabVisible("TabSheet2"), false);
    show("GC > Dataset (1) > CSIB(Par)");
    EXPECT_EQ(tabVisible("TabSheet1"), true);
    EXPECT_EQ(tabVisible("TabSheet2"), true);
    EXPECT_EQ(tabVisible("TabSheet3"), true);
    show("MS > Dataset (0) > TC: ");
    EXPECT_EQ(tabVisible("TabSheet2"), true) << "other kinds leave the tabs alone";
}

TEST_F(MainDisplayTest, HousekeepingNodesChooseTheBlockAndResetTheHalf)
{
    display.hkHalf = 1;
    show("Housekeeping > Internal HK");
    EXPECT_EQ(display.hkHalf, 0);
    EXPECT_EQ(display.currentHkData.byteCount(), 2u * (70 + 2 - 3)) << "data word 3 to the end of the packet";

    display.hkHalf = 1;
    show("MS > Dataset (0) > Full HK");
    EXPECT_EQ(display.hkHalf, 0);
    EXPECT_EQ(display.currentHkData.wordCount(), 106u);

    display.hkHalf = 1;
    show("Housekeeping > Regular HK");
    EXPECT_EQ(display.hkHalf, 0);
    EXPECT_EQ(display.components.number("HKPacketHalf", Property::ItemIndex), 0);
}

} // namespace
