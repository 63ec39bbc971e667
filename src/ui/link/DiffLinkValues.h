#pragma once

#include <QString>
#include <cstdint>

namespace quorrel {

// The one correction link the hub holds up. Being one value, at most one of the three
// connection flags ("DialGsm", "ConnectNtrip", "ConnectIp") can ever be set.
enum class DiffConnection { None, GsmDialled, NtripConnected, DirectIpConnected };

// "NetworkProtocol": how the GPRS modem reaches the corrections.
constexpr std::int32_t kProtocolDirectIp = 0;
constexpr std::int32_t kProtocolNtrip = 1;

// Rows of the link list.
enum DiffLinkRow : int {
    kNoLinkRow = -1,
    kUhfRow = 0,
    kGsmRow = 1,
    kNetworkRow = 2,
    kOtherDeviceRow = 3,
    kLinkRowCount = 4,
};

// What the GSM sheet edits.
struct GsmValues {
    QString pin;
    QString phoneNumber;

    bool operator==(const GsmValues&) const = default;
};

// What the network sheet edits: the eleven connection values, the protocol and the
// "Send position to network" choice (which only comes back from the sheet).
struct NetworkValues {
    QString gprsPin, gprsAccessPoint, gprsLogin, gprsPassword;
    std::int32_t ntripPort = 0;
    QString ntripAddress, ntripLogin, ntripPassword, ntripMountPoint;
    std::int32_t ipPort = 0;
    QString ipAddress;
    std::int32_t protocol = kProtocolDirectIp;
    bool sendPosition = false;

    bool operator==(const NetworkValues&) const = default;
};

// What the serial-port sheet edits: a port name of its list and a baud index (0–9 for 300 …
// 115200 baud, the receiver's baud code; -1 when none is chosen).
struct PortValues {
    QString portName = QStringLiteral("COM5");
    int baudIndex = 0;

    bool operator==(const PortValues&) const = default;
};

}  // namespace quorrel
