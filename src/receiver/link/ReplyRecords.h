#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrel {

// Decoded "$PQVXR" replies, one record per reply slot. Texts are 8-bit as the receiver sent
// them, cut to the lengths below.

// PRT: the port a reply speaks of and its baud code.
struct PortReply {
    std::int32_t portCode = 0;  // A 0, B 1, C 2, D 3, F 5, any other letter 0
    std::int32_t baudCode = 0;  // 0–9; any non-digit reads 5

    bool operator==(const PortReply&) const = default;
};

// NPT: the two settings, each kept as 1 when non-zero.
struct NptReply {
    std::uint8_t first = 0;
    std::uint8_t second = 0;

    bool operator==(const NptReply&) const = default;
};

// MDM: the modem's state and keyed settings.
struct ModemReply {
    static constexpr std::size_t kPowerLength = 3, kPinLength = 8, kTextLength = 32,
                                 kPhoneLength = 20;
    std::int32_t modemState = 0;  // 0 none, 1 off, 2 on, 3 initialising, 4 dialling, 5 online
    std::string power;
    std::string pin;
    char band = 0;
    char protocol = 0;  // "0" CSD, "1" GPRS
    char cbs = 0;
    std::string accessPoint;
    std::string login;
    std::string password;
    char ipType = 0;
    std::string phoneNumber;
    char autoDial = 0;
    std::int32_t rno = 0;  // always 0

    bool operator==(const ModemReply&) const = default;
};

// DIP: the direct IP server.
struct DirectIpReply {
    static constexpr std::size_t kAddressLength = 35, kLoginLength = 32, kPasswordLength = 34;
    std::string address;
    std::int32_t port = 0;
    std::string login;
    std::string password;

    bool operator==(const DirectIpReply&) const = default;
};

// CPD: base/rover mode and the reference position.
struct CpdReply {
    std::int32_t mode = 0;       // 0 base, 1 rover
    std::int32_t modeDigit = 0;  // 0–3
    double latitude = 0.0;       // degrees, north positive
    double longitude = 0.0;      // degrees, east positive
    double height = 0.0;         // metres

    bool operator==(const CpdReply&) const = default;
};

// RDP: the radio record, filled piecewise by the TYP, PAR and CHT replies.
struct RadioRecord {
    std::int32_t radioPort = 0;  // B 1, D 3, F 5, other 0
    std::int32_t radioType = 0;  // PDL 0, ADL 1, CVL 2, MDL 3, LFE 4, LFA 5, NONE 6, UNKNOWN 7
    std::int32_t powerIndex = 0;
    std::int32_t speedIndex = 0;
    std::int32_t sensitivityIndex = 0;
    std::int32_t protocolIndex = 0;
    std::int32_t modeIndex = 0;
    std::int32_t channelCount = 0;
    std::int32_t channel = 0;

    bool operator==(const RadioRecord&) const = default;
};

// NTR parameters: the caster the receiver's IP client uses.
struct NtripParametersReply {
    static constexpr std::size_t kAddressLength = 32, kLoginLength = 32, kPasswordLength = 33;
    std::int32_t port = 0;
    std::string address;
    std::string login;
    std::string password;

    bool operator==(const NtripParametersReply&) const = default;
};

struct NmeaOutputPair {
    std::int32_t code = 0;  // NMEA message code 0–14
    float periodSeconds = 0.0f;

    bool operator==(const NmeaOutputPair&) const = default;
};

// NMO: the messages one port outputs. Pairs past `count` are left from earlier replies.
struct NmeaOutputReply {
    static constexpr int kMaxPairs = 14;
    std::array<NmeaOutputPair, kMaxPairs> pairs{};
    std::int32_t count = 0;  // pairs stored by the last reply

    bool operator==(const NmeaOutputReply&) const = default;
};

// OBI: observation buffer report.
struct ObiReply {
    double timeOfDay = 0.0;  // seconds
    float value = 0.0f;
    std::int32_t count = 0;

    bool operator==(const ObiReply&) const = default;
};

// A2D: antenna report flags.
struct A2dReply {
    std::uint8_t valid = 0;  // 1 once any report arrived
    std::uint8_t first = 0;
    std::uint8_t second = 0;

    bool operator==(const A2dReply&) const = default;
};

// ANH: antenna height.
struct AntennaHeightReply {
    std::int32_t slant = 0;  // 1 slant, 0 vertical
    double height = 0.0;     // metres

    bool operator==(const AntennaHeightReply&) const = default;
};

// BAS: base output ports and formats (format 1 RT2, 2 RT3, 3 CMR, 4 CMP, 5 ATM, else 0).
struct BaseOutputReply {
    std::int32_t port1 = 0;
    std::int32_t format1 = 0;
    std::int32_t port2 = 0;
    std::int32_t format2 = 0;

    bool operator==(const BaseOutputReply&) const = default;
};

// ATL: the receiver's debug recording.
struct AtlReply {
    std::int32_t on = 0;
    std::int32_t value = 0;
    std::int32_t recording = 0;  // the third field begins with "R"

    bool operator==(const AtlReply&) const = default;
};

// The version text's four lines.
struct VersionReply {
    static constexpr std::size_t kTextLength = 10;
    static constexpr std::size_t kSerialLength = 32;
    std::string gnssFirmware;
    std::string systemFirmware;
    std::string receiverVersion;
    bool hasSerialNumber = false;  // the text carried a "SERIAL NO:" line
    std::string serialNumber;

    bool operator==(const VersionReply&) const = default;
};

// Text limits of the single-text replies.
constexpr std::size_t kMountPointLength = 100;
constexpr std::size_t kBluetoothNameLength = 5;
constexpr std::size_t kAntennaNameLength = 31;
constexpr std::size_t kSiteNameLength = 4;
constexpr std::size_t kFileNameLength = 259;

}  // namespace quorrel
