#pragma once

#include "ui/kit/CPropertySheet.h"

namespace quorrel {

class CGnssReceiver;
class CPositionPage;
class CSatellitesPage;
class CSignalPage;
struct ScreenContext;

// "GNSS Status": position, sky plot and signal bars, each page refreshing every second from
// its first showing until the sheet closes. The pages only read from the receiver: snapshots
// taken on the GUI thread that never wait, so the sheet needs no receiver worker.
class CGnssStatusSheet : public CPropertySheet {
    Q_OBJECT

public:
    // The program's sheet: it also shows when the receiver link is lost.
    CGnssStatusSheet(const ScreenContext& context, QWidget* parent = nullptr);
    // The pages alone on `receiver`, without a link monitor.
    CGnssStatusSheet(CGnssReceiver* receiver, QWidget* parent = nullptr);

    CPositionPage* positionPage() const { return m_position; }
    CSatellitesPage* satellitesPage() const { return m_satellites; }
    CSignalPage* signalPage() const { return m_signal; }

    // Closing stops every page's refresh, even when the caller keeps the sheet.
    void done(int result) override;

private:
    CPositionPage* m_position;
    CSatellitesPage* m_satellites;
    CSignalPage* m_signal;
};

}  // namespace quorrel
