#include "display/widgets/Unit2.h"

#include "display/widgets/Chart.h"
#include "display/Histogram.h"
#include "display/widgets/ShowInFront.h"


namespace orvik::widgets {

TForm2::TForm2(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window)
{
    setObjectName("Form2");
    setWindowTitle("Histogram");
    resize(427, 336);

    chart1_ = new Chart("Chart1");
    chart1_->setTitle("TChart");
    chart1_->setLogarithmic(ChartAxis::Left, true);
    chart1_->setLogarithmic(ChartAxis::Bottom, true);
    chart1_->addSeries("Series2", SeriesStyle::Volume, QColor(0, 160, 0));

    layOutChartWindow(*this, chart1_);
}

void TForm2::showOverMainWindow()
{
    showInFrontOfParent(*this);
}

void TForm2::fillHistogram(std::span<const orvik::display::ChartPoint> series)
{
    chart1_->setPoints(0, orvik::display::histogramPoints(series));
}

} // namespace orvik::widgets
