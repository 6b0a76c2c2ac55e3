#pragma once
// TreeView1's model: a view of the document's category tree, no item per node,
// whole or cut down to what a search keeps.

#include "app/models/DocumentModel.h"

#include <QAbstractItemModel>

namespace orvik::app {

class CategoryTreeModel : public DocumentModel<QAbstractItemModel> {
    Q_OBJECT
public:
    explicit CategoryTreeModel(const orvik::ArchiveDocument& doc, QObject* parent = nullptr);

    orvik::NodeId nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(orvik::NodeId node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const orvik::NodeRuns& childrenOf(const QModelIndex& parent) const;
};

} // namespace orvik::app
