#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace quorrel {

class CGnssReceiver;

// What the output page shows and sends back on OK.
struct NmeaOutputValues {
    static constexpr int kDefaultBaudIndex = 6;  // 19200 baud

    int portIndex = 0;                  // row of the port list, "COM1" … "COM9"
    int baudIndex = kDefaultBaudIndex;  // row of the baud list, the receiver's baud code
};

// The NMEA output page without its widgets: the handheld port the receiver's NMEA output goes
// to, and its baud rate. load and apply run on the receiver worker.
class NmeaOutputPageLogic {
public:
    static constexpr int kPortCount = 9;

    static QStringList portNames();
    static QStringList baudRates();
    // The receiver port behind a row of the port list ("C", the Bluetooth port, for most).
    static int receiverPort(int portIndex);

    // The baud rate of the receiver port behind `values.portIndex`; `values.baudIndex` stays
    // when the receiver does not say.
    NmeaOutputValues load(CGnssReceiver& receiver, NmeaOutputValues values) const;
    // Sets the port's baud rate and switches it on, or on the Bluetooth port names the
    // handheld port the output serves ("NONE" when no message is on). `messagesOn`: whether
    // the messages page has a message ticked, when that page has been shown; otherwise the
    // receiver is asked. Failures are silent.
    void apply(CGnssReceiver& receiver, const NmeaOutputValues& values,
               std::optional<bool> messagesOn) const;
};

}  // namespace quorrel
