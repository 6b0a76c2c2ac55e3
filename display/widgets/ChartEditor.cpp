#include "display/widgets/ChartEditor.h"

#include "display/widgets/Chart.h"
#include "display/widgets/StatusMessage.h"
#include "display/widgets/WaitCursor.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvik::widgets {

namespace {

const struct {
    ExportFormat format;
    const char* caption;
    const char* filter;
} exportFormats[] = {
    {ExportFormat::Png, "Picture (PNG)", "PNG picture (*.png)"},
    {ExportFormat::Svg, "Vector picture (SVG)", "SVG picture (*.svg)"},
    {ExportFormat::Pdf, "Document (PDF)", "PDF document (*.pdf)"},
    {ExportFormat::Csv, "Series data (CSV)", "Comma-separated values (*.csv)"},
};

QDoubleSpinBox* rangeBox()
{
    auto* box = new QDoubleSpinBox;
    box->setRange(-1e12, 1e12);
    box->setDecimals(6);
    box->setLocale(chartLocale());
    box->setKeyboardTracking(false);
    return box;
}

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

ChartEditor::ChartEditor(QWidget* parent) : QDialog(parent)
{
    setObjectName("ChartEditor1");
    setWindowTitle("Editing chart");
    resize(520, 460);
    pages_ = new QTabWidget;
    pages_->addTab(buildMainPage(), "Chart");
    pages_->addTab(buildExportPage(), "Export");
    pages_->addTab(buildPrintPage(), "Print Preview");
    connect(pages_, &QTabWidget::currentChanged, this, [this] {
        if (currentPage() == Page::PrintPreview)
            showPreview();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
}

ChartEditor::~ChartEditor()
{
    delete printer_;
}

QWidget* ChartEditor::buildMainPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* titleBox = new QGroupBox("Title");
    title_ = new QPlainTextEdit;
    title_->setObjectName("ChartEditorTitle");
    title_->setFixedHeight(QFontMetrics(title_->font()).lineSpacing() * 3);
    connect(title_, &QPlainTextEdit::textChanged, this, [this] {
        if (!reading_ && chart_)
            chart_->setTitle(title_->toPlainText());
    });
    (new QVBoxLayout(titleBox))->addWidget(title_);
    layout->addWidget(titleBox);
    addAxisControls(layout, "Left axis", ChartAxis::Left);
    addAxisControls(layout, "Bottom axis", ChartAxis::Bottom);

    auto* seriesBox = new QGroupBox("Series");
    series_ = new QTreeWidget;
    series_->setObjectName("ChartEditorSeries");
    series_->setHeaderLabels({"Series", "Colour"});
    series_->setRootIsDecorated(false);
    series_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(series_, &QTreeWidget::itemChanged, this, &ChartEditor::seriesItemChanged);
    connect(series_, &QTreeWidget::itemDoubleClicked, this, &ChartEditor::chooseColour);
    (new QVBoxLayout(seriesBox))->addWidget(series_);
    layout->addWidget(seriesBox, 1);
    return page;
}

void ChartEditor::addAxisControls(QVBoxLayout* layout, const QString& caption, ChartAxis axis)
{
    AxisControls& c = axes_[int(axis)];
    c = {new QCheckBox("Automatic"), rangeBox(), rangeBox(), new QCheckBox("Logarithmic")};
    auto* box = new QGroupBox(caption);
    auto* row = new QHBoxLayout(box);
    row->addWidget(c.automatic);
    row->addWidget(new QLabel("Minimum:"));
    row->addWidget(c.minimum);
    row->addWidget(new QLabel("Maximum:"));
    row->addWidget(c.maximum);
    row->addWidget(c.logarithmic);
    layout->addWidget(box);

    connect(c.automatic, &QCheckBox::toggled, this, [this, axis](bool on) {
        if (reading_ || !chart_)
            return;
        if (on)
            chart_->undoZoom();
        else
            axisRangeEdited(axis);
        readChart();
    });
    for (QDoubleSpinBox* edge : {c.minimum, c.maximum})
        connect(edge, &QDoubleSpinBox::valueChanged, this, [this, axis] { axisRangeEdited(axis); });
    connect(c.logarithmic, &QCheckBox::toggled, this, [this, axis](bool on) {
        if (reading_ || !chart_)
            return;
        chart_->setLogarithmic(axis, on);
        readChart();
    });
}

QWidget* ChartEditor::buildExportPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    format_ = new QComboBox;
    format_->setObjectName("ChartEditorFormat");
    listExportFormats();
    form->addRow("&Format:", format_);
    auto* save = new QPushButton("&Save...");
    connect(save, &QPushButton::clicked, this, &ChartEditor::saveAs);
    form->addRow(QString(), save);
    return page;
}

QWidget* ChartEditor::buildPrintPage()
{
    // The preview is made when the page is first shown: it needs a printer.
    printPage_ = new QWidget;
    auto* layout = new QVBoxLayout(printPage_);
    auto* print = new QPushButton("Print...");
    connect(print, &QPushButton::clicked, this, &ChartEditor::print);
    layout->addWidget(print, 0, Qt::AlignRight);
    return printPage_;
}

void ChartEditor::showPreview()
{
    if (!chart_)
        return;
    if (!preview_) {
        printer_ = new QPrinter(QPrinter::HighResolution);
        printer_->setPageOrientation(QPageLayout::Landscape);
        preview_ = new QPrintPreviewWidget(printer_);
        preview_->setObjectName("ChartEditorPreview");
        connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) {
            if (chart_)
                printChart(*chart_, *p);
        });
        static_cast<QVBoxLayout*>(printPage_->layout())->insertWidget(0, preview_, 1);
    }
    preview_->updatePreview();
}

