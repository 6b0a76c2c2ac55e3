#pragma once
// TForm2, the histogram window: how often each intensity occurs in the spectrum
// on show. A snapshot, refilled each time "Histogram" is chosen.

#include "display/ComponentModel.h"

#include <QWidget>

#include <span>

namespace orvik::widgets {

class Chart;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* mainWindow);

    // Shows the window (non-modal) in the centre of the main window, in front.
    void showOverMainWindow();
    // Bins the y values of the series (see histogramPoints) into Chart1's series.
    void fillHistogram(std::span<const orvik::display::ChartPoint> series);

    orvik::widgets::Chart* chart() const { return chart1_; }

private:
    orvik::widgets::Chart* chart1_ = nullptr;
};

} // namespace orvik::widgets
