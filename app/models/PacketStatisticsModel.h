#pragma once
// PacketStatListView's model: the 13 statistics rows, "Packet" and "Count".

#include "archive/PacketClassification.h"

#include <QAbstractTableModel>

namespace orvik::app {

class PacketStatisticsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PacketStatisticsModel(const orvik::PacketStatistics& statistics, QObject* parent = nullptr);

    // The counts changed (after an open): repaint them.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const orvik::PacketStatistics& statistics_;
};

} // namespace orvik::app
