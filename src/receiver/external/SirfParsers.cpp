#include "receiver/external/SirfParsers.h"

#include <algorithm>
#include <cmath>

#include "receiver/external/BigEndian.h"

namespace quorrel {
namespace {

constexpr std::size_t kGeodeticLength = 91;
constexpr std::size_t kTrackerHeader = 8;
constexpr std::size_t kTrackerChannel = 15;
constexpr std::size_t kVersionLimit = 80;

// Speed over ground comes in centimetres per second.
constexpr double kCmPerSecondToKmh = 0.036;

UsedSatellites usedFromBitList(std::uint32_t bits) {
    UsedSatellites used;
    for (int bit = 0; bit < 32; ++bit)
        if (bits & (std::uint32_t(1) << bit)) used.prns[std::size_t(used.count++)] = bit + 1;
    return used;
}

void readUtc(const std::uint8_t* p, PositionRecord& r) {
    r.utcYear = readU16(p + 11);
    r.utcMonth = p[13];
    r.utcDay = p[14];
    r.utcHour = p[15];
    r.utcMinute = p[16];
    const std::uint16_t milliseconds = readU16(p + 17);
    r.utcSecond = std::uint16_t(milliseconds / 1000);
    r.utcMillisecond = std::uint16_t(milliseconds % 1000);
}

void readErrors(const std::uint8_t* p, PositionRecord& r) {
    r.horizontalError = float(readU32(p + 50) * 0.01);
    r.verticalError = float(readU32(p + 54) * 0.01);
    r.horizontalError2 = r.horizontalError;
    r.verticalError2 = r.verticalError;
    r.hdop = float(p[89] * 0.2);
    if (r.horizontalError != 0.0f) {
        const double vdop = r.hdop * r.verticalError / r.horizontalError;
        r.pdop = float(std::sqrt(double(r.hdop) * r.hdop + vdop * vdop));
    }
}

}  // namespace

bool UsedSatellites::contains(int prn) const {
    return std::find(prns.begin(), prns.begin() + count, prn) != prns.begin() + count;
}

// A0A2 005B 29 0000 0004 05E6 1F4BC0D8 07E8 05 1F 0C 22 7530 … (91-byte payload)
bool parseGeodeticNavigation(const std::uint8_t* p, std::size_t length, double antennaHeightM,
                             GeodeticFix& fix) {
    if (length < kGeodeticLength) return false;
    GeodeticFix out;
    PositionRecord& r = out.position;
    out.used = usedFromBitList(readU32(p + 19));
    r.satellitesUsed = p[88];
    out.valid = r.satellitesUsed != 0;
    // Bit 7 of the navigation type's low byte: corrections applied.
    r.solutionType = !out.valid ? 0 : (p[4] & 0x80) ? 2 : 1;
    r.gpsWeek = readU16(p + 5);
    r.gpsTimeOfWeek = readU32(p + 7) * 0.001;
    readUtc(p, r);
    r.latitude = readS32(p + 23) * 1e-7;
    r.longitude = readS32(p + 27) * 1e-7;
    r.ellipsoidHeight = readS32(p + 31) * 0.01 - antennaHeightM;
    r.altitude = readS32(p + 35) * 0.01 - antennaHeightM;
    r.speed = readU16(p + 40) * kCmPerSecondToKmh;
    r.course = readU16(p + 42) * 0.01;
    readErrors(p, r);
    fix = out;
    return true;
}

// A0A2 00BC 04 05E6 0012D687 0C | 0C 6E 5A 00BF 2D2D2D2D2D2D2D2D2D2D | … 12 channels
bool parseMeasuredTracker(const std::uint8_t* p, std::size_t length, const UsedSatellites& used,
                          SatelliteTable& table, int& count) {
    if (length < kTrackerHeader) return false;
    const std::size_t channels = std::min<std::size_t>(
        {p[7], (length - kTrackerHeader) / kTrackerChannel, std::size_t(kSatelliteSlots)});
    SatelliteTable out{};
    for (std::size_t i = 0; i < channels; ++i) {
        const std::uint8_t* c = p + kTrackerHeader + i * kTrackerChannel;
        SatelliteEntry& e = out[i];
        e.prn = c[0];
        // Azimuth in steps of 1.5 degrees, elevation in half degrees.
        e.azimuth = int(c[1] * 1.5);
        e.elevation = c[2] / 2;
        // C/N0 of the ten 100 ms intervals of the last second: the latest one.
        e.snr = c[5 + 9];
        e.used = used.contains(e.prn) ? 1 : 0;
    }
    table = out;
    count = int(channels);
    return true;
}

// A0A2 0041 13 00 000000 00 00 0000 04 1E 0F 00 00 00 00000000 04 0032 1C 00000000 00 00 1E …
bool parseNavigationParameters(const std::uint8_t* p, std::size_t length,
                               NavigationParameters& parameters) {
    if (length < NavigationParameters::kLength) return false;
    NavigationParameters out;
    std::copy(p, p + NavigationParameters::kLength, out.payload.begin());
    out.staticNavigation = p[13];
    out.elevationMaskTenths = readS16(p + 20);
    out.dgpsSource = p[27];
    out.dgpsMode = p[28];
    out.dgpsTimeoutS = p[29];
    parameters = out;
    return true;
}

bool parseSoftwareVersion(const std::uint8_t* p, std::size_t length, std::string& text) {
    if (length < 1) return false;
    const std::uint8_t* first = p + 1;
    const std::uint8_t* last = first + std::min(length - 1, kVersionLimit);
    text.assign(first, std::find(first, last, 0));
    return true;
}

bool parseCommandAnswer(const std::uint8_t* p, std::size_t length, std::uint8_t& commandId) {
    if (length < 1) return false;
    commandId = length >= 2 ? p[1] : 0;
    return true;
}

bool parseOkToSend(const std::uint8_t* p, std::size_t length, bool& okToSend) {
    if (length < 2) return false;
    okToSend = p[1] != 0;
    return true;
}

}  // namespace quorrel
