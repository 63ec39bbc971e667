#pragma once

#include <string>

#include "receiver/link/StatusRecords.h"

namespace quorrel {

class CGnssReceiver;

// What the status command shows at one refresh.
struct StatusSnapshot {
    PositionRecord position;
    SatelliteTable satellites{};
    int satelliteCount = 0;
};

StatusSnapshot readStatus(CGnssReceiver& receiver);

// "FIXED", "FLOAT", "DGPS", "SDGPS", "autonomous", or "none" (no position).
std::string solutionName(int solutionType);

// The compact terminal view: one "Name: values" line each for time, position, solution, DOP,
// errors, correction age and satellites, then one row per satellite.
std::string formatStatus(const StatusSnapshot& status);

// The same as one line of JSON.
std::string statusJson(const StatusSnapshot& status);

}  // namespace quorrel
