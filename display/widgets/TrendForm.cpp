#include "display/widgets/TrendForm.h"

#include "display/widgets/Chart.h"
#include "display/HousekeepingSamples.h"
#include "display/HousekeepingTrend.h"
#include "archive/OnBoardTime.h"
#include "archive/PacketBlocks.h"
#include "display/widgets/ShowInFront.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTimeZone>
#include <QVBoxLayout>

using namespace orvik;

namespace orvik::widgets {

namespace {

const int descriptorRole = Qt::UserRole;

QPushButton* button(const char* name, const char* caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    return b;
}

const display::HkParameter& descriptorOf(const QListWidgetItem& item)
{
    return *static_cast<const display::HkParameter*>(item.data(descriptorRole).value<const void*>());
}

// The samples of the "Regular HK" nodes at or above the mark, in time order.
std::vector<display::TrendSample> samplesSince(const ArchiveDocument& doc, const CategoryTree::Mark& mark)
{
    std::vector<display::TrendSample> samples;
    if (doc.housekeepingNode() == noNode)
        return samples;
    const CategoryTree& tree = doc.tree();
    const NodeRuns& nodes = tree.children(doc.housekeepingNode());
    const auto take = [&](size_t first, size_t end) {
        for (size_t k = first; k < end; ++k) {
            const NodeId node = nodes[k];
            if (tree.kind(node) != NodeKind::RegularHk)
                continue;
            const WordView block = tree.wrapper(node).packet()->dataWords().from(RegularHkPacket::housekeeping);
            for (int half = 0; half < display::samplesPerBlock; ++half)
                if (const std::optional<int64_t> ticks = display::sampleTicks(block, half))
                    samples.push_back({block, half, *ticks});
        }
    };
    take(nodes.entriesBelow(mark.early), nodes.entriesBelow(laterNodes));
    take(nodes.entriesBelow(laterNodes + mark.later), nodes.size());
    return samples;
}

} // namespace

TrendForm::TrendForm(const ArchiveDocument& doc, QWidget* mainWindow) : QWidget(mainWindow, Qt::Window), doc_(doc)
{
    setObjectName("TrendForm");
    setWindowTitle("Housekeeping Trend");
    resize(860, 540);

    search_ = new QLineEdit;
    search_->setObjectName("TrendSearch");
    search_->setPlaceholderText("Search");
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, &TrendForm::filterParameters);

    parameters_ = new QListWidget;
    parameters_->setObjectName("TrendParameterList");
    for (const display::HkParameter& d : display::hkParameterTable) {
        auto* item = new QListWidgetItem(QString::fromUtf8(d.mnemonic), parameters_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(descriptorRole, QVariant::fromValue(static_cast<const void*>(&d)));
        QString tip = QString("%1 (%2)").arg(QString::fromUtf8(d.description), QString::fromUtf8(d.unit));
        if (d.key != display::regularHkKey)
            tip += "\nNot part of the regular housekeeping: no samples to plot.";
        item->setToolTip(tip);
    }
    connect(parameters_, &QListWidget::itemChanged, this, &TrendForm::plotChecked);

    chart_ = new Chart("TrendChart");
    chart_->setDisplayName("Housekeeping trend");
    chart_->setLegendPlacement(LegendPlacement::Bottom);
    chart_->setSeriesStyle(SeriesStyle::Line);
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setTimeZone(QTimeZone::utc());
    ticker->setDateTimeFormat("yyyy-MM-dd\nHH:mm:ss");
    chart_->xAxis->setTicker(ticker);
    chart_->setAxisTitles("LOBT [UTC]", "Value");
    // Until there is something to plot: the first day of on-board time.
    chart_->xAxis->setRange(obtEpoch, obtEpoch + 86400);
    editor_ = new ChartEditor(this);

    QPushButton* undoZoom = button("TrendUndoZoom", "Undo Zoom");
    connect(undoZoom, &QPushButton::clicked, chart_, &Chart::undoZoom);
    logarithmic_ = new QCheckBox("Logarithmic");
    logarithmic_->setObjectName("TrendLogarithmic");
    connect(logarithmic_, &QCheckBox::toggled, chart_,
            [this](bool on) { chart_->setLogarithmic(ChartAxis::Left, on); });
    QPushButton* exportTo = button("TrendExport", "Export ...");
    connect(exportTo, &QPushButton::clicked, this, [this] { openChartEditor(ChartEditor::Page::Export); });
    QPushButton* print = button("TrendPrint", "Print ...");
    connect(print, &QPushButton::clicked, this, [this] { openChartEditor(ChartEditor::Page::PrintPreview); });
    QPushButton* editor = button("TrendChartEditor", "Chart Editor...");
    connect(editor, &QPushButton::clicked, this, [this] { openChartEditor(ChartEditor::Page::Main); });

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(search_);
    leftLayout->addWidget(parameters_, 1);

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{undoZoom, logarithmic_, exportTo, print, editor})
        tools->addWidget(w);
    tools->addStretch();
    QPushButton* closeButton = button("TrendClose", "Close");
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    // A window, not a dialog: Escape is bound here, as a dialog binds it.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    tools->addWidget(closeButton);
    rightLayout->addLayout(tools);
    rightLayout->addWidget(chart_, 1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 630});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
}

