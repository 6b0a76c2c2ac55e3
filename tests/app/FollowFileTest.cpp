// "&Follow file": the window follows an archive another program appends to. The
// steps are driven by calling the window's step directly, but for one test that
// lets the schedule run them. After every piece the user's place survives (the
// node chosen in both lists, the page on show, the open groups, the lines in view),
// the new rows are there, and once Follow is off the window shows what an open of
// the whole file shows.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"
#include "tests/app/WindowTexts.h"
#include "tests/archive/ArchiveBuilder.h"
#include "tests/archive/MalformedArchives.h"

#include "app/Unit1.h"
#include "app/models/CategoryTreeModel.h"
#include "app/models/TimeListModel.h"
#include "display/HousekeepingTrend.h"
#include "display/widgets/Chart.h"
#include "display/widgets/TrendForm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <filesystem>
#include <fstream>

using namespace orvik;
using namespace orvik::app;
using test::Bytes;

namespace {

Bytes readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// An archive written piece by piece, as the data system writes it during a test.
class GrowingArchive {
public:
    explicit GrowingArchive(Bytes bytes) : bytes_(std::move(bytes)), name_(dir_.write("live.cvlbin", {})) {}

    QString name() const { return QString::fromStdString(name_); }
    size_t size() const { return bytes_.size(); }
    // Appends the bytes up to `end`.
    void growTo(size_t end)
    {
        std::ofstream out(name_, std::ios::binary | std::ios::app);
        out.write(reinterpret_cast<const char*>(bytes_.data() + written_), std::streamsize(end - written_));
        written_ = end;
    }

private:
    Bytes bytes_;
    test::TempDir dir_;
    std::string name_;
    size_t written_ = 0;
};

// What the page in front shows: its name, its captions and the first lines of its lists.
QStringList pagePicture(const TForm1& window)
{
    const QWidget* page = findNamed<QTabWidget>(window, "PageControl1")->currentWidget();
    QStringList picture{page->objectName(), findNamed<QLabel>(window, "NodeHeader")->text()};
    for (const QLabel* label : page->findChildren<QLabel*>())
        picture << label->text();
    for (const QAbstractItemView* view : page->findChildren<QAbstractItemView*>())
        for (int row = 0; row < std::min(view->model()->rowCount(), 20); ++row)
            for (int column = 0; column < view->model()->columnCount(); ++column)
                picture << view->model()->index(row, column).data().toString();
    return picture;
}

class FollowFileTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        tree_ = findNamed<QTreeView>(window_, "TreeView1");
        timeList_ = findNamed<QListView>(window_, "ListBox1");
        follow_ = findNamed<QAction>(window_, "FollowFile1");
        ASSERT_TRUE(tree_ && timeList_ && follow_);
        treeModel_ = dynamic_cast<CategoryTreeModel*>(tree_->model());
        timeModel_ = dynamic_cast<TimeListModel*>(timeList_->model());
        ASSERT_TRUE(treeModel_ && timeModel_);
        window_.resize(970, 648);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    // Opens as the user does; a warning about the end of a file still being written is closed.
    void open(const QString& name)
    {
        const ModalAnswers closeWarnings({});
        window_.currentFileName = name;
        window_.openArchive(false);
    }
    const ArchiveDocument& doc() const { return window_.document(); }
    QModelIndex treeIndexOf(NodeId node) const { return treeModel_->indexOf(node); }
    QStringList treeTexts() const
    {
        QStringList texts;
        collectTreeTexts(*treeModel_, {}, {}, texts);
        return texts;
    }
    NodeId treeChosen() const { return treeModel_->nodeAt(tree_->currentIndex()); }
    NodeId timeChosen() const { return timeModel_->nodeAt(timeList_->currentIndex().row()); }
    NodeId treeTop() const { return treeModel_->nodeAt(tree_->indexAt(QPoint(0, 0))); }
    QStringList statusTexts() const
    {
        QStringList texts;
        for (const char* name : {"StatusPanel0", "StatusPanel1", "StatusPanel2"})
            texts << findNamed<QLabel>(window_, name)->text();
        return texts;
    }
    const QScrollBar& timeBar() const { return *timeList_->verticalScrollBar(); }

