#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorrel {

// The module's binary frame: A0 A2, the payload length in 15 bits, the payload (message ID
// first), the checksum in 15 bits, B0 B3; both numbers most significant byte first.
constexpr std::uint8_t kModuleFrameHead[2] = {0xA0, 0xA2};
constexpr std::uint8_t kModuleFrameTail[2] = {0xB0, 0xB3};
// Longest payload the module's receive buffer takes.
constexpr std::size_t kModulePayloadLimit = 1023;

// The sum of the payload bytes, kept to 15 bits.
std::uint16_t moduleChecksum(const std::uint8_t* payload, std::size_t length);

// `payload` (at most kModulePayloadLimit bytes) in a whole frame.
std::vector<std::uint8_t> moduleFrame(const std::vector<std::uint8_t>& payload);

}  // namespace quorrel