void TrendForm::showOverMainWindow()
{
    showInFrontOfParent(*this);
}

void TrendForm::reload()
{
    // A hidden window plots when it is shown next.
    if (!isVisible())
        return;
    plotChecked();
    chart_->undoZoom();
}

void TrendForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    plotChecked();
    chart_->undoZoom();
}

bool TrendForm::setParameterChecked(const QString& mnemonic, bool checked)
{
    const QList<QListWidgetItem*> items = parameters_->findItems(mnemonic, Qt::MatchExactly);
    if (items.isEmpty())
        return false;
    items.front()->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

void TrendForm::documentGrew(bool nodesWent)
{
    // A hidden window plots when it is shown next.
    if (!isVisible())
        return;
    if (nodesWent)
        return plotChecked();
    const std::vector<display::TrendSample> samples = samplesSince(doc_, plotted_);
    plotted_ = doc_.tree().mark();
    if (samples.empty())
        return;
    const std::vector<const display::HkParameter*> checked = checkedParameters();
    for (size_t series = 0; series < checked.size(); ++series)
        chart_->addPoints(int(series), display::trendPoints(*checked[series], samples));
}

std::vector<const display::HkParameter*> TrendForm::checkedParameters() const
{
    std::vector<const display::HkParameter*> checked;
    for (int row = 0; row < parameters_->count(); ++row)
        if (const QListWidgetItem* item = parameters_->item(row); item->checkState() == Qt::Checked)
            checked.push_back(&descriptorOf(*item));
    return checked;
}

void TrendForm::plotChecked()
{
    // The samples refer to the archive's packets: taken afresh, never kept past an open.
    const std::vector<display::TrendSample> samples = display::trendSamples(doc_);
    plotted_ = doc_.tree().mark();
    chart_->removeAllSeries();
    for (const display::HkParameter* d : checkedParameters()) {
        const int series = chart_->addSeries(QString::fromStdString(display::titleWithUnit(*d)), SeriesStyle::Line);
        chart_->setPoints(series, display::trendPoints(*d, samples));
    }
    // One parameter names its axis with its unit; the legend names several.
    chart_->yAxis->setLabel(chart_->seriesCount() == 1 ? chart_->series(0)->name() : QString("Value"));
}

void TrendForm::filterParameters(const QString& text)
{
    for (int row = 0; row < parameters_->count(); ++row) {
        QListWidgetItem* item = parameters_->item(row);
        const display::HkParameter& d = descriptorOf(*item);
        item->setHidden(!QString::fromUtf8(d.mnemonic).contains(text, Qt::CaseInsensitive)
                        && !QString::fromUtf8(d.description).contains(text, Qt::CaseInsensitive));
    }
}

void TrendForm::openChartEditor(ChartEditor::Page page)
{
    editor_->setChart(chart_);
    editor_->setDefaultPage(page);
    editor_->execute();
}

} // namespace orvik::widgets
