#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "receiver/link/StatusRecords.h"

namespace quorrel {

// What the position page reads from the receiver at one refresh.
struct PositionSnapshot {
    PositionRecord position;
    int deviceClass = 0;
    std::optional<float> baselineM;  // none when the receiver cannot tell
    int wtiSeconds = 0;
};

// The texts and visibility of the position page after one refresh. A text left empty
// (std::nullopt) keeps what the field showed before.
struct PositionRows {
    QString latitude, longitude, altitude, satellites, pdop;
    std::optional<QString> status, age, hrms, vrms, baseline, timeToFixed;
    bool showStatus = false;
    bool showAge = false;
    bool showAccuracy = false;  // HRMS, VRMS and Baseline rows
    bool showTimeToFixed = false;
};

// The device class of the handheld that carries the GNSS board.
constexpr int kBoardDeviceClass = 2;
// Feet per metre of the US survey foot.
constexpr double kFeetPerMetre = 39.37 / 12.0;

// True when the locale uses US customary units (feet).
bool usesUsUnits(const QLocale& locale);

// "048°30'0.00000\"N": degrees, minutes and seconds of |v|, rounded to 0.00001 arc-seconds
// before splitting so a hair under a minute never shows as 60 seconds.
QString formatCoordinate(double degrees, QChar positive, QChar negative);

// Texts come from the string resources at each call, so a language file supplies them.
PositionRows formatPosition(const PositionSnapshot& snapshot, bool usUnits);

}  // namespace quorrel
