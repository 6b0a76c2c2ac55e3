#include "app/models/TimeListItemDelegate.h"

#include <QPainter>

namespace orvik::app {

namespace {
constexpr int itemHeight = 13;
}

void TimeListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? QColor(Qt::white) : palette.color(QPalette::Text));
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
    painter->restore();
}

QSize TimeListItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), itemHeight};
}

} // namespace orvik::app
