#pragma once

#include <QTimer>

#include "app/core/CPropertyPage.h"
#include "receiver/link/StatusRecords.h"

namespace quorrel {

class CGnssReceiver;
class CSignalBarCtrl;

// "Signal": the signal-to-noise bars of every tracked satellite, redrawn every second from
// the page's opening.
class CSignalPage : public CPropertyPage {
    Q_OBJECT

public:
    explicit CSignalPage(CGnssReceiver* receiver, QWidget* parent = nullptr);

    // One timer tick: snapshot the satellite table and redraw the chart.
    void tick();

    CSignalBarCtrl* chart() const { return m_chart; }
    const QTimer& refreshTimer() const { return m_timer; }
    // The sheet closed: no more ticks.
    void stopRefreshing() { m_timer.stop(); }

protected:
    void onInitPage() override;

private:
    CGnssReceiver* m_receiver;
    CSignalBarCtrl* m_chart = nullptr;
    QTimer m_timer;
    int m_count = 0;
    SatelliteTable m_table{};
};

}  // namespace quorrel
