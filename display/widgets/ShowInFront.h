#pragma once
// The small chart windows the main window opens (histogram, memory dump): a chart
// above a "Close" button, coming up non-modal in the centre of the main window, in front.

class QWidget;

namespace orvik::widgets {

// Lays the window out as the chart filling it above a "Close" button (`Button1`) that hides it.
void layOutChartWindow(QWidget& window, QWidget* chart);

// Centres the window over its parent (when it has one), shows it and brings it to the front.
void showInFrontOfParent(QWidget& window);

} // namespace orvik::widgets
