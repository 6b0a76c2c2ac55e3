#pragma once
// A report list whose rows are not stored: each row's texts are asked for when the
// view paints it, so that showing a block of thousands of values costs nothing
// until the rows come into sight.

#include "display/ComponentModel.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>

namespace orvik::app {

class VirtualListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using RowTexts = std::function<orvik::display::ReportRow(size_t row)>;
    struct Column {
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    VirtualListModel(QList<Column> columns, RowTexts rowTexts, int rowCount, QObject* parent = nullptr);

    // Drops every row and takes `count` new ones, fetched again when painted.
    void setRowCount(int count);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const orvik::display::ReportRow& row(int r) const;
    // A column's cells and its heading share its alignment.
    QVariant alignment(int column) const;

    QList<Column> columns_;
    RowTexts rowTexts_;
    int rowCount_;
    // The view asks for every column of a row in turn: the row is computed once.
    mutable std::optional<std::pair<int, orvik::display::ReportRow>> lastRow_;
};

} // namespace orvik::app
