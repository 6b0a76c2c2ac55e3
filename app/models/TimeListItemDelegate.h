#pragma once
// Draws ListBox1's lines: 13 pixels high, the node's text clipped to the line,
// selected lines in white on the selection colour.

#include <QStyledItemDelegate>

namespace orvik::app {

class TimeListItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace orvik::app
