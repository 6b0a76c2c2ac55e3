#include "app/models/TimeListModel.h"

#include "archive/NodeFilter.h"

using namespace orvik;

namespace orvik::app {

TimeListModel::TimeListModel(const ArchiveDocument& doc, QObject* parent) : DocumentModel(doc, parent) {}

NodeId TimeListModel::nodeAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return noNode;
    return filter_ ? filter_->timeListNodes()[size_t(row)] : doc_.timeListNodes()[size_t(row)];
}

int TimeListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || rebuilding_)
        return 0;
    return int(filter_ ? filter_->timeListNodes().size() : doc_.timeListNodes().size());
}

QVariant TimeListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    const NodeId node = nodeAt(index.row());
    return node == noNode ? QVariant() : textOf(node);
}

} // namespace orvik::app
