// A dataset out to the tools of analysis: "Export dataset..." of the tree's pop-up
// menu writes a whole dataset as mzML, ANDI-MS, one ANDI chromatogram or CSV, and the
// spectrum charts' export page writes the curve on show as mzML.

#include "app/Unit1.h"

#include "app/pages/SpectrumPages.h"
#include "display/widgets/ChartEditor.h"
#include "display/widgets/ChartOutput.h"
#include "display/widgets/StatusMessage.h"
#include "display/widgets/WaitCursor.h"
#include "exports/DatasetExport.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>

using namespace orvik;
using orvik::exports::DatasetContent;
using orvik::exports::DatasetFormat;

namespace orvik::app {

namespace {

const char* const exportCaption = "Export dataset";

const struct {
    DatasetFormat format;
    const char* filter;
    const char* extension;
    const char* name; // in the confirmation
} datasetFormats[] = {
    {DatasetFormat::Mzml, "mzML (*.mzML)", "mzML", "mzML"},
    {DatasetFormat::AndiMs, "ANDI-MS netCDF (*.cdf)", "cdf", "ANDI-MS"},
    {DatasetFormat::AndiChromatogram, "ANDI chromatogram netCDF (*.cdf)", "cdf", "ANDI chromatogram"},
    {DatasetFormat::Csv, "CSV (*.csv)", "csv", "CSV"},
};

const auto& formatOfFilter(const QString& filter)
{
    for (const auto& f : datasetFormats)
        if (filter == QLatin1String(f.filter))
            return f;
    return datasetFormats[0];
}

const auto& formatEntry(DatasetFormat format)
{
    for (const auto& f : datasetFormats)
        if (f.format == format)
            return f;
    return datasetFormats[0];
}

// A long dataset takes a moment to copy.
DatasetContent contentOf(const CategoryTree& tree, NodeId dataset)
{
    const widgets::WaitCursor waiting;
    return exports::datasetContent(tree, dataset);
}

// The series of an ANDI chromatogram, chosen among the dataset's; none when cancelled. A
// dataset with a single series needs no question, one without any gets the writer's refusal.
std::optional<size_t> chooseChromatogram(const DatasetContent& content, QWidget* parent)
{
    if (content.chromatograms.size() < 2)
        return 0;
    QStringList items;
    for (const exports::ExportedChromatogram& c : content.chromatograms)
        items << QStringLiteral("%1 (GC record %2)").arg(QString::fromStdString(c.title)).arg(c.record);
    QInputDialog dialog(parent);
    dialog.setObjectName("ExportChromatogramDialog");
    dialog.setWindowTitle(exportCaption);
    dialog.setLabelText("&Chromatogram:");
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return size_t(std::max<qsizetype>(0, items.indexOf(dialog.textValue())));
}

} // namespace

void TForm1::buildDatasetExport()
{
    auto* mousemenu = findChild<QMenu*>("mousemenu");
    exportDataset_ = mousemenu->addAction("&Export dataset...", this, &TForm1::mousemenu_exportDatasetClick);
    exportDataset_->setObjectName("mousemenu_exportDataset");
    // The menu acts on the current node: usable where that node is or lies in a dataset.
    connect(mousemenu, &QMenu::aboutToShow, this,
            [this] { exportDataset_->setEnabled(exports::datasetOf(doc_.tree(), doc_.currentNode) != noNode); });

    widgets::ChartEditor* editor = spectrumPages_->chartEditor();
    const QString filter = QLatin1String(datasetFormats[0].filter), extension = QLatin1String(datasetFormats[0].extension);
    editor->addExportFormat(spectrumPages_->msChart(),
                            {"Spectrum data (mzML)", filter, extension,
                             [this](const QString& fileName) { return exportCurve(true, fileName); }});
    editor->addExportFormat(spectrumPages_->gcChart(),
                            {"Chromatogram data (mzML)", filter, extension,
                             [this](const QString& fileName) { return exportCurve(false, fileName); }});
}

void TForm1::mousemenu_exportDatasetClick()
{
    const NodeId dataset = exports::datasetOf(doc_.tree(), doc_.currentNode);
    if (dataset == noNode)
        return;
    QStringList filters;
    for (const auto& f : datasetFormats)
        filters << f.filter;
    const auto& offered = formatOfFilter(datasetFilter_);
    // Beside the archive, named after the dataset.
    const QString name = widgets::safeFileName(QString::fromStdString(doc_.tree().text(dataset)));
    QFileDialog dialog(this, exportCaption,
                       QFileInfo(currentFileName).dir().filePath(name + '.' + QLatin1String(offered.extension)));
    dialog.setObjectName("ExportDatasetDialog");
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(offered.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(offered.extension);
    // A name typed without an extension takes the one of the filter chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(formatOfFilter(filter).extension); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
        return;
    datasetFilter_ = dialog.selectedNameFilter();
    const auto& chosen = formatOfFilter(datasetFilter_);
    const QString fileName = dialog.selectedFiles().front();

    const DatasetContent content = contentOf(doc_.tree(), dataset);
    std::optional<size_t> chromatogram = 0;
    if (chosen.format == DatasetFormat::AndiChromatogram)
        chromatogram = chooseChromatogram(content, this);
    if (chromatogram)
        writeDataset(content, chosen.format, fileName, *chromatogram);
}

bool TForm1::exportDataset(NodeId node, DatasetFormat format, const QString& fileName, size_t chromatogram)
{
    const NodeId dataset = exports::datasetOf(doc_.tree(), node);
    if (dataset == noNode) {
        QMessageBox::warning(this, exportCaption, "The node is no dataset and lies in none.");
        return false;
    }
    return writeDataset(contentOf(doc_.tree(), dataset), format, fileName, chromatogram);
}

bool TForm1::writeDataset(const DatasetContent& content, DatasetFormat format, const QString& fileName,
                          size_t chromatogram)
{
    const char* changed = fileChangeReason(doc_.reader().fileChange());
    const std::optional<QString> failure = writeExport(content, format, fileName, chromatogram, changed != nullptr);
    if (failure) {
        QMessageBox::warning(this, exportCaption, *failure);
        return false;
    }
    QString done = QStringLiteral("Exported %1 as %2 to %3")
                       .arg(QString::fromStdString(content.path), formatEntry(format).name,
                            QDir::toNativeSeparators(fileName));
    // mzML names its source by checksum; the other formats name it alone.
    if (changed && format == DatasetFormat::Mzml)
        done += QStringLiteral("; %1 %2 since it was read, so the export names no checksum of it")
                    .arg(QDir::toNativeSeparators(currentFileName), QLatin1String(changed));
    widgets::showStatusMessage(this, done);
    return true;
}

std::optional<QString> TForm1::writeExport(const DatasetContent& content, DatasetFormat format,
                                           const QString& fileName, size_t chromatogram, bool archiveChanged) const
{
    const widgets::WaitCursor waiting;
    exports::ExportOptions options;
    options.chromatogram = chromatogram;
    exports::ExportSource source;
    source.archivePath = QFile::encodeName(currentFileName).toStdString();
    source.archiveChanged = archiveChanged;
    const std::optional<std::string> failure =
        exports::exportDataset(content, format, QFile::encodeName(fileName).toStdString(), source, options);
    if (!failure)
        return std::nullopt;
    return QString::fromStdString(*failure);
}

std::optional<QString> TForm1::exportCurve(bool spectrum, const QString& fileName) const
{
    // The charts show the current node; a node of no dataset has no curve to export.
    const NodeId node = doc_.currentNode;
    DatasetContent content;
    if (exports::datasetOf(doc_.tree(), node) != noNode)
        content = exports::curveContent(doc_.tree(), node);
    if (spectrum)
        content.chromatograms.clear();
    else
        content.spectra.clear();
    if (spectrum ? content.spectra.empty() : content.chromatograms.empty())
        return spectrum ? "The chart shows no mass spectrum of a dataset." : "The chart shows no chromatogram of a dataset.";
    return writeExport(content, DatasetFormat::Mzml, fileName, 0,
                       fileChangeReason(doc_.reader().fileChange()) != nullptr);
}

} // namespace orvik::app
