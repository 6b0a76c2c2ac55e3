// A dataset of the demo archive exported from the real window: "Export dataset..." of
// the tree's pop-up menu, usable where a dataset is at hand, its save dialog, the file
// in the format of the filter chosen, the ANDI chromatogram's series chosen, a failure
// told in a message box; and mzML of the spectrum on show from the chart's export page.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/models/CategoryTreeModel.h"
#include "app/pages/SpectrumPages.h"
#include "display/widgets/Chart.h"
#include "display/widgets/ChartEditor.h"
#include "exports/DatasetContent.h"
#include "exports/DatasetExport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

using namespace orvik;
using namespace orvik::app;
using orvik::exports::DatasetContent;

namespace {

const QStringList datasetFilters{"mzML (*.mzML)", "ANDI-MS netCDF (*.cdf)", "ANDI chromatogram netCDF (*.cdf)",
                                 "CSV (*.csv)"};

QByteArray contentsOf(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Goes to the file's folder, types its name, chooses the filter in the dialog's list and
// accepts, as a user does; `shown` is the name in the dialog then.
ModalAnswers::Answer saveWithFilter(const QString& file, const QString& filter, QString* shown = nullptr)
{
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        auto* filters = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_TRUE(name && filters);
        dialog->setDirectory(QFileInfo(file).path());
        name->setText(QFileInfo(file).fileName());
        filters->setCurrentIndex(filters->findText(filter));
        emit filters->activated(filters->currentIndex());
        if (shown)
            *shown = name->text();
        QMetaObject::invokeMethod(dialog, "accept");
    };
}

// Takes down the text of the message box and closes it.
ModalAnswers::Answer readBox(QString& caption, QString& text)
{
    return [&caption, &text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        box->accept();
    };
}

class DatasetExportTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        window.currentFileName = demoArchive;
        window.openArchive(false);
        tree = findNamed<QTreeView>(window, "TreeView1");
        menu = findNamed<QMenu>(window, "mousemenu");
        action = findNamed<QAction>(window, "mousemenu_exportDataset");
        ASSERT_TRUE(tree && menu && action);
    }

    const CategoryTree& nodes() const { return window.document().tree(); }
    // The first dataset whose content passes `wanted`.
    NodeId datasetWith(const std::function<bool(const DatasetContent&)>& wanted) const
    {
        for (NodeId dataset : exports::datasets(nodes()))
            if (wanted(exports::datasetContent(nodes(), dataset)))
                return dataset;
        ADD_FAILURE() << "no such dataset in the demo archive";
        return noNode;
    }
    NodeId datasetWithSpectra() const
    {
        return datasetWith([](const DatasetContent& c) { return !c.spectra.empty(); });
    }
    // Chooses the node in the tree, as a user does.
    void choose(NodeId node)
    {
        findNamed<QTabWidget>(window, "PageControl4")->setCurrentIndex(0);
        tree->setCurrentIndex(static_cast<CategoryTreeModel*>(tree->model())->indexOf(node));
        ASSERT_EQ(window.currentNode(), node);
    }
    // Whether the pop-up menu, opened for the current node, offers the export.
    bool offered()
    {
        menu->popup(tree->viewport()->mapToGlobal(QPoint(5, 5)));
        const bool enabled = action->isEnabled();
        menu->hide();
        return enabled;
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    TForm1 window;
    QTreeView* tree = nullptr;
    QMenu* menu = nullptr;
    QAction* action = nullptr;
};

TEST_F(DatasetExportTest, ThePopupMenuOffersTheExportOnADatasetAndTheNodesInIt)
{
    QStringList items;
    for (QAction* a : menu->actions())
        items << a->objectName() + " " + a->text();
    EXPECT_EQ(items, QStringList({"mousemenu_print Print", "mousemenu_exportDataset &Export dataset..."}));

    EXPECT_FALSE(offered()) << "no node chosen";
    const NodeId dataset = datasetWithSpectra();
    choose(dataset);
    EXPECT_TRUE(offered());
    choose(nodes().children(dataset)[0]);
    EXPECT_TRUE(offered()) << "the telecommand that opened the dataset";
    for (NodeId node : window.document().timeListNodes())
        if (exports::datasetOf(nodes(), node) == noNode) {
            choose(node);
            EXPECT_FALSE(offered()) << nodes().text(node);
            break;
        }
}

