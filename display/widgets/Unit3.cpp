#include "display/widgets/Unit3.h"

#include "display/widgets/Chart.h"
#include "display/widgets/ShowInFront.h"

#include <algorithm>
#include <vector>


namespace orvik::widgets {

TForm3::TForm3(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window)
{
    setObjectName("Form3");
    setWindowTitle("Memory Dump");
    setFixedSize(775, 513);

    chart1_ = new Chart("Chart1");
    // A dump holds up to 128 × 65 535 words: a stick series sampled to the screen
    // draws them all at once, where one bar object per word would take many seconds.
    chart1_->addSeries("Series1", SeriesStyle::Volume, Qt::red);
    chart1_->series(0)->removeFromLegend();
    connect(chart1_, &QCustomPlot::afterLayout, this, &TForm3::fitBarWidth);

    layOutChartWindow(*this, chart1_);
}

std::vector<double> TForm3::dumpValues(const orvik::MemoryDumpImage& image)
{
    std::vector<double> values(image.dataWordCount());
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = image.dataWord(i);
    return values;
}

void TForm3::fillDumpChart(const orvik::MemoryDumpImage& image)
{
    chart1_->setValues(0, dumpValues(image));
}

void TForm3::fitBarWidth()
{
    const double wordsShown = chart1_->xAxis->range().size();
    const double pixelsPerWord = wordsShown > 0 ? chart1_->axisRect()->width() / wordsShown : 1;
    QCPAbstractPlottable* series = chart1_->series(0);
    QPen pen = series->pen();
    pen.setWidthF(std::max(1.0, 0.8 * pixelsPerWord));
    series->setPen(pen);
}

} // namespace orvik::widgets
