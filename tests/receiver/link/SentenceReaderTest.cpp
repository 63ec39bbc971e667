#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;

namespace {

struct Sentence {
    SentenceType type;
    std::string text;
};

// Runs the reader over `source` until it fails, collecting every sentence.
std::vector<Sentence> readAll(MemoryByteSource& source, Event* alive = nullptr,
                              std::size_t capacity = SentenceReader::kBufferSize) {
    std::atomic<bool> stop{false};
    SentenceReader reader(source, stop);
    reader.setAliveEvent(alive);
    std::vector<char> buffer(capacity);
    std::vector<Sentence> out;
    SentenceType type = SentenceType::UNKNOWN;
    while (reader.readSentence(type, buffer.data(), buffer.size())) {
        out.push_back({type, std::string(buffer.data())});
        EXPECT_EQ(reader.lastLength(), out.back().text.size());
    }
    return out;
}

std::vector<Sentence> readAll(const std::string& bytes, std::size_t chunk = 4096) {
    MemoryByteSource source(chunk);
    source.append(bytes);
    return readAll(source);
}

const std::string kTable =
    "$PQVXR,NTR,TBL\r\n"
    "SOURCETABLE 200 OK\r\n"
    "CAS;caster.example;2101;Example;Ex;0;DEU;50.1;8.7;0.0.0.0;0;http://x\r\n"
    "STR;MNT1;Bend;RTCM 3.2;1004(1);2;GPS;NET;USA;44.07;-121.31;0;0;gen;none;B;N;9600\r\n"
    "ENDSOURCETABLE\r\n";

}  // namespace

TEST(SentenceReader, FramesAndClassifiesConsecutiveSentences) {
    const auto out = readAll("$GPGGA,1*00\r\n$PQVXR,ACK,PRT\r\n$GPRMC,1\r\n");
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].type, SentenceType::GGA);
    EXPECT_EQ(out[0].text, "$GPGGA,1*00\r\n");
    EXPECT_EQ(out[1].type, SentenceType::ACK);
    EXPECT_EQ(out[2].type, SentenceType::UNKNOWN);  // framed to its end, then ignored
}

TEST(SentenceReader, ChunkSizeDoesNotChangeTheResult) {
    const std::string stream = "noise$GPGGA,1\r\n" + kTable + "$PQVXR,NAK,X\r\n";
    const auto whole = readAll(stream);
    for (std::size_t chunk : {1u, 2u, 7u, 64u}) {
        const auto pieces = readAll(stream, chunk);
        ASSERT_EQ(pieces.size(), whole.size()) << chunk;
        for (std::size_t i = 0; i < whole.size(); ++i)
            EXPECT_EQ(pieces[i].text, whole[i].text);
    }
}

