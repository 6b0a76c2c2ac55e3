#pragma once
// ListBox1's model: the time list (whole, or the entries a search keeps), one row
// per entry, texts made when painted.

#include "archive/ArchiveDocument.h"

#include <QAbstractListModel>

#include <memory>

namespace orvik {
class NodeFilter;
}

namespace orvik::app {

class TimeListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TimeListModel(const orvik::ArchiveDocument& doc, QObject* parent = nullptr);

    void beginRebuild();
    void endRebuild();
    // Lists only the entries the search filter keeps; null lists them all.
    void setFilter(std::shared_ptr<const orvik::NodeFilter> filter);
    // The node of a row, or none.
    orvik::NodeId nodeAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const orvik::ArchiveDocument& doc_;
    bool rebuilding_ = false;
    std::shared_ptr<const orvik::NodeFilter> filter_;
};

} // namespace orvik::app
