#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/module/ModuleSky.h"

namespace quorrel {

// The instant of one epoch, in GPS and UTC terms.
struct SimTime {
    int gpsWeek = 0;
    std::uint32_t towMs = 0;
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
    int milliseconds = 0;  // of the minute

    // GPS time of the system clock (18 leap seconds).
    static SimTime now();
};

// The navigation settings the module keeps and reports in message 19.
struct SimSettings {
    int trackingMaskTenths = 50;
    int navigationMaskTenths = 50;
    int dgpsSource = 0;  // 1 SBAS
    int dgpsMode = 0;    // 0 automatic, 1 exclusive, 2 never
    int dgpsTimeoutS = 30;
    int staticNavigation = 1;
};

// Payloads (message ID first) of what the module sends.
std::vector<std::uint8_t> geodeticNavigationPayload(const SimScenario& scenario,
                                                    const SimEpochSky& sky, const SimTime& time);
std::vector<std::uint8_t> measuredTrackerPayload(const SimEpochSky& sky, const SimTime& time);
std::vector<std::uint8_t> navigationParametersPayload(const SimSettings& settings);
std::vector<std::uint8_t> softwareVersionPayload(const std::string& text);
std::vector<std::uint8_t> clockStatusPayload(const SimEpochSky& sky, const SimTime& time);
std::vector<std::uint8_t> navigationLibraryPayload(int channel, const SimSatellite& satellite,
                                                   const SimTime& time);
std::vector<std::uint8_t> ephemerisPayload(int prn);
std::vector<std::uint8_t> acknowledgementPayload(std::uint8_t commandId);
std::vector<std::uint8_t> refusalPayload(std::uint8_t commandId);
std::vector<std::uint8_t> okToSendPayload(bool ok);

// "$" + body + "*HH" CR LF: the module's NMEA framing, HH the XOR of the body's characters
// in upper-case hexadecimal.
std::string nmeaLine(const std::string& body);
// Whether `line` ends in "*HH" CR LF and HH is the checksum of what lies between "$" and "*".
bool hasCheckedNmeaTail(const std::string& line);

// The NMEA output of one epoch: GGA, GSA, the GSV group and RMC, each enabled one on.
struct SimNmeaOutput {
    bool gga = true, gsa = true, gsv = true, rmc = true;
};
std::string nmeaEpoch(const SimScenario& scenario, const SimEpochSky& sky, const SimTime& time,
                      const SimNmeaOutput& output);

}  // namespace quorrel
