#include "app/models/CategoryTreeModel.h"

#include "archive/NodeFilter.h"

#include <algorithm>

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

const CategoryTree::Mark& CategoryTreeModel::shownUnder(NodeId parent) const
{
    const auto found = publishing_.find(parent);
    return found == publishing_.end() ? published_ : found->second;
}

PublishedRows CategoryTreeModel::shownChildren(NodeId parent) const
{
    if (rebuilding_)
        return PublishedRows(none, published_);
    if (filter_)
        return lastRows_.of(filter_->children(parent), doc_.tree().mark());
    return lastRows_.of(doc_.tree().children(parent), shownUnder(parent));
}

QModelIndex CategoryTreeModel::indexOf(NodeId node) const
{
    if (node == noNode || rebuilding_)
        return {};
    if (filter_) {
        if (!filter_->shows(node))
            return {};
        return createIndex(int(filter_->row(node, doc_.tree())), 0, quintptr(node));
    }
    const NodeId parent = doc_.tree().parent(node);
    if (!isBelow(shownUnder(parent), node))
        return {};
    return createIndex(int(shownChildren(parent).rowOfEntry(doc_.tree().row(node))), 0, quintptr(node));
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const PublishedRows children = shownChildren(nodeAt(parent));
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
    return int(shownChildren(nodeAt(parent)).size());
}

int CategoryTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool CategoryTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
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

std::vector<NodeId> CategoryTreeModel::parentsOfNewNodes() const
{
    const CategoryTree& tree = doc_.tree();
    const CategoryTree::Mark now = tree.mark();
    std::vector<NodeId> parents;
    CategoryTree::ParentWalk walk(tree);
    const auto walkFrom = [&](NodeId first, NodeId end) {
        for (NodeId id = first; id < end; ++id)
            if (const NodeId parent = walk.parent(id); parents.empty() || parents.back() != parent)
                parents.push_back(parent);
    };
    walkFrom(published_.early, now.early);
    walkFrom(laterNodes + published_.later, laterNodes + now.later);
    // A group comes before its children in the id order; the top level (noNode) before all.
    const auto order = [](NodeId a, NodeId b) { return NodeId(a + 1) < NodeId(b + 1); };
    std::sort(parents.begin(), parents.end(), order);
    parents.erase(std::unique(parents.begin(), parents.end()), parents.end());
    return parents;
}

void CategoryTreeModel::publishNewNodes()
{
    if (!filter_ && !rebuilding_)
        for (const NodeId parent : parentsOfNewNodes()) {
            const QModelIndex index = indexOf(parent);
            // Until the published mark moves on, the group answers from its own.
            CategoryTree::Mark& shown = publishing_.try_emplace(parent, published_).first->second;
            insertNewEntries(index, doc_.tree().children(parent), shown);
        }
    published_ = doc_.tree().mark();
    publishing_.clear();
}

void CategoryTreeModel::childTextsChanged(std::initializer_list<NodeId> groups)
{
    for (const NodeId group : groups) {
        const QModelIndex parent = indexOf(group);
        if (const int rows = rowCount(parent); rows > 0 && parent.isValid())
            emit dataChanged(index(0, 0, parent), index(rows - 1, 0, parent), {Qt::DisplayRole});
    }
}

} // namespace orvik::app
