#include "display/widgets/ChartWindow.h"

#include "display/widgets/Chart.h"
#include "display/widgets/ShowInFront.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvik::widgets {

ChartWindow::ChartWindow(QWidget* mainWindow, const char* name, const char* caption, const char* seriesKey,
                         const QColor& seriesColour, const QString& displayName)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);

    chart1_ = new Chart("Chart1");
    chart1_->setDisplayName(displayName);
    chart1_->addSeries(seriesKey, SeriesStyle::Volume, seriesColour);

    auto* close = new QPushButton("Close");
    close->setObjectName("Button1");
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    layout_ = new QVBoxLayout(this);
    layout_->addWidget(chart1_, 1);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch();
    buttons_->addWidget(close);
    layout_->addLayout(buttons_);
}

void ChartWindow::showOverMainWindow()
{
    showInFrontOfParent(*this);
}

} // namespace orvik::widgets
