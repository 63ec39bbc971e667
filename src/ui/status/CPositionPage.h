#pragma once

#include <QLocale>
#include <array>

#include "ui/status/CStatusPage.h"
#include "ui/status/PositionView.h"

class QLabel;

namespace quorrel {

// "Position": latitude, longitude, altitude, satellites, PDOP, solution type with its age and
// error estimates, baseline and time to FIXED, refreshed every second from its opening.
class CPositionPage : public CStatusPage {
    Q_OBJECT

public:
    // The rows in their order on the page.
    enum Row {
        kLatitude,
        kLongitude,
        kAltitude,
        kSatellites,
        kPdop,
        kStatus,
        kAge,
        kHrms,
        kVrms,
        kBaseline,
        kTimeToFixed,
        kRowCount
    };

    // The unit system is read once from `locale` here.
    explicit CPositionPage(CGnssReceiver* receiver, const QLocale& locale = QLocale(),
                           QWidget* parent = nullptr);

    void tick() override;
    // Shows the rows: texts, then visibility.
    void showRows(const PositionRows& rows);

    bool usUnits() const { return m_usUnits; }
    QLabel* label(Row row) const { return m_labels[row]; }
    QLabel* value(Row row) const { return m_values[row]; }

protected:
    void onInitPage() override;
    void showNoData() override;

private:
    PositionSnapshot snapshot() const;
    void setRowShown(Row row, bool shown);

    bool m_usUnits;
    std::array<QLabel*, kRowCount> m_labels{};
    std::array<QLabel*, kRowCount> m_values{};
};

}  // namespace quorrel
