#pragma once

#include <QLocale>
#include <QTimer>
#include <array>

#include "app/core/CPropertyPage.h"
#include "ui/status/PositionView.h"

class QLabel;

namespace quorrel {

class CGnssReceiver;

// "Position": latitude, longitude, altitude, satellites, PDOP, solution type with its age and
// error estimates, baseline and time to FIXED, refreshed every second from its opening.
class CPositionPage : public CPropertyPage {
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

    // One timer tick: snapshot the receiver and show it.
    void tick();
    // Shows the rows: texts, then visibility.
    void showRows(const PositionRows& rows);

    bool usUnits() const { return m_usUnits; }
    const QTimer& refreshTimer() const { return m_timer; }
    // The sheet closed: no more ticks.
    void stopRefreshing() { m_timer.stop(); }
    QLabel* label(Row row) const { return m_labels[row]; }
    QLabel* value(Row row) const { return m_values[row]; }

protected:
    void onInitPage() override;

private:
    PositionSnapshot snapshot() const;
    void setRowShown(Row row, bool shown);

    CGnssReceiver* m_receiver;
    bool m_usUnits;
    QTimer m_timer;
    std::array<QLabel*, kRowCount> m_labels{};
    std::array<QLabel*, kRowCount> m_values{};
};

}  // namespace quorrel
