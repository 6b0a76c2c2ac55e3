#include "display/widgets/Chart.h"

#include "display/widgets/ChartLegendItem.h"

#include <algorithm>

namespace orvik::widgets {

using display::ChartPoint;
using display::ChartSeries;

namespace {

// Colours of new series in order of creation: all readable on the white back wall.
const QColor seriesColours[] = {Qt::red, QColor(0, 160, 0), Qt::blue, Qt::magenta, QColor(0, 128, 128), QColor(0, 0, 128),
                          QColor(128, 0, 0), QColor(128, 128, 0), QColor(128, 0, 128), Qt::black};

const char* const styleProperty = "seriesStyle";
const char* const keyProperty = "seriesKey";

template <class Container>
std::vector<ChartPoint> pointsOf(const Container& data)
{
    std::vector<ChartPoint> points;
    points.reserve(size_t(data.size()));
    for (auto it = data.constBegin(); it != data.constEnd(); ++it)
        points.push_back({it->mainKey(), it->mainValue()});
    return points;
}

template <class Data, class Points>
QVector<Data> dataOf(const Points& points)
{
    QVector<Data> data;
    data.reserve(qsizetype(points.size()));
    for (const ChartPoint& p : points)
        data.append(Data(p.x, p.y));
    return data;
}

// Bars as wide as the closest two of them are apart, with a gap between neighbours.
void fitBarWidth(QCPBars& bars)
{
    double closest = 1;
    const QCPBarsDataContainer& data = *bars.data();
    for (auto it = data.constBegin(); it != data.constEnd() && it + 1 != data.constEnd(); ++it)
        if ((it + 1)->key > it->key)
            closest = std::min(closest, (it + 1)->key - it->key);
    bars.setWidth(closest * 0.8);
}

} // namespace

QLocale chartLocale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    return c;
}

Chart::Chart(const QString& objectName, QWidget* parent) : QCustomPlot(parent)
{
    setObjectName(objectName);
    setLocale(chartLocale());
    setBackground(Qt::white);
    axisRect()->setBackground(Qt::white);
    setAutoAddPlottableToLegend(false);
    setNoAntialiasingOnDrag(true);
    setInteractions(QCP::iRangeZoom);
    setSelectionRectMode(QCP::srmZoom);
    legend->setVisible(false);
    legend->setFillOrder(QCPLegend::foColumnsFirst);
    legend->setWrap(4);
    legend->setBorderPen(Qt::NoPen);

    title_ = new QCPTextElement(this, QString(), QFont(font().family(), font().pointSize() + 1));
    connect(this, &QCustomPlot::mouseWheel, this, [this] { zoomed_ = true; });

    // The read-out lies on a layer of its own, so that following the mouse redraws
    // it alone and never the series, however many points they hold.
    setMouseTracking(true);
    layer("overlay")->setMode(QCPLayer::lmBuffered);
    readout_ = new QCPItemText(this);
    readout_->setLayer("overlay");
    readout_->position->setAxisRect(axisRect());
    readout_->position->setType(QCPItemPosition::ptAxisRectRatio);
    readout_->position->setCoords(1, 0);
    readout_->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
    readout_->setPadding(QMargins(4, 2, 4, 2));
    readout_->setBrush(QColor(255, 255, 255, 224));
    readout_->setPen(QPen(Qt::gray));
    readout_->setVisible(false);
}

QString Chart::displayName() const
{
    for (const QString& line : title().split('\n'))
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    return displayName_.isEmpty() ? QStringLiteral("Chart") : displayName_;
}

void Chart::setAxisTitles(const QString& bottom, const QString& left)
{
    xAxis->setLabel(bottom);
    yAxis->setLabel(left);
    replot(rpQueuedReplot);
}

void Chart::setTitle(const QString& text)
{
    title_->setText(text);
    const bool shown = plotLayout()->hasElement(0, 0) && plotLayout()->element(0, 0) == title_;
    if (!text.isEmpty() && !shown) {
        plotLayout()->insertRow(0);
        plotLayout()->addElement(0, 0, title_);
    } else if (text.isEmpty() && shown) {
        plotLayout()->take(title_);
        plotLayout()->simplify();
    }
    replot(rpQueuedReplot);
}

QString Chart::title() const
{
    return title_->text();
}

void Chart::setLegendPlacement(LegendPlacement placement)
{
    if (placement == legendPlacement_)
        return;
    legendPlacement_ = placement;
    if (placement == LegendPlacement::Bottom) {
        axisRect()->insetLayout()->take(legend);
        legendRow_ = new QCPLayoutGrid;
        const int row = plotLayout()->rowCount();
        plotLayout()->addElement(row, 0, legendRow_);
        plotLayout()->setRowStretchFactor(row, 0.001);
        legendRow_->setMargins(QMargins(0, 0, 0, 4));
        // A legend without entries hints at a width of nothing, and the plot above
        // would be squeezed to it: the row sets no limit of its own on the width.
        legendRow_->setMaximumSize(QWIDGETSIZE_MAX - 1, QWIDGETSIZE_MAX);
        legendRow_->addElement(0, 0, legend);
        legend->setVisible(true);
    } else {
        legendRow_->take(legend);
        plotLayout()->remove(legendRow_);
        plotLayout()->simplify();
        legendRow_ = nullptr;
        axisRect()->insetLayout()->addElement(legend, Qt::AlignRight | Qt::AlignTop);
        legend->setVisible(false);
    }
    replot(rpQueuedReplot);
}

