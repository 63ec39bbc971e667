#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorrel {

// Cuts the bytes of one direction of the link into the lines a person reads: sentences and
// other text at their line end (CR LF dropped, other unprintable bytes as "\xHH"), binary
// frames (0xA0 0xA2, length, payload, checksum, 0xB0 0xB3) whole, as "frame ID: hex bytes".
// Line noise never grows a line past kMaxLineBytes.
class TrafficLines {
public:
    static constexpr std::size_t kMaxLineBytes = 1024;
    static constexpr std::size_t kMaxFramePayload = 2048;

    using Emit = std::function<void(const std::string& line)>;

    void feed(const std::uint8_t* bytes, std::size_t length, const Emit& emit);

private:
    void feedText(std::uint8_t byte, const Emit& emit);
    void feedFrame(std::uint8_t byte, const Emit& emit);
    void emitText(const Emit& emit);
    void emitFrame(const Emit& emit);

    std::string m_text;           // the text line so far, escaped
    std::size_t m_textBytes = 0;  // bytes it stands for
    bool m_afterA0 = false;       // the last text byte was 0xA0, held back
    bool m_inFrame = false;
    std::vector<std::uint8_t> m_frame;  // the frame so far, from 0xA0 0xA2
};

}  // namespace quorrel
