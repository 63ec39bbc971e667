#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/board/PositionModel.h"
#include "sim/board/SkyModel.h"

namespace quorrel {

// Everything one epoch's sentences are made of; every sentence of the epoch is formatted
// from the same snapshot, so GGA, GST, VTG, ZDA and VEC agree.
struct EpochSnapshot {
    std::int64_t utcMs = 0;  // milliseconds since 1970-01-01 UTC
    Fix fix;
    std::vector<SatelliteView> satellites;
    Dilution dop;
    int usedCount = 0;
};

// Sentence bodies: what goes between "$" and "*"; the caller adds the checksum and CR LF.
namespace nmea {

std::string timeField(std::int64_t utcMs);   // hhmmss.ss
std::string latitudeField(double degrees);   // ddmm.mmmmmm,N
std::string longitudeField(double degrees);  // dddmm.mmmmmm,E

std::string gga(const EpochSnapshot& epoch);
std::string gll(const EpochSnapshot& epoch);
// GNGSA for GPS (with SBAS) and GNGSA for GLONASS, in this order.
std::vector<std::string> gsa(const EpochSnapshot& epoch);
// GPGSV group (GPS and SBAS), then GLGSV group when GLONASS satellites are in view.
std::vector<std::string> gsv(const EpochSnapshot& epoch);
std::string gst(const EpochSnapshot& epoch);
std::string rmc(const EpochSnapshot& epoch);
std::string rre(const EpochSnapshot& epoch);
std::string vtg(const EpochSnapshot& epoch);
std::string zda(const EpochSnapshot& epoch);
std::string vec(const EpochSnapshot& epoch);

}  // namespace nmea
}  // namespace quorrel
