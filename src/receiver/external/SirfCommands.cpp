#include "receiver/external/SirfCommands.h"

#include <cstdio>

#include "receiver/external/BigEndian.h"
#include "receiver/link/Checksum.h"

namespace quorrel {

std::vector<std::uint8_t> initDataSourcePayload() {
    // ECEF X, Y, Z, clock drift, time of week, week: all unknown.
    return PayloadWriter(kSirfInitDataSource).zeros(4 * 5 + 2).u8(12).u8(0x10).bytes();
}

std::vector<std::uint8_t> switchToNmeaPayload(std::uint32_t baudRate) {
    PayloadWriter payload(kSirfSwitchToNmea);
    payload.u8(2);  // mode: leave debug messages as they are
    // GGA, GLL, GSA, GSV, RMC, VTG once a second with checksum; the other four off.
    for (int i = 0; i < 6; ++i)
        payload.u8(1).u8(1);
    for (int i = 0; i < 4; ++i)
        payload.u8(0).u8(1);
    return payload.u16(baudRate).bytes();
}

std::vector<std::uint8_t> dgpsSourcePayload(bool on) {
    return PayloadWriter(kSirfDgpsSource).u8(on ? 1 : 0).zeros(4).u8(0).bytes();
}

std::vector<std::uint8_t> dgpsControlPayload(bool on) {
    return PayloadWriter(kSirfDgpsControl).u8(on ? 0 : 2).u8(30).bytes();
}

std::vector<std::uint8_t> elevationMaskPayload(int degrees) {
    return PayloadWriter(kSirfElevationMask).u16(50).u16(std::uint32_t(degrees * 10)).bytes();
}

std::vector<std::uint8_t> staticNavigationOffPayload() {
    return PayloadWriter(kSirfStaticNavigation).u8(0).bytes();
}

std::vector<std::uint8_t> pollEphemerisPayload() {
    return PayloadWriter(kSirfPollEphemeris).u8(0).u8(0).bytes();
}

std::vector<std::uint8_t> pollNavigationParametersPayload() {
    return PayloadWriter(kSirfPollNavigationParameters).u8(0).bytes();
}

std::vector<std::uint8_t> messageRateOffPayload(std::uint8_t messageId) {
    return PayloadWriter(kSirfSetMessageRate).u8(0).u8(messageId).u8(0).zeros(4).bytes();
}

std::vector<std::uint8_t> initNavigationPayload() {
    // Sub-ID 1; latitude, longitude, altitude, heading zero; clock drift 96000 Hz; time of
    // week and week zero; 12 channels; reset configuration 8.
    return PayloadWriter(kSirfInitNavigation)
        .u8(1)
        .zeros(4 + 4 + 4 + 2)
        .u32(96000)
        .zeros(4 + 2)
        .u8(12)
        .u8(8)
        .bytes();
}

std::string switchToBinarySentence(std::uint32_t baudRate) {
    char body[48];
    std::snprintf(body, sizeof body, "PSRF100,0,%u,8,1,0", unsigned(baudRate));
    return withChecksum(body);
}

}  // namespace quorrel
