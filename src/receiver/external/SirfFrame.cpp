#include "receiver/external/SirfFrame.h"

namespace quorrel {
namespace {

std::uint32_t payloadSum(const std::uint8_t* payload, std::size_t length) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < length; ++i)
        sum += payload[i];
    return sum;
}

}  // namespace

std::uint16_t sirfChecksum(const std::uint8_t* payload, std::size_t length) {
    return std::uint16_t(payloadSum(payload, length) & 0x7FFF);
}

bool sirfChecksumMatches(std::uint16_t received, const std::uint8_t* payload, std::size_t length) {
    const std::uint32_t sum = payloadSum(payload, length);
    return received == (sum & 0x7FFF) || received == (sum & 0xFFFF);
}

std::vector<std::uint8_t> encodeSirfFrame(const std::vector<std::uint8_t>& payload) {
    const std::size_t length = payload.size();
    const std::uint16_t checksum = sirfChecksum(payload.data(), length);
    std::vector<std::uint8_t> frame;
    frame.reserve(length + kSirfFrameOverhead);
    frame.push_back(kSirfStart1);
    frame.push_back(kSirfStart2);
    frame.push_back(std::uint8_t(length >> 8));
    frame.push_back(std::uint8_t(length));
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(std::uint8_t(checksum >> 8));
    frame.push_back(std::uint8_t(checksum));
    frame.push_back(kSirfEnd1);
    frame.push_back(kSirfEnd2);
    return frame;
}

}  // namespace quorrel
