#include "display/widgets/Unit2.h"

#include "display/widgets/Chart.h"
#include "display/Histogram.h"

namespace orvik::widgets {

TForm2::TForm2(QWidget* mainWindow)
    : ChartWindow(mainWindow, "Form2", "Histogram", "Series2", QColor(0, 160, 0), "Histogram")
{
    resize(427, 336);
    chart()->setTitle("TChart");
    chart()->setSeriesName("Series2", "Count");
    chart()->setAxisTitles("Intensity", "Count");
    chart()->setLogarithmic(ChartAxis::Left, true);
    chart()->setLogarithmic(ChartAxis::Bottom, true);
}

void TForm2::fillHistogram(std::span<const orvik::display::ChartPoint> series)
{
    chart()->setPoints(0, orvik::display::histogramPoints(series));
}

} // namespace orvik::widgets
