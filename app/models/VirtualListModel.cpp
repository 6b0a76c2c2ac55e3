#include "app/models/VirtualListModel.h"

namespace orvik::app {

VirtualListModel::VirtualListModel(QList<Column> columns, RowTexts rowTexts, int rowCount, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), rowTexts_(std::move(rowTexts)), rowCount_(rowCount)
{
}

void VirtualListModel::setRowCount(int count)
{
    lastRow_.reset();
    if (count == rowCount_) {
        // Same rows, new texts: the view keeps its scroll position and repaints what is in sight.
        if (count > 0)
            emit dataChanged(index(0, 0), index(count - 1, int(columns_.size()) - 1));
        return;
    }
    beginResetModel();
    rowCount_ = std::max(count, 0);
    endResetModel();
}

int VirtualListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rowCount_;
}

int VirtualListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant VirtualListModel::alignment(int column) const
{
    return QVariant::fromValue(columns_.at(column).alignment | Qt::AlignVCenter);
}

const orvik::display::ReportRow& VirtualListModel::row(int r) const
{
    if (!lastRow_ || lastRow_->first != r)
        lastRow_.emplace(r, rowTexts_(size_t(r)));
    return lastRow_->second;
}

QVariant VirtualListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount_ || index.column() >= columns_.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return alignment(index.column());
    if (role != Qt::DisplayRole)
        return {};
    const orvik::display::ReportRow& texts = row(index.row());
    const auto column = size_t(index.column());
    return column < texts.size() ? QString::fromStdString(texts[column]) : QString();
}

QVariant VirtualListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return {};
    if (role == Qt::DisplayRole)
        return columns_.at(section).title;
    if (role == Qt::TextAlignmentRole)
        return alignment(section);
    return {};
}

} // namespace orvik::app