TEST(SentenceReader, DropsSentenceWhenCrIsNotFollowedByLf) {
    const auto out = readAll("$PQVXR,ACK,PRT\rX$PQVXR,NAK,PRT\r\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, SentenceType::NAK);
}

TEST(SentenceReader, DropsDollarNotFollowedByPOrG) {
    const auto out = readAll("$XQVXR,ACK\r\n$GPZDA,1\r\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, SentenceType::ZDA);
}

TEST(SentenceReader, DollarRestartsASentenceInProgress) {
    const auto out = readAll("$GPGGA,12$GPZDA,1\r\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, "$GPZDA,1\r\n");
}

TEST(SentenceReader, DeliversTheWholeSourceTableBlockWithItsLineEnds) {
    const auto out = readAll(kTable + "$PQVXR,ACK,X\r\n");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].type, SentenceType::NTR);
    EXPECT_EQ(out[0].text, kTable);
    EXPECT_EQ(out[1].type, SentenceType::ACK);
}

TEST(SentenceReader, TableProgressFollowsTheBlockLineByLine) {
    const std::string twoStations =
        kTable.substr(0, kTable.find("ENDSOURCETABLE")) +
        "STR;MNT2;Bend;RTCM 3.2;1004(1);2;GPS;NET;USA;44.07;-121.31;0;0\r\n"
        "NET;QNET;Example;B;N;http://x;none;x@example;none\r\nENDSOURCETABLE\r\n";
    const struct {
        const char* legend;
        std::string bytes;
        std::size_t stations, tableBytes;
    } cases[] = {
        // Up to "ENDSOURCETABLE", whose line end belongs to the reply.
        {"one station", kTable, 1, kTable.size() - 2},
        {"two stations among other lines", twoStations, 2, twoStations.size() - 2},
        {"no table", "$PQVXR,ACK,X\r\n", 0, 0},
    };
    for (const auto& c : cases) {
        for (const std::size_t chunk : {std::size_t(1), std::size_t(4096)}) {
            MemoryByteSource source(chunk);
            source.append(c.bytes);
            std::atomic<bool> stop{false};
            SentenceReader reader(source, stop);
            TableProgress progress;
            reader.setTableProgress(&progress);
            std::vector<char> buffer(SentenceReader::kBufferSize);
            SentenceType type = SentenceType::UNKNOWN;
            EXPECT_TRUE(reader.readSentence(type, buffer.data(), buffer.size())) << c.legend;
            EXPECT_EQ(progress.stations.load(), c.stations) << c.legend;
            EXPECT_EQ(progress.bytes.load(), c.tableBytes) << c.legend << " chunk " << chunk;
        }
    }
}

TEST(SentenceReader, DeliversSourceTableWhenPortFallsSilent) {
    MemoryByteSource source;
    const std::string partial = kTable.substr(0, kTable.find("ENDSOURCETABLE"));
    source.append(partial);
    source.appendSilence();
    source.append("$PQVXR,ACK,X\r\n");
    const auto out = readAll(source);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].type, SentenceType::NTR);
    EXPECT_EQ(out[0].text, partial);
}

TEST(SentenceReader, SilenceOutsideATableChangesNothing) {
    MemoryByteSource source;
    source.append("$GPGGA,1");
    source.appendSilence();
    source.append(",2\r\n");
    const auto out = readAll(source);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, "$GPGGA,1,2\r\n");
}

TEST(SentenceReader, OtherNtrRepliesAreOneLine) {
    const auto out = readAll("$PQVXR,NTR,OK\r\nSOURCETABLE\r\n$PQVXR,NTR,MTP,MNT1\r\n");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].text, "$PQVXR,NTR,OK\r\n");
    EXPECT_EQ(out[1].text, "$PQVXR,NTR,MTP,MNT1\r\n");
}

TEST(SentenceReader, DollarInsideATableAbandonsIt) {
    const auto out = readAll("$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\nSTR;A$PQVXR,ACK,X\r\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, SentenceType::ACK);
}

TEST(SentenceReader, CapturesTheFourLineVersionText) {
    const std::string version =
        "RECEIVER VERSION: 2.4.1\r\nSYS fw: 1.07\r\nGNSS fw: 4.2.0b\r\nSerial: Q123\r\n";
    const auto out = readAll("junk\r\n" + version + "trailing\r\n$GPZDA,1\r\n");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].type, SentenceType::VERSION);
    EXPECT_EQ(out[0].text, version);
    EXPECT_EQ(out[1].type, SentenceType::ZDA);
}

TEST(SentenceReader, OtherTextBeginningWithRIsDropped) {
    const auto out = readAll("RECEIVER VERSIOX: 1\r\n\r\n\r\n\r\n$GPZDA,1\r\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, SentenceType::ZDA);
}

TEST(SentenceReader, OverlongSentenceIsDropped) {
    std::string longest =
        "$GPGGA," + std::string(SentenceReader::kSentenceLimit - 10, 'x') + "\r\n";
    ASSERT_EQ(longest.size(), SentenceReader::kSentenceLimit - 1);
    std::string overlong = "$GPGGA," + std::string(SentenceReader::kSentenceLimit, 'x') + "\r\n";
    const auto out = readAll(longest + overlong + "$GPZDA,1\r\n");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].text.size(), longest.size());
    EXPECT_EQ(out[1].type, SentenceType::ZDA);
}

