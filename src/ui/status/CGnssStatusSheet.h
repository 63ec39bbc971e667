#pragma once

#include "app/core/CPropertySheet.h"

namespace quorrel {

class CGnssReceiver;
class CPositionPage;
class CSatellitesPage;
class CSignalPage;

// "GNSS Status": position, sky plot and signal bars, each page refreshing every second from
// its first showing until the sheet closes. The pages only read from the receiver.
class CGnssStatusSheet : public CPropertySheet {
    Q_OBJECT

public:
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
