#pragma once

#include <QDialog>

#include "ui/link/NtripStationsLogic.h"

class QTableWidget;

namespace quorrel {

// "NTRIP Station Details": twelve rows of name and value for one station.
class CNtripStationDetailDialog : public QDialog {
    Q_OBJECT

public:
    explicit CNtripStationDetailDialog(DistanceUnit unit, QWidget* parent = nullptr);

    // Fills the rows from `station`, whose work value is its distance.
    void setStation(const StationRecord& station);
    QTableWidget* list() const { return m_list; }

private:
    DistanceUnit m_unit;
    QTableWidget* m_list;
};

}  // namespace quorrel
