#pragma once
// The small chart windows the main window opens (the histogram TForm2, the memory
// dump TForm3): a window of its own, the chart Chart1 with one stick series filling
// it above a "Close" button (`Button1`) that hides it.

#include <QColor>
#include <QWidget>

namespace orvik::widgets {

class Chart;

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window (non-modal) in the centre of the main window, in front.
    void showOverMainWindow();

    orvik::widgets::Chart* chart() const { return chart1_; }

protected:
    ChartWindow(QWidget* mainWindow, const char* name, const char* caption, const char* seriesName,
                const QColor& seriesColour);

private:
    orvik::widgets::Chart* chart1_ = nullptr;
};

} // namespace orvik::widgets
