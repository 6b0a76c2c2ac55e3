// "Display" in the word memos' pop-up menu: the chosen memory dump drawn in the
// memory-dump window, and nothing for any other node or none.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "tests/archive/ArchiveBuilder.h"
#include "display/widgets/Chart.h"
#include "app/Unit1.h"
#include "display/widgets/Unit3.h"

#include <QAction>
#include <QListView>
#include <QTabWidget>
#include <QTreeView>

using namespace orvik::test;
using namespace orvik::app;
using namespace orvik::widgets;
using orvik::NodeId;
using orvik::display::ChartPoint;

class MemoryDumpWindowTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        // A 2-page dump whose words run through 0xFFFF, then an error message.
        window.currentFileName = QString::fromStdString(dir.write(
            "dump.cvlbin", Archive()
                               .add({dumpHeader(0x0F00, 2), dumpPage(counting(128, 0xFF80)),
                                     dumpPage(counting(128, 0)), categoryPacket(orvik::Category::ErrorMessages)})
                               .bytes()));
        window.openArchive(false);
        ASSERT_EQ(window.document().timeListNodes().size(), 2u);
    }

    void chooseTimeRow(int row) { ::chooseTimeRow(window, row); }
    void display() { window.findChild<QAction*>("Display1")->trigger(); }
    std::vector<ChartPoint> drawn() { return form3().chart()->points(0); }
    TForm3& form3() { return window.memoryDumpWindow(); }

    TempDir dir;
    TForm1 window;
};

TEST_F(MemoryDumpWindowTest, DisplayDrawsEveryWordOfTheChosenDumpInTheWindowInFront)
{
    EXPECT_FALSE(form3().isVisible()) << "created hidden";
    chooseTimeRow(0);
    display();
    EXPECT_TRUE(form3().isVisible());
    const std::vector<ChartPoint> points = drawn();
    ASSERT_EQ(points.size(), 256u);
    EXPECT_EQ(points[0], (ChartPoint{0, 0xFF80}));
    EXPECT_EQ(points[127], (ChartPoint{127, 0xFFFF}));
    EXPECT_EQ(points[255], (ChartPoint{255, 127}));

    // The window keeps the dump while another node is on show, until the next "Display".
    form3().hide();
    chooseTimeRow(1);
    display();
    EXPECT_FALSE(form3().isVisible());
    EXPECT_EQ(drawn(), points);
}

TEST_F(MemoryDumpWindowTest, DisplayDoesNothingWithoutAChosenNode)
{
    chooseTimeRow(0);
    // The time list in front with no line selected.
    window.findChild<QListView*>("ListBox1")->clearSelection();
    display();
    EXPECT_FALSE(form3().isVisible());
    EXPECT_TRUE(drawn().empty());
    // The tree in front without a selection.
    window.findChild<QTabWidget*>("PageControl4")->setCurrentIndex(0);
    ASSERT_FALSE(window.findChild<QTreeView*>("TreeView1")->selectionModel()->hasSelection());
    display();
    EXPECT_FALSE(form3().isVisible());
    EXPECT_TRUE(drawn().empty());
}
