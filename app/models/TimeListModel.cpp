#include "app/models/TimeListModel.h"

#include "archive/NodeFilter.h"

#include <algorithm>

using namespace orvik;

namespace orvik::app {

TimeListModel::TimeListModel(const ArchiveDocument& doc, QObject* parent) : DocumentModel(doc, parent) {}

NodeId TimeListModel::nodeAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return noNode;
    return filter_ ? filter_->timeListNodes()[size_t(row)] : shownEntries()[size_t(row)];
}

QString TimeListModel::widestNumber() const
{
    return QString::fromStdString(timeListNumberText(std::max<size_t>(doc_.timeListNodes().size(), 1) - 1));
}

int TimeListModel::rowOf(NodeId node) const
{
    if (rebuilding_)
        return -1;
    if (!filter_) {
        const std::optional<size_t> entry = doc_.timeListNodes().entryOf(node);
        return entry && isBelow(published_, node) ? int(shownEntries().rowOfEntry(*entry)) : -1;
    }
    // The filtered list keeps the order of the full one, which is the order of the node ids.
    const std::vector<NodeId>& nodes = filter_->timeListNodes();
    const auto found = std::lower_bound(nodes.begin(), nodes.end(), node);
    return found != nodes.end() && *found == node ? int(found - nodes.begin()) : -1;
}

int TimeListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || rebuilding_)
        return 0;
    return int(filter_ ? filter_->timeListNodes().size() : shownEntries().size());
}

void TimeListModel::publishNewNodes()
{
    if (filter_ || rebuilding_)
        published_ = doc_.tree().mark();
    else
        insertNewEntries({}, doc_.timeListNodes(), published_);
}

QVariant TimeListModel::data(const QModelIndex& index, int role) const
{
    const NodeId node = nodeAt(index.row());
    if (node == noNode)
        return {};
    switch (role) {
    case Qt::DisplayRole: return textOf(node);
    case Qt::ToolTipRole: return toolTipOf(node);
    case NumberRole: {
        const std::optional<size_t> entry = doc_.timeListNodes().entryOf(node);
        return entry ? QString::fromStdString(timeListNumberText(*entry)) : QString();
    }
    case TimeRole: {
        const std::optional<int64_t> ticks = nodeFacts(doc_, node).ticks;
        return ticks ? QString::fromStdString(onBoardTimeOfDayText(*ticks)) : QString();
    }
    default: return {};
    }
}

} // namespace orvik::app
