#include "ui/link/RealTimeDiffLogic.h"

#include "receiver/CGnssReceiver.h"
#include "receiver/ReceiverTypes.h"
#include "ui/kit/Resources.h"
#include "ui/link/DiffLinkSequences.h"
#include "ui/link/DiffLinkTextCheck.h"

namespace quorrel {

RealTimeDiffLogic::RealTimeDiffLogic(ReceiverRunner run, DiffLinkSheets sheets)
    : m_run(std::move(run)), m_sheets(std::move(sheets)) {}

QString RealTimeDiffLogic::text(StringId id) {
    return resText(id);
}

void RealTimeDiffLogic::setInput(const AppSettings& input) {
    m_network.ntripPort = input.ntripPort;
    m_network.ntripAddress = input.ntripAddress;
    m_network.ntripLogin = input.ntripUser;
    m_network.ntripPassword = input.ntripPassword;
    m_network.ntripMountPoint = input.ntripMountPoint;
    m_network.ipPort = input.ipPort;
    m_network.ipAddress = input.ipAddress;
    m_network.protocol = input.networkProtocol;
    m_externalReceiver = input.isExternalGps;
}

AppSettings RealTimeDiffLogic::output() const {
    AppSettings out;
    out.ntripPort = m_network.ntripPort;
    out.ntripAddress = m_network.ntripAddress;
    out.ntripUser = m_network.ntripLogin;
    out.ntripPassword = m_network.ntripPassword;
    out.ntripMountPoint = m_network.ntripMountPoint;
    out.ipPort = m_network.ipPort;
    out.ipAddress = m_network.ipAddress;
    out.dialGsm = m_connection == DiffConnection::GsmDialled ? 1 : 0;
    out.connectNtrip = m_connection == DiffConnection::NtripConnected ? 1 : 0;
    out.connectIp = m_connection == DiffConnection::DirectIpConnected ? 1 : 0;
    out.isExternalGps = m_externalReceiver;
    out.networkProtocol = m_network.protocol;
    return out;
}

StringId RealTimeDiffLogic::captionFor(int row, DiffConnection connection) {
    switch (row) {
        case kGsmRow:
            return connection == DiffConnection::GsmDialled ? kStrHangUp : kStrDial;
        case kNetworkRow:
            return connection == DiffConnection::NtripConnected ||
                           connection == DiffConnection::DirectIpConnected
                       ? kStrDisconnect
                       : kStrConnect;
        default:
            return kStrSettingsButton;
    }
}

void RealTimeDiffLogic::start() {
    m_connection = DiffConnection::None;
    const DiffStart found = onReceiver([](CGnssReceiver& r) { return readDiffStart(r); });
    m_connection = found.connection;
    if (found.protocol) m_network.protocol = *found.protocol;
    if (m_connection == DiffConnection::GsmDialled)
        select(kGsmRow);
    else if (m_connection != DiffConnection::None)
        select(kNetworkRow);
    else
        select(kUhfRow);
}

void RealTimeDiffLogic::select(int row) {
    m_row = row >= 0 && row < kLinkRowCount ? row : kNoLinkRow;
    if (m_row != kNoLinkRow) m_caption = captionFor(m_row, m_connection);
}

void RealTimeDiffLogic::setConnection(DiffConnection connection) {
    m_connection = connection;
    select(m_row);
}

std::optional<QString> RealTimeDiffLogic::act() {
    switch (m_row) {
        case kUhfRow:
            return actUhf();
        case kGsmRow:
            return actGsm();
        case kNetworkRow:
            return actNetwork();
        case kOtherDeviceRow:
            return actOtherDevice();
        default:
            return std::nullopt;
    }
}

std::optional<QString> RealTimeDiffLogic::actUhf() {
    if (!m_sheets.uhf) return text(kStrLinkSettingsMissing);
    if (!m_sheets.uhf(m_externalReceiver)) return std::nullopt;
    setConnection(DiffConnection::None);
    m_run([](CGnssReceiver& r) { switchToRadio(r); });
    return std::nullopt;
}

std::optional<QString> RealTimeDiffLogic::actGsm() {
    if (m_gsm.phoneNumber.isEmpty()) {
        const auto held = onReceiver([](CGnssReceiver& r) { return readGsmValues(r); });
        if (held) m_gsm = *held;
    }
    if (m_connection == DiffConnection::GsmDialled) {
        // "Hang Up" acts at once; when the receiver refuses, the user can try again.
        if (onReceiver([](CGnssReceiver& r) { return hangUp(r); }))
            setConnection(DiffConnection::None);
        return std::nullopt;
    }
    if (!m_sheets.gsm || !m_sheets.dialing) return text(kStrLinkSettingsMissing);
    const std::optional<GsmValues> chosen = m_sheets.gsm(m_gsm, m_externalReceiver);
    if (!chosen) return std::nullopt;
    if (auto refused = gsmTextMessage(*chosen)) return refused;
    setConnection(DiffConnection::None);
    m_gsm = *chosen;
    return dial();
}

std::optional<QString> RealTimeDiffLogic::dial() {
    const DialStart started =
        onReceiver([gsm = m_gsm](CGnssReceiver& r) { return startCsdCall(r, gsm); });
    if (started == DialStart::NoNumber) return std::nullopt;
    if (started == DialStart::Dialling && m_sheets.dialing(m_gsm.phoneNumber) == kModemOnline) {
        setConnection(DiffConnection::GsmDialled);
        return std::nullopt;
    }
    return text(kStrUnableToDial);
}

std::optional<QString> RealTimeDiffLogic::actNetwork() {
    if (m_connection == DiffConnection::NtripConnected ||
        m_connection == DiffConnection::DirectIpConnected) {
        // "Disconnect" acts at once; when the receiver refuses, the user can try again.
        const std::int32_t protocol = m_network.protocol;
        if (onReceiver([protocol](CGnssReceiver& r) { return disconnectNetwork(r, protocol); }))
            setConnection(DiffConnection::None);
        return std::nullopt;
    }
    m_network = onReceiver([values = m_network, external = m_externalReceiver](CGnssReceiver& r) {
        return fillNetworkValues(r, values, external);
    });
    if (!m_sheets.network) return text(kStrLinkSettingsMissing);
    const std::optional<NetworkValues> chosen = m_sheets.network(m_network, m_externalReceiver);
    if (!chosen) return std::nullopt;
    if (auto refused = networkTextMessage(*chosen, m_externalReceiver)) return refused;
    setConnection(DiffConnection::None);
    m_network = *chosen;
    const NetworkStart started =
        onReceiver([values = m_network, external = m_externalReceiver](CGnssReceiver& r) {
            return startNetworkLink(r, values, external);
        });
    if (started == NetworkStart::Failed) return text(kStrUnableToConnect);
    if (started == NetworkStart::Connected)
        setConnection(m_network.protocol == kProtocolNtrip ? DiffConnection::NtripConnected
                                                           : DiffConnection::DirectIpConnected);
    return std::nullopt;
}

std::optional<QString> RealTimeDiffLogic::actOtherDevice() {
    const bool external = m_externalReceiver;
    // When the port cannot be read, the sheet starts from its own defaults.
    const PortValues given = onReceiver([external](CGnssReceiver& r) {
                                 return readPortValues(r, external);
                             }).value_or(PortValues{});
    if (!m_sheets.otherDevice) return text(kStrLinkSettingsMissing);
    const std::optional<PortValues> chosen = m_sheets.otherDevice(given);
    if (!chosen) return std::nullopt;
    if (auto refused = portTextMessage(*chosen)) return refused;
    setConnection(DiffConnection::None);
    m_run([port = *chosen, external](CGnssReceiver& r) { switchToOtherDevice(r, port, external); });
    return std::nullopt;
}

}  // namespace quorrel
