#include "display/widgets/Unit3.h"

#include "display/widgets/Chart.h"
#include "archive/CategoryTree.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace orvik::widgets {

// A dump holds up to 128 × 65 535 words: the window's stick series, sampled to the
// screen, draws them all at once, where one bar object per word would take many seconds.
TForm3::TForm3(QWidget* mainWindow) : ChartWindow(mainWindow, "Form3", "Memory Dump", "Series1", Qt::red, "Memory dump")
{
    setFixedSize(775, 513);
    chart()->series(0)->removeFromLegend();
    chart()->setSeriesName("Series1", "Value");
    chart()->setAxisTitles("Word", "Value");
    connect(chart(), &QCustomPlot::afterLayout, this, &TForm3::fitBarWidth);

    heading_ = new QLabel;
    heading_->setObjectName("DumpHeading");
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    windowLayout()->insertWidget(0, heading_);

    auto* undoZoom = new QAction("Undo Zoom", chart());
    undoZoom->setObjectName("DumpUndoZoom");
    connect(undoZoom, &QAction::triggered, chart(), &Chart::undoZoom);
    chart()->addAction(undoZoom);
    chart()->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* button = new QPushButton("Undo Zoom");
    button->setObjectName("Button2");
    connect(button, &QPushButton::clicked, chart(), &Chart::undoZoom);
    buttonRow()->insertWidget(1, button);
}

QString TForm3::heading(const orvik::MemoryDumpImage& image)
{
    const int pages = image.pageCount();
    return QString("%1, %2 %3")
        .arg(QString::fromStdString(orvik::memoryDumpNodeText(image.memoryType())).trimmed())
        .arg(pages)
        .arg(pages == 1 ? "page" : "pages");
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
    heading_->setText(heading(image));
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
