#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "ui/link/NtripStationsLogic.h"

namespace quorrel {

// The station list's rows for a table view: "Station", "Name", "Distance". Sorting keeps
// the selection on the station it was on.
class StationTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit StationTableModel(QObject* parent = nullptr);

    void setRows(std::vector<StationRow> rows);
    const StationRow& row(int index) const { return m_rows[std::size_t(index)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    std::vector<StationRow> m_rows;
};

}  // namespace quorrel
