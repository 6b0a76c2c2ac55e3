// The main window as a user meets it: start-up state, every route that opens a
// file, the status bar and caption, navigation through the tree and the time
// list, and the placement and recent files it keeps between runs.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/models/PacketStatisticsModel.h"
#include "app/settings/Brindlowmru.h"
#include "app/settings/Registry.h"
#include "tceditor/Tceditor.h"
#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>
#include <set>

using orvik::NodeId;
namespace NodeKind = orvik::NodeKind;
using orvik::app::RegistryKey;
using orvik::app::TForm1;
using orvik::tceditor::TForm4;

namespace {

// Answers the next modal message box and remembers what it said.
struct MessageBoxCatcher {
    QString caption;
    QString text;
    QString informativeText;

    MessageBoxCatcher()
    {
        QTimer::singleShot(0, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                caption = box->windowTitle();
                text = box->text();
                informativeText = box->informativeText();
                box->accept();
            }
        });
    }
};

// Receives what the window hands to the desktop's file manager.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class MainWindowTest : public SettingsTest {
protected:
    template <typename T>
    T* find(const char* name) { return findNamed<T>(window(), name); }

    TForm1& window()
    {
        if (!window_)
            window_ = std::make_unique<TForm1>();
        return *window_;
    }

    void open(const QString& fileName)
    {
        window().currentFileName = fileName;
        window().openArchive(false);
    }

    QString panel(int i) { return find<QLabel>(qPrintable(QString("StatusPanel%1").arg(i)))->text(); }

    QStringList recentCaptions()
    {
        QStringList captions;
        for (QAction* action : find<QMenu>("Openrecent1")->actions())
            captions << action->text();
        return captions;
    }

    // An archive of its own name (an empty file would open with a warning box).
    QString scratchFile(const QString& name)
    {
        const QString path = scratch_.filePath(name);
        EXPECT_TRUE(QFile::copy(demoArchive, path));
        return path;
    }

    QTabWidget* pages() { return find<QTabWidget>("PageControl1"); }
    QString activePage() { return pages()->currentWidget()->objectName(); }

    std::unique_ptr<TForm1> window_;
};

TEST_F(MainWindowTest, StartsEmptyWithTheDesignedPagesAndMenus)
{
    TForm1& w = window();
    EXPECT_EQ(w.windowTitle(), "ORVIK-EGSE");
    EXPECT_EQ(panel(0), "Packets:");
    EXPECT_EQ(panel(1), "Unknown:");
    EXPECT_EQ(panel(2), "Missing:");
    EXPECT_EQ(w.currentNode(), orvik::noNode);

    QStringList tabs;
    for (int i = 0; i < pages()->count(); ++i)
        tabs << pages()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"MS", "GC", "CSIB", "Tapping Station", "Memory Dump", "Error Messages",
                                 "Test Results", "Regular HK", "Execution Report", "TC", "Raw"}));
    EXPECT_EQ(activePage(), "MSTab");

    EXPECT_FALSE(find<QAction>("Connecttoserver1")->isEnabled());
    EXPECT_FALSE(find<QAction>("TCEditor1")->isEnabled());
    EXPECT_TRUE(find<QAction>("Open1")->isEnabled());
    EXPECT_EQ(find<QAbstractItemView>("TreeView1")->model()->rowCount(), 0);
    EXPECT_EQ(find<QAbstractItemView>("ListBox1")->model()->rowCount(), 0);
    EXPECT_EQ(find<QAbstractItemView>("PacketStatListView")->model()->rowCount(), 13);
}

TEST_F(MainWindowTest, TheTelecommandEditorWaitsHiddenUntilItsMenuItemIsEnabled)
{
    window().show();
    TForm4& editor = window().tcEditor();
    EXPECT_FALSE(editor.isVisible());
    auto* item = find<QAction>("TCEditor1");
    item->trigger();
    EXPECT_FALSE(editor.isVisible());

    window().enableTcEditor();
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.isWindow());
    EXPECT_FALSE(editor.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Its controls are not the main window's components.
    EXPECT_EQ(window().findChild<QWidget*>("hexMemo"), nullptr);
}

