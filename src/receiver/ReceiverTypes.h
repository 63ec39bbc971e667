#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorrel {

// Receiver serial ports "A" to "F" travel as indices 0–5.
enum ReceiverPort { kPortA = 0, kPortB = 1, kPortC = 2, kPortD = 3, kPortE = 4, kPortF = 5 };

// NMEA message codes of the output commands and the NMO reply.
enum NmeaMessage {
    kMsgPos = 0,
    kMsgSat,
    kMsgGga,
    kMsgGll,
    kMsgGsa,
    kMsgGst,
    kMsgGsv,
    kMsgRmc,
    kMsgRre,
    kMsgVtg,
    kMsgZda,
    kMsgVec,
    kMsgA2d,
    kMsgObi,
    kMsgWti,
};

// Modem states as the MDM reply reports them.
enum ModemState {
    kModemNone = 0,
    kModemOff = 1,
    kModemOn = 2,
    kModemInit = 3,
    kModemDialing = 4,
    kModemOnline = 5,
};

// Radio module types as the radio commands number them ("UNKNOWN" only comes back in replies).
enum RadioType {
    kRadioPdl = 0,
    kRadioAdl,
    kRadioCvl,
    kRadioMdl,
    kRadioLfe,
    kRadioLfa,
    kRadioNone,
    kRadioUnknown,
};

// Longest texts the differential-link commands take; longer ones are refused unsent.
constexpr std::size_t kModemPinLength = 11;
constexpr std::size_t kPhoneNumberLength = 23;
constexpr std::size_t kLinkTextLength = 35;  // APN, login, password, server, mount point

// Baud codes 0–9 of the port commands, as rates.
constexpr std::array<std::uint32_t, 10> kBaudRates = {300,  600,   1200,  2400,  4800,
                                                      9600, 19200, 38400, 57600, 115200};

struct NmeaOutputEntry {
    std::int32_t code = 0;  // NmeaMessage
    float periodSeconds = 0.0f;
};

// What the receiver outputs on one port: up to 14 (message, period) pairs.
struct NmeaOutputRecord {
    std::array<NmeaOutputEntry, 14> entries{};
    std::int32_t count = 0;  // pairs of the last reply
};

// The radio parameters as QueryRadioParameters returns them (indices of the code tables).
struct RadioParameters {
    std::int32_t radioType = 0;
    std::int32_t powerIndex = 0;
    std::int32_t speedIndex = 0;
    std::int32_t channel = 0;
    std::int32_t sensitivityIndex = 0;
    std::int32_t protocolIndex = 0;
    std::int32_t modeIndex = 0;
};

// The receiver's debug recording state (ATL reply).
struct AtlState {
    std::int32_t on = 0;
    std::int32_t value = 0;
    std::int32_t recording = 0;
};

}  // namespace quorrel
