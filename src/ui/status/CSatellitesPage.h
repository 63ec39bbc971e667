#pragma once

#include "receiver/link/StatusRecords.h"
#include "ui/status/CStatusPage.h"

namespace quorrel {

class CSkyPlotCtrl;

// "Satellites": the sky plot of every satellite in the receiver's table, updated every
// second from the page's opening.
class CSatellitesPage : public CStatusPage {
    Q_OBJECT

public:
    explicit CSatellitesPage(CGnssReceiver* receiver, QWidget* parent = nullptr);

    // Snapshots the satellite table and redraws what changed.
    void tick() override;

    CSkyPlotCtrl* plot() const { return m_plot; }

protected:
    void onInitPage() override;
    void showNoData() override;

private:
    CSkyPlotCtrl* m_plot = nullptr;
    int m_count = 0;
    SatelliteTable m_table{};
};

}  // namespace quorrel
