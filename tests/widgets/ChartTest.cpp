// The chart layer: series in and out, the legend's check boxes, zoom and undo
// zoom, logarithmic axes, the read-out under the mouse, the names the user sees,
// and the chart on the clipboard and in files.

#include "tests/archive/ArchiveBuilder.h"
#include "tests/display/CommaLocale.h"
#include "display/widgets/Chart.h"
#include "display/widgets/ChartOutput.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimeZone>
#include <QWheelEvent>

using namespace orvik::widgets;
using orvik::display::ChartPoint;
using orvik::display::ChartSeries;

namespace {

class ChartTest : public ::testing::Test {
protected:
    ChartTest() : chart("MSChart") { chart.resize(400, 300); }

    QPoint centreOf(QCPAbstractLegendItem* item)
    {
        chart.replot();
        return item->rect().center();
    }

    void moveMouseTo(QPointF at)
    {
        QMouseEvent move(QEvent::MouseMove, at, chart.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &move);
    }

    Chart chart;
    orvik::test::TempDir dir;
};

TEST_F(ChartTest, ShowsSeriesAndReadsThemBackInAscendingX)
{
    chart.setSeriesStyle(SeriesStyle::Line);
    chart.showSeries({{"Column 1 Low", {{2, 20}, {0, 5}, {1, 10}}}, {"Column 1 High", {}}});
    ASSERT_EQ(chart.seriesCount(), 2);
    EXPECT_EQ(chart.series(0)->name(), "Column 1 Low");
    EXPECT_EQ(chart.seriesStyle(0), SeriesStyle::Line);
    EXPECT_EQ(chart.points(0), (std::vector<ChartPoint>{{0, 5}, {1, 10}, {2, 20}}));
    EXPECT_TRUE(chart.points(1).empty());
    EXPECT_EQ(chart.legend->itemCount(), 2);

    // The same titles keep the series (and what the user did to them); others replace them.
    QCPAbstractPlottable* kept = chart.series(0);
    chart.setSeriesVisible(0, false);
    chart.showSeries({{"Column 1 Low", {{3, 1}}}, {"Column 1 High", {{3, 2}}}});
    EXPECT_EQ(chart.series(0), kept);
    EXPECT_FALSE(chart.series(0)->visible());
    chart.showSeries({{"Column 2 Low", {{0, 1}}}});
    ASSERT_EQ(chart.seriesCount(), 1);
    EXPECT_TRUE(chart.series(0)->visible());
    EXPECT_EQ(chart.seriesData(), (std::vector<ChartSeries>{{"Column 2 Low", {{0, 1}}}}));
    EXPECT_EQ(chart.legend->itemCount(), 1);
}

TEST_F(ChartTest, SeriesStylesMakeTheirPlottables)
{
    const int volume = chart.addSeries("v", SeriesStyle::Volume);
    const int bars = chart.addSeries("b", SeriesStyle::Bar);
    const int fast = chart.addSeries("f", SeriesStyle::FastLine);
    EXPECT_EQ(qobject_cast<QCPGraph*>(chart.series(volume))->lineStyle(), QCPGraph::lsImpulse);
    EXPECT_NE(qobject_cast<QCPBars*>(chart.series(bars)), nullptr);
    EXPECT_EQ(qobject_cast<QCPGraph*>(chart.series(fast))->lineStyle(), QCPGraph::lsLine);
    EXPECT_NE(chart.series(volume)->pen().color(), chart.series(bars)->pen().color());

    const double values[] = {3, 1, 4};
    chart.setValues(bars, values);
    EXPECT_EQ(chart.points(bars), (std::vector<ChartPoint>{{0, 3}, {1, 1}, {2, 4}}));
}

TEST_F(ChartTest, TheLegendSitsAtTheBottomAndItsCheckBoxesHideAndShowTheSeries)
{
    chart.setLegendPlacement(LegendPlacement::Bottom);
    chart.addSeries("Column 1 Low", SeriesStyle::Line);
    chart.addSeries("Column 1 High", SeriesStyle::Line);
    chart.replot();
    ASSERT_TRUE(chart.legend->visible());
    EXPECT_GT(chart.legend->outerRect().top(), chart.axisRect()->outerRect().bottom() - 1);

    const QPoint second = centreOf(chart.legend->item(1));
    QTest::mouseClick(&chart, Qt::LeftButton, {}, second);
    EXPECT_TRUE(chart.series(0)->visible());
    EXPECT_FALSE(chart.series(1)->visible());
    QTest::mouseClick(&chart, Qt::LeftButton, {}, second);
    EXPECT_TRUE(chart.series(1)->visible());

    chart.setLegendPlacement(LegendPlacement::Hidden);
    EXPECT_FALSE(chart.legend->visible());
}

TEST_F(ChartTest, AnEmptyLegendAtTheBottomLeavesThePlotItsWidth)
{
    chart.setLegendPlacement(LegendPlacement::Bottom);
    chart.replot();
    EXPECT_GT(chart.axisRect()->outerRect().width(), chart.width() * 9 / 10);
}

TEST_F(ChartTest, ZoomHoldsAcrossNewDataUntilUndone)
{
    const int s = chart.addSeries("s", SeriesStyle::Volume);
    chart.setPoints(s, std::vector<ChartPoint>{{1, 10}, {9, 100}});
    EXPECT_EQ(chart.xAxis->range(), QCPRange(1, 9));
    EXPECT_EQ(chart.yAxis->range().lower, 0) << "sticks stand on the zero line";

    // A rubber band drawn with the left button zooms in.
    chart.replot();
    const QRect plot = chart.axisRect()->rect();
    QTest::mousePress(&chart, Qt::LeftButton, {}, plot.topLeft() + QPoint(plot.width() / 4, 10));
    QTest::mouseMove(&chart, plot.topLeft() + QPoint(plot.width() / 2, plot.height() / 2));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, plot.topLeft() + QPoint(plot.width() / 2, plot.height() / 2));
    ASSERT_TRUE(chart.isZoomed());
    const QCPRange zoomed = chart.xAxis->range();
    EXPECT_GT(zoomed.lower, 1);
    EXPECT_LT(zoomed.upper, 9);

