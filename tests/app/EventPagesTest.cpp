// The event and dump pages of the real main window with the demo archive: an
// error message, test results with a unit clicked, a dump page scrolled, and the
// pop-up menu of the word memos.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "display/InstrumentTables.h"
#include "display/MemoryDumpDisplay.h"
#include "app/Unit1.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <bit>

using namespace orvik::app;

using orvik::NodeId;
namespace NodeKind = orvik::NodeKind;

class EventPagesTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window_ = std::make_unique<TForm1>();
        open(demoArchive);
    }

    void open(const QString& fileName)
    {
        window_->currentFileName = fileName;
        window_->openArchive(false);
    }

    template <typename T>
    T* find(const char* name) { return findNamed<T>(*window_, name); }
    QString text(const char* label) { return find<QLabel>(label)->text(); }
    QString memo(const char* name) { return find<QPlainTextEdit>(name)->toPlainText(); }
    QString activePage(const char* control) { return find<QTabWidget>(control)->currentWidget()->objectName(); }

    const orvik::ArchiveDocument& doc() { return window_->document(); }
    int firstRow(int16_t kind) { return timeRowOf(doc(), kind); }
    NodeId chooseTimeRow(int row) { return ::chooseTimeRow(*window_, row); }
    uint16_t dataWord(NodeId node, size_t k) { return *doc().tree().wrapper(node).packet()->dataWord(k); }

    void clickUnit(const QString& caption)
    {
        auto* units = find<QTreeWidget>("testresultListView1");
        const QList<QTreeWidgetItem*> items = units->findItems(caption, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << caption.toStdString();
        units->show();
        QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, units->visualItemRect(items.front()).center());
    }
    // Every component the last action wrote to is a widget of the window.
    void expectWrittenComponentsExist()
    {
        for (const orvik::display::Write& write : window_->display().components.writes())
            EXPECT_NE(window_->findChild<QObject*>(QString::fromStdString(write.component)), nullptr)
                << write.component;
    }

    std::unique_ptr<TForm1> window_;
};

TEST_F(EventPagesTest, AnErrorMessageShowsItsCategoryIdentifierAndMessage)
{
    const NodeId node = chooseTimeRow(firstRow(NodeKind::ErrorMessage));
    const uint16_t event = dataWord(node, 3);
    ASSERT_EQ(event >> 12, 1) << "the demo's first error message is a software event";
    EXPECT_EQ(activePage("PageControl1"), "ErrMsgTabSheet");
    EXPECT_EQ(text("errmsg_eventmask"), "SW-Event");
    EXPECT_EQ(text("errmsg_eventid"), QString::asprintf("0x%04X", event & 0x0FFF));
    EXPECT_EQ(memo("errmsg_Memo1"), QString::fromStdString(orvik::display::errorMessage(event & 0x0FFF)));
}

TEST_F(EventPagesTest, TestResultsListFacesAndAClickedUnitShowsItsDetails)
{
    const NodeId node = chooseTimeRow(firstRow(NodeKind::TestResults));
    const uint16_t result = dataWord(node, 3);
    EXPECT_EQ(activePage("PageControl1"), "TestResultTabSheet");
    EXPECT_EQ(text("testresult"), QString::asprintf("0x%04X", result));

    auto* units = find<QTreeWidget>("testresultListView1");
    ASSERT_EQ(units->topLevelItemCount(), std::popcount(unsigned(result & 0x3F)));
    const QTreeWidgetItem* ms = units->findItems("MS", Qt::MatchExactly).value(0);
    const QTreeWidgetItem* gc = units->findItems("GC", Qt::MatchExactly).value(0);
    ASSERT_TRUE(ms && gc);
    ASSERT_TRUE(result & 0x0100 && !(result & 0x0200)) << "the demo's MS passed, its GC failed";
    EXPECT_FALSE(ms->icon(0).isNull());
    EXPECT_NE(ms->icon(0).pixmap(16).toImage(), gc->icon(0).pixmap(16).toImage()) << "smiling and sad faces";

    clickUnit("GC");
    EXPECT_EQ(activePage("testresultdetailsPageControl"), "GCTestTabSheet");
    auto* grid = find<QTableWidget>("coltempStringGrid");
    EXPECT_EQ(grid->item(0, 0)->text(), "Column");
    EXPECT_EQ(grid->item(0, 1)->text(), "DeltaT");
    EXPECT_EQ(grid->item(8, 0)->text(), "7");
    EXPECT_EQ(grid->item(1, 1)->text(), QString::asprintf("0x%02X", dataWord(node, 11)));

    // Another node is current; the list still belongs to the test results that filled it.
    chooseTimeRow(firstRow(NodeKind::ErrorMessage));
    clickUnit("MS");
    EXPECT_EQ(activePage("testresultdetailsPageControl"), "MSTestTabSheet");
    EXPECT_EQ(text("mstestaddr"), QString::asprintf("0x%04X%04X", dataWord(node, 10), dataWord(node, 9)));
    for (const char* unit : {"MS", "GC", "DPU", "Mass Memory", "Oven", "Tapping Station"}) {
        window_->display().components.beginDisplay();
        window_->display().testresultListView1SelectItem(unit);
        expectWrittenComponentsExist();
    }
}

