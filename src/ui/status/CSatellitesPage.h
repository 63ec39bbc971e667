#pragma once

#include <QTimer>

#include "app/core/CPropertyPage.h"
#include "receiver/link/StatusRecords.h"

namespace quorrel {

class CGnssReceiver;
class CSkyPlotCtrl;

// "Satellites": the sky plot of every satellite in the receiver's table, updated every
// second from the page's opening.
class CSatellitesPage : public CPropertyPage {
    Q_OBJECT

public:
    explicit CSatellitesPage(CGnssReceiver* receiver, QWidget* parent = nullptr);

    // One timer tick: snapshot the satellite table and redraw what changed.
    void tick();

    CSkyPlotCtrl* plot() const { return m_plot; }
    const QTimer& refreshTimer() const { return m_timer; }
    // The sheet closed: no more ticks.
    void stopRefreshing() { m_timer.stop(); }

protected:
    void onInitPage() override;

private:
    CGnssReceiver* m_receiver;
    CSkyPlotCtrl* m_plot = nullptr;
    QTimer m_timer;
    int m_count = 0;
    SatelliteTable m_table{};
};

}  // namespace quorrel
