// The search field of the main window on the demo archive: typing filters the
// category tree and the time list, a filtered row shows its own node, Ctrl+F and
// Escape, the chosen node kept chosen when the full lists return, the count of
// matches, and an open keeps the needle.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "archive/NodeFilter.h"
#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

using namespace orvik::app;

using orvik::NodeId;

namespace {

// Every node text below `parent` in the tree view's model (the whole shown tree).
void collectTexts(const QAbstractItemModel& model, const QModelIndex& parent, QStringList& texts)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        texts << child.data().toString();
        collectTexts(model, child, texts);
    }
}

} // namespace

class SearchTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window_ = std::make_unique<TForm1>();
        window_->currentFileName = demoArchive;
        window_->openArchive(false);
        edit_ = window_->findChild<QLineEdit*>("SearchEdit");
        tree_ = window_->findChild<QAbstractItemView*>("TreeView1");
        timeList_ = window_->findChild<QAbstractItemView*>("ListBox1");
        ASSERT_TRUE(edit_ && tree_ && timeList_);
        EXPECT_EQ(edit_->placeholderText(), "Search nodes");
    }

    const orvik::ArchiveDocument& doc() const { return window_->document(); }
    int timeRows() const { return timeList_->model()->rowCount(); }
    // The search runs off the user-interface thread: wait until the list has `rows` rows.
    bool waitForTimeRows(int rows) const
    {
        return QTest::qWaitFor([&] { return timeRows() == rows; }, 10000);
    }
    int expectedRows(const char* needle) const
    {
        return int(orvik::filterNodes(doc().tree(), needle)->timeListNodes().size());
    }
    QString activePage() const
    {
        return window_->findChild<QTabWidget*>("PageControl1")->currentWidget()->objectName();
    }

    std::unique_ptr<TForm1> window_;
    QLineEdit* edit_ = nullptr;
    QAbstractItemView* tree_ = nullptr;
    QAbstractItemView* timeList_ = nullptr;
};

TEST_F(SearchTest, TypingFiltersBothViewsAndAFilteredRowShowsItsOwnNode)
{
    const int fullRows = int(doc().timeListNodes().size());
    QTest::keyClicks(edit_, "sPECTRUM");
    const int rows = expectedRows("spectrum");
    ASSERT_GT(rows, 0);
    ASSERT_LT(rows, fullRows);
    ASSERT_TRUE(waitForTimeRows(rows));
    for (int row = 0; row < rows; ++row)
        EXPECT_TRUE(timeList_->model()->index(row, 0).data().toString().startsWith("Spectrum ")) << row;

    // The tree keeps only the groups on the way to the spectra, and the spectra.
    QStringList texts;
    collectTexts(*tree_->model(), {}, texts);
    EXPECT_EQ(texts.filter("Spectrum ").size(), rows);
    EXPECT_TRUE(texts.filter("Regular HK").isEmpty());
    EXPECT_TRUE(texts.contains("MS"));
    EXPECT_FALSE(texts.contains("Housekeeping"));
    auto* treeView = qobject_cast<QTreeView*>(tree_);
    EXPECT_TRUE(treeView->isExpanded(treeView->model()->index(0, 0))) << "a small result opens its groups";

    // The last filtered line shows its node: the same node and page as its line in the full list.
    timeList_->setCurrentIndex(timeList_->model()->index(rows - 1, 0));
    const NodeId chosen = window_->currentNode();
    ASSERT_NE(chosen, orvik::noNode);
    EXPECT_EQ(QString::fromStdString(doc().tree().text(chosen)),
              timeList_->model()->index(rows - 1, 0).data().toString());
    const QString filteredPage = activePage();
    window_->findChild<QTabWidget*>("PageControl4")->setCurrentIndex(1);
    EXPECT_EQ(window_->chosenNode(), chosen) << "the dump menus act on the node of the filtered line";

    // A node picked in the filtered tree becomes the current one too.
    const QModelIndex group = tree_->model()->index(0, 0);
    QModelIndex leaf = group;
    while (tree_->model()->rowCount(leaf) > 0)
        leaf = tree_->model()->index(0, 0, leaf);
    tree_->setCurrentIndex(leaf);
    EXPECT_EQ(QString::fromStdString(doc().tree().text(window_->currentNode())), leaf.data().toString());

    edit_->clear();
    ASSERT_TRUE(waitForTimeRows(fullRows));
    const auto& all = doc().timeListNodes();
    const int fullRow = int(std::distance(all.begin(), std::find(all.begin(), all.end(), chosen)));
    timeList_->setCurrentIndex(timeList_->model()->index(fullRow, 0));
    EXPECT_EQ(window_->currentNode(), chosen);
    EXPECT_EQ(activePage(), filteredPage);
}

