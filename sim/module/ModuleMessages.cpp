#include "sim/module/ModuleMessages.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "sim/module/ModuleIds.h"
#include "sim/module/ModulePayload.h"

namespace quorrel {
namespace {

constexpr std::int64_t kGpsEpochUnix = 315964800;  // 1980-01-06
constexpr std::int64_t kLeapSeconds = 18;
constexpr std::int64_t kSecondsPerWeek = 604800;

std::uint32_t roundTo(double value) {
    return std::uint32_t(std::int32_t(std::lround(value)));
}

std::uint32_t usedBits(const SimEpochSky& sky) {
    std::uint32_t bits = 0;
    for (int prn : sky.used)
        if (prn >= 1 && prn <= 32) bits |= std::uint32_t(1) << (prn - 1);
    return bits;
}

}  // namespace

SimTime SimTime::now() {
    using namespace std::chrono;
    const std::int64_t unixMs =
        duration_cast<std::chrono::milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::int64_t gpsMs = unixMs - (kGpsEpochUnix - kLeapSeconds) * 1000;
    SimTime t;
    t.gpsWeek = int(gpsMs / (kSecondsPerWeek * 1000));
    t.towMs = std::uint32_t(gpsMs % (kSecondsPerWeek * 1000));
    const std::time_t seconds = std::time_t(unixMs / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    t.year = utc.tm_year + 1900;
    t.month = utc.tm_mon + 1;
    t.day = utc.tm_mday;
    t.hour = utc.tm_hour;
    t.minute = utc.tm_min;
    t.milliseconds = int(utc.tm_sec * 1000 + unixMs % 1000);
    return t;
}

std::vector<std::uint8_t> geodeticNavigationPayload(const SimScenario& s, const SimEpochSky& sky,
                                                    const SimTime& t) {
    const bool fix = !sky.used.empty();
    // Navigation type: 4 = three-dimensional fix, bit 7 = corrections applied.
    const std::uint32_t navType = fix ? (4u | (sky.differential ? 0x80u : 0u)) : 0u;
    ModulePayload p(ModuleId::kGeodeticNavigation);
    p.u16(fix ? 0 : 1).u16(navType).u16(std::uint32_t(t.gpsWeek)).u32(t.towMs);
    p.u16(std::uint32_t(t.year)).u8(std::uint32_t(t.month)).u8(std::uint32_t(t.day));
    p.u8(std::uint32_t(t.hour)).u8(std::uint32_t(t.minute)).u16(std::uint32_t(t.milliseconds));
    p.u32(usedBits(sky));
    p.u32(roundTo(s.latitudeDeg * 1e7)).u32(roundTo(s.longitudeDeg * 1e7));
    p.u32(roundTo((s.altitudeMslM + s.geoidSeparationM) * 100)).u32(roundTo(s.altitudeMslM * 100));
    p.u8(21);  // map datum WGS 84
    p.u16(roundTo(s.speedMps * 100)).u16(roundTo(s.courseDeg * 100));
    p.u16(0).u16(0).u16(0);  // magnetic variation, climb rate, heading rate
    p.u32(roundTo(s.horizontalErrorM * 100)).u32(roundTo(s.verticalErrorM * 100));
    p.u32(0).u16(0);                // time error, horizontal velocity error
    p.u32(0).u32(0).u32(0).u32(0);  // clock bias, its error, clock drift, its error
    p.u32(0).u16(0).u16(0);         // distance travelled, its error, heading error
    p.u8(std::uint32_t(sky.used.size())).u8(roundTo(sky.hdop * 5)).u8(0);
    return p.bytes();
}

std::vector<std::uint8_t> measuredTrackerPayload(const SimEpochSky& sky, const SimTime& t) {
    constexpr std::size_t kChannels = 12;
    ModulePayload p(ModuleId::kMeasuredTracker);
    p.u16(std::uint32_t(t.gpsWeek)).u32(t.towMs / 10).u8(kChannels);
    for (std::size_t i = 0; i < kChannels; ++i) {
        if (i >= sky.tracked.size()) {
            p.zeros(15);
            continue;
        }
        const SimSatellite& satellite = sky.tracked[i];
        p.u8(std::uint32_t(satellite.prn));
        p.u8(roundTo(satellite.azimuthDeg / 1.5)).u8(roundTo(satellite.elevationDeg * 2));
        p.u16(satellite.cn0DbHz > 0 ? 0xBF : 0x01);  // tracking state
        // Ten C/N0 values, the last second in 100 ms steps.
        for (int k = 0; k < 10; ++k)
            p.u8(satellite.cn0DbHz > 0 ? std::uint32_t(satellite.cn0DbHz - (k % 2)) : 0);
    }
    return p.bytes();
}

std::vector<std::uint8_t> navigationParametersPayload(const SimSettings& s) {
    ModulePayload p(ModuleId::kNavigationParameters);
    p.u8(0).zeros(3);       // sub-ID, reserved
    p.u8(0).u8(0).u16(0);   // altitude hold mode, source, input
    p.u8(4).u8(30).u8(15);  // degraded mode, its time-out, DR time-out
    p.u8(1).u8(std::uint32_t(s.staticNavigation)).u8(0);  // track smoothing, static, 3SV
    p.zeros(4).u8(4);                                     // reserved, DOP mask mode
    p.u16(std::uint32_t(s.navigationMaskTenths)).u8(28);  // elevation mask, power mask
    p.zeros(4);
    p.u8(std::uint32_t(s.dgpsSource)).u8(std::uint32_t(s.dgpsMode));
    p.u8(std::uint32_t(s.dgpsTimeoutS));
    p.zeros(4);
    p.u8(0).u32(200).u32(1000).u8(0).u32(0).u8(0).u32(0).u32(0);  // low-power settings
    p.u8(0).u16(0).u16(0).u8(0).u8(0).u8(0);                      // power management
    return p.bytes();
}

std::vector<std::uint8_t> softwareVersionPayload(const std::string& text) {
    // ID, the text, a closing NUL.
    std::vector<std::uint8_t> payload(text.size() + 2, 0);
    payload[0] = ModuleId::kSoftwareVersion;
    std::copy(text.begin(), text.end(), payload.begin() + 1);
    return payload;
}

std::vector<std::uint8_t> clockStatusPayload(const SimEpochSky& sky, const SimTime& t) {
    return ModulePayload(ModuleId::kClockStatus)
        .u16(std::uint32_t(t.gpsWeek))
        .u32(t.towMs / 10)
        .u8(std::uint32_t(sky.used.size()))
        .u32(94315)    // clock drift, Hz
        .u32(101520)   // clock bias, ns
        .u32(t.towMs)  // estimated GPS time, ms
        .bytes();
}

std::vector<std::uint8_t> navigationLibraryPayload(int channel, const SimSatellite& satellite,
                                                   const SimTime& t) {
    ModulePayload p(ModuleId::kNavigationLibrary);
    p.u8(std::uint32_t(channel)).u32(t.towMs).u8(std::uint32_t(satellite.prn));
    p.zeros(8 + 8 + 4 + 8);  // software time, pseudorange, carrier frequency and phase
    p.u16(1000).u8(0x17);    // time in track, sync flags
    for (int k = 0; k < 10; ++k)
        p.u8(std::uint32_t(satellite.cn0DbHz));
    p.u16(0).u16(0).u16(0).u8(0).u8(0);
    return p.bytes();
}

std::vector<std::uint8_t> ephemerisPayload(int prn) {
    ModulePayload p(ModuleId::kEphemerisData);
    p.u8(std::uint32_t(prn));
    // Three subframes of fifteen words; the contents only have to look like data.
    for (int word = 0; word < 45; ++word)
        p.u16(std::uint32_t((prn * 131 + word * 977) & 0xFFFF));
    return p.bytes();
}

std::vector<std::uint8_t> acknowledgementPayload(std::uint8_t commandId) {
    return {ModuleId::kAcknowledgement, commandId};
}

std::vector<std::uint8_t> refusalPayload(std::uint8_t commandId) {
    return {ModuleId::kRefusal, commandId};
}

std::vector<std::uint8_t> okToSendPayload(bool ok) {
    return {ModuleId::kOkToSend, std::uint8_t(ok ? 1 : 0)};
}

}  // namespace quorrel
