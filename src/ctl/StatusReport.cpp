#include "ctl/StatusReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdarg>
#include <cstdio>

#include "receiver/CGnssReceiver.h"

namespace quorrel {
namespace {

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* pattern, ...) {
    char line[256];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(line, sizeof line, pattern, args);
    va_end(args);
    return line;
}

std::string utcText(const PositionRecord& p) {
    if (p.utcYear == 0) return "unknown";
    return format("%04u-%02u-%02u %02u:%02u:%02u.%03u UTC", p.utcYear, p.utcMonth, p.utcDay,
                  p.utcHour, p.utcMinute, p.utcSecond, p.utcMillisecond);
}

std::string satelliteRows(const StatusSnapshot& status) {
    std::string rows = "  PRN  Elev  Azim  SNR  Used\n";
    for (int i = 0; i < status.satelliteCount && i < kSatelliteSlots; ++i) {
        const SatelliteEntry& s = status.satellites[std::size_t(i)];
        rows += format("  %3d  %4d  %4d  %3d  %s\n", s.prn, s.elevation, s.azimuth, s.snr,
                       s.used ? "yes" : "no");
    }
    return rows;
}

}  // namespace

StatusSnapshot readStatus(CGnssReceiver& receiver) {
    StatusSnapshot status;
    receiver.GetPosition(status.position);
    status.satelliteCount = receiver.GetSatellites(status.satellites);
    return status;
}

std::string solutionName(int solutionType) {
    switch (solutionType) {
        case 1:
            return "autonomous";
        case 2:
            return "SDGPS";
        case 3:
            return "DGPS";
        case 4:
            return "FLOAT";
        case 5:
            return "FIXED";
        default:
            return "none";
    }
}

std::string formatStatus(const StatusSnapshot& status) {
    const PositionRecord& p = status.position;
    std::string text;
    text += "Time:        " + utcText(p) + "\n";
    text += format("Position:    %.7f %.7f %.3f m\n", p.latitude, p.longitude, p.ellipsoidHeight);
    text += "Solution:    " + solutionName(p.solutionType) + "\n";
    text += format("DOP:         PDOP %.1f HDOP %.1f\n", double(p.pdop), double(p.hdop));
    text += format("Errors:      horizontal %.3f m vertical %.3f m\n", double(p.horizontalError),
                   double(p.verticalError));
    text += format("Correction:  %d s\n", p.correctionAge);
    text += format("Satellites:  %d used, %d in view\n", p.satellitesUsed, status.satelliteCount);
    return text + satelliteRows(status);
}

std::string statusJson(const StatusSnapshot& status) {
    const PositionRecord& p = status.position;
    QJsonArray satellites;
    for (int i = 0; i < status.satelliteCount && i < kSatelliteSlots; ++i) {
        const SatelliteEntry& s = status.satellites[std::size_t(i)];
        satellites.append(QJsonObject{{"prn", s.prn},
                                      {"elevationDeg", s.elevation},
                                      {"azimuthDeg", s.azimuth},
                                      {"snrDbHz", s.snr},
                                      {"used", s.used != 0}});
    }
    const QJsonObject object{
        {"utc", QString::fromStdString(p.utcYear ? utcText(p) : std::string())},
        {"latitudeDeg", p.latitude},
        {"longitudeDeg", p.longitude},
        {"ellipsoidHeightM", p.ellipsoidHeight},
        {"solution", QString::fromStdString(solutionName(p.solutionType))},
        {"solutionType", p.solutionType},
        {"pdop", double(p.pdop)},
        {"hdop", double(p.hdop)},
        {"horizontalErrorM", double(p.horizontalError)},
        {"verticalErrorM", double(p.verticalError)},
        {"correctionAgeS", p.correctionAge},
        {"satellitesUsed", p.satellitesUsed},
        {"satellites", satellites},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

}  // namespace quorrel
