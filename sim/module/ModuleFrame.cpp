#include "sim/module/ModuleFrame.h"

namespace quorrel {

std::uint16_t moduleChecksum(const std::uint8_t* payload, std::size_t length) {
    unsigned sum = 0;
    for (const std::uint8_t* p = payload; p != payload + length; ++p)
        sum = (sum + *p) & 0x7FFF;
    return std::uint16_t(sum);
}

std::vector<std::uint8_t> moduleFrame(const std::vector<std::uint8_t>& payload) {
    const std::size_t length = payload.size();
    const std::uint16_t sum = moduleChecksum(payload.data(), length);
    std::vector<std::uint8_t> frame;
    frame.reserve(length + 8);
    frame.push_back(kModuleFrameHead[0]);
    frame.push_back(kModuleFrameHead[1]);
    frame.push_back(std::uint8_t(length >> 8));
    frame.push_back(std::uint8_t(length & 0xFF));
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(std::uint8_t(sum >> 8));
    frame.push_back(std::uint8_t(sum & 0xFF));
    frame.push_back(kModuleFrameTail[0]);
    frame.push_back(kModuleFrameTail[1]);
    return frame;
}

}  // namespace quorrel
