#include "app/pages/SpectrumPages.h"

#include "app/pages/PopupMenu.h"

#include "display/widgets/Chart.h"
#include "display/widgets/ChartEditor.h"
#include "display/widgets/ChartOutput.h"
#include "display/widgets/StatusMessage.h"
#include "display/SpectrumDisplay.h"
#include "display/widgets/Unit2.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace orvik::widgets;

namespace orvik::app {
using orvik::display::Property;

struct SpectrumPages::MenuNames {
    const char* menu;
    const char* undoZoom;
    const char* copy;
    const char* exportTo;
    const char* print;
    const char* editor;
    const char* scales;
    const char* linear;
    const char* logarithmic;
};

namespace {

QAction* addAction(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

// A tool bar whose drop-down button opens the chart's pop-up menu.
QToolBar* chartToolBar(const char* name, const char* buttonName, QMenu* menu)
{
    auto* bar = new QToolBar;
    bar->setObjectName(name);
    auto* button = new QToolButton;
    button->setObjectName(buttonName);
    button->setText("Menu");
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return bar;
}

// "LOBT:" and the spectrum's on-board time.
QHBoxLayout* timeRow(const char* labelName)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("LOBT:"));
    auto* time = new QLabel(orvik::display::spectrumTimeDesignText);
    time->setObjectName(labelName);
    time->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(time, 1);
    return row;
}

void fillPage(QWidget* page, QToolBar* bar, Chart* chart, QHBoxLayout* time)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(bar);
    layout->addWidget(chart, 1);
    layout->addLayout(time);
}

} // namespace

SpectrumPages::SpectrumPages(QTabWidget& mainPages, orvik::display::ComponentModel& components,
                             std::function<void()> redisplay, QWidget* window)
    : QObject(window), components_(components), redisplay_(std::move(redisplay))
{
    form2_ = new widgets::TForm2(window);
    chartEditor1_ = new ChartEditor(window);
    buildMsPage(mainPages.findChild<QWidget*>("MSSpecTabSheet"));
    buildGcPage(mainPages.findChild<QWidget*>("GCSpecTabSheet"));
}

void SpectrumPages::buildMsPage(QWidget* page)
{
    msChart_ = new Chart("MSChart");
    msChart_->setTitle(orvik::display::msChartDesignTitle);
    msChart_->setDisplayName("Mass spectrum");
    msChart_->setSeriesName(QString::fromLatin1(orvik::display::msSeriesTitle), "Intensity");
    msChart_->addSeries(QString::fromLatin1(orvik::display::msSeriesTitle), SeriesStyle::Volume, Qt::red);
    msChart_->setSeriesStyle(SeriesStyle::Volume);

    static const MenuNames names{"ChartPopupMenuMS", "UndoZoom1", "MSCopytoclipboard", "Saveto2", "Print1",
                                 "ChartEditor2",     "Scales1",   "Linear1",           "Logarithmic1"};
    QMenu* menu = buildChartMenu(names, msChart_, page);
    menu->addSeparator();
    connect(addAction(menu, "CalcDistribution1", "Histogram"), &QAction::triggered, this,
            &SpectrumPages::CalcDistribution1Click);

    QToolBar* bar = chartToolBar("ToolBar1", "ToolButton1", menu);
    msCalDisp_ = new QCheckBox("calibrated Display");
    msCalDisp_->setObjectName("MSCalDisp");
    msCalDisp_->setChecked(true);
    connect(msCalDisp_, &QCheckBox::clicked, this, &SpectrumPages::MSCalDispClick);
    // The spectrum is drawn over the calibrated mass or the sample index as the box says.
    const auto showMassAxis = [this](bool calibrated) { msChart_->setAxisTitles(calibrated ? "m/z" : "Sample", "Intensity"); };
    connect(msCalDisp_, &QCheckBox::toggled, msChart_, showMassAxis);
    showMassAxis(msCalDisp_->isChecked());
    bar->addWidget(msCalDisp_);
    fillPage(page, bar, msChart_, timeRow("msspectime"));
}

void SpectrumPages::buildGcPage(QWidget* page)
{
    gcChart_ = new Chart("GCChart");
    gcChart_->setLegendPlacement(LegendPlacement::Bottom);
    gcChart_->setSeriesStyle(SeriesStyle::Line);
    gcChart_->setDisplayName("Chromatogram");
    gcChart_->setAxisTitles("Time (s)", "Intensity");

    static const MenuNames names{"ChartPopupMenuGC", "copytoClipboard1", "GCCopytoclipboard", "Saveto1", "Print2",
                                 "ChartEditor3",     "Scales2",          "Linear2",           "Logarithmic2"};
    QMenu* menu = buildChartMenu(names, gcChart_, page);
    fillPage(page, chartToolBar("ToolBar2", "ToolButton3", menu), gcChart_, timeRow("gcspectime"));
}

QMenu* SpectrumPages::buildChartMenu(const MenuNames& names, Chart* chart, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(names.menu);
    connect(addAction(menu, names.undoZoom, "Undo Zoom"), &QAction::triggered, chart, &Chart::undoZoom);
    menu->addSeparator();
    connect(addAction(menu, names.copy, "Copy"), &QAction::triggered, chart, [chart] {
        copyToClipboard(*chart);
        showStatusMessage(chart, "Chart copied to the clipboard");
    });
    connect(addAction(menu, names.exportTo, "Export ..."), &QAction::triggered, this,
            [this, chart] { openChartEditor(chart, ChartEditor::Page::Export); });
    connect(addAction(menu, names.print, "Print ..."), &QAction::triggered, this,
            [this, chart] { openChartEditor(chart, ChartEditor::Page::PrintPreview); });
    connect(addAction(menu, names.editor, "Chart Editor..."), &QAction::triggered, this,
            [this, chart] { openChartEditor(chart, std::nullopt); });
    menu->addSeparator();

    QMenu* scales = menu->addMenu("Scales");
    scales->setObjectName(names.scales);
    auto* group = new QActionGroup(scales);
    for (const bool logarithmic : {false, true}) {
        QAction* item = addAction(scales, logarithmic ? names.logarithmic : names.linear,
                                  logarithmic ? "Logarithmic" : "Linear");
        item->setCheckable(true);
        item->setChecked(!logarithmic);
        group->addAction(item);
        connect(item, &QAction::triggered, chart,
                [chart, logarithmic] { chart->setLogarithmic(ChartAxis::Left, logarithmic); });
    }
    usePopupMenu(chart, menu);
    return menu;
}

void SpectrumPages::openChartEditor(Chart* chart, std::optional<ChartEditor::Page> page)
{
    chartEditor1_->setChart(chart);
    if (page)
        chartEditor1_->setDefaultPage(*page);
    chartEditor1_->execute();
}

void SpectrumPages::MSCalDispClick()
{
    components_.userSet("MSCalDisp", Property::Checked, msCalDisp_->isChecked());
    redisplay_();
}

void SpectrumPages::CalcDistribution1Click()
{
    form2_->showOverMainWindow();
    form2_->fillHistogram(msChart_->seriesCount() > 0 ? msChart_->points(0) : std::vector<orvik::display::ChartPoint>{});
}

} // namespace orvik::app
