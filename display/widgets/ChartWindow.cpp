#include "display/widgets/ChartWindow.h"

#include "display/widgets/Chart.h"
#include "display/widgets/ShowInFront.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvik::widgets {

ChartWindow::ChartWindow(QWidget* mainWindow, const char* name, const char* caption, const char* seriesName,
                         const QColor& seriesColour)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);

    chart1_ = new Chart("Chart1");
    chart1_->addSeries(seriesName, SeriesStyle::Volume, seriesColour);

    auto* close = new QPushButton("Close");
    close->setObjectName("Button1");
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart1_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void ChartWindow::showOverMainWindow()
{
    showInFrontOfParent(*this);
}

} // namespace orvik::widgets
