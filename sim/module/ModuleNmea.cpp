#include <cmath>
#include <cstdio>
#include <string>

#include "sim/module/ModuleMessages.h"

namespace quorrel {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The two checksum digits of the characters in [first, last).
std::string checksumDigits(std::string::const_iterator first, std::string::const_iterator last) {
    unsigned sum = 0;
    while (first != last)
        sum ^= static_cast<unsigned char>(*first++);
    return {kHexDigits[sum >> 4], kHexDigits[sum & 0xF]};
}

std::string timeOfDay(const SimTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%06.3f", t.hour, t.minute, t.milliseconds / 1000.0);
    return text;
}

// "4629.8973,N" from 46.498288 degrees; longitudes get three degree digits.
std::string angle(double degrees, bool longitude) {
    const char hemisphere = longitude ? (degrees < 0 ? 'W' : 'E') : (degrees < 0 ? 'S' : 'N');
    degrees = std::fabs(degrees);
    const int whole = int(degrees);
    char text[32];
    std::snprintf(text, sizeof text, longitude ? "%03d%07.4f,%c" : "%02d%07.4f,%c", whole,
                  (degrees - whole) * 60.0, hemisphere);
    return text;
}

std::string gga(const SimScenario& s, const SimEpochSky& sky, const SimTime& t) {
    const int quality = sky.used.empty() ? 0 : sky.differential ? 2 : 1;
    char tail[96];
    std::snprintf(tail, sizeof tail, ",%d,%02d,%.1f,%.1f,M,%.1f,M,,0000", quality,
                  int(sky.used.size()), sky.hdop, s.altitudeMslM, s.geoidSeparationM);
    return nmeaLine("GPGGA," + timeOfDay(t) + "," + angle(s.latitudeDeg, false) + "," +
                    angle(s.longitudeDeg, true) + tail);
}

std::string gsa(const SimEpochSky& sky) {
    std::string body = sky.used.empty() ? "GPGSA,A,1" : "GPGSA,A,3";
    for (std::size_t i = 0; i < 12; ++i) {
        char field[8] = ",";
        if (i < sky.used.size()) std::snprintf(field, sizeof field, ",%02d", sky.used[i]);
        body += field;
    }
    char dops[48];
    std::snprintf(dops, sizeof dops, ",%.1f,%.1f,%.1f", sky.hdop * 1.6, sky.hdop, sky.hdop * 1.2);
    return nmeaLine(body + dops);
}

std::string gsv(const SimEpochSky& sky) {
    const int count = int(sky.tracked.size());
    const int sentences = count == 0 ? 1 : (count + 3) / 4;
    std::string out;
    for (int n = 0; n < sentences; ++n) {
        char head[32];
        std::snprintf(head, sizeof head, "GPGSV,%d,%d,%02d", sentences, n + 1, count);
        std::string body = head;
        for (int i = n * 4; i < count && i < n * 4 + 4; ++i) {
            const SimSatellite& satellite = sky.tracked[std::size_t(i)];
            char block[32];
            std::snprintf(block, sizeof block, ",%02d,%02d,%03d,%02d", satellite.prn,
                          int(satellite.elevationDeg), int(satellite.azimuthDeg),
                          satellite.cn0DbHz);
            body += block;
        }
        out += nmeaLine(body);
    }
    return out;
}

std::string rmc(const SimScenario& s, const SimEpochSky& sky, const SimTime& t) {
    char tail[64];
    std::snprintf(tail, sizeof tail, ",%.2f,%.2f,%02d%02d%02d,,", s.speedMps * 1.943844,
                  s.courseDeg, t.day, t.month, t.year % 100);
    return nmeaLine("GPRMC," + timeOfDay(t) + (sky.used.empty() ? ",V," : ",A,") +
                    angle(s.latitudeDeg, false) + "," + angle(s.longitudeDeg, true) + tail);
}

}  // namespace

std::string nmeaLine(const std::string& body) {
    return "$" + body + "*" + checksumDigits(body.begin(), body.end()) + "\r\n";
}

bool hasCheckedNmeaTail(const std::string& line) {
    const std::size_t length = line.size();
    if (length < 6 || line[0] != '$' || line.compare(length - 5, 1, "*") != 0 ||
        line.compare(length - 2, 2, "\r\n") != 0)
        return false;
    const auto star = line.end() - 5;
    return checksumDigits(line.begin() + 1, star) == std::string(star + 1, star + 3);
}

std::string nmeaEpoch(const SimScenario& scenario, const SimEpochSky& sky, const SimTime& time,
                      const SimNmeaOutput& output) {
    std::string out;
    if (output.gga) out += gga(scenario, sky, time);
    if (output.gsa) out += gsa(sky);
    if (output.gsv) out += gsv(sky);
    if (output.rmc) out += rmc(scenario, sky, time);
    return out;
}

}  // namespace quorrel
