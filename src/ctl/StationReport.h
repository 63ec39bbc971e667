#pragma once

#include <optional>
#include <string>
#include <vector>

#include "receiver/StationList.h"
#include "receiver/link/StatusRecords.h"

namespace quorrel {

class CGnssReceiver;

struct StationDistance {
    StationRecord station;
    std::optional<double> distanceM;  // none without a position of the receiver
};

// The receiver's position when it has one (a solution of any kind).
std::optional<PositionRecord> referencePosition(CGnssReceiver& receiver);

// The stations nearest first from `reference`; without one in table order, distances unknown.
std::vector<StationDistance> stationsByDistance(const StationList& stations,
                                                const std::optional<PositionRecord>& reference);

// A table of mount point, identifier, format, country, latitude, longitude and distance in
// km ("-" when unknown).
std::string formatStations(const std::vector<StationDistance>& stations);
// One JSON array of the same, with the distance in metres (null when unknown).
std::string stationsJson(const std::vector<StationDistance>& stations);

}  // namespace quorrel