    TForm1 window_;
    QTreeView* tree_ = nullptr;
    QListView* timeList_ = nullptr;
    QAction* follow_ = nullptr;
    CategoryTreeModel* treeModel_ = nullptr;
    TimeListModel* timeModel_ = nullptr;
};

TEST_F(FollowFileTest, TheActionFollowsTheMenuEntriesOfTheServerAndIsUsableWithAnOpenFile)
{
    const QList<QAction*> file = findNamed<QMenu>(window_, "File1")->actions();
    const qsizetype server = file.indexOf(findNamed<QAction>(window_, "Connecttoserver1"));
    ASSERT_GE(server, 0);
    ASSERT_LT(server + 2, file.size());
    EXPECT_EQ(file[server + 1], findNamed<QAction>(window_, "Disconnect1"));
    EXPECT_EQ(file[server + 2], follow_);
    EXPECT_FALSE(file[server]->isEnabled());
    EXPECT_EQ(follow_->text(), "&Follow file");
    EXPECT_TRUE(follow_->isCheckable());
    EXPECT_EQ(follow_->shortcut(), QKeySequence("Ctrl+L"));
    for (const QAction* other : window_.findChildren<QAction*>()) {
        if (other != follow_) {
            EXPECT_NE(other->shortcut(), follow_->shortcut()) << other->objectName().toStdString();
        }
    }
    EXPECT_FALSE(follow_->isEnabled()) << "no file open";

    auto* indicator = findNamed<QToolButton>(window_, "FollowIndicator");
    open(demoArchive);
    EXPECT_TRUE(follow_->isEnabled());
    EXPECT_FALSE(indicator->isVisible());
    follow_->trigger();
    EXPECT_TRUE(follow_->isChecked());
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_EQ(indicator->text(), "Following");
    EXPECT_TRUE(indicator->isChecked());
    indicator->click(); // turns Follow off
    EXPECT_FALSE(follow_->isChecked());
    EXPECT_FALSE(indicator->isVisible());

    // A file that does not open cannot be followed.
    follow_->setChecked(true);
    const ModalAnswers notFound({[](QWidget* box) { box->close(); }});
    window_.currentFileName = "no such file.cvlbin";
    window_.openArchive(false);
    EXPECT_FALSE(follow_->isEnabled());
    EXPECT_FALSE(follow_->isChecked());
    EXPECT_FALSE(indicator->isVisible());
}