TEST_F(MainWindowTest, FirstRunStoresTheDefaultPlacementAndTheNextRunRestoresTheLastOne)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    window();
    {
        RegistryKey key(QStringLiteral("orvikegse"));
        EXPECT_EQ(key.readInteger("win_pos_left"), 0);
        EXPECT_EQ(key.readInteger("win_pos_top"), 0);
        EXPECT_EQ(key.readInteger("win_pos_height"), 577);
        EXPECT_EQ(key.readInteger("win_pos_width"), 900);
    }
    EXPECT_EQ(window().size(), QSize(std::min(900, screen.width()), std::min(577, screen.height())));

    window().move(40, 30);
    window().resize(640, 480);
    window_.reset();
    EXPECT_EQ(RegistryKey(QStringLiteral("orvikegse")).readInteger("win_pos_width"), 640);

    EXPECT_EQ(window().pos(), QPoint(40, 30));
    EXPECT_EQ(window().size(), QSize(640, 480));

    window_.reset();
    RegistryKey(QStringLiteral("orvikegse")).writeInteger("win_pos_height", screen.height() + 500);
    RegistryKey(QStringLiteral("orvikegse")).writeInteger("win_pos_width", screen.width() + 500);
    EXPECT_EQ(window().size(), screen);
}

TEST_F(MainWindowTest, OpeningAnArchiveFillsTheListsTheStatusBarAndTheCaption)
{
    open(demoArchive);
    const orvik::ArchiveDocument& doc = window().document();
    EXPECT_EQ(window().windowTitle(), "ORVIK-EGSE: " + demoArchive);
    EXPECT_EQ(panel(0), QString("Packets: %1").arg(doc.reader().count()));
    EXPECT_EQ(panel(1), QString("Unknown: %1").arg(doc.unknownCount()));
    EXPECT_EQ(panel(2), QString::fromStdString(doc.statusPanels()[2]));
    EXPECT_TRUE(panel(2).startsWith("Missing: "));

    auto* tree = find<QAbstractItemView>("TreeView1");
    QStringList groups;
    for (int row = 0; row < tree->model()->rowCount(); ++row)
        groups << tree->model()->index(row, 0).data().toString();
    EXPECT_EQ(groups, QStringList({"Housekeeping", "System", "GC", "GCMS", "MS"}));

    auto* timeList = find<QAbstractItemView>("ListBox1");
    ASSERT_EQ(size_t(timeList->model()->rowCount()), doc.timeListNodes().size());
    EXPECT_EQ(timeList->model()->index(0, 0).data().toString().toStdString(),
              doc.tree().text(*doc.timeListNodes().begin()));

    auto* statistics = find<QAbstractItemView>("PacketStatListView")->model();
    for (int row = 0; row < 13; ++row)
        EXPECT_EQ(statistics->index(row, 1).data().toString(),
                  QString::number(doc.packetStatistics().counts[size_t(row)]));
    EXPECT_EQ(window().recentFiles().items().value(0), demoArchive);
}

// Archives beyond 4 GiB count more packets of a kind than 32 bits hold.
TEST(PacketStatisticsModelTest, ACountBeyondThirtyTwoBitsShowsInFull)
{
    orvik::PacketStatistics statistics;
    statistics.counts[orvik::Category::InternalHk] = 5'000'000'123;
    const orvik::app::PacketStatisticsModel model(statistics);
    EXPECT_EQ(model.index(orvik::Category::InternalHk, 1).data().toString(), "5000000123");
}

TEST_F(MainWindowTest, TheCommandLineNamesTheArchiveToOpen)
{
    window().startUp({"orvik-egse"});
    EXPECT_EQ(window().windowTitle(), "ORVIK-EGSE");
    EXPECT_TRUE(window().recentFiles().items().isEmpty());

    window_.reset();
    window().startUp({"orvik-egse", "--tc-editor", demoArchive, "second.cvlbin"});
    EXPECT_EQ(window().windowTitle(), "ORVIK-EGSE: " + demoArchive);
    EXPECT_EQ(find<QAbstractItemView>("ListBox1")->model()->rowCount(),
              int(window().document().timeListNodes().size()));
    EXPECT_TRUE(find<QAction>("TCEditor1")->isEnabled());
    EXPECT_EQ(window().recentFiles().items(), QStringList({demoArchive}));
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedIsReportedAndStillBecomesTheMostRecent)
{
    open(demoArchive);
    const QString missing = scratch_.filePath("gone.cvlbin");
    MessageBoxCatcher box;
    open(missing);
    EXPECT_EQ(box.caption, "Error opening file...");
    EXPECT_EQ(box.text, "File not found!");
    EXPECT_EQ(window().recentFiles().items(), QStringList({missing, demoArchive}));
    // Nothing refers to the released packets of the previous file.
    EXPECT_EQ(window().windowTitle(), "ORVIK-EGSE");
    EXPECT_EQ(find<QAbstractItemView>("TreeView1")->model()->rowCount(), 0);
    EXPECT_EQ(find<QAbstractItemView>("ListBox1")->model()->rowCount(), 0);
}

