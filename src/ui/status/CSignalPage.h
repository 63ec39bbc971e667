#pragma once

#include "receiver/link/StatusRecords.h"
#include "ui/status/CStatusPage.h"

namespace quorrel {

class CSignalBarCtrl;

// "Signal": the signal-to-noise bars of every tracked satellite, redrawn every second from
// the page's opening.
class CSignalPage : public CStatusPage {
    Q_OBJECT

public:
    explicit CSignalPage(CGnssReceiver* receiver, QWidget* parent = nullptr);

    // Snapshots the satellite table and redraws the chart.
    void tick() override;

    CSignalBarCtrl* chart() const { return m_chart; }

protected:
    void onInitPage() override;
    void showNoData() override;

private:
    CSignalBarCtrl* m_chart = nullptr;
    int m_count = 0;
    SatelliteTable m_table{};
};

}  // namespace quorrel
