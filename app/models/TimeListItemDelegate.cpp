#include "app/models/TimeListItemDelegate.h"

#include "app/models/TimeListModel.h"

#include <QPainter>

namespace orvik::app {

namespace {
constexpr int itemHeight = 13;
constexpr int columnGap = 5;
const QString widestTime = QStringLiteral("00:00:00,000");

QString widestNumberOf(const QModelIndex& index)
{
    const auto* model = qobject_cast<const TimeListModel*>(index.model());
    return model ? model->widestNumber() : QString();
}
} // namespace

TimeListItemDelegate::Columns TimeListItemDelegate::columnsOf(const QRect& line, const QFontMetrics& metrics,
                                                              const QString& widestNumber)
{
    const int numberRight = line.left() + metrics.horizontalAdvance(widestNumber);
    const int timeLeft = numberRight + columnGap;
    const int textLeft = timeLeft + metrics.horizontalAdvance(widestTime) + columnGap;
    return {QRect(QPoint(line.left(), line.top()), QPoint(numberRight, line.bottom())),
            QRect(QPoint(timeLeft, line.top()), QPoint(textLeft - columnGap, line.bottom())),
            QRect(QPoint(textLeft, line.top()), line.bottomRight())};
}

void TimeListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    const Columns columns = columnsOf(option.rect, QFontMetrics(option.font), widestNumberOf(index));
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? QColor(Qt::white) : palette.color(QPalette::Text));
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    painter->drawText(columns.number, Qt::AlignRight | Qt::AlignTop, index.data(TimeListModel::NumberRole).toString());
    painter->drawText(columns.time, Qt::AlignLeft | Qt::AlignTop, index.data(TimeListModel::TimeRole).toString());
    painter->drawText(columns.text, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
    painter->restore();
}

QSize TimeListItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int prefix = columnsOf({}, QFontMetrics(option.font), widestNumberOf(index)).text.left();
    return {prefix + QStyledItemDelegate::sizeHint(option, index).width(), itemHeight};
}

} // namespace orvik::app