void ChartEditor::print()
{
    if (!chart_)
        return;
    showPreview();
    QPrintDialog dialog(printer_, this);
    if (dialog.exec() == QDialog::Accepted)
        printChart(*chart_, *printer_);
}

void ChartEditor::setChart(Chart* chart)
{
    chart_ = chart;
    listExportFormats();
    readChart();
}

void ChartEditor::addExportFormat(Chart* chart, ChartFileFormat format)
{
    addedFormats_.push_back({chart, std::move(format)});
    listExportFormats();
}

void ChartEditor::listExportFormats()
{
    // The editor's own formats are told by their ExportFormat, the added ones by -1 - their index.
    const QString chosen = format_->currentText();
    format_->clear();
    for (const auto& f : exportFormats)
        format_->addItem(f.caption, int(f.format));
    for (size_t i = 0; i < addedFormats_.size(); ++i)
        if (addedFormats_[i].chart == chart_)
            format_->addItem(addedFormats_[i].format.caption, -1 - int(i));
    format_->setCurrentIndex(std::max(0, format_->findText(chosen)));
}

const ChartFileFormat* ChartEditor::chosenAddedFormat() const
{
    const int data = format_->currentData().toInt();
    return data < 0 ? &addedFormats_.at(size_t(-1 - data)).format : nullptr;
}

ChartEditor::Page ChartEditor::currentPage() const
{
    return Page(pages_->currentIndex());
}

int ChartEditor::execute()
{
    readChart();
    pages_->setCurrentIndex(int(defaultPage_));
    if (defaultPage_ == Page::PrintPreview)
        showPreview();
    return exec();
}

void ChartEditor::readChart()
{
    if (!chart_)
        return;
    reading_ = true;
    setWindowTitle("Editing " + chart_->displayName());
    title_->setPlainText(chart_->title());
    readAxis(ChartAxis::Left);
    readAxis(ChartAxis::Bottom);
    series_->clear();
    for (int i = 0; i < chart_->seriesCount(); ++i) {
        QCPAbstractPlottable* s = chart_->series(i);
        auto* item = new QTreeWidgetItem(series_, {s->name(), QString()});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, s->visible() ? Qt::Checked : Qt::Unchecked);
        item->setIcon(1, swatch(s->pen().color()));
    }
    reading_ = false;
}

void ChartEditor::readAxis(ChartAxis axis)
{
    AxisControls& c = axes_[int(axis)];
    const QCPRange range = chart_->axis(axis)->range();
    c.automatic->setChecked(!chart_->isZoomed());
    c.minimum->setValue(range.lower);
    c.maximum->setValue(range.upper);
    c.logarithmic->setChecked(chart_->isLogarithmic(axis));
}

void ChartEditor::axisRangeEdited(ChartAxis axis)
{
    if (reading_ || !chart_)
        return;
    const AxisControls& c = axes_[int(axis)];
    if (c.minimum->value() < c.maximum->value())
        chart_->setAxisRange(axis, c.minimum->value(), c.maximum->value());
    reading_ = true;
    c.automatic->setChecked(false);
    reading_ = false;
}

void ChartEditor::seriesItemChanged(QTreeWidgetItem* item, int column)
{
    if (reading_ || !chart_ || column != 0)
        return;
    const int index = series_->indexOfTopLevelItem(item);
    if (index >= 0 && index < chart_->seriesCount())
        chart_->setSeriesVisible(index, item->checkState(0) == Qt::Checked);
}

void ChartEditor::chooseColour(QTreeWidgetItem* item, int)
{
    const int index = series_->indexOfTopLevelItem(item);
    if (!chart_ || index < 0 || index >= chart_->seriesCount())
        return;
    QCPAbstractPlottable* s = chart_->series(index);
    const QColor colour = QColorDialog::getColor(s->pen().color(), this, "Series colour");
    if (!colour.isValid())
        return;
    s->setPen(QPen(colour));
    if (auto* bars = qobject_cast<QCPBars*>(s))
        bars->setBrush(colour);
    item->setIcon(1, swatch(colour));
    chart_->replot(QCustomPlot::rpQueuedReplot);
}

void ChartEditor::setExportFormat(ExportFormat format)
{
    format_->setCurrentIndex(format_->findData(int(format)));
}

void ChartEditor::saveAs()
{
    if (!chart_)
        return;
    QString proposed, filter;
    if (const ChartFileFormat* added = chosenAddedFormat()) {
        proposed = safeFileName(chart_->displayName()) + '.' + added->extension;
        filter = added->filter;
    } else {
        const auto& f = exportFormats[format_->currentIndex()];
        proposed = defaultFileName(*chart_, f.format);
        filter = f.filter;
    }
    const QString fileName = QFileDialog::getSaveFileName(this, "Export", proposed, filter);
    if (!fileName.isEmpty())
        exportTo(fileName);
}

bool ChartEditor::exportTo(const QString& fileName)
{
    if (!chart_)
        return false;
    std::optional<QString> failure;
    if (const ChartFileFormat* added = chosenAddedFormat()) {
        const WaitCursor waiting;
        failure = added->write(fileName);
    } else if (!exportChart(*chart_, fileName, ExportFormat(format_->currentData().toInt()))) {
        failure = "Could not write " + fileName + ".";
    }
    if (!failure) {
        showStatusMessage(this, "Exported " + chart_->displayName() + " to " + fileName);
        return true;
    }
    QMessageBox::warning(this, "Export", *failure);
    return false;
}

} // namespace orvik::widgets
