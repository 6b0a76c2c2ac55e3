// "Export CSV..." on the "Regular HK" page of the real window: usable only with
// regular housekeeping, the file written through the save dialog equals the
// core's CSV and is confirmed in the status bar, and a file that cannot be
// written is told in a message box.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"

#include "tests/archive/ArchiveBuilder.h"
#include "display/HousekeepingCsv.h"
#include "display/HousekeepingSamples.h"
#include "app/Unit1.h"

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

using namespace orvik;
using namespace orvik::test;
using namespace orvik::app;

namespace {

class HousekeepingCsvExportTest : public SettingsTest {
protected:
    void open(const QString& fileName)
    {
        window.currentFileName = fileName;
        window.openArchive(false);
    }
    QString file(const std::string& name) const { return QString::fromStdString((dir.path() / name).string()); }
    QPushButton* button() { return window.findChild<QPushButton*>("HKCsvExportButton"); }

    TempDir dir;
    TForm1 window;
};

TEST_F(HousekeepingCsvExportTest, TheButtonIsUsableWhileTheArchiveHoldsRegularHousekeeping)
{
    ASSERT_NE(button(), nullptr);
    EXPECT_EQ(button()->text(), "Export CSV...");
    EXPECT_TRUE(window.findChild<QWidget*>("RegularHKTabSheet")->isAncestorOf(button())) << "on the page's content";
    EXPECT_FALSE(button()->isEnabled()) << "no archive";
    open(QString::fromStdString(dir.write("internal.cvlbin", Archive().add(categoryPacket(Category::InternalHk, {1, 2})).bytes())));
    EXPECT_FALSE(button()->isEnabled()) << "internal housekeeping only";
    open(QStringLiteral(ORVIK_DEMO_ARCHIVE));
    EXPECT_TRUE(button()->isEnabled());
}

TEST_F(HousekeepingCsvExportTest, WritesTheDemoArchivesSamplesToTheFileChosen)
{
    open(QStringLiteral(ORVIK_DEMO_ARCHIVE));
    std::string expected;
    display::writeHousekeepingCsv(window.document(), window.display().hkLists.regularHkList,
                                  [&expected](std::string_view text) {
                                      expected += text;
                                      return true;
                                  });
    ModalAnswers answers({saveAs("CSV files (*.csv)", file("housekeeping.csv"))});
    button()->click();
    EXPECT_EQ(answers.opened, std::vector<std::string>{"QFileDialog"});
    QFile written(file("housekeeping.csv"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), expected);
    EXPECT_GT(std::count(expected.begin(), expected.end(), '\n'), 2);
}

TEST_F(HousekeepingCsvExportTest, TheExportIsConfirmedInTheStatusBarBesideTheCounts)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    open(QStringLiteral(ORVIK_DEMO_ARCHIVE));
    const QString target = file("confirmed.csv");
    ModalAnswers answers({saveAs("CSV files (*.csv)", target)});
    button()->click();
    const size_t samples = 2 * display::regularHkBlocks(window.document()).size();
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("Exported %1 housekeeping samples to %2")
                  .arg(QLocale().toString(qulonglong(samples)), QDir::toNativeSeparators(target)));
    // The counts stay in view, in their order, beside the message.
    int left = 0;
    for (const char* name : {"StatusPanel0", "StatusPanel1", "StatusPanel2"}) {
        const auto* panel = window.findChild<QLabel*>(name);
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(panel->isVisible()) << name;
        EXPECT_GT(panel->x(), left) << name;
        left = panel->x();
    }
    EXPECT_TRUE(window.findChild<QLabel*>("StatusPanel0")->text().startsWith("Packets: "));
}

TEST_F(HousekeepingCsvExportTest, AFileThatCannotBeWrittenIsToldAndNotLeftBehind)
{
    open(QStringLiteral(ORVIK_DEMO_ARCHIVE));
    const QString target = file("no folder/housekeeping.csv");
    QString caption, message;
    ModalAnswers answers({saveAs("CSV files (*.csv)", target), [&](QWidget* modal) {
                              auto* box = qobject_cast<QMessageBox*>(modal);
                              ASSERT_NE(box, nullptr);
                              caption = box->windowTitle();
                              message = box->text();
                              box->accept();
                          }});
    button()->click();
    EXPECT_EQ(caption, "Export CSV");
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot write \"%1\": ").arg(QDir::toNativeSeparators(target))))
        << message.toStdString();
    EXPECT_GT(message.size(), target.size() + 20) << "the reason follows the name";
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty()) << "nothing exported";
}

} // namespace
