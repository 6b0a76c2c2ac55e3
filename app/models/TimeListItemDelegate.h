#pragma once
// Draws ListBox1's lines: 13 pixels high, the entry's number right-aligned in a
// column as wide as the list's widest number, its on-board time of day in the
// next, then the node's text, all clipped to the line; selected lines in white on
// the selection colour.

#include <QStyledItemDelegate>

namespace orvik::app {

class TimeListItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Where the number, the time and the node's text go on a line.
    struct Columns {
        QRect number, time, text;
    };
    static Columns columnsOf(const QRect& line, const QFontMetrics& metrics, const QString& widestNumber);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace orvik::app
