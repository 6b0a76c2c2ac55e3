// A chart on paper: drawn on a page at a printer's resolution, its texts keep the
// proportions they have on the screen.

#include "display/widgets/Chart.h"
#include "display/widgets/ChartOutput.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace orvik::widgets;
using orvik::display::ChartPoint;

namespace {

// The columns and rows of the band holding dark pixels.
QRect inkIn(const QImage& page, const QRect& band)
{
    QRect ink;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(ChartPrintTest, ThePrintedTitleKeepsItsSizeOnTheScreenScaledToThePage)
{
    Chart chart("MSChart");
    chart.resize(640, 400);
    chart.setTitle("Spectrum 11 (2048 smp)");
    chart.setAxisTitles("m/z", "Intensity");
    chart.setPoints(chart.addSeries("Series2", SeriesStyle::Volume), std::vector<ChartPoint>{{0, 1}, {100, 3}});
    chart.replot();

    // An A4 landscape page at 600 dpi.
    const double dotsPerMeter = 600 / 0.0254;
    QImage page(7016, 4961, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(dotsPerMeter));
    page.setDotsPerMeterY(qRound(dotsPerMeter));
    page.fill(Qt::white);
    paintChartPage(chart, page, page.size());

    // The chart fills the page inside margins of 5 and 10 percent, stretched.
    const double sx = page.width() * 0.9 / chart.width(), sy = page.height() * 0.8 / chart.height();
    const QRect title = chart.plotLayout()->element(0, 0)->outerRect();
    const QRect band(qRound(page.width() * 0.05 + title.left() * sx), qRound(page.height() * 0.1 + title.top() * sy),
                     qRound(title.width() * sx), qRound(title.height() * sy));
    const QRect ink = inkIn(page, band);
    ASSERT_FALSE(ink.isEmpty()) << "the title is printed";

    const auto* element = static_cast<QCPTextElement*>(chart.plotLayout()->element(0, 0));
    const QRect text = QFontMetrics(element->font()).tightBoundingRect(chart.title());
    EXPECT_NEAR(ink.width(), text.width() * sx, text.width() * sx * 0.2) << "as wide as on the screen, scaled";
    EXPECT_NEAR(ink.height(), text.height() * sy, text.height() * sy * 0.3) << "as high as on the screen, scaled";
    EXPECT_LT(ink.height(), page.height() * 0.05);
    EXPECT_EQ(element->font(), QFont(chart.font().family(), chart.font().pointSize() + 1))
        << "the chart on the screen keeps its fonts";
}

} // namespace
