#include "ui/link/DiffLinkSequences.h"

#include <string>

#include "receiver/CGnssReceiver.h"
#include "receiver/ReceiverTypes.h"

namespace quorrel {
namespace {

constexpr int kRoverMode = 1;
// The rover's GGA goes out on port E, the modem's, to reach a caster that wants it.
constexpr float kGgaPeriodS = 5.0f;

void sendGgaToNetwork(CGnssReceiver& receiver, bool on) {
    receiver.SetNmeaMessage(kPortE, kMsgGga, on, kGgaPeriodS);
}

std::u16string wire(const QString& text) {
    return text.toStdU16String();
}

QString shown(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

void fillGprsValues(CGnssReceiver& receiver, NetworkValues& values) {
    std::u16string pin, accessPoint, login, password;
    if (!receiver.QueryModemGprs(pin, accessPoint, login, password)) return;
    values.gprsPin = shown(pin);
    values.gprsAccessPoint = shown(accessPoint);
    values.gprsLogin = shown(login);
    values.gprsPassword = shown(password);
}

void fillCasterValues(CGnssReceiver& receiver, NetworkValues& values) {
    std::u16string address, login, password;
    int port = 0;
    if (!receiver.QueryNtripParameters(address, port, login, password)) return;
    values.ntripAddress = shown(address);
    values.ntripPort = port;
    values.ntripLogin = shown(login);
    values.ntripPassword = shown(password);
}

}  // namespace

DiffStart readDiffStart(CGnssReceiver& receiver) {
    bool gprs = false;
    int state = kModemNone;
    if (!receiver.QueryModemStateEx(gprs, state) || state != kModemOnline) return {};
    if (!gprs) return {DiffConnection::GsmDialled, std::nullopt};
    std::u16string mountPoint;
    if (receiver.QueryMountPoint(mountPoint) && !mountPoint.empty() && mountPoint != u"OFF")
        return {DiffConnection::NtripConnected, kProtocolNtrip};
    return {DiffConnection::DirectIpConnected, kProtocolDirectIp};
}

void switchToRadio(CGnssReceiver& receiver) {
    receiver.SetCpdMode(kRoverMode);
    receiver.DirectIpOff();
    receiver.DisconnectMountPoint();
    sendGgaToNetwork(receiver, false);
    receiver.ClearModemAutoDial();
    receiver.ModemOff();
}

std::optional<GsmValues> readGsmValues(CGnssReceiver& receiver) {
    std::u16string pin;
    std::u16string phoneNumber;
    if (!receiver.QueryModemCsd(pin, phoneNumber)) return std::nullopt;
    return GsmValues{shown(pin), shown(phoneNumber)};
}

bool hangUp(CGnssReceiver& receiver) {
    return receiver.ClearModemAutoDial();
}

DialStart startCsdCall(CGnssReceiver& receiver, const GsmValues& gsm) {
    receiver.SetCpdMode(kRoverMode);
    receiver.DirectIpOff();
    receiver.DisconnectMountPoint();
    sendGgaToNetwork(receiver, false);
    receiver.RadioOff();
    receiver.SetModemCsd();
    receiver.InitializeModem();
    if (gsm.phoneNumber.isEmpty()) return DialStart::NoNumber;
    receiver.SetModemCsdParameters(wire(gsm.pin), wire(gsm.phoneNumber));
    return receiver.SetModemAutoDial() ? DialStart::Dialling : DialStart::Refused;
}

bool disconnectNetwork(CGnssReceiver& receiver, std::int32_t protocol) {
    if (protocol == kProtocolNtrip) {
        sendGgaToNetwork(receiver, false);
        return receiver.DisconnectMountPoint();
    }
    if (protocol == kProtocolDirectIp) return receiver.DirectIpOff();
    return false;
}

NetworkValues fillNetworkValues(CGnssReceiver& receiver, NetworkValues values,
                                bool externalReceiver) {
    if (externalReceiver && values.gprsAccessPoint.isEmpty()) fillGprsValues(receiver, values);
    if (values.protocol == kProtocolNtrip) {
        if (values.ntripAddress.isEmpty()) fillCasterValues(receiver, values);
        std::u16string mountPoint;
        // "OFF" is how the receiver says it has no mount point.
        if (values.ntripMountPoint.isEmpty() && receiver.QueryMountPoint(mountPoint))
            values.ntripMountPoint = mountPoint == u"OFF" ? QString() : shown(mountPoint);
    } else if (values.protocol == kProtocolDirectIp && values.ipAddress.isEmpty()) {
        std::u16string address;
        int port = 0;
        if (receiver.QueryDirectIp(address, port)) {
            values.ipAddress = shown(address);
            values.ipPort = port;
        }
    }
    return values;
}

bool sendsGprsParameters(const NetworkValues& values, bool externalReceiver) {
    return externalReceiver && !values.gprsAccessPoint.isEmpty();
}

bool sendsNtripParameters(const NetworkValues& values) {
    return values.protocol == kProtocolNtrip && !values.ntripAddress.isEmpty() &&
           values.ntripPort != 0;
}

bool sendsMountPoint(const NetworkValues& values) {
    return values.protocol == kProtocolNtrip && !values.ntripMountPoint.isEmpty();
}

bool sendsDirectIp(const NetworkValues& values) {
    return values.protocol == kProtocolDirectIp && !values.ipAddress.isEmpty() &&
           values.ipPort != 0;
}

NetworkStart startNetworkLink(CGnssReceiver& receiver, const NetworkValues& values,
                              bool externalReceiver) {
    receiver.SetCpdMode(kRoverMode);
    receiver.ClearModemAutoDial();
    receiver.RadioOff();
    receiver.SetModemGprsProtocol(0);
    receiver.InitializeModem();
    if (sendsGprsParameters(values, externalReceiver))
        receiver.SetModemGprsParameters(wire(values.gprsPin), wire(values.gprsAccessPoint),
                                        wire(values.gprsLogin), wire(values.gprsPassword));
    if (values.protocol == kProtocolNtrip) {
        if (sendsNtripParameters(values))
            receiver.SetNtripParameters(wire(values.ntripAddress), values.ntripPort,
                                        wire(values.ntripLogin), wire(values.ntripPassword), 0);
        if (!sendsMountPoint(values)) return NetworkStart::NotAttempted;
        sendGgaToNetwork(receiver, values.sendPosition);
        if (receiver.ConnectMountPoint(wire(values.ntripMountPoint)))
            return NetworkStart::Connected;
        if (values.sendPosition) sendGgaToNetwork(receiver, false);
        return NetworkStart::Failed;
    }
    if (!sendsDirectIp(values)) return NetworkStart::NotAttempted;
    return receiver.SetDirectIp(wire(values.ipAddress), values.ipPort) ? NetworkStart::Connected
                                                                       : NetworkStart::Failed;
}

int otherDevicePort(bool externalReceiver) {
    return externalReceiver ? kPortA : kPortB;
}

std::optional<PortValues> readPortValues(CGnssReceiver& receiver, bool externalReceiver) {
    int baudCode = 0;
    if (!receiver.QueryPortBaud(otherDevicePort(externalReceiver), baudCode)) return std::nullopt;
    PortValues values;
    values.baudIndex = baudCode >= 0 && baudCode <= 9 ? baudCode : 0;
    return values;
}

bool setsPortBaud(const PortValues& port) {
    return port.portName == QLatin1String("COM5") || port.portName == QLatin1String("COM3");
}

void switchToOtherDevice(CGnssReceiver& receiver, const PortValues& port, bool externalReceiver) {
    // The same tear-down as for the radio, and the radio goes off too.
    switchToRadio(receiver);
    receiver.RadioOff();
    if (setsPortBaud(port))
        receiver.SetPortBaud(otherDevicePort(externalReceiver), port.baudIndex, 0);
    else
        receiver.SetBluetoothName(wire(port.portName));
}

}  // namespace quorrel
