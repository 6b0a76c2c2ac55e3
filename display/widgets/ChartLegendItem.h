#pragma once
// A legend entry with a check box in front of the series' icon and name; a click
// on the entry hides or shows its series (the chart handles the click).

#include <qcustomplot.h>

namespace orvik::widgets {

class ChartLegendItem : public QCPPlottableLegendItem {
    Q_OBJECT
public:
    ChartLegendItem(QCPLegend* legend, QCPAbstractPlottable* series);

protected:
    void draw(QCPPainter* painter) override;
    QSize minimumOuterSizeHint() const override;

private:
    int boxSize() const;
};

} // namespace orvik::widgets