TEST_F(DatasetExportTest, TheSaveDialogOffersTheFormatsAndTheDatasetsNameBesideTheArchive)
{
    const NodeId dataset = datasetWithSpectra();
    choose(dataset);
    QStringList filters;
    QString filter, proposed;
    ModalAnswers answers({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        filter = dialog->selectedNameFilter();
        proposed = dialog->selectedFiles().value(0);
        dialog->reject();
    }});
    action->trigger();
    EXPECT_EQ(answers.opened, std::vector<std::string>{"QFileDialog"}) << "cancelled: nothing more";
    EXPECT_EQ(filters, datasetFilters);
    EXPECT_EQ(filter, "mzML (*.mzML)");
    EXPECT_EQ(QFileInfo(proposed).fileName(), QString::fromStdString(nodes().text(dataset)) + ".mzML");
    EXPECT_EQ(QFileInfo(proposed).dir(), QFileInfo(demoArchive).dir());
}

TEST_F(DatasetExportTest, TheFilterChosenDecidesTheFormatOfTheFileWrittenAndIsOfferedNextTime)
{
    const NodeId dataset = datasetWithSpectra();
    choose(dataset);
    {
        ModalAnswers answers({saveAs("mzML (*.mzML)", file("dataset.mzML"))});
        action->trigger();
        EXPECT_EQ(answers.opened, std::vector<std::string>{"QFileDialog"});
    }
    EXPECT_TRUE(contentsOf(file("dataset.mzML")).startsWith("<?xml"));
    const DatasetContent content = exports::datasetContent(nodes(), dataset);
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("Exported %1 as mzML to %2")
                  .arg(QString::fromStdString(content.path), QDir::toNativeSeparators(file("dataset.mzML"))));

    // The name takes the extension of the filter chosen after it was typed.
    {
        QString shown;
        ModalAnswers answers({saveWithFilter(file("dataset.mzML"), "CSV (*.csv)", &shown)});
        action->trigger();
        EXPECT_EQ(answers.opened, std::vector<std::string>{"QFileDialog"}) << "no question: dataset.csv is new";
        EXPECT_EQ(shown, "dataset.csv");
    }
    EXPECT_TRUE(contentsOf(file("dataset.csv")).startsWith("Series,X,Y\n"));

    QString offered;
    ModalAnswers answers({[&](QWidget* modal) {
        offered = static_cast<QFileDialog*>(modal)->selectedNameFilter();
        static_cast<QFileDialog*>(modal)->reject();
    }});
    action->trigger();
    EXPECT_EQ(offered, "CSV (*.csv)");
}

TEST_F(DatasetExportTest, TheAndiChromatogramsSeriesIsChosenAmongTheDatasets)
{
    const NodeId dataset = datasetWith([](const DatasetContent& c) { return c.chromatograms.size() >= 2; });
    choose(dataset);
    const DatasetContent content = exports::datasetContent(nodes(), dataset);
    QStringList items;
    ModalAnswers answers({saveWithFilter(file("column.cdf"), "ANDI chromatogram netCDF (*.cdf)"),
                          [&](QWidget* modal) {
                              auto* dialog = qobject_cast<QInputDialog*>(modal);
                              ASSERT_NE(dialog, nullptr);
                              items = dialog->comboBoxItems();
                              dialog->setTextValue(items.value(1));
                              dialog->accept();
                          }});
    action->trigger();
    EXPECT_EQ(answers.opened, (std::vector<std::string>{"QFileDialog", "QInputDialog"}));
    ASSERT_EQ(items.size(), qsizetype(content.chromatograms.size()));
    EXPECT_EQ(items.at(1), QStringLiteral("%1 (GC record %2)")
                               .arg(QString::fromStdString(content.chromatograms[1].title))
                               .arg(content.chromatograms[1].record));
    EXPECT_TRUE(contentsOf(file("column.cdf")).startsWith("CDF"));
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(" as ANDI chromatogram to "));
}

