#pragma once
// TForm2, the histogram window: how often each intensity occurs in the spectrum
// on show. A snapshot, refilled each time "Histogram" is chosen.

#include "display/ComponentModel.h"
#include "display/widgets/ChartWindow.h"

#include <span>

namespace orvik::widgets {

class TForm2 : public ChartWindow {
    Q_OBJECT
public:
    explicit TForm2(QWidget* mainWindow);

    // Bins the y values of the series (see histogramPoints) into Chart1's series.
    void fillHistogram(std::span<const orvik::display::ChartPoint> series);
};

} // namespace orvik::widgets
