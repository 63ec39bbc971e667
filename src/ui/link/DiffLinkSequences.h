#pragma once

#include <optional>

#include "ui/link/DiffLinkValues.h"

namespace quorrel {

class CGnssReceiver;

// The differential-mode hub's receiver sequences, each a plain function of the receiver in
// the exact order of its operations. They run on the receiver worker; results of tear-down
// and preparatory operations are ignored unless the result says otherwise.

// What the modem reports when the hub opens: a CSD call, or a GPRS link to an NTRIP mount
// point (protocol NTRIP) or to a direct IP server (protocol direct IP; also when the mount
// point query fails).
struct DiffStart {
    DiffConnection connection = DiffConnection::None;
    std::optional<std::int32_t> protocol;  // set only while a GPRS link is up
};
DiffStart readDiffStart(CGnssReceiver& receiver);

// Rover mode, then every link off except the radio, which its own sheet switched on.
void switchToRadio(CGnssReceiver& receiver);

// The PIN and phone number the modem holds; nothing when the query fails.
std::optional<GsmValues> readGsmValues(CGnssReceiver& receiver);
// Ends the CSD call by clearing auto-dial; true when the receiver took it.
bool hangUp(CGnssReceiver& receiver);

enum class DialStart {
    NoNumber,  // the modem is prepared, but there is nothing to dial
    Refused,   // the receiver refused auto-dial
    Dialling,  // the modem dials: follow it until it is online or gives up
};
// Rover mode, the other links off, the modem in CSD mode and initialised with `gsm`, then
// auto-dial when there is a number.
DialStart startCsdCall(CGnssReceiver& receiver, const GsmValues& gsm);

// Ends the network link of `protocol`; true when the receiver took it.
bool disconnectNetwork(CGnssReceiver& receiver, std::int32_t protocol);
// `values` with its empty key values filled from the receiver, for the network sheet.
NetworkValues fillNetworkValues(CGnssReceiver& receiver, NetworkValues values,
                                bool externalReceiver);

enum class NetworkStart {
    NotAttempted,  // no mount point, or no server address or port: nothing to connect to
    Failed,
    Connected,
};
// Rover mode, the other links off, the modem in GPRS mode, then the connection `values`
// describe.
NetworkStart startNetworkLink(CGnssReceiver& receiver, const NetworkValues& values,
                              bool externalReceiver);
// Whether startNetworkLink sends the GPRS access data, the caster parameters, the mount
// point or the server address.
bool sendsGprsParameters(const NetworkValues& values, bool externalReceiver);
bool sendsNtripParameters(const NetworkValues& values);
bool sendsMountPoint(const NetworkValues& values);
bool sendsDirectIp(const NetworkValues& values);

// The receiver port another device feeds: "A" with an external receiver, else "B".
int otherDevicePort(bool externalReceiver);
// The serial-port sheet's values: "COM5" and the port's baud code; nothing when the query
// fails.
std::optional<PortValues> readPortValues(CGnssReceiver& receiver, bool externalReceiver);
// Rover mode, every link off, then the port: its baud rate for "COM3" and "COM5", otherwise
// the name of the Bluetooth port.
void switchToOtherDevice(CGnssReceiver& receiver, const PortValues& port, bool externalReceiver);
bool setsPortBaud(const PortValues& port);

}  // namespace quorrel
