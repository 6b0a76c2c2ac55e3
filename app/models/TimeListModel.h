#pragma once
// ListBox1's model: the time list (whole, or the entries a search keeps), one row
// per entry, texts made when painted. Beside the node's text a row tells its
// entry's number in the whole time list and its on-board time.

#include "app/models/DocumentModel.h"

#include <QAbstractListModel>

namespace orvik::app {

class TimeListModel : public DocumentModel<QAbstractListModel> {
    Q_OBJECT
public:
    enum Role {
        NumberRole = Qt::UserRole, // "#12 345"
        TimeRole,                  // the on-board time of day; empty where the node carries none
    };

    explicit TimeListModel(const orvik::ArchiveDocument& doc, QObject* parent = nullptr);

    // The node of a row, or none.
    orvik::NodeId nodeAt(int row) const;
    // The number of the last entry of the whole time list: the widest the list shows.
    QString widestNumber() const;
    // The row of a node, or -1 when the list does not hold it.
    int rowOf(orvik::NodeId node) const;
    // The document took in nodes and lost none: the view is told of the new entries.
    void publishNewNodes();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const PublishedRows& shownEntries() const { return lastRows_.of(doc_.timeListNodes(), published_); }
};

} // namespace orvik::app