    chart.setPoints(s, std::vector<ChartPoint>{{0, 5}, {20, 50}});
    EXPECT_EQ(chart.xAxis->range(), zoomed);
    chart.undoZoom();
    EXPECT_FALSE(chart.isZoomed());
    EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 20));

    // The wheel zooms too.
    QWheelEvent wheel(QPointF(plot.center()), QPointF(chart.mapToGlobal(plot.center())), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &wheel);
    EXPECT_TRUE(chart.isZoomed());
    EXPECT_LT(chart.xAxis->range().size(), 20);

    // A band drawn to the left undoes a zoom as well.
    chart.setAxisRange(ChartAxis::Bottom, 5, 6);
    chart.replot();
    QTest::mousePress(&chart, Qt::LeftButton, {}, plot.center());
    QTest::mouseMove(&chart, plot.center() - QPoint(50, 50));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, plot.center() - QPoint(50, 50));
    EXPECT_FALSE(chart.isZoomed());
    EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 20));
}

TEST_F(ChartTest, LogarithmicAxesLeaveOutZeroValues)
{
    const int s = chart.addSeries("s", SeriesStyle::Volume);
    chart.setPoints(s, std::vector<ChartPoint>{{0, 0}, {1, 10}, {2, 1000}});
    chart.setLogarithmic(ChartAxis::Left, true);
    EXPECT_TRUE(chart.isLogarithmic(ChartAxis::Left));
    EXPECT_FALSE(chart.isLogarithmic(ChartAxis::Bottom));
    EXPECT_EQ(chart.yAxis->range(), QCPRange(10, 1000));
    chart.setLogarithmic(ChartAxis::Left, false);
    EXPECT_EQ(chart.yAxis->range(), QCPRange(0, 1000));
}

TEST_F(ChartTest, TitleLinesShowAboveThePlot)
{
    chart.setTitle("Spectrum 3 (1024 smp)");
    EXPECT_EQ(chart.title(), "Spectrum 3 (1024 smp)");
    EXPECT_EQ(chart.plotLayout()->rowCount(), 2);
    chart.setTitle("");
    EXPECT_EQ(chart.plotLayout()->rowCount(), 1) << "an empty title takes no room";
}

TEST_F(ChartTest, ExportsWriteEachFormat)
{
    const int s = chart.addSeries("Column 1, Low", SeriesStyle::Line);
    chart.setPoints(s, std::vector<ChartPoint>{{0, 1.5}, {0.032768, 2}});
    const auto path = [&](const char* name) { return QString::fromStdString((dir.path() / name).string()); };
    const auto head = [](const QString& file, int n) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
    };

    ASSERT_TRUE(exportChart(chart, path("c.csv"), ExportFormat::Csv));
    const QByteArray csv = "Series,X,Y\n\"Column 1, Low\",0,1.5\n\"Column 1, Low\",0.032768,2\n";
    EXPECT_EQ(head(path("c.csv"), 200), csv);
    {
        // The C library's locale as Qt sets it under a German regional setting: the point stays.
        const orvik::test::CommaLocale comma;
        ASSERT_TRUE(exportChart(chart, path("c.csv"), ExportFormat::Csv));
        EXPECT_EQ(head(path("c.csv"), 200), csv);
    }
    ASSERT_TRUE(exportChart(chart, path("c.png"), ExportFormat::Png));
    EXPECT_EQ(QImage(path("c.png")).size(), QSize(400, 300));
    ASSERT_TRUE(exportChart(chart, path("c.svg"), ExportFormat::Svg));
    EXPECT_TRUE(head(path("c.svg"), 200).contains("<svg"));
    ASSERT_TRUE(exportChart(chart, path("c.pdf"), ExportFormat::Pdf));
    EXPECT_EQ(head(path("c.pdf"), 4), "%PDF");
    EXPECT_FALSE(exportChart(chart, path("no/such/folder.csv"), ExportFormat::Csv));
}

