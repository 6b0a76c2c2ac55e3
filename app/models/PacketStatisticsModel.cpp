#include "app/models/PacketStatisticsModel.h"

using namespace orvik;

namespace orvik::app {

PacketStatisticsModel::PacketStatisticsModel(const PacketStatistics& statistics, QObject* parent)
    : QAbstractTableModel(parent), statistics_(statistics)
{
}

void PacketStatisticsModel::refresh()
{
    emit dataChanged(index(0, 1), index(rowCount() - 1, 1));
}

int PacketStatisticsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Category::count;
}

int PacketStatisticsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant PacketStatisticsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto row = size_t(index.row());
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? QVariant(QString::fromUtf8(categories[row].statisticsRow.data(),
                                                                 qsizetype(categories[row].statisticsRow.size())))
                                   : QVariant(QString::number(statistics_.counts[row]));
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PacketStatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Packet") : QStringLiteral("Count");
}

} // namespace orvik::app
