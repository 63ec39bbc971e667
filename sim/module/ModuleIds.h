#pragma once

#include <cstdint>

namespace quorrel {

// Message IDs of the module's binary protocol, as its firmware knows them.
struct ModuleId {
    // What it sends.
    static constexpr std::uint8_t kMeasuredTracker = 4;
    static constexpr std::uint8_t kSoftwareVersion = 6;
    static constexpr std::uint8_t kClockStatus = 7;
    static constexpr std::uint8_t kAcknowledgement = 11;
    static constexpr std::uint8_t kRefusal = 12;
    static constexpr std::uint8_t kEphemerisData = 15;
    static constexpr std::uint8_t kOkToSend = 18;
    static constexpr std::uint8_t kNavigationParameters = 19;
    static constexpr std::uint8_t kNavigationLibrary = 28;
    static constexpr std::uint8_t kGeodeticNavigation = 41;

    // The commands it takes.
    static constexpr std::uint8_t kInitDataSource = 0x80;
    static constexpr std::uint8_t kSwitchToNmea = 0x81;
    static constexpr std::uint8_t kDgpsSource = 0x85;
    static constexpr std::uint8_t kDgpsControl = 0x8A;
    static constexpr std::uint8_t kElevationMask = 0x8B;
    static constexpr std::uint8_t kStaticNavigation = 0x8F;
    static constexpr std::uint8_t kPollEphemeris = 0x93;
    static constexpr std::uint8_t kPollNavigationParameters = 0x98;
    static constexpr std::uint8_t kSetMessageRate = 0xA6;
    static constexpr std::uint8_t kInitNavigation = 0xAC;
};

}  // namespace quorrel
