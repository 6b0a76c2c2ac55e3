#pragma once
// The small chart windows the main window opens (the histogram TForm2, the memory
// dump TForm3): a window of its own, the chart Chart1 with one stick series filling
// it above a "Close" button (`Button1`) that hides it.

#include <QColor>
#include <QWidget>

class QHBoxLayout;
class QVBoxLayout;

namespace orvik::widgets {

class Chart;

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window (non-modal) in the centre of the main window, in front.
    void showOverMainWindow();

    orvik::widgets::Chart* chart() const { return chart1_; }

protected:
    // `seriesKey` names the series for the code; the user knows the chart by `displayName`.
    ChartWindow(QWidget* mainWindow, const char* name, const char* caption, const char* seriesKey,
                const QColor& seriesColour, const QString& displayName);

    // The window's column: the chart, then the row of buttons.
    QVBoxLayout* windowLayout() const { return layout_; }
    // The row of buttons: a stretch, then "Close".
    QHBoxLayout* buttonRow() const { return buttons_; }

private:
    orvik::widgets::Chart* chart1_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
};

} // namespace orvik::widgets
