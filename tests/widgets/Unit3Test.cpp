// The memory-dump window: its design, a dump drawn word by word (up to the
// largest dump a 16-bit page count allows) under a heading naming it, undo zoom,
// and "Close".

#include "tests/archive/ArchiveBuilder.h"
#include "display/widgets/Chart.h"
#include "display/widgets/Unit3.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using namespace orvik::widgets;

using orvik::MemoryDumpImage;
using orvik::display::ChartPoint;
using orvik::widgets::Chart;

namespace {

orvik::test::DumpImage dump(uint16_t pages, uint16_t firstWord)
{
    return orvik::test::dumpImage(pages, 0x0F00, orvik::test::counting(MemoryDumpImage::pageWords * pages, firstWord));
}

double penWidth(const Chart& chart)
{
    return chart.series(0)->pen().widthF();
}

} // namespace

TEST(TForm3Test, HasTheDesignOfTheMemoryDumpWindow)
{
    TForm3 form3(nullptr);
    EXPECT_EQ(form3.windowTitle(), "Memory Dump");
    EXPECT_EQ(form3.size(), QSize(775, 513));
    EXPECT_EQ(form3.minimumSize(), form3.maximumSize()) << "fixed border";
    Chart* chart = form3.chart();
    EXPECT_EQ(chart->objectName(), "Chart1");
    EXPECT_TRUE(chart->title().isEmpty());
    ASSERT_EQ(chart->seriesCount(), 1);
    EXPECT_EQ(chart->seriesKey(0), "Series1");
    EXPECT_EQ(chart->series(0)->name(), "Value");
    EXPECT_EQ(chart->xAxis->label(), "Word");
    EXPECT_EQ(chart->yAxis->label(), "Value");
    EXPECT_EQ(chart->series(0)->pen().color(), QColor(Qt::red));
    EXPECT_EQ(chart->legend->itemWithPlottable(chart->series(0)), nullptr);
    EXPECT_EQ(form3.findChild<QPushButton*>("Button1")->text(), "Close");
}

TEST(TForm3Test, DrawsEveryWordOfTheDumpAsAnUnsignedValueAndReplacesTheLastDump)
{
    TForm3 form3(nullptr);
    form3.fillDumpChart(dump(3, 0).image);
    // Two pages whose words run through 0xFFFF and wrap to 0.
    form3.fillDumpChart(dump(2, 0xFF80).image);
    const std::vector<ChartPoint> points = form3.chart()->points(0);
    ASSERT_EQ(points.size(), 256u);
    EXPECT_EQ(points[0], (ChartPoint{0, 0xFF80}));
    EXPECT_EQ(points[127], (ChartPoint{127, 65535}));
    EXPECT_EQ(points[128], (ChartPoint{128, 0}));
    EXPECT_EQ(points[255], (ChartPoint{255, 127}));

    form3.fillDumpChart(MemoryDumpImage(0, 0x000F));
    EXPECT_TRUE(form3.chart()->points(0).empty());
}

TEST(TForm3Test, DrawsTheLargestDumpAtOnceWithSticksAsWideAsTheScreenAllows)
{
    TForm3 form3(nullptr);
    form3.show();
    form3.fillDumpChart(dump(2, 1).image);
    form3.chart()->replot();
    EXPECT_GT(penWidth(*form3.chart()), 1.5) << "a few hundred words stand as bars, not hairlines";

    form3.fillDumpChart(dump(65535, 1).image);
    form3.chart()->replot();
    const std::vector<ChartPoint> points = form3.chart()->points(0);
    ASSERT_EQ(points.size(), 128u * 65535);
    EXPECT_EQ(points.back(), (ChartPoint{128.0 * 65535 - 1, double(uint16_t(128 * 65535))}));
    EXPECT_EQ(penWidth(*form3.chart()), 1.0);
}

TEST(TForm3Test, TheHeadingNamesTheDumpAndTheChartsTitleStaysHidden)
{
    TForm3 form3(nullptr);
    form3.fillDumpChart(dump(2, 0).image);
    EXPECT_EQ(form3.findChild<QLabel*>("DumpHeading")->text(), "Memory Dump (MS/TDC), 2 pages");
    EXPECT_TRUE(form3.chart()->title().isEmpty());
    form3.fillDumpChart(orvik::test::dumpImage(1, 0x000F, orvik::test::counting(MemoryDumpImage::pageWords, 0)).image);
    EXPECT_EQ(form3.findChild<QLabel*>("DumpHeading")->text(), "Memory Dump (MM), 1 page");
    form3.fillDumpChart(MemoryDumpImage(3, 0x1234));
    EXPECT_EQ(form3.findChild<QLabel*>("DumpHeading")->text(), "Memory Dump, 3 pages") << "an unknown memory";
    EXPECT_EQ(form3.size(), QSize(775, 513));
}

TEST(TForm3Test, TheButtonAndThePopUpMenuUndoAZoom)
{
    TForm3 form3(nullptr);
    form3.fillDumpChart(dump(2, 0).image);
    Chart* chart = form3.chart();
    auto* button = form3.findChild<QPushButton*>("Button2");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Undo Zoom");
    chart->setAxisRange(orvik::widgets::ChartAxis::Bottom, 10, 20);
    button->click();
    EXPECT_FALSE(chart->isZoomed());
    EXPECT_EQ(chart->xAxis->range(), QCPRange(0, 255));

    EXPECT_EQ(chart->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(chart->actions().size(), 1);
    QAction* undo = chart->actions().front();
    EXPECT_EQ(undo->text(), "Undo Zoom");
    chart->setAxisRange(orvik::widgets::ChartAxis::Bottom, 10, 20);
    undo->trigger();
    EXPECT_FALSE(chart->isZoomed());
}

TEST(TForm3Test, CloseHidesTheWindow)
{
    TForm3 form3(nullptr);
    form3.show();
    form3.findChild<QPushButton*>("Button1")->click();
    EXPECT_FALSE(form3.isVisible());
}