TEST_F(EventPagesTest, AUnitClickAfterAnotherOpenDoesNothing)
{
    chooseTimeRow(firstRow(NodeKind::TestResults));
    open(demoArchive);
    ASSERT_EQ(window_->currentNode(), orvik::noNode);
    clickUnit("DPU");
    EXPECT_EQ(text("dpuresultaddress"), "0x0000") << "the design text: the packet is gone";
    EXPECT_EQ(activePage("testresultdetailsPageControl"), "MSTestTabSheet");
}

TEST_F(EventPagesTest, TheDumpScrollBarTurnsThePagesOfTheChosenDump)
{
    const NodeId node = chooseTimeRow(firstRow(NodeKind::MemoryDump));
    const auto& image = *doc().tree().wrapper(node).record<orvik::MemoryDumpImage>();
    ASSERT_GE(image.pageCount(), 2);
    auto* bar = find<QScrollBar>("MemDumpScrollBar1");
    EXPECT_EQ(activePage("PageControl1"), "MemDumpTabSheet");
    EXPECT_EQ(bar->maximum(), image.pageCount() - 1);
    EXPECT_EQ(text("MemDumpPacket"), "0");

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(text("MemDumpPacket"), "1");
    EXPECT_EQ(memo("MemDumpMemo"), QString::fromStdString(orvik::display::pageText(image, 1)));

    // No line of the time list selected: the bar moves, the page stays, no error.
    find<QListView>("ListBox1")->clearSelection();
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(text("MemDumpPacket"), "1");
    // The tree in front without a selection: the same.
    find<QTabWidget>("PageControl4")->setCurrentIndex(0);
    EXPECT_EQ(window_->chosenNode(), orvik::noNode);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(text("MemDumpPacket"), "1");
}

TEST_F(EventPagesTest, WordMemosShareTheMemoryDumpPopupMenu)
{
    auto* menu = find<QMenu>("MemDumpPopupMenu");
    QStringList items;
    for (QAction* action : menu->actions())
        items << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(items, QStringList({"Save to", "-", "Display"}));
    EXPECT_EQ(find<QAction>("Display1")->text(), "Display");
    EXPECT_EQ(find<QAction>("ASCII2")->text(), "ASCII");
    EXPECT_EQ(find<QAction>("Binary2")->text(), "Binary");
    EXPECT_EQ(find<QMenu>("MemDum")->actions(), QList<QAction*>({find<QAction>("ASCII2"), find<QAction>("Binary2")}));

    window_->show();
    for (const char* name : {"MemDumpMemo", "BRAMMemo", "TCDataWords", "TCTCDataWords"}) {
        auto* memo = find<QPlainTextEdit>(name);
        emit memo->customContextMenuRequested(QPoint(4, 4));
        EXPECT_TRUE(menu->isVisible()) << name;
        menu->hide();
    }
}