// A file without read permission cannot be tried here: the tests run as root, who reads it.
TEST_F(MainWindowTest, TheOpenErrorTellsWhyBelowTheKnownText)
{
    const auto reason = [this](const QString& fileName) {
        MessageBoxCatcher box;
        open(fileName);
        EXPECT_EQ(box.text, "File not found!");
        return box.informativeText;
    };
    EXPECT_EQ(reason(scratch_.path()), "it is a folder, not a file");
    EXPECT_EQ(reason(scratch_.filePath("gone.cvlbin")), QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST_F(MainWindowTest, AFileWithoutAFrameOpensWithTheWarningThatItIsNoArchive)
{
    const QString empty = scratch_.filePath("empty.cvlbin");
    QFile(empty).open(QIODevice::WriteOnly);
    MessageBoxCatcher box;
    open(empty);
    EXPECT_EQ(box.caption, "Opened with problems");
    EXPECT_EQ(box.text, "No packet was found in " + empty + ": it is not an archive of this kind, or it is empty");
    EXPECT_EQ(window().windowTitle(), "ORVIK-EGSE: " + empty);
}

TEST_F(MainWindowTest, ReopeningTheSameFileRebuildsEverything)
{
    open(demoArchive);
    const int rows = find<QAbstractItemView>("ListBox1")->model()->rowCount();
    const auto datasets = window().document().datasetCounter();
    find<QAbstractItemView>("ListBox1")->setCurrentIndex(find<QAbstractItemView>("ListBox1")->model()->index(3, 0));
    ASSERT_NE(window().currentNode(), orvik::noNode);

    open(demoArchive);
    EXPECT_EQ(find<QAbstractItemView>("ListBox1")->model()->rowCount(), rows);
    EXPECT_EQ(window().document().datasetCounter(), datasets);
    EXPECT_EQ(window().currentNode(), orvik::noNode);
    EXPECT_EQ(window().recentFiles().items(), QStringList({demoArchive}));
}

TEST_F(MainWindowTest, TheTreeAndTheTimeListShowTheChosenNode)
{
    open(demoArchive);
    const orvik::ArchiveDocument& doc = window().document();
    auto* tree = find<QAbstractItemView>("TreeView1");
    auto* timeList = find<QAbstractItemView>("ListBox1");

    // A group node becomes current but shows nothing.
    tree->setCurrentIndex(tree->model()->index(4, 0));
    EXPECT_EQ(window().currentNode(), doc.msNode());
    EXPECT_EQ(activePage(), "MSTab");

    // The first memory dump in the time list brings its page forward; the tree keeps its selection.
    const int row = timeRowOf(doc, NodeKind::MemoryDump);
    ASSERT_LT(size_t(row), doc.timeListNodes().size());
    timeList->setCurrentIndex(timeList->model()->index(row, 0));
    EXPECT_EQ(activePage(), "MemDumpTabSheet");
    EXPECT_EQ(tree->currentIndex(), tree->model()->index(4, 0));

    // Keyboard moves through the tree show every node passed.
    const QModelIndex housekeeping = tree->model()->index(0, 0);
    tree->setCurrentIndex(tree->model()->index(0, 0, housekeeping));
    const NodeId first = window().currentNode();
    EXPECT_NE(first, doc.housekeepingNode());
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_NE(window().currentNode(), first);
}

// Scroll areas report a right click in their viewport: the menu opens there all the same.
TEST_F(MainWindowTest, ARightClickOpensThePopupMenuWhereTheMouseIs)
{
    open(demoArchive);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    const auto expectMenuAt = [this](QWidget* clicked, const char* menuName) {
        const QPoint at(12, 8);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, clicked->mapToGlobal(at));
        QApplication::sendEvent(clicked, &click);
        auto* menu = find<QMenu>(menuName);
        EXPECT_TRUE(menu->isVisible()) << menuName;
        EXPECT_EQ(menu->pos(), clicked->mapToGlobal(at)) << menuName;
        menu->hide();
    };
    expectMenuAt(find<QWidget>("MSChart"), "ChartPopupMenuMS");
    expectMenuAt(find<QAbstractScrollArea>("TreeView1")->viewport(), "mousemenu");
    pages()->setCurrentWidget(find<QWidget>("MemDumpTabSheet"));
    expectMenuAt(find<QAbstractScrollArea>("MemDumpMemo")->viewport(), "MemDumpPopupMenu");
}

TEST_F(MainWindowTest, EveryComponentTheDecodersWriteExistsInTheWindow)
{
    open(demoArchive);
    const orvik::ArchiveDocument& doc = window().document();
    std::set<std::string> missing;
    for (NodeId node : doc.timeListNodes()) {
        window().displayNode(node);
        for (const orvik::display::Write& write : window().display().components.writes())
            if (!window().findChild<QObject*>(QString::fromStdString(write.component)))
                missing.insert(write.component);
    }
    EXPECT_TRUE(missing.empty()) << *missing.begin();
}

// The page actions the dispatcher decides for each kind (tested on the model in the display
// suite) must end up on the window's page controls.
TEST_F(MainWindowTest, EveryNodeKindBringsItsPagesForwardInTheWindow)
{
    open(demoArchive);
    const orvik::ArchiveDocument& doc = window().document();
    std::set<int> kinds;
    for (NodeId node : doc.timeListNodes()) {
        window().displayNode(node);
        kinds.insert(doc.tree().wrapper(node).kind);
        for (const orvik::display::Write& write : window().display().components.writes()) {
            const QString name = QString::fromStdString(write.component);
            if (write.property == orvik::display::Property::ActivePage) {
                auto* control = window().findChild<QTabWidget*>(name);
                ASSERT_NE(control, nullptr) << write.component;
                EXPECT_EQ(control->currentWidget()->objectName().toStdString(), std::get<std::string>(write.value))
                    << "kind " << doc.tree().wrapper(node).kind;
            } else if (write.property == orvik::display::Property::TabVisible) {
                QWidget* page = window().findChild<QWidget*>(name);
                ASSERT_NE(page, nullptr) << write.component;
                auto* control = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
                ASSERT_NE(control, nullptr) << write.component;
                EXPECT_EQ(control->isTabVisible(control->indexOf(page)), std::get<bool>(write.value))
                    << write.component;
            }
        }
    }
    // The demo archive holds every kind the dispatcher shows.
    for (const auto& entry : orvik::display::MainDisplay::kindDisplays())
        EXPECT_TRUE(kinds.count(entry.kind)) << entry.kind;

    // A regular housekeeping packet shows the half selector on its first entry, an internal one hides it.
    auto* half = find<QComboBox>("HKPacketHalf");
    for (int kind : {NodeKind::RegularHk, NodeKind::InternalHk}) {
        for (NodeId node : doc.timeListNodes())
            if (doc.tree().wrapper(node).kind == kind) {
                half->setCurrentIndex(1);
                window().displayNode(node);
                break;
            }
        EXPECT_EQ(half->isVisibleTo(&window()), kind == NodeKind::RegularHk);
        if (kind == NodeKind::RegularHk) {
            EXPECT_EQ(half->currentIndex(), 0);
        }
    }
}

TEST_F(MainWindowTest, RecentFilesListTheOldestFirstAndOpenTheChosenOne)
{
    const QString a = scratchFile("a.cvlbin"), b = scratchFile("b.cvlbin"), c = scratchFile("c.cvlbin");
    for (const QString& name : {a, b, c})
        open(name);
    EXPECT_EQ(recentCaptions(), QStringList({a, b, c}));

    find<QMenu>("Openrecent1")->actions().front()->trigger();
    EXPECT_EQ(window().currentFileName, a);
    EXPECT_EQ(window().windowTitle(), "ORVIK-EGSE: " + a);
    EXPECT_EQ(recentCaptions(), QStringList({b, c, a}));

    window_.reset();
    RegistryKey key(QStringLiteral("orvikegse\\cvlbins"));
    EXPECT_EQ(key.readString("MRU0"), a);
    EXPECT_EQ(key.readString("MRU1"), c);
    EXPECT_EQ(key.readString("MRU2"), b);
    EXPECT_EQ(recentCaptions(), QStringList({b, c, a}));
}

// Settings edited by hand or by another program: the window starts without a word, on
// its screen, and lists the recent entries that can name a file. One that names a device
// or a folder fails to open as any name does, says why, and still comes first.
TEST_F(MainWindowTest, SettingsThatLieStartTheWindowOnItsScreenWithoutAWord)
{
    {
        RegistryKey placement(QStringLiteral("orvikegse"));
        placement.writeInteger("win_pos_left", std::numeric_limits<qint32>::max());
        placement.writeInteger("win_pos_top", -400000);
        placement.writeString("win_pos_height", "tall");
        placement.writeInteger("win_pos_width", -1);
        RegistryKey recent(QStringLiteral("orvikegse\\cvlbins"));
        recent.writeString("MRU0", "");
        recent.writeString("MRU1", scratch_.path());
        recent.writeString("MRU2", QString(100000, 'x'));
        recent.writeString("MRU3", "/dev/zero");
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        const ModalAnswers none({});
        window().show();
        QApplication::processEvents();
        EXPECT_TRUE(none.opened.empty());
    }
    EXPECT_EQ(window().pos(), screen.topLeft());
    EXPECT_EQ(window().size(), QSize(std::min(900, screen.width()), std::min(577, screen.height())));
    EXPECT_EQ(recentCaptions(), QStringList({"/dev/zero", scratch_.path()}));

    for (const auto& [name, reason] : {std::pair<QString, QString>{"/dev/zero", "it is a device, not a file"},
                                       {scratch_.path(), "it is a folder, not a file"}}) {
        QAction* entry = find<QMenu>("Openrecent1")->actions().at(recentCaptions().indexOf(name));
        MessageBoxCatcher box;
        entry->trigger();
        EXPECT_EQ(box.text, "File not found!");
        EXPECT_EQ(box.informativeText, reason);
        EXPECT_EQ(window().recentFiles().items().front(), name);
    }
}

TEST_F(MainWindowTest, AFileNamedRelativeToTheStartingFolderIsListedByItsFullPath)
{
    const QString a = scratchFile("a.cvlbin");
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch_.path()));
    window().startUp({"orvik-egse", "a.cvlbin"});
    open("./a.cvlbin");
    QDir::setCurrent(started);
    EXPECT_EQ(window().windowTitle(), "ORVIK-EGSE: ./a.cvlbin");
    EXPECT_EQ(window().recentFiles().items(), QStringList({QFileInfo(a).absoluteFilePath()}));
}

