// The open archive changes on disk under the window: it is cut short, replaced by
// another file, removed, or a folder takes its name. What the window read stays
// shown and usable without the file (nodes, the raw view, "Save to" of a dump, the
// GC report); the actions that read the file again say what became of it.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/models/CategoryTreeModel.h"
#include "app/settings/Brindlowmru.h"
#include "exports/DatasetContent.h"
#include "exports/DatasetExport.h"
#include "reports/GcReportValues.h"
#include "reports/MemoryDumpExport.h"
#include "reports/QuickReport.h"
#include "reports/Unit5.h"

#include <QAction>
#include <QCryptographicHash>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTreeView>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace orvik;
using namespace orvik::app;

namespace {

namespace fs = std::filesystem;

// What becomes of the archive, and how the window tells it after the archive's name.
// Running as root, a file cannot be made unreadable by its permissions: a folder
// under its name is what no one reads.
struct Change {
    const char* what;
    std::function<void(const fs::path&)> apply;
    const char* told;
};

const Change changes[] = {
    {"cut short", [](const fs::path& f) { fs::resize_file(f, 100); }, "was cut short"},
    {"replaced",
     [](const fs::path& f) {
         // As long as the archive was, so that only the file's identity tells.
         const fs::path other = fs::path(f).replace_extension("new");
         std::ofstream(other, std::ios::binary) << std::string(size_t(fs::file_size(f)), '\x55');
         fs::rename(other, f);
     },
     "was replaced by another file"},
    {"removed", [](const fs::path& f) { fs::remove(f); }, "is gone"},
    {"a folder now",
     [](const fs::path& f) {
         fs::remove(f);
         fs::create_directory(f);
     },
     "is gone"},
};

QByteArray contentsOf(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Takes down the texts of the message box and closes it.
ModalAnswers::Answer readBox(QStringList& texts)
{
    return [&texts](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        texts = {box->windowTitle(), box->text(), box->informativeText()};
        box->accept();
    };
}

class ArchiveChangedTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window.SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
        archive = scratch_.filePath("campaign.cvlbin");
    }

    // Opens a copy of the demo archive, which the test then changes.
    void openCopy()
    {
        std::error_code ignored;
        fs::remove_all(archive.toStdString(), ignored);
        ASSERT_TRUE(QFile::copy(demoArchive, archive));
        window.currentFileName = archive;
        window.openArchive(false);
        ASSERT_FALSE(window.document().timeListNodes().empty());
    }

    const CategoryTree& nodes() const { return window.document().tree(); }
    NodeId firstOf(const std::function<bool(NodeId)>& wanted) const
    {
        for (NodeId id : nodes().ids())
            if (wanted(id))
                return id;
        ADD_FAILURE() << "no such node in the demo archive";
        return noNode;
    }
    void chooseInTree(NodeId node)
    {
        findNamed<QTabWidget>(window, "PageControl4")->setCurrentIndex(0);
        auto* tree = findNamed<QTreeView>(window, "TreeView1");
        tree->setCurrentIndex(static_cast<CategoryTreeModel*>(tree->model())->indexOf(node));
        ASSERT_EQ(window.currentNode(), node);
    }
    QString rawText() const { return findNamed<QPlainTextEdit>(window, "RawMemo")->toPlainText(); }
    QString statusMessage() const { return window.statusBar()->currentMessage(); }
    QString file(const char* name) const { return scratch_.filePath(QString::fromLatin1(name)); }

    TForm1 window;
    QString archive;
};

