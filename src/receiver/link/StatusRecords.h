#pragma once

#include <array>
#include <cstdint>

namespace quorrel {

// One epoch of the receiver's solution, published whole once per epoch.
struct PositionRecord {
    double latitude = 0.0;         // degrees, north positive
    double longitude = 0.0;        // degrees, east positive
    double ellipsoidHeight = 0.0;  // metres: altitude plus geoid separation
    double vectorX = 0.0;          // baseline to the base, receiver's units
    double vectorY = 0.0;
    double vectorZ = 0.0;
    double altitude = 0.0;  // metres above the geoid
    std::int32_t gpsWeek = 0;
    double gpsTimeOfWeek = 0.0;  // seconds
    std::int32_t satellitesUsed = 0;
    float pdop = 0.0f;
    float hdop = 0.0f;
    double course = 0.0;  // degrees true
    double speed = 0.0;   // km/h
    std::uint8_t glonassUsed = 0;
    // 0 no position, 1 autonomous, 2 SDGPS, 3 DGPS, 4 FLOAT, 5 FIXED.
    std::int32_t solutionType = 0;
    std::int32_t correctionAge = 0;  // whole seconds
    float horizontalError = 0.0f;    // metres
    float verticalError = 0.0f;
    float horizontalError2 = 0.0f;  // the same two values again
    float verticalError2 = 0.0f;
    std::uint16_t utcYear = 0;
    std::uint16_t utcMonth = 0;
    std::uint16_t utcDay = 0;
    std::uint16_t utcHour = 0;
    std::uint16_t utcMinute = 0;
    std::uint16_t utcSecond = 0;
    std::uint16_t utcMillisecond = 0;

    bool operator==(const PositionRecord&) const = default;
};

// One satellite of the receiver's table. PRN 1–32 GPS, 65–96 GLONASS, 120–151 SBAS.
struct SatelliteEntry {
    std::int32_t prn = 0;
    std::int32_t elevation = 0;  // degrees
    std::int32_t azimuth = 0;    // degrees
    std::int32_t snr = 0;        // dB-Hz, 0 when not tracked
    std::int32_t used = 0;       // 1 when in the solution

    bool operator==(const SatelliteEntry&) const = default;
};

constexpr int kSatelliteSlots = 32;
using SatelliteTable = std::array<SatelliteEntry, kSatelliteSlots>;

}  // namespace quorrel
