#pragma once

#include <QString>

namespace quorrel {

class CGnssReceiver;

// What the about box shows: the program's version line always; the receiver's three lines
// and its serial number only when it answered the version query (the serial number line
// keeps only its label when the receiver knows no number).
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