TEST_F(ArchiveChangedTest, WhatWasReadStaysShownAndUsableWithoutTheFile)
{
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        openCopy();
        const int dumpRow = timeRowOf(window.document(), NodeKind::MemoryDump);
        const NodeId dump = chooseTimeRow(window, dumpRow);
        findNamed<QTabWidget>(window, "PageControl1")->setCurrentWidget(findNamed<QWidget>(window, "RawTabSheet"));
        const QString raw = rawText();
        ASSERT_TRUE(raw.size() > 100) << raw.toStdString();
        std::ostringstream words;
        reports::writeMemoryDump(*reports::memoryDumpOf(nodes(), dump), reports::DumpFileFormat::Binary, words);

        change.apply(archive.toStdString());

        // Shown again from what was read: another node, then the dump, on the raw page.
        chooseTimeRow(window, 0);
        EXPECT_NE(rawText(), raw);
        chooseTimeRow(window, dumpRow);
        EXPECT_EQ(rawText(), raw);

        const QString saved = file("dump.bin");
        {
            ModalAnswers answers({saveAs("Binary (*.bin)", saved)});
            window.Binary2Click();
            EXPECT_EQ(answers.opened, std::vector<std::string>{"QFileDialog"});
        }
        EXPECT_EQ(contentsOf(saved).toStdString(), words.str());

        const NodeId gcRun = firstOf([this](NodeId id) {
            return nodes().kind(id) == NodeKind::Group && reports::gcRunOf(nodes(), id).has_value();
        });
        chooseInTree(gcRun);
        {
            ModalAnswers answers({[](QWidget* preview) { preview->close(); }});
            window.mousemenu_printClick();
            EXPECT_EQ(answers.opened, std::vector<std::string>{"orvik::reports::ReportPreview"});
        }
        EXPECT_EQ(window.Form5->reportNode(), gcRun);
        EXPECT_EQ(window.Form5->QuickRep1->control("filename")->text, "campaign.cvlbin");
        EXPECT_EQ(window.windowTitle(), "ORVIK-EGSE: " + archive);
    }
}

// mzML names its source archive by its SHA-1, read from the file at the export: a file
// that no longer holds what was read is not read, the export leaves the source out
// (a source cannot be described without its checksum) and the status bar says why.
TEST_F(ArchiveChangedTest, TheMzmlExportNamesTheArchiveByChecksumOnlyWhileItHoldsWhatWasRead)
{
    openCopy();
    NodeId dataset = noNode;
    for (NodeId d : exports::datasets(nodes()))
        if (dataset == noNode && !exports::datasetContent(nodes(), d).spectra.empty())
            dataset = d;
    ASSERT_NE(dataset, noNode);
    const QString unchanged = file("unchanged.mzML");
    ASSERT_TRUE(window.exportDataset(dataset, exports::DatasetFormat::Mzml, unchanged));
    const QByteArray sha1 = QCryptographicHash::hash(contentsOf(archive), QCryptographicHash::Sha1).toHex();
    EXPECT_TRUE(contentsOf(unchanged).contains("value=\"" + sha1 + "\""));
    EXPECT_FALSE(statusMessage().contains("since it was read"));

    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        openCopy();
        change.apply(archive.toStdString());
        const QString changed = file("changed.mzML");
        {
            const ModalAnswers noBox({});
            EXPECT_TRUE(window.exportDataset(dataset, exports::DatasetFormat::Mzml, changed));
        }
        const QByteArray mzml = contentsOf(changed);
        EXPECT_TRUE(mzml.contains("<spectrum ") || mzml.contains("<chromatogram "));
        EXPECT_FALSE(mzml.contains("<sourceFileList"));
        EXPECT_TRUE(statusMessage().endsWith(
            QString("; %1 %2 since it was read, so the export names no checksum of it").arg(archive, change.told)))
            << statusMessage().toStdString();

        // The other formats name the archive without reading it.
        EXPECT_TRUE(window.exportDataset(dataset, exports::DatasetFormat::Csv, file("changed.csv")));
        EXPECT_FALSE(statusMessage().contains("since it was read"));
    }
}

// Opened again, the file is read as it is now: gone or a folder, the open says so in
// its own box, and the name is still the most recent entry.
TEST_F(ArchiveChangedTest, OpeningItAgainFromTheRecentFilesTellsWhyItFails)
{
    const struct {
        const Change& change;
        QString reason;
    } failing[] = {{changes[2], QString::fromLocal8Bit(std::strerror(ENOENT))},
                   {changes[3], "it is a folder, not a file"}};
    for (const auto& [change, reason] : failing) {
        SCOPED_TRACE(change.what);
        openCopy();
        window.currentFileName = demoArchive;
        window.openArchive(false);
        change.apply(archive.toStdString());
        const QList<QAction*> entries = findNamed<QMenu>(window, "Openrecent1")->actions();
        ASSERT_EQ(entries.size(), 2);
        ASSERT_EQ(entries.front()->text(), archive); // the oldest at the top
        QStringList box;
        {
            ModalAnswers answers({readBox(box)});
            entries.front()->trigger();
        }
        EXPECT_EQ(box, QStringList({"Error opening file...", "File not found!", reason}));
        EXPECT_EQ(window.recentFiles().items().front(), archive);
        EXPECT_EQ(window.windowTitle(), "ORVIK-EGSE");
    }
}

} // namespace
