#pragma once

#include <QDialog>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

#include "receiver/StationList.h"
#include "ui/link/NtripStationsLogic.h"

class QLabel;
class QPushButton;
class QTableView;

namespace quorrel {

class CNtripStationDetailDialog;
class StationTableModel;

// "NTRIP Stations": a caster's stations with their distances from the receiver, sortable by
// any column; OK picks the selected station.
class CNtripStationDialog : public QDialog {
    Q_OBJECT

public:
    // `reference` is where the distances are measured from (none: every distance is 0).
    CNtripStationDialog(const StationList& stations,
                        const std::optional<ReferencePosition>& reference,
                        const QLocale& locale = QLocale(), QWidget* parent = nullptr);
    ~CNtripStationDialog() override;

    // Empty unless OK found the selected station.
    const QString& resultMountPoint() const { return m_picked.mountPoint; }
    const QString& resultIdentifier() const { return m_picked.identifier; }
    std::int32_t resultNmea() const { return m_picked.nmea; }

    // Sorts as a click on the column's header does.
    void clickHeader(int column);
    StationSort sortShown() const { return m_sort; }
    // Runs the detail dialog on the selected station.
    void showDetails();

    QTableView* list() const { return m_list; }
    StationTableModel* model() const { return m_model; }
    QLabel* referenceLabel() const { return m_reference; }
    QPushButton* detailsButton() const { return m_details; }
    CNtripStationDetailDialog* detailDialog() const { return m_detail; }

    void accept() override;

private:
    const StationRow* selectedRow() const;
    void applySort();

    const StationList& m_stations;
    StationTableModel* m_model;
    QTableView* m_list;
    QLabel* m_reference;
    QPushButton* m_details;
    CNtripStationDetailDialog* m_detail;
    StationSort m_sort;
    PickedStation m_picked;
};

}  // namespace quorrel
