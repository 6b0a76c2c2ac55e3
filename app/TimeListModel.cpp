#include "TimeListModel.h"

using namespace orvik;

TimeListModel::TimeListModel(const ArchiveDocument& doc, QObject* parent) : QAbstractListModel(parent), doc_(doc) {}

void TimeListModel::beginRebuild()
{
    beginResetModel();
    rebuilding_ = true;
}

void TimeListModel::endRebuild()
{
    rebuilding_ = false;
    endResetModel();
}

NodeId TimeListModel::nodeAt(int row) const
{
    return row >= 0 && row < rowCount() ? doc_.timeListNodes()[size_t(row)] : noNode;
}

int TimeListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || rebuilding_ ? 0 : int(doc_.timeListNodes().size());
}

QVariant TimeListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    const NodeId node = nodeAt(index.row());
    return node == noNode ? QVariant() : QString::fromStdString(doc_.tree().text(node));
}