int Chart::addSeries(const QString& key, SeriesStyle style, QColor color)
{
    if (!color.isValid())
        color = seriesColours[series_.size() % std::size(seriesColours)];
    QCPAbstractPlottable* series = nullptr;
    if (style == SeriesStyle::Bar) {
        auto* bars = new QCPBars(xAxis, yAxis);
        bars->setBrush(color);
        series = bars;
    } else {
        auto* graph = new QCPGraph(xAxis, yAxis);
        graph->setLineStyle(style == SeriesStyle::Volume ? QCPGraph::lsImpulse : QCPGraph::lsLine);
        graph->setAntialiased(style == SeriesStyle::Line);
        series = graph;
    }
    series->setPen(QPen(color));
    series->setName(seriesNames_.value(key, key));
    series->setProperty(keyProperty, key);
    series->setProperty(styleProperty, int(style));
    legend->addItem(new ChartLegendItem(legend, series));
    series_.push_back(series);
    replot(rpQueuedReplot);
    return int(series_.size()) - 1;
}

void Chart::removeAllSeries()
{
    for (QCPAbstractPlottable* series : series_)
        removePlottable(series);
    series_.clear();
    replot(rpQueuedReplot);
}

void Chart::setSeriesName(const QString& key, const QString& name)
{
    seriesNames_.insert(key, name);
    for (QCPAbstractPlottable* s : series_)
        if (s->property(keyProperty).toString() == key)
            s->setName(name);
    replot(rpQueuedReplot);
}

QString Chart::seriesKey(int index) const
{
    return series(index)->property(keyProperty).toString();
}

SeriesStyle Chart::seriesStyle(int index) const
{
    return SeriesStyle(series(index)->property(styleProperty).toInt());
}

void Chart::setPoints(int index, std::span<const ChartPoint> points)
{
    loadPoints(index, points);
    dataChanged();
}

void Chart::addPoints(int index, std::span<const ChartPoint> points)
{
    loadPoints(index, points, Load::Add);
    dataChanged();
}

void Chart::loadPoints(int index, std::span<const ChartPoint> points, Load load)
{
    const bool sorted =
        std::is_sorted(points.begin(), points.end(), [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; });
    const auto into = [&](auto& container, const auto& data) {
        if (load == Load::Add)
            container.add(data, sorted);
        else
            container.set(data, sorted);
    };
    QCPAbstractPlottable* s = series(index);
    if (auto* graph = qobject_cast<QCPGraph*>(s)) {
        into(*graph->data(), dataOf<QCPGraphData>(points));
    } else if (auto* bars = qobject_cast<QCPBars*>(s)) {
        into(*bars->data(), dataOf<QCPBarsData>(points));
        fitBarWidth(*bars);
    }
}

