#include "receiver/link/SentenceReader.h"

#include <algorithm>
#include <cstring>

#include "receiver/link/Classifier.h"

namespace quorrel {
namespace {

enum class State { Idle, Head1, Head, Body, SourceTable, AwaitLF };

constexpr char kTableHead[] = "$PQVXR,NTR,TBL";
constexpr std::size_t kTableHeadLength = sizeof kTableHead - 1;
constexpr char kVersionHead[] = "RECEIVER VERSION";
constexpr std::size_t kVersionHeadLength = sizeof kVersionHead - 1;
constexpr char kEndOfTable[] = "ENDSOURCETABLE";
constexpr std::size_t kEndOfTableLength = sizeof kEndOfTable - 1;
constexpr std::size_t kLineBufferSize = 1024;
constexpr int kVersionLines = 4;

bool beginsWith(const char* buffer, std::size_t length, const char* text, std::size_t textLength) {
    return length >= textLength && std::memcmp(buffer, text, textLength) == 0;
}

}  // namespace

SentenceReader::SentenceReader(ByteSource& source, const std::atomic<bool>& stopFlag)
    : m_source(source), m_stop(stopFlag) {}

// One byte from the read-ahead chunk, refilled with whatever the source has. `silent` is
// set when a read brought nothing within the silence time.
bool SentenceReader::nextByte(char& c, bool& silent) {
    silent = false;
    if (m_chunkPos == m_chunkEnd) {
        std::size_t got = 0;
        if (!m_source.read(m_chunk, sizeof m_chunk, got, m_silenceMs)) return false;
        m_chunkPos = 0;
        m_chunkEnd = got;
        if (got == 0) {
            silent = true;
            return true;
        }
    }
    c = static_cast<char>(m_chunk[m_chunkPos++]);
    return true;
}

// The bulk of a sentence body: bytes that are neither "$" nor CR are only stored, so they are
// copied in one tight loop (still testing the stop flag after every byte). Returns the new
// write position; the byte that ends the run is left for the state machine.
std::size_t SentenceReader::copyPlainBody(char* buffer, std::size_t pos, std::size_t limit) {
    while (m_chunkPos < m_chunkEnd && pos + 1 < limit - 1) {
        const char c = static_cast<char>(m_chunk[m_chunkPos]);
        if (c == '$' || c == '\r' || m_stop.load(std::memory_order_relaxed)) break;
        buffer[pos++] = c;
        ++m_chunkPos;
    }
    return pos;
}

bool SentenceReader::readSentence(SentenceType& type, char* buffer, std::size_t capacity) {
    State state = State::Idle;
    std::size_t pos = 0;
    std::size_t headEnd = 0;
    bool tableFlag = false;
    bool inBlock = false;
    bool capturing = false;
    bool versionConfirmed = false;
    int lineFeeds = 0;
    char line[kLineBufferSize];
    std::size_t lineLength = 0;
    const std::size_t sentenceLimit = std::min(capacity, kSentenceLimit);
    const std::size_t blockLimit = std::min(capacity, kBlockLimit);

    auto drop = [&] {
        state = State::Idle;
        pos = 0;
        capturing = false;
        inBlock = false;
    };

    if (m_stop.load(std::memory_order_relaxed)) return false;
    for (;;) {
        if (state == State::Body) pos = copyPlainBody(buffer, pos, sentenceLimit);
        char c = 0;
        bool silent = false;
        if (!nextByte(c, silent)) return false;
        if (m_stop.load(std::memory_order_relaxed)) return false;
        if (silent) {
            // The source table is delivered even if "ENDSOURCETABLE" never comes.
            if (state == State::SourceTable &&
                beginsWith(buffer, pos, kTableHead, kTableHeadLength)) {
                buffer[pos] = '\0';
                m_length = pos;
                type = SentenceType::NTR;
                return true;
            }
            continue;
        }

        if (c == '$' && state != State::Idle) {
            buffer[0] = '$';
            pos = 1;
            state = State::Head1;
            inBlock = false;
            continue;
        }

        switch (state) {
            case State::Idle:
                if (c == '$') {
                    buffer[0] = '$';
                    pos = 1;
                    state = State::Head1;
                    capturing = false;
                } else if (capturing) {
                    buffer[pos++] = c;
                    if (!versionConfirmed) {
                        if (pos == kVersionHeadLength) {
                            versionConfirmed =
                                std::memcmp(buffer, kVersionHead, kVersionHeadLength) == 0;
                            if (!versionConfirmed) drop();
                        }
                    } else if (c == '\n' && ++lineFeeds == kVersionLines) {
                        buffer[pos] = '\0';
                        m_length = pos;
                        type = SentenceType::VERSION;
                        return true;
                    }
                } else if (c == 'R') {
                    capturing = true;
                    versionConfirmed = false;
                    lineFeeds = 0;
                    buffer[0] = 'R';
                    pos = 1;
                }
                break;

            case State::Head1:
                if (c == 'P' || c == 'G') {
                    buffer[pos++] = c;
                    headEnd = pos + (c == 'P' ? 8 : 4);
                    if (m_alive) m_alive->set();
                    state = State::Head;
                } else {
                    drop();
                }
                break;

            case State::Head:
                buffer[pos++] = c;
                if (pos == headEnd) {
                    type = classifySentence(buffer, pos);
                    if (type == SentenceType::NTR) tableFlag = true;
                    state = State::Body;
                }
                break;

            case State::Body:
                buffer[pos++] = c;
                if (c == '\r') {
                    if (tableFlag && type == SentenceType::NTR &&
                        beginsWith(buffer, pos, kTableHead, kTableHeadLength)) {
                        state = State::SourceTable;
                        inBlock = true;
                        lineLength = 0;
                    } else {
                        state = State::AwaitLF;
                    }
                }
                break;

            case State::SourceTable:
                buffer[pos++] = c;
                if (c == '\n') {
                    lineLength = 0;
                } else if (c != '\r' && lineLength < kLineBufferSize - 1) {
                    line[lineLength++] = c;
                    if (lineLength == kEndOfTableLength &&
                        std::memcmp(line, kEndOfTable, kEndOfTableLength) == 0) {
                        tableFlag = false;
                        lineLength = 0;
                        state = State::Body;
                    }
                }
                break;

            case State::AwaitLF:
                if (c == '\n') {
                    buffer[pos++] = c;
                    buffer[pos] = '\0';
                    m_length = pos;
                    return true;
                }
                drop();
                break;
        }

        // One byte stays free for the terminator.
        if (pos >= (inBlock ? blockLimit : sentenceLimit) - 1) drop();
    }
}

}  // namespace quorrel