TEST_F(DatasetExportTest, AFileThatCannotBeWrittenIsToldInAMessageBox)
{
    choose(datasetWithSpectra());
    const QString target = file("no folder/dataset.mzML");
    QString caption, text;
    ModalAnswers answers({saveAs("mzML (*.mzML)", target), readBox(caption, text)});
    action->trigger();
    EXPECT_EQ(caption, "Export dataset");
    EXPECT_TRUE(text.contains(target)) << text.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty()) << "nothing exported";
}

TEST_F(DatasetExportTest, ADatasetLackingWhatTheFormatNeedsGetsTheWritersReason)
{
    const NodeId chromatogramsOnly = datasetWith([](const DatasetContent& c) { return c.spectra.empty(); });
    QString caption, text;
    {
        ModalAnswers answers({readBox(caption, text)});
        EXPECT_FALSE(window.exportDataset(chromatogramsOnly, exports::DatasetFormat::AndiMs, file("ms.cdf")));
    }
    EXPECT_EQ(caption, "Export dataset");
    const auto reason = exports::exportDataset(exports::datasetContent(nodes(), chromatogramsOnly),
                                               exports::DatasetFormat::AndiMs, file("ms.cdf").toStdString(), {});
    ASSERT_TRUE(reason.has_value());
    EXPECT_EQ(text, QString::fromStdString(*reason));
    EXPECT_FALSE(QFile::exists(file("ms.cdf")));
}

TEST_F(DatasetExportTest, TheChartsExportPageWritesTheSpectrumOnShowAsMzml)
{
    const NodeId dataset = datasetWithSpectra();
    const NodeId spectrum = exports::datasetContent(nodes(), dataset).spectra.front().node;
    choose(spectrum);
    widgets::ChartEditor* editor = window.spectrumPages().chartEditor();
    auto* format = findNamed<QComboBox>(*editor, "ChartEditorFormat");
    QStringList captions;
    QTimer::singleShot(0, editor, [&] {
        for (int i = 0; i < format->count(); ++i)
            captions << format->itemText(i);
        format->setCurrentText("Spectrum data (mzML)");
        editor->reject();
    });
    findNamed<QAction>(window, "Saveto2")->trigger(); // "Export ..." of the MS chart's menu
    EXPECT_EQ(captions.sliced(4), QStringList{"Spectrum data (mzML)"}) << "after the chart's own formats";
    {
        const ModalAnswers closeUnexpected({});
        EXPECT_TRUE(editor->exportTo(file("spectrum.mzML"))); // "Save..." of its export page
    }
    const QByteArray mzml = contentsOf(file("spectrum.mzML"));
    EXPECT_TRUE(mzml.startsWith("<?xml"));
    EXPECT_EQ(mzml.count("<spectrum "), 1);
    EXPECT_EQ(mzml.count("<chromatogram "), 0);

    // The GC chart offers its chromatograms; it shows none while a mass spectrum is current.
    editor->setChart(window.spectrumPages().gcChart());
    EXPECT_EQ(format->itemText(format->count() - 1), "Chromatogram data (mzML)");
    format->setCurrentText("Chromatogram data (mzML)");
    QString caption, text;
    ModalAnswers answers({readBox(caption, text)});
    EXPECT_FALSE(editor->exportTo(file("chromatogram.mzML")));
    EXPECT_EQ(text, "The chart shows no chromatogram of a dataset.");
    EXPECT_FALSE(QFile::exists(file("chromatogram.mzML")));
}

} // namespace
