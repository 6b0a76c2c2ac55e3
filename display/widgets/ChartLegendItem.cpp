#include "display/widgets/ChartLegendItem.h"

namespace orvik::widgets {

namespace {
constexpr int boxPadding = 4;
}

ChartLegendItem::ChartLegendItem(QCPLegend* legend, QCPAbstractPlottable* series)
    : QCPPlottableLegendItem(legend, series)
{
}

int ChartLegendItem::boxSize() const
{
    return QFontMetrics(getFont()).height() - 2;
}

void ChartLegendItem::draw(QCPPainter* painter)
{
    if (!mPlottable)
        return;
    const int box = boxSize();
    const int lineHeight = std::max(QFontMetrics(getFont()).height(), mParentLegend->iconSize().height());

    // The check box, ticked while the series is shown.
    const QRect boxRect(mRect.x(), mRect.y() + (lineHeight - box) / 2, box, box);
    painter->setPen(QPen(Qt::black, 1));
    painter->setBrush(Qt::white);
    painter->drawRect(boxRect);
    if (mPlottable->visible()) {
        painter->setPen(QPen(Qt::black, 1.6));
        const QPointF a(boxRect.left() + box * 0.2, boxRect.top() + box * 0.55);
        const QPointF b(boxRect.left() + box * 0.42, boxRect.top() + box * 0.78);
        const QPointF c(boxRect.left() + box * 0.82, boxRect.top() + box * 0.22);
        painter->drawLine(a, b);
        painter->drawLine(b, c);
    }

    // The icon and the name as the plain legend entry draws them, right of the box.
    const QRect whole = mRect;
    mRect.setLeft(boxRect.right() + 1 + boxPadding);
    QCPPlottableLegendItem::draw(painter);
    mRect = whole;
}

QSize ChartLegendItem::minimumOuterSizeHint() const
{
    QSize size = QCPPlottableLegendItem::minimumOuterSizeHint();
    size.rwidth() += boxSize() + boxPadding;
    return size;
}

} // namespace orvik::widgets
