#include "ctl/TrafficLines.h"

#include <cstdio>

namespace quorrel {
namespace {

constexpr std::uint8_t kStart1 = 0xA0;
constexpr std::uint8_t kStart2 = 0xA2;
constexpr std::size_t kFrameOverhead = 8;  // start, length, checksum, end

std::string escaped(std::uint8_t byte) {
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') return std::string(1, char(byte));
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    return hex;
}

}  // namespace

void TrafficLines::feed(const std::uint8_t* bytes, std::size_t length, const Emit& emit) {
    for (std::size_t i = 0; i < length; ++i) {
        if (m_inFrame)
            feedFrame(bytes[i], emit);
        else
            feedText(bytes[i], emit);
    }
}

void TrafficLines::feedText(std::uint8_t byte, const Emit& emit) {
    if (m_afterA0) {
        m_afterA0 = false;
        if (byte == kStart2) {
            emitText(emit);
            m_inFrame = true;
            m_frame = {kStart1, kStart2};
            return;
        }
        m_text += escaped(kStart1);
        ++m_textBytes;
    }
    if (byte == kStart1) {
        m_afterA0 = true;
        return;
    }
    if (byte == '\n') {
        emitText(emit);
        return;
    }
    if (byte == '\r') return;
    m_text += escaped(byte);
    if (++m_textBytes >= kMaxLineBytes) emitText(emit);
}

void TrafficLines::feedFrame(std::uint8_t byte, const Emit& emit) {
    m_frame.push_back(byte);
    if (m_frame.size() < 4) return;
    const std::size_t payload = std::size_t(m_frame[2]) << 8 | m_frame[3];
    // A length no frame has: the start was line noise; show it as such.
    if (payload > kMaxFramePayload) {
        m_inFrame = false;
        for (std::uint8_t b : m_frame)
            m_text += escaped(b);
        m_textBytes += m_frame.size();
        m_frame.clear();
        return;
    }
    if (m_frame.size() == payload + kFrameOverhead) emitFrame(emit);
}

void TrafficLines::emitText(const Emit& emit) {
    if (m_textBytes > 0) emit(m_text);
    m_text.clear();
    m_textBytes = 0;
}

void TrafficLines::emitFrame(const Emit& emit) {
    // The payload's first byte is the message ID; an empty frame has none.
    std::string line = m_frame.size() > kFrameOverhead ? "frame " + std::to_string(m_frame[4]) + ":"
                                                       : std::string("frame:");
    for (std::uint8_t b : m_frame) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", b);
        line += hex;
    }
    emit(line);
    m_frame.clear();
    m_inFrame = false;
}

}  // namespace quorrel
