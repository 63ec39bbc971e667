#include "ui/link/CNetworkConfigSheet.h"

#include "ui/kit/ScreenSettings.h"
#include "ui/link/CDirectIpSettingsPage.h"
#include "ui/link/CGprsModePage.h"
#include "ui/link/CGprsSettingsPage.h"
#include "ui/link/CNtripSettingsPage.h"
#include "ui/link/NetworkSheetLogic.h"

namespace quorrel {

CNetworkConfigSheet::CNetworkConfigSheet(const ScreenContext& context, std::int32_t protocol,
                                         bool externalReceiver, const QString& title,
                                         QWidget* parent, const QString& historyFolder)
    : CPropertySheet(parent),
      m_context(context),
      m_externalReceiver(externalReceiver),
      m_gprsHistory(HistoryLayout::gprs(), historyFolder),
      m_directIpHistory(HistoryLayout::directIp(), historyFolder),
      m_ntripHistory(HistoryLayout::ntrip(), historyFolder) {
    setCaption(title);
    watchLink(context.link);
    m_values.protocol = protocol;
    m_values.sendPosition = context.settings.readDword(kSendPosToNet, 0) == 1;
    m_mode = new CGprsModePage(protocol, [this](std::int32_t chosen) { chooseProtocol(chosen); });
    addPage(m_mode);
    if (externalReceiver) {
        m_gprs = new CGprsSettingsPage(m_values, m_gprsHistory);
        addPage(m_gprs);
    }
    addLinkPage();
}

CNetworkConfigSheet::~CNetworkConfigSheet() {
    m_context.settings.writeDword(kSendPosToNet, m_values.sendPosition ? 1 : 0);
}

void CNetworkConfigSheet::setValues(const NetworkValues& values) {
    const std::int32_t protocol = m_values.protocol;
    const bool sendPosition = m_values.sendPosition;
    m_values = values;
    m_values.protocol = protocol;
    m_values.sendPosition = sendPosition;
}

void CNetworkConfigSheet::addLinkPage() {
    if (m_values.protocol == kProtocolNtrip) {
        m_ntrip = new CNtripSettingsPage(m_context, m_values, m_externalReceiver, m_ntripHistory);
        addPage(m_ntrip);
    } else {
        m_directIp = new CDirectIpSettingsPage(m_values, m_directIpHistory);
        addPage(m_directIp);
    }
}

void CNetworkConfigSheet::chooseProtocol(std::int32_t protocol) {
    if (protocol == m_values.protocol) return;
    // What was typed on the page that goes is dropped with it.
    CPropertyPage* leaving = m_ntrip ? static_cast<CPropertyPage*>(m_ntrip) : m_directIp;
    m_ntrip = nullptr;
    m_directIp = nullptr;
    removePage(leaving);
    delete leaving;
    m_values.protocol = protocol;
    addLinkPage();
}

}  // namespace quorrel
