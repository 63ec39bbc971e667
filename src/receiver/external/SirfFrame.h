#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorrel {

// A binary frame: A0 A2, payload length (2), payload (message ID first), checksum (2), B0 B3.
constexpr std::uint8_t kSirfStart1 = 0xA0;
constexpr std::uint8_t kSirfStart2 = 0xA2;
constexpr std::uint8_t kSirfEnd1 = 0xB0;
constexpr std::uint8_t kSirfEnd2 = 0xB3;
constexpr std::size_t kSirfFrameOverhead = 8;

// The protocol's checksum: the sum of the payload bytes, kept to 15 bits.
std::uint16_t sirfChecksum(const std::uint8_t* payload, std::size_t length);

// Whether `received` is the checksum of the payload. The full 16-bit sum is accepted too:
// below 32768 the two agree, and some senders never drop the top bit.
bool sirfChecksumMatches(std::uint16_t received, const std::uint8_t* payload, std::size_t length);

// The whole frame around `payload`.
std::vector<std::uint8_t> encodeSirfFrame(const std::vector<std::uint8_t>& payload);

}  // namespace quorrel
