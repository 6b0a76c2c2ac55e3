#include "display/widgets/Unit3.h"

#include "display/widgets/Chart.h"

#include <algorithm>
#include <vector>

namespace orvik::widgets {

// A dump holds up to 128 × 65 535 words: the window's stick series, sampled to the
// screen, draws them all at once, where one bar object per word would take many seconds.
TForm3::TForm3(QWidget* mainWindow) : ChartWindow(mainWindow, "Form3", "Memory Dump", "Series1", Qt::red)
{
    setFixedSize(775, 513);
    chart()->series(0)->removeFromLegend();
    connect(chart(), &QCustomPlot::afterLayout, this, &TForm3::fitBarWidth);
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
    chart()->setValues(0, dumpValues(image));
}

void TForm3::fitBarWidth()
{
    const double wordsShown = chart()->xAxis->range().size();
    const double pixelsPerWord = wordsShown > 0 ? chart()->axisRect()->width() / wordsShown : 1;
    QCPAbstractPlottable* series = chart()->series(0);
    QPen pen = series->pen();
    pen.setWidthF(std::max(1.0, 0.8 * pixelsPerWord));
    series->setPen(pen);
}

} // namespace orvik::widgets
