#pragma once
// TreeView1's model: a view of the document's category tree, no item per node,
// whole or cut down to what a search keeps.

#include "app/models/DocumentModel.h"

#include <QAbstractItemModel>

#include <unordered_map>

namespace orvik::app {

class CategoryTreeModel : public DocumentModel<QAbstractItemModel> {
    Q_OBJECT
public:
    explicit CategoryTreeModel(const orvik::ArchiveDocument& doc, QObject* parent = nullptr);

    orvik::NodeId nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(orvik::NodeId node) const;

    // The document took in nodes and lost none: the view is told of them, group by
    // group in the order of the ids, so that a new group comes in before its children.
    void publishNewNodes();
    // Every row under these groups (shown ones; noNode is none) may have changed its text.
    void childTextsChanged(std::initializer_list<orvik::NodeId> groups);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // The groups that got children since the published mark, in the order of their ids
    // (the top level, noNode, first).
    std::vector<orvik::NodeId> parentsOfNewNodes() const;
    // The mark the children of `parent` are answered from.
    const orvik::CategoryTree::Mark& shownUnder(orvik::NodeId parent) const;
    PublishedRows shownChildren(orvik::NodeId parent) const;

    // While new nodes are published: the groups whose new children the view has been told of.
    std::unordered_map<orvik::NodeId, orvik::CategoryTree::Mark> publishing_;
};

} // namespace orvik::app
