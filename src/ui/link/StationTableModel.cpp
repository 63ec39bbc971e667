#include "ui/link/StationTableModel.h"

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

StationTableModel::StationTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StationTableModel::setRows(std::vector<StationRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].order = int(i);
    endResetModel();
}

int StationTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int StationTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kStationColumnCount;
}

QVariant StationTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const StationRow& shown = row(index.row());
    if (role == Qt::TextAlignmentRole && index.column() == kDistanceColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case kStationColumn:
            return shown.mountPoint;
        case kNameColumn:
            return shown.identifier;
        default:
            return shown.distanceText;
    }
}

QVariant StationTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    constexpr StringId kTitles[kStationColumnCount] = {kStrStation, kStrName, kStrDistance};
    return section >= 0 && section < kStationColumnCount ? resText(kTitles[section]) : QVariant();
}

void StationTableModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> before(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        before[i] = m_rows[i].order;
    sortStationRows(m_rows, column, order == Qt::AscendingOrder);
    std::vector<int> placeOf(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        placeOf[std::size_t(m_rows[i].order)] = int(i);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& old : persistent)
        moved.append(index(placeOf[std::size_t(before[std::size_t(old.row())])], old.column()));
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace quorrel