// The demo archive written in pieces cut anywhere (frames, dumps and science records
// wait for the rest): the place the user chose stays, and the end is the whole file.
TEST_F(FollowFileTest, TheDemoArchiveWrittenInPiecesKeepsTheUsersPlaceAndEndsAsTheWholeFileOpens)
{
    GrowingArchive file(readFile(ORVIK_DEMO_ARCHIVE));
    file.growTo(file.size() * 3 / 10);
    open(file.name());
    window_.trendWindow().showOverMainWindow();
    ASSERT_TRUE(window_.trendWindow().setParameterChecked("ORVH_Oven_Temp", true));

    // Every top-level group open, a node chosen in each list, the tree scrolled down a little.
    const std::vector<NodeId> groups(doc().tree().children(noNode).begin(), doc().tree().children(noNode).end());
    ASSERT_GE(groups.size(), 4u);
    for (const NodeId group : groups)
        tree_->expand(treeIndexOf(group));
    chooseTimeRow(window_, timeRowOf(doc(), NodeKind::ExecutionReport));
    findNamed<QTabWidget>(window_, "PageControl4")->setCurrentIndex(0);
    const NodeId housekeeping = doc().housekeepingNode();
    ASSERT_GE(doc().tree().children(housekeeping).size(), 10u);
    tree_->setCurrentIndex(treeIndexOf(doc().tree().children(housekeeping)[2]));
    tree_->scrollTo(treeIndexOf(doc().tree().children(housekeeping)[5]), QAbstractItemView::PositionAtTop);
    timeList_->scrollToTop();

    const NodeId chosen = window_.currentNode();
    const NodeId inTime = timeChosen();
    const QStringList page = pagePicture(window_);
    const NodeId top = treeTop();
    ASSERT_EQ(treeChosen(), chosen);
    ASSERT_NE(inTime, chosen);
    ASSERT_NE(top, noNode);

    follow_->setChecked(true);
    for (const size_t tenths : {4, 5, 6, 7, 8, 9}) {
        const int timeRows = timeModel_->rowCount();
        file.growTo(file.size() * tenths / 10 + 17 * tenths);
        window_.followStep();
        const std::string at = "at " + std::to_string(tenths) + "/10";
        EXPECT_GT(timeModel_->rowCount(), timeRows) << at;
        EXPECT_EQ(size_t(timeModel_->rowCount()), doc().timeListNodes().size()) << at;
        EXPECT_EQ(size_t(treeModel_->rowCount(treeIndexOf(housekeeping))), doc().tree().children(housekeeping).size())
            << at;
        EXPECT_EQ(window_.currentNode(), chosen) << at;
        EXPECT_EQ(treeChosen(), chosen) << at;
        EXPECT_EQ(timeChosen(), inTime) << at;
        EXPECT_EQ(pagePicture(window_), page) << at;
        for (const NodeId group : groups)
            EXPECT_TRUE(tree_->isExpanded(treeIndexOf(group))) << at;
        EXPECT_EQ(treeTop(), top) << at;
        EXPECT_EQ(timeBar().value(), 0) << at;
        EXPECT_EQ(statusTexts()[0], QString::fromStdString(doc().statusPanels()[0])) << at;
        EXPECT_EQ(window_.trendWindow().chart()->points(0),
                  display::trendPoints(*display::parameterNamed("ORVH_Oven_Temp"), display::trendSamples(doc())))
            << at;
    }
    file.growTo(file.size());
    window_.followStep();
    follow_->setChecked(false);
    const OpenedWhole whole = openedWhole(file.name());
    EXPECT_EQ(treeTexts(), whole.tree);
    EXPECT_EQ(listTexts(*timeModel_), whole.timeList);
    EXPECT_EQ(statusTexts(), whole.status);
    EXPECT_EQ(treeChosen(), chosen);
    EXPECT_EQ(pagePicture(window_), page);
    EXPECT_EQ(window_.trendWindow().chart()->points(0),
              display::trendPoints(*display::parameterNamed("ORVH_Oven_Temp"), display::trendSamples(doc())));
}

