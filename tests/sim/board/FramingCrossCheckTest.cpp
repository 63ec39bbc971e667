// The board frames and checks sentences with code of its own. Hand-written byte streams go
// through both its framer and the program's reader, which must agree on every one. (What
// the board sends is read back through the program's reader in BoardRepliesTest and
// BoardOutputTest.)
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/link/Checksum.h"
#include "receiver/link/SentenceReader.h"
#include "sim/board/CommandFramer.h"
#include "sim/board/NmeaChecksum.h"

using namespace quorrel;

namespace {

struct Framed {
    std::string text;  // without CR LF
    bool checksumGood = false;

    bool operator==(const Framed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Framed& f) {
    return out << '"' << f.text << "\" " << (f.checksumGood ? "good" : "bad");
}

// The board's reading, as bytes arrive in pieces of `piece`.
std::vector<Framed> boardReads(const std::string& bytes, std::size_t piece) {
    std::vector<Framed> out;
    CommandFramer framer;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        framer.push(std::string_view(bytes).substr(at, piece), [&](std::string sentence) {
            std::string_view body = std::string_view(sentence).substr(1);
            const bool good = takeChecksum(body);
            out.push_back({std::move(sentence), good});
        });
    }
    return out;
}

// The program's reading, as bytes arrive in pieces of `piece`.
std::vector<Framed> programReads(const std::string& bytes, std::size_t piece) {
    std::vector<Framed> out;
    MemoryByteSource source(piece);
    source.append(bytes);
    std::atomic<bool> stop{false};
    SentenceReader reader(source, stop);
    std::vector<char> buffer(SentenceReader::kSentenceLimit);
    SentenceType type;
    while (reader.readSentence(type, buffer.data(), buffer.size())) {
        const std::size_t length = reader.lastLength();
        std::string text(buffer.data(), length);
        text.resize(text.size() - 2);  // CR LF
        out.push_back({text, checksumOk(buffer.data(), length)});
    }
    return out;
}

}  // namespace

TEST(FramingCrossCheck, BoardAndProgramReadHandWrittenStreamsAlike) {
    struct Case {
        const char* legend;
        std::string bytes;
        std::vector<Framed> expected;
    };
    // Checksums worked out by hand.
    const std::string gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";
    const Case cases[] = {
        {"good checksum", gga + "*47\r\n", {{gga + "*47", true}}},
        {"wrong checksum", gga + "*46\r\n", {{gga + "*46", false}}},
        {"checksum with letters", "$PQVXR,PRT,A,8*5E\r\n", {{"$PQVXR,PRT,A,8*5E", true}}},
        {"lower-case checksum", "$PQVXR,PRT,A,8*5e\r\n", {{"$PQVXR,PRT,A,8*5e", false}}},
        {"no checksum", "$PQVXQ,PRT\r\n", {{"$PQVXQ,PRT", true}}},
        {"command with checksum",
         "$PQVXS,NME,GGA,A,ON,1.00*28\r\n",
         {{"$PQVXS,NME,GGA,A,ON,1.00*28", true}}},
        {"two in a row",
         "$PQVXR,NAK,MDM*5D\r\n$PQVXR,ACK,NME*52\r\n",
         {{"$PQVXR,NAK,MDM*5D", true}, {"$PQVXR,ACK,NME*52", true}}},
        {"noise before",
         std::string("\x80\xFE garbage\r\n", 12) + "$PQVXQ,PRT*24\r\n",
         {{"$PQVXQ,PRT*24", true}}},
        {"CR without LF", "$PQVXQ,PRT\rX$PQVXQ,NPT\r\n", {{"$PQVXQ,NPT", true}}},
        {"CR CR LF", "$PQVXQ,PRT\r\r\n$PQVXQ,NPT\r\n", {{"$PQVXQ,NPT", true}}},
        {"LF without CR", "$PQVXQ,PRT\n$PQVXQ,NPT\r\n", {{"$PQVXQ,NPT", true}}},
        {"dollar starts over", "$PQVXQ,PR$PQVXQ,PRT*24\r\n", {{"$PQVXQ,PRT*24", true}}},
        {"unfinished at the end", "$PQVXQ,PRT*24\r\n$PQVXQ,NPT", {{"$PQVXQ,PRT*24", true}}},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t(1), std::size_t(7), c.bytes.size()}) {
            EXPECT_EQ(boardReads(c.bytes, piece), c.expected)
                << c.legend << ", pieces of " << piece;
            EXPECT_EQ(programReads(c.bytes, piece), c.expected)
                << c.legend << ", pieces of " << piece;
        }
    }
}

TEST(FramingCrossCheck, BoardDropsOverlongSentencesAndCarriesOn) {
    const std::string overlong = "$PQVXS,ANP,OWN," + std::string(CommandFramer::kLimit, 'A');
    const std::vector<Framed> read = boardReads(overlong + "\r\n$PQVXQ,PRT*24\r\n", 512);
    EXPECT_EQ(read, (std::vector<Framed>{{"$PQVXQ,PRT*24", true}}));
}