TEST_F(SearchTest, CtrlFFocusesTheFieldAndEscapeBringsTheFullListsBack)
{
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    tree_->setFocus();
    QTest::keyClick(tree_, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(edit_->hasFocus());

    const int fullRows = timeRows();
    const int topLevel = tree_->model()->rowCount();
    QTest::keyClicks(edit_, "no such node");
    ASSERT_TRUE(waitForTimeRows(0));
    EXPECT_EQ(tree_->model()->rowCount(), 0);

    QTest::keyClick(edit_, Qt::Key_Escape);
    EXPECT_TRUE(edit_->text().isEmpty());
    EXPECT_EQ(timeRows(), fullRows); // the empty needle drops the filter at once
    EXPECT_EQ(tree_->model()->rowCount(), topLevel);
}

TEST_F(SearchTest, OpeningAFileKeepsTheNeedleAndFiltersTheNewTree)
{
    edit_->setText("memory dump");
    const int rows = expectedRows("memory dump");
    ASSERT_GT(rows, 0);
    ASSERT_TRUE(waitForTimeRows(rows));
    window_->openArchive(false);
    EXPECT_EQ(edit_->text(), "memory dump");
    EXPECT_EQ(window_->currentNode(), orvik::noNode);
    ASSERT_TRUE(waitForTimeRows(rows));
    EXPECT_EQ(timeList_->model()->index(0, 0).data().toString().left(12), "Memory Dump ");
}

TEST_F(SearchTest, EscapeKeepsTheNodeChosenInTheFilteredListChosenAndInViewInBothLists)
{
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    const int fullRows = timeRows();
    edit_->setText("memory dump");
    const int rows = expectedRows("memory dump");
    ASSERT_TRUE(waitForTimeRows(rows));
    const NodeId chosen = chooseTimeRow(*window_, rows - 1);
    ASSERT_NE(chosen, orvik::noNode);
    // The user brings another page forward: getting the node back in the lists must not show it again.
    auto* pages = window_->findChild<QTabWidget*>("PageControl1");
    pages->setCurrentWidget(pages->findChild<QWidget*>("TCTabSheet"));

    edit_->setFocus();
    QTest::keyClick(edit_, Qt::Key_Escape);
    ASSERT_EQ(timeRows(), fullRows);
    EXPECT_EQ(window_->currentNode(), chosen);
    EXPECT_EQ(activePage(), "TCTabSheet");
    // The line is in view from top to bottom; long lines may run on to the right.
    const auto inView = [](const QAbstractItemView& view) {
        const QRect line = view.visualRect(view.currentIndex());
        return line.isValid() && line.top() >= 0 && line.bottom() <= view.viewport()->rect().bottom();
    };
    EXPECT_EQ(window_->chosenNode(), chosen) << "the time list in front";
    EXPECT_GT(timeList_->currentIndex().row(), timeList_->height() / timeList_->sizeHintForRow(0))
        << "a line beyond the first screen";
    EXPECT_TRUE(inView(*timeList_));
    window_->findChild<QTabWidget*>("PageControl4")->setCurrentIndex(0);
    EXPECT_EQ(window_->chosenNode(), chosen) << "the tree in front";
    EXPECT_TRUE(inView(*tree_));
}

TEST_F(SearchTest, TheFieldTellsHowManyNodesMatchNotCountingTheirGroups)
{
    auto* matches = window_->findChild<QLabel*>("SearchMatches");
    ASSERT_NE(matches, nullptr);
    EXPECT_TRUE(matches->text().isEmpty());

    const orvik::CategoryTree& tree = doc().tree();
    qulonglong expected = 0;
    for (NodeId node : tree.ids())
        expected += QString::fromStdString(tree.text(node)).contains("spectrum", Qt::CaseInsensitive);
    ASSERT_GT(expected, 1u);
    ASSERT_LT(expected, orvik::filterNodes(tree, "spectrum")->shownCount()) << "the groups shown do not count";
    edit_->setText("Spectrum");
    const QString text = QStringLiteral("%1 matches").arg(QLocale().toString(expected));
    EXPECT_TRUE(QTest::qWaitFor([&] { return matches->text() == text; }, 10000)) << matches->text().toStdString();

    edit_->setText("no such node");
    EXPECT_TRUE(QTest::qWaitFor([&] { return matches->text() == "No matches"; }, 10000));
    edit_->clear();
    EXPECT_TRUE(matches->text().isEmpty());
}
