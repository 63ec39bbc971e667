#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "receiver/link/StatusRecords.h"

namespace quorrel {

// Message IDs the module sends.
enum SirfMessageId : std::uint8_t {
    kSirfMeasuredTracker = 4,
    kSirfSoftwareVersion = 6,
    kSirfClockStatus = 7,
    kSirfAcknowledgement = 11,
    kSirfRefusal = 12,
    kSirfEphemerisData = 15,
    kSirfOkToSend = 18,
    kSirfNavigationParameters = 19,
    kSirfNavigationLibrary = 28,
    kSirfGeodeticNavigation = 41,
};

// The satellites of the last fix, from the satellite-ID bit list of message 41.
struct UsedSatellites {
    std::array<std::int32_t, kSatelliteSlots> prns{};
    int count = 0;

    bool contains(int prn) const;
};

struct GeodeticFix {
    PositionRecord position;
    UsedSatellites used;
    bool valid = false;  // satellites in the fix
};

// The navigation parameters (message 19) as the module reported them.
struct NavigationParameters {
    static constexpr std::size_t kLength = 65;
    std::array<std::uint8_t, kLength> payload{};  // as received, message ID first
    std::int16_t elevationMaskTenths = 0;
    std::uint8_t dgpsSource = 0;  // 0 none, 1 SBAS, …
    std::uint8_t dgpsMode = 0;    // 0 automatic, 1 exclusive, 2 never
    std::uint8_t dgpsTimeoutS = 0;
    std::uint8_t staticNavigation = 0;

    bool sbasOn() const { return dgpsSource == 1 && dgpsMode <= 1; }
};

// Each parser takes the payload (message ID first) and returns false, leaving its output
// alone, when the payload is too short for the message.

// Message 41: the position record; `antennaHeightM` is taken off both altitudes.
bool parseGeodeticNavigation(const std::uint8_t* payload, std::size_t length, double antennaHeightM,
                             GeodeticFix& fix);

// Message 4: one table row per channel (at most 32); `count` gets the channel count.
bool parseMeasuredTracker(const std::uint8_t* payload, std::size_t length,
                          const UsedSatellites& used, SatelliteTable& table, int& count);

// Message 19.
bool parseNavigationParameters(const std::uint8_t* payload, std::size_t length,
                               NavigationParameters& parameters);

// Message 6: the version text, at most 80 bytes, up to the first NUL.
bool parseSoftwareVersion(const std::uint8_t* payload, std::size_t length, std::string& text);

// Messages 11 and 12: the ID of the command answered (0 when the module left it out).
bool parseCommandAnswer(const std::uint8_t* payload, std::size_t length, std::uint8_t& commandId);

// Message 18.
bool parseOkToSend(const std::uint8_t* payload, std::size_t length, bool& okToSend);

}  // namespace quorrel