TEST_F(ChartTest, CopyPutsAVectorPictureAndABitmapOnTheClipboard)
{
    chart.addSeries("s", SeriesStyle::Volume);
    copyToClipboard(chart);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(400, 300));
}

TEST_F(ChartTest, TheReadOutTellsTheCoordinatesUnderTheMouseWithoutReplottingTheSeries)
{
    chart.setPoints(chart.addSeries("s", SeriesStyle::Volume), std::vector<ChartPoint>{{0, 0}, {100, 5000}});
    chart.setAxisRange(ChartAxis::Bottom, 0, 200);
    chart.setAxisRange(ChartAxis::Left, 0, 10000);
    chart.replot();
    int replots = 0;
    QObject::connect(&chart, &QCustomPlot::beforeReplot, [&] { ++replots; });
    ASSERT_FALSE(chart.readout()->visible());

    moveMouseTo({chart.xAxis->coordToPixel(123.4), chart.yAxis->coordToPixel(5678)});
    EXPECT_TRUE(chart.readout()->visible());
    EXPECT_EQ(chart.readout()->text(), "x = 123.4  y = 5678");
    moveMouseTo({chart.xAxis->coordToPixel(50), chart.yAxis->coordToPixel(250)});
    EXPECT_EQ(chart.readout()->text(), "x = 50  y = 250");
    EXPECT_EQ(replots, 0) << "only the read-out's layer is drawn again";

    // The mouse left for a menu or a dialog: what is copied, exported or printed shows no read-out.
    chartSvg(chart);
    EXPECT_FALSE(chart.readout()->visible());
    moveMouseTo({chart.xAxis->coordToPixel(50), chart.yAxis->coordToPixel(250)});
    ASSERT_TRUE(chart.readout()->visible());
    QImage page(800, 600, QImage::Format_RGB32);
    paintChartPage(chart, page, page.size());
    EXPECT_FALSE(chart.readout()->visible());

    moveMouseTo({chart.xAxis->coordToPixel(50), chart.yAxis->coordToPixel(250)});
    moveMouseTo({2, 2}); // over the margin, off the plot
    EXPECT_FALSE(chart.readout()->visible());
    moveMouseTo(chart.axisRect()->rect().center());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&chart, &leave);
    EXPECT_FALSE(chart.readout()->visible());

    // A date axis reads as a date.
    auto dates = QSharedPointer<QCPAxisTickerDateTime>::create();
    dates->setTimeZone(QTimeZone::utc());
    chart.xAxis->setTicker(dates);
    chart.setAxisRange(ChartAxis::Bottom, 86400, 2 * 86400);
    chart.replot();
    moveMouseTo({chart.xAxis->coordToPixel(86400 + 3600.5), chart.yAxis->coordToPixel(250)});
    EXPECT_EQ(chart.readout()->text(), "x = 1970-01-02 01:00:00  y = 250");
}

TEST_F(ChartTest, SeriesShowTheirNamesAndKeepTheirKeys)
{
    chart.setSeriesName("Series2", "Intensity");
    chart.showSeries({{"Series2", {{0, 1}}}});
    ASSERT_EQ(chart.seriesCount(), 1);
    QCPAbstractPlottable* made = chart.series(0);
    EXPECT_EQ(made->name(), "Intensity");
    EXPECT_EQ(chart.seriesKey(0), "Series2");
    chart.showSeries({{"Series2", {{0, 2}}}});
    EXPECT_EQ(chart.series(0), made) << "matched by its key";
    EXPECT_EQ(chart.seriesData(), (std::vector<ChartSeries>{{"Series2", {{0, 2}}}}));

    const QString csv = QString::fromStdString((dir.path() / "s.csv").string());
    ASSERT_TRUE(exportChart(chart, csv, ExportFormat::Csv));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "Series,X,Y\nIntensity,0,2\n");

    // A series already there takes a name given later.
    chart.addSeries("Series3", SeriesStyle::Line);
    chart.setSeriesName("Series3", "Background");
    EXPECT_EQ(chart.series(1)->name(), "Background");
}

TEST_F(ChartTest, TheDisplayNameIsTheTitlesFirstLineOrTheChartsOwnName)
{
    EXPECT_EQ(chart.displayName(), "Chart") << "never the objectName";
    chart.setDisplayName("Mass spectrum");
    chart.setTitle("\n");
    EXPECT_EQ(chart.displayName(), "Mass spectrum");
    chart.setTitle("\n Spectrum 11 (2048 smp) \nsecond line");
    EXPECT_EQ(chart.displayName(), "Spectrum 11 (2048 smp)");
    EXPECT_EQ(defaultFileName(chart, ExportFormat::Csv), "Spectrum 11 (2048 smp).csv");
    chart.setTitle("Oven: 3/4 \"hot\"?");
    EXPECT_EQ(defaultFileName(chart, ExportFormat::Pdf), "Oven_ 3_4 _hot__.pdf");
}

} // namespace
