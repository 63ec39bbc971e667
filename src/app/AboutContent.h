#pragma once

#include <QString>
#include <string>

#include "receiver/CGnssReceiver.h"

namespace quorrel {

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

// What the receiver answered, as it said it.
struct AboutAnswers {
    bool versionAnswered = false;
    std::u16string gnssFirmware, systemFirmware, receiverVersion;
    SerialNumberAnswer serial = SerialNumberAnswer::NotAsked;
    std::string serialNumber;  // 8-bit text
};

// Asks the receiver once for its versions and then its serial number (the receiver worker's
// part of the about box).
AboutAnswers askAbout(CGnssReceiver& receiver);

// Every line, formatted with the resource texts ("Version: %1" …).
AboutContent formatAbout(const AboutAnswers& answers, const QString& programVersion);

}  // namespace quorrel
