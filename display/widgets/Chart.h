#pragma once
// The chart every chart of the program is made of: a title, a legend hidden or at
// the bottom with a check box per series, left and bottom axes that switch between
// linear and logarithmic, zoom by mouse (a rubber band drawn to the right with the
// left button, the wheel) and undo zoom back to the automatic ranges (also a
// rubber band drawn to the left). While the mouse is over the plot, a read-out in
// its top right corner tells the coordinates under it.
//
// Series are volume (a stick from 0 to y at each point), line, fast-line or bar
// series. Volume, line and fast-line series are graphs sampled to the screen's
// resolution, so millions of points draw in a fraction of a second; keep bar
// series to a few bars.

#include "display/ComponentModel.h"

#include <qcustomplot.h>

#include <span>
#include <vector>

namespace orvik::widgets {

// Numbers on a chart and in its editor keep "." whatever the regional setting, as the
// mouse read-out and the exported points do.
QLocale chartLocale();

enum class SeriesStyle { Volume, Line, FastLine, Bar };
enum class LegendPlacement { Hidden, Bottom };
enum class ChartAxis { Left, Bottom };

class Chart : public QCustomPlot {
    Q_OBJECT
public:
    // A chart found by its objectName, as the window's components are.
    explicit Chart(const QString& objectName, QWidget* parent = nullptr);

    // The title's lines ("\n" between them); an empty title takes no room.
    void setTitle(const QString& text);
    QString title() const;
    // What the user knows the chart by: the title's first non-empty line, else the
    // name set here, else "Chart" (the chart's objectName stays a name of the code).
    void setDisplayName(const QString& name) { displayName_ = name; }
    QString displayName() const;

    void setAxisTitles(const QString& bottom, const QString& left);

    void setLegendPlacement(LegendPlacement placement);
    LegendPlacement legendPlacement() const { return legendPlacement_; }

    // The style of the series the chart creates for showSeries().
    void setSeriesStyle(SeriesStyle style) { seriesStyle_ = style; }
    SeriesStyle seriesStyle() const { return seriesStyle_; }

    // Appends a series under its key (the title the decoders give it); an invalid
    // colour takes the next colour of the chart's palette.
    int addSeries(const QString& key, SeriesStyle style, QColor color = {});
    // The name the series of this key shows (legend, editor, CSV), now and when made again.
    void setSeriesName(const QString& key, const QString& name);
    QString seriesKey(int index) const;
    void removeAllSeries();
    int seriesCount() const { return int(series_.size()); }
    QCPAbstractPlottable* series(int index) const { return series_.at(size_t(index)); }
    SeriesStyle seriesStyle(int index) const;

    // Replaces the points of a series. Points in ascending x order are taken as they
    // are; others are sorted by x.
    void setPoints(int index, std::span<const display::ChartPoint> points);
    // Adds points to a series, in any x order: a series that grows is not copied again.
    void addPoints(int index, std::span<const display::ChartPoint> points);
    // y values at x = 0, 1, 2, ...: the quickest way to show a long sampled series.
    void setValues(int index, std::span<const double> values);
    // The series' points in ascending x order.
    std::vector<display::ChartPoint> points(int index) const;

    // Shows these series: the chart's series are kept when their keys match the
    // titles, else replaced by new ones of the chart's series style.
    void showSeries(const std::vector<display::ChartSeries>& series);
    std::vector<display::ChartSeries> seriesData() const;

    void setSeriesVisible(int index, bool visible);

    void setLogarithmic(ChartAxis axis, bool on);
    bool isLogarithmic(ChartAxis axis) const;
    QCPAxis* axis(ChartAxis axis) const { return axis == ChartAxis::Left ? yAxis : xAxis; }

    // Back to the automatic axis ranges, which follow the data until the next zoom.
    void undoZoom();
    bool isZoomed() const { return zoomed_; }
    // Fixes the axis range as a zoom by the user would.
    void setAxisRange(ChartAxis axis, double lower, double upper);

    // The coordinates under the mouse, hidden while the mouse is elsewhere.
    const QCPItemText* readout() const { return readout_; }
    // Until the mouse moves over the plot again: copies, exports and prints show the chart without it.
    void hideReadout() { updateReadout(QPointF(-1, -1)); }

signals:
    // A series was hidden or shown through its legend check box.
    void seriesVisibilityChanged(int index, bool visible);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void processRectZoom(QRect rect, QMouseEvent* event) override;

private:
    // The series whose legend entry lies under the point, or -1.
    int legendEntryAt(const QPoint& pos) const;
    enum class Load { Replace, Add };
    // Replaces a series' points, or adds to them, without refitting the axes.
    void loadPoints(int index, std::span<const display::ChartPoint> points, Load load = Load::Replace);
    void fitAxes();
    void dataChanged();
    // Shows the coordinates at the pixel, or hides them outside the plot; redraws the read-out only.
    void updateReadout(const QPointF& pos);
    QString coordinateText(ChartAxis axis, double value) const;

    QCPTextElement* title_ = nullptr;
    QString displayName_;
    QCPItemText* readout_ = nullptr;
    QHash<QString, QString> seriesNames_;
    QCPLayoutGrid* legendRow_ = nullptr;
    LegendPlacement legendPlacement_ = LegendPlacement::Hidden;
    SeriesStyle seriesStyle_ = SeriesStyle::Line;
    std::vector<QCPAbstractPlottable*> series_;
    // The tickers of the axes (left, bottom) while they were last linear.
    QSharedPointer<QCPAxisTicker> linearTickers_[2];
    bool zoomed_ = false;
    int pressedEntry_ = -1;
};

} // namespace orvik::widgets
