#include "ui/status/PositionView.h"

#include <cmath>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

QChar firstChar(int stringId) {
    const QString text = resText(stringId);
    return text.isEmpty() ? QChar(u'?') : text.front();
}

QString withUnit(const char* format, double value, const QString& unit) {
    return QString::asprintf(format, value) + u' ' + unit;
}

std::optional<QString> solutionText(int solutionType) {
    switch (solutionType) {
        case 2:
            return resText(kStrSdgps);
        case 3:
            return resText(kStrDgps);
        case 4:
            return resText(kStrFloat);
        case 5:
            return resText(kStrFixed);
        default:
            return std::nullopt;
    }
}

constexpr int kMaxWtiSeconds = 9998;

void setTimeToFixed(PositionRows& rows, int seconds) {
    rows.showTimeToFixed = seconds >= 1 && seconds <= kMaxWtiSeconds;
    if (!rows.showTimeToFixed) return;
    // Whole minutes are rounded up by one: 60 s already reads "2 min".
    if (seconds < 60)
        rows.timeToFixed = QString::number(seconds) + u' ' + resText(kStrSeconds);
    else
        rows.timeToFixed = QString::number(seconds / 60 + 1) + u' ' + resText(kStrMinutes);
}

}  // namespace

bool usesUsUnits(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem;
}

QString formatCoordinate(double v, QChar positive, QChar negative) {
    QChar letter = positive;
    if (v < 0) {
        v = -v;
        letter = negative;
    } else if (v > 180) {
        v = 360 - v;
        letter = negative;
    }
    const double totalSeconds = std::floor(v * 360000000.0 + 0.5) * 0.00001;
    const double r = std::fmod(totalSeconds, 3600.0);
    const double seconds = std::fmod(r, 60.0);
    const int minutes = static_cast<int>(r * (1.0 / 60.0));
    const int wholeDegrees = static_cast<int>(totalSeconds * (1.0 / 3600.0));
    return QString::asprintf("%03d\u00B0%02d'%.5f\"", wholeDegrees, minutes, seconds) + letter;
}

PositionRows formatPosition(const PositionSnapshot& snapshot, bool usUnits) {
    PositionRecord p = snapshot.position;
    // The module keeps its last fix when it loses the sky; show zeros instead.
    if (snapshot.deviceClass != kBoardDeviceClass && p.satellitesUsed == 0) {
        p.latitude = p.longitude = p.ellipsoidHeight = 0.0;
        p.pdop = 0.0f;
        p.solutionType = 0;
    }
    const double scale = usUnits ? kFeetPerMetre : 1.0;
    const QString unit = resText(usUnits ? kStrFoot : kStrMetre);

    PositionRows rows;
    rows.latitude = formatCoordinate(p.latitude, firstChar(kStrNorth), firstChar(kStrSouth));
    rows.longitude = formatCoordinate(p.longitude, firstChar(kStrEast), firstChar(kStrWest));
    rows.altitude = withUnit("%3.3f", p.ellipsoidHeight * scale, unit);
    rows.satellites = QString::number(p.satellitesUsed);
    rows.pdop = QString::asprintf("%.1f", static_cast<double>(p.pdop));

    if (const std::optional<QString> status = solutionText(p.solutionType)) {
        rows.status = *status;
        rows.age = QString::number(p.correctionAge) + u' ' + resText(kStrSeconds);
        rows.showStatus = rows.showAge = true;
    }
    if (p.correctionAge == 0) rows.showAge = false;

    rows.showAccuracy = p.solutionType == 4 || p.solutionType == 5;
    if (rows.showAccuracy) {
        rows.baseline = withUnit("%.3f", snapshot.baselineM.value_or(0.0f) * scale, unit);
        rows.hrms = withUnit("%.3f", p.horizontalError * scale, unit);
        rows.vrms = withUnit("%.3f", p.verticalError * scale, unit);
    }
    setTimeToFixed(rows, snapshot.wtiSeconds);
    return rows;
}

}  // namespace quorrel
