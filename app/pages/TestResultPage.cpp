#include "app/pages/EventPageWidgets.h"
#include "app/pages/EventPages.h"
#include "app/pages/LabelGroups.h"

#include "display/TestResultsDisplay.h"

#include "display/widgets/Chart.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvik::app {

namespace {

// A 16 x 16 face: smiling for a unit that passed its test, sad for one that failed.
QIcon face(bool smiling)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(smiling ? QColor(255, 220, 0) : QColor(255, 140, 60));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(4.5, 4.5, 2, 2));
    painter.drawEllipse(QRectF(9.5, 4.5, 2, 2));
    painter.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    mouth.moveTo(4.5, smiling ? 9.5 : 12.5);
    mouth.quadTo(8, smiling ? 14 : 8, 11.5, smiling ? 9.5 : 12.5);
    painter.drawPath(mouth);
    return QIcon(pixmap);
}

// The charts of the unit details. One place makes them, so that they can become the chart layer's charts.
// The detail charts, with their series made up front in their colours: the decoders'
// series arrive by these titles and keep them.
struct ChartTexts {
    const char* displayName;
    const char* bottomAxis;
    const char* leftAxis;
};

orvik::widgets::Chart* makeChart(const char* name, const QString& title, const ChartTexts& texts,
                                 orvik::widgets::LegendPlacement legend, orvik::widgets::SeriesStyle style,
                                 std::initializer_list<std::pair<const char*, QColor>> series)
{
    auto* chart = new orvik::widgets::Chart(name);
    chart->setMinimumHeight(150);
    chart->setTitle(title);
    chart->setDisplayName(texts.displayName);
    chart->setAxisTitles(texts.bottomAxis, texts.leftAxis);
    chart->setSeriesStyle(style);
    chart->setLegendPlacement(legend);
    for (const auto& [seriesTitle, color] : series)
        chart->addSeries(seriesTitle, style, color);
    return chart;
}

QWidget* labelsPage(std::initializer_list<ValueRow> rows)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(valueForm(rows));
    return page;
}

void addDetailPage(QTabWidget* details, const char* name, const char* caption, QWidget* page)
{
    page->setObjectName(name);
    details->addTab(page, caption);
}

QTabWidget* detailPages()
{
    auto* details = new QTabWidget;
    details->setObjectName("testresultdetailsPageControl");

    addDetailPage(details, "MSTestTabSheet", "MS", labelsPage({{"Address:", "mstestaddr", "0x00000000"}}));

    auto* temperatures = new QVBoxLayout;
    QTableWidget* grid = stringGrid("coltempStringGrid", 2, 9, 70, 20);
    temperatures->addWidget(grid);
    QWidget* gc = new QWidget;
    (new QVBoxLayout(gc))->addWidget(groupBox("Column temperatures", temperatures), 0, Qt::AlignLeft);
    addDetailPage(details, "GCTestTabSheet", "GC Test", gc);

    addDetailPage(details, "DPUTabSheet", "DPU Test",
                  labelsPage({{"Address:", "dpuresultaddress", "0x0000"}, {"Page:", "dpuresultpage"}}));

    QWidget* mm = labelsPage({{"Start page:", "mmstartpage", "0x0000"}, {"End page:", "mmendpage", "0x0000"}});
    using orvik::widgets::LegendPlacement;
    using orvik::widgets::SeriesStyle;
    orvik::widgets::Chart* pageErrors = makeChart("Chart2", "Page errors", {"Mass memory page errors", "Page", "Errors"},
                                                  LegendPlacement::Hidden, SeriesStyle::Bar, {{"MassMemoryErrors", Qt::red}});
    pageErrors->setSeriesName("MassMemoryErrors", "Page errors");
    static_cast<QVBoxLayout*>(mm->layout())->addWidget(pageErrors, 1);
    addDetailPage(details, "MMTestTabSheet", "MM Test", mm);

    auto* ovenTemperature = valueForm({{"t(0):", "ovenresultt0"}, {"t(1):", "ovenresultt1"}});
    QWidget* oven = new QWidget;
    (new QVBoxLayout(oven))->addWidget(groupBox("Oven temperature", ovenTemperature), 0, Qt::AlignLeft | Qt::AlignTop);
    addDetailPage(details, "OvenTabSheet", "Oven Test", oven);

    QWidget* tpst = new QWidget;
    (new QVBoxLayout(tpst))
        ->addWidget(makeChart("Chart3", QString(), {"Tapping station test", "Reading", "Value"}, LegendPlacement::Bottom,
                              SeriesStyle::FastLine, {{"Tapping Station", Qt::red}, {"Oven", Qt::green}}));
    addDetailPage(details, "TPSTTesttabSheet", "TPST Test", tpst);
    return details;
}

} // namespace

void buildTestResultPage(QWidget* page)
{
    auto* result = valueForm({{"Result code:", "testresult"}});

    auto* units = new QTreeWidget;
    units->setObjectName("testresultListView1");
    units->setHeaderHidden(true);
    units->setColumnCount(1);
    units->setRootIsDecorated(false);
    units->setIconSize(QSize(16, 16));
    units->setToolTip("Click item to display details!");
    units->setEditTriggers(QAbstractItemView::NoEditTriggers);
    units->setMaximumHeight(120);
    // ImageList1: the icons the decoders' icon indexes refer to.
    QVariantList icons(2);
    icons[orvik::display::failedIcon] = QVariant::fromValue(face(false));
    icons[orvik::display::passedIcon] = QVariant::fromValue(face(true));
    units->setProperty("icons", icons);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(result);
    layout->addWidget(units);
    layout->addWidget(detailPages(), 1);
}

} // namespace orvik::app
