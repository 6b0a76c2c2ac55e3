#pragma once
// TreeView1's model: a view of the document's category tree, no item per node,
// whole or cut down to what a search keeps.

#include "archive/ArchiveDocument.h"

#include <QAbstractItemModel>

#include <memory>

namespace orvik {
class NodeFilter;
}

namespace orvik::app {

class CategoryTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit CategoryTreeModel(const orvik::ArchiveDocument& doc, QObject* parent = nullptr);

    // Brackets a change of the whole tree (an open); the view sees an empty tree meanwhile.
    void beginRebuild();
    void endRebuild();
    // Shows only what the search filter keeps; null shows the whole tree.
    void setFilter(std::shared_ptr<const orvik::NodeFilter> filter);

    orvik::NodeId nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(orvik::NodeId node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<orvik::NodeId>& childrenOf(const QModelIndex& parent) const;

    const orvik::ArchiveDocument& doc_;
    bool rebuilding_ = false;
    std::shared_ptr<const orvik::NodeFilter> filter_;
};

} // namespace orvik::app
