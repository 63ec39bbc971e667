#pragma once

#include <QString>

namespace quorrel {

class CGnssReceiver;

// What the about box shows: the program's version line always, the receiver's three lines
// only when it answered the version query, the serial number line unless the receiver
// could not be asked (with only its label when no number is known).
struct AboutContent {
    QString programVersion;
    bool receiverLinesVisible = false;
    QString serviceVersion;
    QString gnssFirmware;
    QString systemFirmware;
    bool serialNumberVisible = false;
    QString serialNumber;
};

// Asks `receiver` (may be null: nothing to ask) once and formats every line with the
// resource texts ("Version: %1" …).
AboutContent readAboutContent(CGnssReceiver* receiver, const QString& programVersion);

}  // namespace quorrel
