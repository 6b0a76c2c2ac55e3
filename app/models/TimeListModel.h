#pragma once
// ListBox1's model: the time list (whole, or the entries a search keeps), one row
// per entry, texts made when painted.

#include "app/models/DocumentModel.h"

#include <QAbstractListModel>

namespace orvik::app {

class TimeListModel : public DocumentModel<QAbstractListModel> {
    Q_OBJECT
public:
    explicit TimeListModel(const orvik::ArchiveDocument& doc, QObject* parent = nullptr);

    // The node of a row, or none.
    orvik::NodeId nodeAt(int row) const;
    // The row of a node, or -1 when the list does not hold it.
    int rowOf(orvik::NodeId node) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

} // namespace orvik::app
