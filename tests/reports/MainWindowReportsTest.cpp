// The main window's reports, export and about, as a user meets them: "&About",
// "Print" in the tree's pop-up menu, and "Save to" of a memory dump.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"

#include "reports/AboutBox.h"
#include "app/models/CategoryTreeModel.h"
#include "tests/reports/GcRecords.h"
#include "app/Unit1.h"
#include "reports/Unit5.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace orvik;
using namespace orvik::test;
using namespace orvik::app;
using namespace orvik::reports;

namespace {

void noModalLeft()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

class MainWindowReportsTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window.SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    }

    void open(const Archive& archive)
    {
        window.currentFileName = QString::fromStdString(dir.write("campaign.cvlbin", archive.bytes()));
        window.openArchive(false);
        ASSERT_FALSE(window.document().timeListNodes().empty());
    }

    // Chooses the node in the tree as a user's click does.
    void chooseInTree(NodeId node)
    {
        auto* tree = window.findChild<QTreeView*>("TreeView1");
        tree->setCurrentIndex(static_cast<CategoryTreeModel*>(tree->model())->indexOf(node));
        ASSERT_EQ(window.currentNode(), node);
    }

    NodeId firstOfKind(int16_t kind) const
    {
        for (NodeId id : window.document().tree().ids())
            if (window.document().tree().kind(id) == kind)
                return id;
        return noNode;
    }

    void trigger(const char* action) { window.findChild<QAction*>(action)->trigger(); }

    QString file(const std::string& name) const { return QString::fromStdString((dir.path() / name).string()); }

    TempDir dir;
    TForm1 window;
};

TEST_F(MainWindowReportsTest, AboutShowsTheProgramsVersionAndBuild)
{
    QString version, built, caption;
    ModalAnswers answers({[&](QWidget* modal) {
        auto* box = qobject_cast<TAboutBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        version = box->Version->text();
        built = box->compdate->text();
        EXPECT_EQ(box->ProductName->text(), "ORVIK-EGSE");
        box->OKButton->click();
    }});
    trigger("About1");
    EXPECT_EQ(caption, "About");
    EXPECT_EQ(version, "Version: 0.1.5.8");
    EXPECT_TRUE(QRegularExpression("^Compiled: [A-Z][a-z]{2} [ 1-3]\\d \\d{4}, \\d\\d:\\d\\d:\\d\\d$").match(built).hasMatch())
        << built.toStdString();
    QString read = "unchanged";
    EXPECT_EQ(window.fileVersionOf(read), 0);
    EXPECT_EQ(read, ORVIK_FILE_VERSION);
}

TEST_F(MainWindowReportsTest, PrintPreviewsTheGcReportOfTheCurrentDataset)
{
    open(Archive().add(regularHk()).add(gcRunStream().blocks()));
    const NodeId dataset = window.document().tree().children(window.document().gcNode()).at(0);
    chooseInTree(dataset);
    QString title;
    ModalAnswers answers({[&](QWidget* preview) {
        title = preview->windowTitle();
        preview->close();
    }});
    trigger("mousemenu_print");
    EXPECT_EQ(answers.opened, std::vector<std::string>{"orvik::reports::ReportPreview"});
    EXPECT_EQ(title, "GC Report");
    EXPECT_EQ(window.Form5->reportNode(), dataset);
    EXPECT_EQ(window.Form5->QuickRep1->control("filename")->text, "campaign.cvlbin");
    EXPECT_EQ(window.Form5->QuickRep1->control("duration")->text, "1.02 min");
}

TEST_F(MainWindowReportsTest, ARightClickOpensTheMenuWithoutChoosingTheNodeUnderIt)
{
    open(Archive().add(regularHk()).add(gcRunStream().blocks()));
    const NodeId dataset = window.document().tree().children(window.document().gcNode()).at(0);
    chooseInTree(dataset);
    auto* tree = window.findChild<QTreeView*>("TreeView1");
    const QModelIndex housekeeping = tree->model()->index(0, 0);
    ASSERT_EQ(housekeeping.data().toString(), "Housekeeping");
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualRect(housekeeping).center());
    EXPECT_EQ(window.currentNode(), dataset);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(housekeeping).center());
    EXPECT_EQ(window.currentNode(), window.document().housekeepingNode()) << "a left click chooses";
}

