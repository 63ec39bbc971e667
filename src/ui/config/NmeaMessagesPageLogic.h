#pragma once

#include <QStringList>
#include <array>

namespace quorrel {

class CGnssReceiver;
struct NmeaOutputRecord;

// One row of the messages page: its check box and its interval list.
struct NmeaMessageRow {
    bool on = false;
    int interval = 0;  // row of the interval list, -1 for none
};

// What the messages page shows for one receiver port and sends back on OK.
struct NmeaMessagesValues {
    std::array<NmeaMessageRow, 8> rows{};
};

// The messages page without its widgets: which of eight NMEA messages the receiver outputs
// on a port, and how often. load and apply run on the receiver worker.
class NmeaMessagesPageLogic {
public:
    static constexpr int kRowCount = 8;

    // The message names of the rows, in row order ("GGA" … "ZDA").
    static QStringList messageNames();
    // The interval list, the same in every row ("0.05 sec" … "1 min").
    static QStringList intervalTexts();
    // The row of NMEA message `code`, or -1 when the page does not list it.
    static int rowOf(int code);
    // The first interval within a millisecond of `periodSeconds`, or -1.
    static int intervalFor(double periodSeconds);
    // Whether the receiver reports any of the page's messages as on.
    static bool anyRowOn(const NmeaOutputRecord& output);

    // What `port` outputs. Every box starts clear; a reported period with no interval of its
    // own, or a failed query, keeps the rows' interval choices of `values`.
    NmeaMessagesValues load(CGnssReceiver& receiver, int port, NmeaMessagesValues values) const;
    // Switches every row's message on or off on `port`; a message the page does not list is
    // left as it is. Failures are silent.
    void apply(CGnssReceiver& receiver, int port, const NmeaMessagesValues& values) const;
};

}  // namespace quorrel
