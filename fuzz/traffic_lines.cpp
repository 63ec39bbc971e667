// Arbitrary bytes, cut into reads of any size, through the traffic log's line assembler:
// every line it emits is one printable line of bounded length, and no byte is lost between
// a text line and a frame whatever the cuts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ctl/TrafficLines.h"

using namespace quorrel;

namespace {

// The longest line: a whole frame in hex, or a text line of escaped bytes.
constexpr std::size_t kLongestLine =
    16 + 3 * (TrafficLines::kMaxFramePayload + 8) + 4 * TrafficLines::kMaxLineBytes;

std::vector<std::string> linesOf(const std::uint8_t* data, std::size_t size, std::size_t chunk) {
    TrafficLines lines;
    std::vector<std::string> out;
    for (std::size_t at = 0; at < size; at += chunk)
        lines.feed(data + at, std::min(chunk, size - at),
                   [&out](const std::string& line) { out.push_back(line); });
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t chunk = 1 + data[0] % 32;
    const std::vector<std::string> lines = linesOf(data + 1, size - 1, chunk);
    for (const std::string& line : lines) {
        if (line.empty() || line.size() > kLongestLine) std::abort();
        for (const char c : line)
            if (c < 0x20 || c == 0x7F) std::abort();
    }
    if (linesOf(data + 1, size - 1, size) != lines) std::abort();
    return 0;
}
