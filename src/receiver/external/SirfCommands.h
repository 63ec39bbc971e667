#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorrel {

// Message IDs the driver sends to the module.
enum SirfCommandId : std::uint8_t {
    kSirfInitDataSource = 0x80,
    kSirfSwitchToNmea = 0x81,
    kSirfDgpsSource = 0x85,
    kSirfDgpsControl = 0x8A,
    kSirfElevationMask = 0x8B,
    kSirfStaticNavigation = 0x8F,
    kSirfPollEphemeris = 0x93,
    kSirfPollNavigationParameters = 0x98,
    kSirfSetMessageRate = 0xA6,
    kSirfInitNavigation = 0xAC,
};

// Payloads (message ID first) of the commands; encodeSirfFrame() wraps them.

// Restart from nothing: position, clock and time all zero, 12 channels, raw data on.
std::vector<std::uint8_t> initDataSourcePayload();
// Back to NMEA: GGA, GLL, GSA, GSV, RMC and VTG every second, at `baudRate`.
std::vector<std::uint8_t> switchToNmeaPayload(std::uint32_t baudRate);
// SBAS as the differential source (on) or none.
std::vector<std::uint8_t> dgpsSourcePayload(bool on);
// Use corrections automatically (on) or never, with a 30 s time-out.
std::vector<std::uint8_t> dgpsControlPayload(bool on);
// Tracking mask 5.0 degrees, navigation mask `degrees`.
std::vector<std::uint8_t> elevationMaskPayload(int degrees);
std::vector<std::uint8_t> staticNavigationOffPayload();
// Ephemeris of every satellite.
std::vector<std::uint8_t> pollEphemerisPayload();
std::vector<std::uint8_t> pollNavigationParametersPayload();
// Stops the output of message `messageId`.
std::vector<std::uint8_t> messageRateOffPayload(std::uint8_t messageId);
// Navigation restart with factory defaults.
std::vector<std::uint8_t> initNavigationPayload();

// "$PSRF100,0,<baud>,8,1,0*HH\r\n": switch an NMEA module to binary at `baudRate`.
std::string switchToBinarySentence(std::uint32_t baudRate);

}  // namespace quorrel