TEST_F(MainWindowTest, ADropOpensTheFirstFileOnly)
{
    const QString a = scratchFile("a.cvlbin");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(demoArchive), QUrl::fromLocalFile(demoArchive)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application routes drops only while a drag is on.
    static_cast<QObject&>(window()).event(&drop);
    EXPECT_EQ(window().currentFileName, a);
    EXPECT_EQ(window().recentFiles().items(), QStringList({a}));
}

TEST_F(MainWindowTest, OpenEnclosedFolderHandsTheFolderToTheFileManager)
{
    UrlCatcher catcher;
    find<QAction>("Openenclosedfolder1")->trigger();
    EXPECT_TRUE(catcher.opened.isEmpty());

    const QString a = scratchFile("a.cvlbin");
    open(a);
    find<QAction>("Openenclosedfolder1")->trigger();
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(QDir(catcher.opened.front().toLocalFile()), QDir(scratch_.path()));
}

TEST_F(MainWindowTest, OpenEnclosedFolderTellsWhenTheDesktopCannotOpenIt)
{
    // A handler without the slot named: the desktop reports the folder as not opened.
    QObject noFileManager;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &noFileManager, "open");
    open(scratchFile("a.cvlbin"));
    MessageBoxCatcher box;
    find<QAction>("Openenclosedfolder1")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(box.caption, "Open enclosed folder");
    EXPECT_EQ(box.text,
              QStringLiteral("The folder \"%1\" could not be opened.").arg(QDir::toNativeSeparators(scratch_.path())));
}

#include "MainWindowTest.moc"