void Chart::setValues(int index, std::span<const double> values)
{
    QCPAbstractPlottable* s = series(index);
    if (auto* graph = qobject_cast<QCPGraph*>(s)) {
        // Straight into the graph's data: a dump of millions of words is copied once.
        QVector<QCPGraphData> data(qsizetype(values.size()));
        for (size_t i = 0; i < values.size(); ++i)
            data[qsizetype(i)] = QCPGraphData(double(i), values[i]);
        graph->data()->set(data, true);
        dataChanged();
        return;
    }
    std::vector<ChartPoint> points(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        points[i] = {double(i), values[i]};
    setPoints(index, points);
}

std::vector<ChartPoint> Chart::points(int index) const
{
    QCPAbstractPlottable* s = series(index);
    if (auto* graph = qobject_cast<QCPGraph*>(s))
        return pointsOf(*graph->data());
    if (auto* bars = qobject_cast<QCPBars*>(s))
        return pointsOf(*bars->data());
    return {};
}

void Chart::showSeries(const std::vector<ChartSeries>& all)
{
    bool same = all.size() == series_.size();
    for (size_t i = 0; same && i < all.size(); ++i)
        same = seriesKey(int(i)) == QString::fromStdString(all[i].title);
    if (!same) {
        removeAllSeries();
        for (const ChartSeries& s : all)
            addSeries(QString::fromStdString(s.title), seriesStyle_);
    }
    for (size_t i = 0; i < all.size(); ++i)
        loadPoints(int(i), all[i].points);
    dataChanged();
}

std::vector<ChartSeries> Chart::seriesData() const
{
    std::vector<ChartSeries> all;
    for (int i = 0; i < seriesCount(); ++i)
        all.push_back({seriesKey(i).toStdString(), points(i)});
    return all;
}

void Chart::setSeriesVisible(int index, bool visible)
{
    series(index)->setVisible(visible);
    dataChanged();
    emit seriesVisibilityChanged(index, visible);
}

int Chart::legendEntryAt(const QPoint& pos) const
{
    if (!legend->visible())
        return -1;
    for (int i = 0; i < legend->itemCount(); ++i) {
        auto* entry = qobject_cast<ChartLegendItem*>(legend->item(i));
        if (entry && entry->rect().contains(pos)) {
            const auto it = std::find(series_.begin(), series_.end(), entry->plottable());
            return it == series_.end() ? -1 : int(it - series_.begin());
        }
    }
    return -1;
}

// The rubber band takes the mouse from the plot's own click handling, so the
// legend's check boxes look for their clicks here.
void Chart::mousePressEvent(QMouseEvent* event)
{
    pressedEntry_ = event->button() == Qt::LeftButton ? legendEntryAt(event->pos()) : -1;
    QCustomPlot::mousePressEvent(event);
}

void Chart::mouseReleaseEvent(QMouseEvent* event)
{
    QCustomPlot::mouseReleaseEvent(event);
    const int entry = std::exchange(pressedEntry_, -1);
    if (entry >= 0 && event->button() == Qt::LeftButton && legendEntryAt(event->pos()) == entry)
        setSeriesVisible(entry, !series(entry)->visible());
}

void Chart::mouseMoveEvent(QMouseEvent* event)
{
    QCustomPlot::mouseMoveEvent(event);
    updateReadout(event->position());
}

void Chart::leaveEvent(QEvent* event)
{
    QCustomPlot::leaveEvent(event);
    hideReadout();
}

void Chart::updateReadout(const QPointF& pos)
{
    const bool inside = axisRect()->rect().contains(pos.toPoint());
    if (inside)
        readout_->setText(QString("x = %1  y = %2").arg(coordinateText(ChartAxis::Bottom, xAxis->pixelToCoord(pos.x())),
                                                      coordinateText(ChartAxis::Left, yAxis->pixelToCoord(pos.y()))));
    if (inside || readout_->visible()) {
        readout_->setVisible(inside);
        readout_->layer()->replot();
    }
}

QString Chart::coordinateText(ChartAxis which, double value) const
{
    if (auto dates = axis(which)->ticker().dynamicCast<QCPAxisTickerDateTime>())
        return QCPAxisTickerDateTime::keyToDateTime(value).toTimeZone(dates->timeZone()).toString("yyyy-MM-dd HH:mm:ss");
    return QString::number(value, 'g', 6);
}

// A rubber band drawn to the right zooms into it; one drawn to the left undoes the zoom.
void Chart::processRectZoom(QRect rect, QMouseEvent* event)
{
    if (event->pos().x() < mMousePressPos.x()) {
        undoZoom();
        return;
    }
    zoomed_ = true;
    QCustomPlot::processRectZoom(rect, event);
}

void Chart::setLogarithmic(ChartAxis which, bool on)
{
    QCPAxis* a = axis(which);
    // An axis with a ticker of its own (dates and times, say) gets it back when it turns linear again.
    QSharedPointer<QCPAxisTicker>& linear = linearTickers_[int(which)];
    if (on && !isLogarithmic(which)) {
        linear = a->ticker();
        a->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog));
    } else if (!on && isLogarithmic(which)) {
        a->setTicker(linear ? linear : QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    }
    a->setScaleType(on ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (!zoomed_)
        fitAxes();
    replot(rpQueuedReplot);
}

bool Chart::isLogarithmic(ChartAxis which) const
{
    return axis(which)->scaleType() == QCPAxis::stLogarithmic;
}

void Chart::undoZoom()
{
    zoomed_ = false;
    fitAxes();
    replot(rpQueuedReplot);
}

void Chart::setAxisRange(ChartAxis which, double lower, double upper)
{
    zoomed_ = true;
    axis(which)->setRange(lower, upper);
    replot(rpQueuedReplot);
}

void Chart::dataChanged()
{
    if (!zoomed_)
        fitAxes();
    replot(rpQueuedReplot);
}

void Chart::fitAxes()
{
    rescaleAxes(true);
    // Sticks and bars stand on the zero line: keep it in view on a linear axis.
    const bool fromZero = std::any_of(series_.begin(), series_.end(), [](QCPAbstractPlottable* s) {
        const auto style = SeriesStyle(s->property(styleProperty).toInt());
        return s->visible() && (style == SeriesStyle::Volume || style == SeriesStyle::Bar);
    });
    if (fromZero && !isLogarithmic(ChartAxis::Left) && yAxis->range().lower > 0)
        yAxis->setRangeLower(0);
}

} // namespace orvik::widgets
