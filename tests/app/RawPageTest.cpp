// The "Raw" page in the main window: the last page, never brought forward by a
// node, following the node shown only while it is in front.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "display/RawView.h"
#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

using namespace orvik::app;

using orvik::NodeId;
namespace NodeKind = orvik::NodeKind;

namespace {

class RawPageTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window.currentFileName = demoArchive;
        window.openArchive(false);
        pages = window.findChild<QTabWidget*>("PageControl1");
        raw = window.findChild<QWidget*>("RawTabSheet");
        memo = window.findChild<QPlainTextEdit*>("RawMemo");
        note = window.findChild<QLabel*>("RawNoteLabel");
        header = window.findChild<QTableWidget*>("RawHeaderGrid");
        timeList = window.findChild<QAbstractItemView*>("ListBox1");
        ASSERT_TRUE(pages && raw && memo && note && header && timeList);
    }

    // Chooses the first time-list entry of `kind` as the user does.
    NodeId choose(int kind) { return chooseTimeRow(window, timeRowOf(window.document(), kind)); }

    // What the page should show for `node`.
    QString dumpOf(NodeId node)
    {
        QStringList lines;
        for (const std::string& line : orvik::display::rawNodeView(window.document().tree(), node).dump)
            lines << QString::fromStdString(line);
        return lines.join('\n');
    }

    TForm1 window;
    QTabWidget* pages = nullptr;
    QWidget* raw = nullptr;
    QPlainTextEdit* memo = nullptr;
    QLabel* note = nullptr;
    QTableWidget* header = nullptr;
    QAbstractItemView* timeList = nullptr;
};

} // namespace

TEST_F(RawPageTest, IsTheLastPageAndNeverComesForwardByItself)
{
    EXPECT_EQ(pages->indexOf(raw), pages->count() - 1);
    EXPECT_EQ(pages->tabText(pages->count() - 1), "Raw");
    EXPECT_TRUE(memo->isReadOnly());

    // Nodes with pages and nodes without: the Raw page stays behind and is not filled.
    for (int kind : {NodeKind::RegularHk, NodeKind::Time, NodeKind::MemoryDump, NodeKind::Spectrum}) {
        choose(kind);
        EXPECT_NE(pages->currentWidget(), raw) << kind;
    }
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_TRUE(note->text().isEmpty());
}

TEST_F(RawPageTest, FollowsTheChosenNodeOnlyWhileInFront)
{
    const NodeId housekeeping = choose(NodeKind::RegularHk);
    pages->setCurrentWidget(raw);
    EXPECT_EQ(memo->toPlainText(), dumpOf(housekeeping)) << "brought forward for the node already chosen";
    EXPECT_TRUE(note->text().startsWith("Packet, "));
    ASSERT_EQ(header->rowCount(), 7);
    EXPECT_EQ(header->item(4, 0)->text(), "Service type");
    EXPECT_EQ(header->item(4, 1)->text(), "3");

    // A spectrum is still decoded into its page, but the Raw page stays in front and shows its samples.
    const NodeId spectrum = choose(NodeKind::Spectrum);
    EXPECT_EQ(pages->currentWidget(), raw);
    EXPECT_EQ(memo->toPlainText(), dumpOf(spectrum));
    EXPECT_FALSE(memo->toPlainText().isEmpty());
    EXPECT_EQ(window.findChild<QTabWidget*>("MSPageControl")->currentWidget()->objectName().toStdString() +
                  window.findChild<QTabWidget*>("GCPageControl")->currentWidget()->objectName().toStdString(),
              "MSSpecTabSheetGCSpecTabSheet");

    choose(NodeKind::Time);
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(note->text(), "Time node: it holds no bytes of its own");
    EXPECT_TRUE(header->isHidden());

    // Behind another page it keeps what it showed, then catches up when it comes forward again.
    pages->setCurrentIndex(0);
    const NodeId dump = choose(NodeKind::MemoryDump);
    EXPECT_EQ(pages->currentWidget()->objectName(), "MemDumpTabSheet");
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    pages->setCurrentWidget(raw);
    EXPECT_EQ(memo->toPlainText(), dumpOf(dump));
    EXPECT_FALSE(header->isHidden());

    // Opening an archive forgets the node.
    window.openArchive(false);
    EXPECT_EQ(pages->currentWidget(), raw);
    EXPECT_EQ(note->text(), "No node chosen");
    EXPECT_TRUE(memo->toPlainText().isEmpty());
}