TEST_F(MainWindowReportsTest, PrintTellsTheUserWhenTheNodeHoldsNoGcRun)
{
    const auto expectNoGcRun = [this](const char* when) {
        QString text;
        ModalAnswers answers({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            text = box->text();
            box->accept();
        }});
        trigger("mousemenu_print");
        EXPECT_EQ(text, "The node holds no GC run.") << when;
    };
    expectNoGcRun("no file");
    open(Archive().add(regularHk()).add(gcRunStream().blocks()));
    expectNoGcRun("no node chosen since the open");
    chooseInTree(window.document().housekeepingNode());
    expectNoGcRun("a group without a run");
    chooseInTree(window.document().tree().children(window.document().msNode()).at(0));
    expectNoGcRun("a dataset without a run");

    // Other kinds than group nodes: nothing at all.
    ModalAnswers none({});
    chooseInTree(firstOfKind(NodeKind::Spectrum));
    trigger("mousemenu_print");
    noModalLeft();
    EXPECT_TRUE(none.opened.empty());
}

class SaveToTest : public MainWindowReportsTest {
protected:
    void SetUp() override
    {
        MainWindowReportsTest::SetUp();
        Words page = counting(128, 0xFF80);
        page[0] = 0x1234;
        open(Archive().add({regularHk(), dumpHeader(0x0F00, 2), dumpPage(page), dumpPage(counting(128)),
                            categoryPacket(7)}));
        dump = firstOfKind(NodeKind::MemoryDump);
        for (uint16_t w : page)
            text += std::to_string(w) + "\n";
        for (uint16_t w : counting(128))
            text += std::to_string(w) + "\n";
    }
    std::string contents(const QString& name)
    {
        QFile f(name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
        return f.readAll().toStdString();
    }
    void showTimeList(std::optional<int> line)
    {
        window.findChild<QTabWidget*>("PageControl4")->setCurrentIndex(1);
        auto* list = window.findChild<QListView*>("ListBox1");
        list->clearSelection();
        if (line)
            list->setCurrentIndex(list->model()->index(*line, 0));
    }
    NodeId dump = noNode;
    std::string text;
};

TEST_F(SaveToTest, SavesTheDumpChosenInTheTreeInBothFormats)
{
    chooseInTree(dump);
    ModalAnswers answers({saveAs("Ascii (*.txt)", file("dump.txt")), saveAs("Binary (*.bin)", file("dump"))});
    const auto confirmation = [](const QString& name) {
        return QStringLiteral("Saved the memory dump (256 words) to %1").arg(QDir::toNativeSeparators(name));
    };
    trigger("ASCII2"); // "Save to" > "ASCII" of the memory-dump pop-up menu
    EXPECT_EQ(window.statusBar()->currentMessage(), confirmation(file("dump.txt")));
    trigger("Binary2");
    EXPECT_EQ(window.statusBar()->currentMessage(), confirmation(file("dump")));
    EXPECT_EQ(contents(file("dump.txt")), text);
    QFile binary(file("dump"));
    ASSERT_TRUE(binary.open(QIODevice::ReadOnly));
    const QByteArray bytes = binary.readAll();
    EXPECT_EQ(bytes.size(), 512);
    EXPECT_EQ(bytes.left(4), QByteArray("\x34\x12\x81\xFF", 4));
}

TEST_F(SaveToTest, SavesTheDumpOfTheSelectedTimeListLine)
{
    chooseInTree(window.document().housekeepingNode()); // the tree's selection does not count
    const auto& entries = window.document().timeListNodes();
    const int line = int(std::distance(entries.begin(), std::find(entries.begin(), entries.end(), dump)));
    showTimeList(line);
    ModalAnswers answers({saveAs("Ascii (*.txt)", file("from time list.txt"))});
    window.ASCII2Click();
    EXPECT_EQ(contents(file("from time list.txt")), text);
}

TEST_F(SaveToTest, DoesNothingWithoutAChosenMemoryDump)
{
    ModalAnswers none({});
    showTimeList(std::nullopt); // no line selected
    window.ASCII2Click();
    showTimeList(0); // a housekeeping packet
    window.Binary2Click();
    window.findChild<QTabWidget*>("PageControl4")->setCurrentIndex(0);
    chooseInTree(firstOfKind(NodeKind::ErrorMessage));
    window.Binary2Click();
    noModalLeft();
    EXPECT_TRUE(none.opened.empty());
}

TEST_F(SaveToTest, ReportsAFileThatCannotBeWritten)
{
    chooseInTree(dump);
    const QString target = file("no folder/dump.bin");
    QString message;
    ModalAnswers answers({saveAs("Binary (*.bin)", target), [&](QWidget* modal) {
                              auto* box = qobject_cast<QMessageBox*>(modal);
                              ASSERT_NE(box, nullptr);
                              message = box->text();
                              box->accept();
                          }});
    window.Binary2Click();
    EXPECT_EQ(message, QStringLiteral("Cannot open \"%1\" for writing: No such file or directory.").arg(target));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty()) << "nothing saved";
}

} // namespace
