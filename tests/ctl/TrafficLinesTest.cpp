#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ctl/TrafficLines.h"

using namespace quorrel;

namespace {

std::vector<std::string> linesOf(const std::string& bytes, std::size_t chunk) {
    TrafficLines lines;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < bytes.size(); i += chunk) {
        const std::string part = bytes.substr(i, chunk);
        lines.feed(reinterpret_cast<const std::uint8_t*>(part.data()), part.size(),
                   [&out](const std::string& line) { out.push_back(line); });
    }
    return out;
}

}  // namespace

// Every stream is fed whole and one byte at a time: the lines must not depend on how the
// reads cut it.
TEST(TrafficLines, CutsSentencesAndFramesWhateverTheReadSizes) {
    const std::string frame("\xA0\xA2\x00\x02\x0B\x80\x00\x8B\xB0\xB3", 10);
    const struct {
        const char* legend;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"sentences", "$GPGGA,1*00\r\n$PQVXR,ACK,PEM*52\r\n", {"$GPGGA,1*00", "$PQVXR,ACK,PEM*52"}},
        {"unfinished line waits", "$GPGGA,1\r\n$GPG", {"$GPGGA,1"}},
        {"binary frame between text",
         "x\n" + frame + "y\n",
         {"x", "frame 11: A0 A2 00 02 0B 80 00 8B B0 B3", "y"}},
        {"frame right after text", "$P" + frame, {"$P", "frame 11: A0 A2 00 02 0B 80 00 8B B0 B3"}},
        {"lone A0 is text", std::string("a\xA0z\n"), {"a\\xA0z"}},
        {"unprintable and backslash", std::string("\x01\\\x7F\n", 4), {"\\x01\\x5C\\x7F"}},
        {"impossible frame length is noise",
         std::string("\xA0\xA2\xFF\xFFok\n", 8),
         {"\\xA0\\xA2\\xFF\\xFFok"}},
        {"empty lines vanish", "\r\n\n", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(linesOf(c.bytes, c.bytes.size() + 1), c.lines) << c.legend;
        EXPECT_EQ(linesOf(c.bytes, 1), c.lines) << c.legend << ", byte by byte";
    }
}

TEST(TrafficLines, NoiseWithoutLineEndsComesOutInBoundedLines) {
    const std::vector<std::string> lines =
        linesOf(std::string(3 * TrafficLines::kMaxLineBytes, 'n'), 100);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(TrafficLines::kMaxLineBytes, 'n'));
}
