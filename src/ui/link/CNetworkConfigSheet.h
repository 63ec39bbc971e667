#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "ui/kit/CPropertySheet.h"
#include "ui/kit/ScreenContext.h"
#include "ui/link/ConnectionHistory.h"
#include "ui/link/DiffLinkValues.h"

namespace quorrel {

class CDirectIpSettingsPage;
class CGprsModePage;
class CGprsSettingsPage;
class CNtripSettingsPage;

// "Network Settings": how the GPRS modem reaches the corrections (mode), the SIM's access
// data (only for the external receiver) and the direct IP server or the NTRIP caster. It
// sends nothing but the station browse; the hub connects after OK. The three histories stay
// locked while the sheet lives and are written back when it goes.
class CNetworkConfigSheet : public CPropertySheet {
    Q_OBJECT

public:
    CNetworkConfigSheet(const ScreenContext& context, std::int32_t protocol, bool externalReceiver,
                        const QString& title, QWidget* parent = nullptr,
                        const QString& historyFolder = ConnectionHistory::defaultFolder());
    // Writes "SendPosToNet" back, however the sheet ended.
    ~CNetworkConfigSheet() override;

    // The eleven connection values; the protocol and the send-position choice stay the
    // sheet's own.
    void setValues(const NetworkValues& values);
    // After OK: the values, the protocol chosen and the send-position choice.
    const NetworkValues& values() const { return m_values; }

    // The mode page's choice: exchanges the third page when the protocol changes.
    void chooseProtocol(std::int32_t protocol);

    CGprsModePage* modePage() const { return m_mode; }
    CGprsSettingsPage* gprsPage() const { return m_gprs; }
    // The third page: exactly one of the two is present.
    CDirectIpSettingsPage* directIpPage() const { return m_directIp; }
    CNtripSettingsPage* ntripPage() const { return m_ntrip; }

private:
    void addLinkPage();

    ScreenContext m_context;
    bool m_externalReceiver;
    NetworkValues m_values;
    ConnectionHistory m_gprsHistory;
    ConnectionHistory m_directIpHistory;
    ConnectionHistory m_ntripHistory;
    CGprsModePage* m_mode = nullptr;
    CGprsSettingsPage* m_gprs = nullptr;
    CDirectIpSettingsPage* m_directIp = nullptr;
    CNtripSettingsPage* m_ntrip = nullptr;
};

}  // namespace quorrel