// Whole frames, each piece ending where a science block ends: the views are told of
// rows inserted, never reset, and the science stream's new nodes come in before the
// later ones, in the time list and in the dataset group.
TEST_F(FollowFileTest, NewNodesComeInAsInsertedRowsAmongTheOthersWhereTheirIdsBelong)
{
    namespace Tag = test::Tag;
    const test::ScienceStreamBuilder stream = test::datasetStart()
                                                  .spectrum(Tag::MS, 5, test::counting(40))
                                                  .padTo(126)
                                                  .spectrum(Tag::MS, 6, test::counting(40))
                                                  .padTo(2 * 126)
                                                  .tc(test::msCommand)
                                                  .ti(7)
                                                  .spectrum(Tag::MS, 8, test::counting(40))
                                                  .padTo(3 * 126);
    const std::vector<test::Packet> blocks = stream.blocks(0);
    ASSERT_EQ(blocks.size(), 3u);
    test::Archive archive;
    std::vector<size_t> pieceEnds;
    for (const test::Packet& block : blocks) {
        archive.add(test::regularHk()).add(block).add(test::regularHk()).add(test::regularHk());
        pieceEnds.push_back(archive.bytes().size());
    }
    GrowingArchive file(archive.bytes());
    file.growTo(pieceEnds[0]);
    open(file.name());
    const NodeId ms = doc().msNode();
    for (const NodeId group : {doc().housekeepingNode(), ms})
        tree_->expand(treeIndexOf(group));
    ASSERT_EQ(treeModel_->rowCount(treeIndexOf(ms)), 1) << "one dataset";
    const NodeId dataset = doc().tree().children(ms).front();
    tree_->expand(treeIndexOf(dataset));
    const NodeId last = chooseTimeRow(window_, timeModel_->rowCount() - 1);
    const auto header = [this] { return findNamed<QLabel>(window_, "NodeHeader")->text(); };

    QSignalSpy treeResets(treeModel_, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy timeResets(timeModel_, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy timeInserts(timeModel_, &QAbstractItemModel::rowsInserted);
    follow_->setChecked(true);
    for (size_t piece = 1; piece < pieceEnds.size(); ++piece) {
        const int rows = timeModel_->rowCount();
        timeInserts.clear();
        file.growTo(pieceEnds[piece]);
        window_.followStep();
        ASSERT_EQ(size_t(timeModel_->rowCount()), doc().timeListNodes().size());
        ASSERT_EQ(timeInserts.size(), 2) << "the science stream's block, then the later block";
        EXPECT_LT(timeInserts[0][1].toInt(), rows) << "the stream's entries come among the others";
        EXPECT_EQ(timeInserts[1][2].toInt(), timeModel_->rowCount() - 1) << "the later entries at the end";
        for (int row = 0; row < timeModel_->rowCount(); ++row)
            ASSERT_EQ(timeModel_->nodeAt(row), doc().timeListNodes()[size_t(row)]) << row;
        // The stream's entries before it moved the entry on show down the list.
        const QString number = timeModel_->index(timeModel_->rowOf(last)).data(TimeListModel::NumberRole).toString();
        EXPECT_TRUE(header().contains(number + " in the time list")) << header().toStdString();
    }
    EXPECT_EQ(treeResets.size(), 0);
    EXPECT_EQ(timeResets.size(), 0);
    // The second dataset came in as a new group with its children, the first kept open.
    ASSERT_EQ(treeModel_->rowCount(treeIndexOf(ms)), 2);
    EXPECT_TRUE(tree_->isExpanded(treeIndexOf(dataset)));
    const QModelIndex second = treeModel_->index(1, 0, treeIndexOf(ms));
    EXPECT_EQ(size_t(treeModel_->rowCount(second)), doc().tree().children(treeModel_->nodeAt(second)).size());
    EXPECT_GT(treeModel_->rowCount(second), 0);
    follow_->setChecked(false);
    EXPECT_EQ(treeTexts(), openedWhole(file.name()).tree);
}

TEST_F(FollowFileTest, TheTimeListKeepsToItsEndOnlyWhenItWasThere)
{
    test::Archive archive;
    for (int k = 0; k < 400; ++k)
        archive.add(test::regularHk());
    const size_t frame = test::regularHk().frame().size();
    GrowingArchive file(archive.bytes());
    file.growTo(100 * frame);
    open(file.name());
    findNamed<QTabWidget>(window_, "PageControl4")->setCurrentIndex(1);
    follow_->setChecked(true);

    timeList_->scrollToBottom();
    ASSERT_GT(timeBar().maximum(), 0);
    file.growTo(200 * frame);
    window_.followStep();
    ASSERT_EQ(timeModel_->rowCount(), 200);
    EXPECT_EQ(timeBar().value(), timeBar().maximum());
    EXPECT_TRUE(timeList_->viewport()->rect().contains(timeList_->visualRect(timeModel_->index(199))))
        << "the last entry in view";

    timeList_->scrollTo(timeModel_->index(120), QAbstractItemView::PositionAtTop);
    const int position = timeBar().value();
    ASSERT_LT(position, timeBar().maximum());
    file.growTo(300 * frame);
    window_.followStep();
    ASSERT_EQ(timeModel_->rowCount(), 300);
    EXPECT_EQ(timeBar().value(), position);
    EXPECT_EQ(timeList_->indexAt(QPoint(0, 0)).row(), 120);
}

TEST_F(FollowFileTest, AFileCutShortReplacedOrGoneStopsFollowingAndKeepsWhatWasRead)
{
    const Bytes bytes = test::Archive().add(test::regularHk()).add(test::regularHk()).bytes();
    const struct {
        const char* change;
        std::function<void(const std::filesystem::path&)> make;
    } changes[] = {
        {"was cut short", [](const std::filesystem::path& f) { std::filesystem::resize_file(f, 10); }},
        {"was replaced by another file",
         [&bytes](const std::filesystem::path& f) {
             const std::filesystem::path other = f.parent_path() / "other.cvlbin";
             std::ofstream(other, std::ios::binary)
                 .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
             std::filesystem::rename(other, f);
         }},
        {"is gone", [](const std::filesystem::path& f) { std::filesystem::remove(f); }},
    };
    for (const auto& [change, make] : changes) {
        GrowingArchive file(bytes);
        file.growTo(bytes.size());
        open(file.name());
        follow_->setChecked(true);
        make(file.name().toStdString());
        window_.followStep();
        EXPECT_FALSE(follow_->isChecked()) << change;
        EXPECT_FALSE(findNamed<QToolButton>(window_, "FollowIndicator")->isVisible()) << change;
        EXPECT_EQ(window_.statusBar()->currentMessage(),
                  QString("Following stopped: %1 %2; what was read stays.").arg(file.name(), change));
        EXPECT_EQ(timeModel_->rowCount(), 2) << change;
        EXPECT_TRUE(follow_->isEnabled()) << "the document stays";
    }
}

// The schedule runs the steps: appends show up while the events run; a search shown
// takes in the new matches; opening another file follows that one.
TEST_F(FollowFileTest, WhileOnTheStepsRunByThemselvesASearchTakesInNewMatchesAndAnotherFileIsFollowed)
{
    test::Archive archive;
    for (int k = 0; k < 30; ++k)
        archive.add(test::regularHk()).add(test::categoryPacket(Category::ErrorMessages));
    const size_t pair = archive.bytes().size() / 30;
    GrowingArchive file(archive.bytes());
    file.growTo(10 * pair);
    open(file.name());
    follow_->trigger();
    file.growTo(20 * pair);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timeModel_->rowCount() == 40; }, 20000));

    findNamed<QLineEdit>(window_, "SearchEdit")->setText("Error");
    ASSERT_TRUE(QTest::qWaitFor([&] { return timeModel_->rowCount() == 20; }, 20000));
    chooseTimeRow(window_, 3);
    const NodeId chosen = window_.currentNode();
    file.growTo(30 * pair);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timeModel_->rowCount() == 30; }, 20000)) << "only the new matches";
    for (int row = 0; row < timeModel_->rowCount(); ++row)
        EXPECT_EQ(doc().tree().kind(timeModel_->nodeAt(row)), NodeKind::ErrorMessage);
    EXPECT_EQ(timeChosen(), chosen);
    findNamed<QLineEdit>(window_, "SearchEdit")->clear();
    EXPECT_EQ(timeModel_->rowCount(), 60);

    GrowingArchive other(archive.bytes());
    other.growTo(5 * pair);
    open(other.name());
    EXPECT_TRUE(follow_->isChecked());
    EXPECT_EQ(timeModel_->rowCount(), 10);
    other.growTo(7 * pair);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timeModel_->rowCount() == 14; }, 20000));
}

} // namespace