TEST(SentenceReader, SourceTableMayGrowPastTheSentenceLimit) {
    std::string table = "$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\n";
    for (int i = 0; i < 3000; ++i)
        table +=
            "STR;MNT" + std::to_string(i) +
            ";Somewhere;RTCM 3.2;1004(1);2;GPS+GLO;NET;DEU;50.10;8.70;1;1;gen;none;B;N;9600\r\n";
    table += "ENDSOURCETABLE\r\n";
    ASSERT_GT(table.size(), 200000u);
    const auto out = readAll(table + "$GPZDA,1\r\n");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].text, table);
}

TEST(SentenceReader, SourceTablePastTheBlockLimitIsDropped) {
    std::string table = "$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\n";
    const std::string line = "STR;" + std::string(200, 'm') + "\r\n";
    while (table.size() <= SentenceReader::kBlockLimit)
        table += line;
    table += "ENDSOURCETABLE\r\n";
    const auto out = readAll(table + "$GPZDA,1\r\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, SentenceType::ZDA);
}

TEST(SentenceReader, SmallBufferKeepsTablesToItsSize) {
    MemoryByteSource source;
    source.append(kTable);
    const auto out = readAll(source, nullptr, SentenceReader::kSentenceLimit);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, kTable);
}

TEST(SentenceReader, AliveIsSignalledEvenForDroppedSentences) {
    Event alive;
    MemoryByteSource source;
    source.append("$GPGGA,1\rX");  // dropped: CR without LF
    readAll(source, &alive);
    EXPECT_TRUE(alive.wait(0));

    MemoryByteSource noise;
    noise.append("$XX,1\r\nRECEIVER VERSION\r\n");
    readAll(noise, &alive);
    EXPECT_FALSE(alive.wait(0));
}

// Runs of plain bytes are copied in blocks: every length, and a "$" at every place, must
// come out as if taken byte by byte.
TEST(SentenceReader, BodiesOfEveryLengthAndRestartsAtEveryPlace) {
    std::string stream;
    std::vector<std::string> expected;
    for (std::size_t n = 0; n < 40; ++n) {
        const std::string body(n, char('a' + n % 26));
        expected.push_back("$GPGGA," + body + "\r\n");
        stream += expected.back();
        stream += "$GPGSV," + body + "$GPZDA," + body + "\r\n";  // the GSV is cut off
        expected.push_back("$GPZDA," + body + "\r\n");
    }
    for (std::size_t chunk : {4096u, 5u, 16u, 17u}) {
        const auto out = readAll(stream, chunk);
        ASSERT_EQ(out.size(), expected.size()) << chunk;
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_EQ(out[i].text, expected[i]) << chunk << " / " << i;
    }
}

// A source that raises the stop flag while it delivers its second piece.
class StoppingSource : public ByteSource {
public:
    StoppingSource(MemoryByteSource& inner, std::atomic<bool>& stop)
        : m_inner(inner), m_stop(stop) {}
    bool read(std::uint8_t* buffer, std::size_t length, std::size_t& got, int timeoutMs) override {
        if (++m_reads == 2) m_stop = true;
        return m_inner.read(buffer, length, got, timeoutMs);
    }

private:
    MemoryByteSource& m_inner;
    std::atomic<bool>& m_stop;
    int m_reads = 0;
};

TEST(SentenceReader, StopFlagIsTestedAfterEveryRead) {
    MemoryByteSource pieces(8);
    pieces.append("$GPGGA,1,2,3\r\n");  // complete only within the second piece
    std::atomic<bool> stop{false};
    StoppingSource source(pieces, stop);
    SentenceReader reader(source, stop);
    std::vector<char> buffer(SentenceReader::kSentenceLimit);
    SentenceType type;
    EXPECT_FALSE(reader.readSentence(type, buffer.data(), buffer.size()));
}

TEST(SentenceReader, StopFlagEndsTheCallBeforeTheNextByte) {
    MemoryByteSource source;
    source.append("$GPGGA,1\r\n");
    std::atomic<bool> stop{true};
    SentenceReader reader(source, stop);
    std::vector<char> buffer(SentenceReader::kSentenceLimit);
    SentenceType type;
    EXPECT_FALSE(reader.readSentence(type, buffer.data(), buffer.size()));
}
