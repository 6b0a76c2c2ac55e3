#include "app/models/CategoryTreeModel.h"

#include "archive/NodeFilter.h"

using namespace orvik;

namespace orvik::app {

namespace {
const NodeRuns none;
}

CategoryTreeModel::CategoryTreeModel(const ArchiveDocument& doc, QObject* parent) : DocumentModel(doc, parent) {}

NodeId CategoryTreeModel::nodeAt(const QModelIndex& index) const
{
    return index.isValid() ? NodeId(index.internalId()) : noNode;
}

QModelIndex CategoryTreeModel::indexOf(NodeId node) const
{
    if (node == noNode || rebuilding_ || (filter_ && !filter_->shows(node)))
        return {};
    const uint32_t row = filter_ ? filter_->row(node, doc_.tree()) : doc_.tree().row(node);
    return createIndex(int(row), 0, quintptr(node));
}

const NodeRuns& CategoryTreeModel::childrenOf(const QModelIndex& parent) const
{
    if (rebuilding_)
        return none;
    return filter_ ? filter_->children(nodeAt(parent)) : doc_.tree().children(nodeAt(parent));
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const NodeRuns& children = childrenOf(parent);
    if (column != 0 || row < 0 || size_t(row) >= children.size())
        return {};
    return createIndex(row, 0, quintptr(children[size_t(row)]));
}

QModelIndex CategoryTreeModel::parent(const QModelIndex& child) const
{
    return child.isValid() && !rebuilding_ ? indexOf(doc_.tree().parent(nodeAt(child))) : QModelIndex();
}

int CategoryTreeModel::rowCount(const QModelIndex& parent) const
{
    return int(childrenOf(parent).size());
}

int CategoryTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool CategoryTreeModel::hasChildren(const QModelIndex& parent) const
{
    return !childrenOf(parent).empty();
}

QVariant CategoryTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || rebuilding_)
        return {};
    switch (role) {
    case Qt::DisplayRole: return textOf(nodeAt(index));
    case Qt::ToolTipRole: return toolTipOf(nodeAt(index));
    default: return {};
    }
}

} // namespace orvik::app
