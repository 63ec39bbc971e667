#include "ctl/StationReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "receiver/CGnssReceiver.h"
#include "receiver/GreatCircle.h"

namespace quorrel {

std::optional<PositionRecord> referencePosition(CGnssReceiver& receiver) {
    PositionRecord position;
    if (!receiver.GetPosition(position) || position.solutionType == 0) return std::nullopt;
    return position;
}

std::vector<StationDistance> stationsByDistance(const StationList& stations,
                                                const std::optional<PositionRecord>& reference) {
    std::vector<StationDistance> rows;
    for (const StationRecord& station : stations.records()) {
        StationDistance row{station, std::nullopt};
        if (reference)
            row.distanceM = greatCircleDistanceM(reference->latitude, reference->longitude,
                                                 station.latitude, station.longitude);
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return a.distanceM.value_or(0.0) < b.distanceM.value_or(0.0);
    });
    return rows;
}

std::string formatStations(const std::vector<StationDistance>& stations) {
    std::string text =
        "Mount point          Identifier           Format       Country  "
        "Latitude  Longitude  Distance\n";
    for (const StationDistance& row : stations) {
        const StationRecord& s = row.station;
        char distance[32] = "-";
        if (row.distanceM)
            std::snprintf(distance, sizeof distance, "%.1f km", *row.distanceM / 1000.0);
        char line[512];
        std::snprintf(line, sizeof line, "%-20s %-20s %-12s %-7s %9.2f %10.2f  %s\n",
                      s.mountPoint.c_str(), s.identifier.c_str(), s.format.c_str(),
                      s.country.c_str(), s.latitude, s.longitude, distance);
        text += line;
    }
    return text;
}

std::string stationsJson(const std::vector<StationDistance>& stations) {
    QJsonArray array;
    for (const StationDistance& row : stations) {
        const StationRecord& s = row.station;
        array.append(QJsonObject{
            {"mountPoint", QString::fromLatin1(s.mountPoint.c_str())},
            {"identifier", QString::fromLatin1(s.identifier.c_str())},
            {"format", QString::fromLatin1(s.format.c_str())},
            {"country", QString::fromLatin1(s.country.c_str())},
            {"latitudeDeg", s.latitude},
            {"longitudeDeg", s.longitude},
            {"nmea", s.nmea != 0},
            {"distanceM", row.distanceM ? QJsonValue(std::round(*row.distanceM)) : QJsonValue()},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

}  // namespace quorrel
