#include "receiver/link/SentenceFramer.h"

#include <bit>
#include <cstring>

#include "receiver/link/Classifier.h"

namespace quorrel {
namespace {

constexpr char kTableHead[] = "$PQVXR,NTR,TBL";
constexpr std::size_t kTableHeadLength = sizeof kTableHead - 1;
constexpr char kVersionHead[] = "RECEIVER VERSION";
constexpr std::size_t kVersionHeadLength = sizeof kVersionHead - 1;
constexpr char kEndOfTable[] = "ENDSOURCETABLE";
constexpr std::size_t kEndOfTableLength = sizeof kEndOfTable - 1;
constexpr int kVersionLines = 4;

bool beginsWith(const char* buffer, std::size_t length, const char* text, std::size_t textLength) {
    return length >= textLength && std::memcmp(buffer, text, textLength) == 0;
}

// Copies the bytes from `p` to `out` up to the first "$" or CR, or up to `last`; returns
// where it stopped. Sixteen bytes at a time where the vector extensions of GCC and Clang
// allow it: the whole block is copied (the caller leaves room for it), and the bytes behind
// the stop are simply overwritten by what follows.
const std::uint8_t* copyUntilDollarOrCr(const std::uint8_t* p, const std::uint8_t* last,
                                        char* out) {
#if defined(__GNUC__)
    if constexpr (std::endian::native == std::endian::little) {
        using Block = std::uint8_t __attribute__((vector_size(16)));
        for (; last - p >= 16; p += 16, out += 16) {
            Block block;
            std::memcpy(&block, p, sizeof block);
            std::memcpy(out, &block, sizeof block);
            const auto hits = (block == '$') | (block == '\r');
            std::uint64_t low, high;
            std::memcpy(&low, &hits, sizeof low);
            std::memcpy(&high, reinterpret_cast<const char*>(&hits) + 8, sizeof high);
            if (low != 0) return p + std::countr_zero(low) / 8;
            if (high != 0) return p + 8 + std::countr_zero(high) / 8;
        }
    }
#endif
    for (; p < last && *p != '$' && *p != '\r'; ++p, ++out)
        *out = char(*p);
    return p;
}

}  // namespace

SentenceFramer::SentenceFramer(char* buffer, std::size_t sentenceLimit, std::size_t blockLimit,
                               Event* alive, TableProgress* progress)
    : m_buffer(buffer),
      m_sentenceLimit(sentenceLimit),
      m_blockLimit(blockLimit),
      m_alive(alive),
      m_progress(progress) {}

bool SentenceFramer::feed(const std::uint8_t*& p, const std::uint8_t* end) {
    const std::uint8_t* q = p;
    while (q < end) {
        // Runs of plain bytes go in one piece; every other byte takes the state machine.
        if (m_state == State::Head || m_state == State::Body) {
            q = copyRun(q, end);
            if (q == end) break;
        }
        if (step(char(*q++))) {
            p = q;
            return true;
        }
    }
    p = q;
    return false;
}

bool SentenceFramer::deliverOnSilence() {
    // The source table is delivered even if "ENDSOURCETABLE" never comes.
    return m_state == State::SourceTable &&
           beginsWith(m_buffer, m_pos, kTableHead, kTableHeadLength) && finish(SentenceType::NTR);
}

// A run of head or body bytes: only "$" and CR stop it (a CR inside a head is left to the
// state machine, which keeps it as a plain byte). The run ends short of the byte that would
// reach the limit, which is left to drop the sentence.
inline const std::uint8_t* SentenceFramer::copyRun(const std::uint8_t* p, const std::uint8_t* end) {
    const std::size_t lastPlace = limit() - 2;
    if (m_pos >= lastPlace) return p;
    const std::size_t room = lastPlace - m_pos;
    const std::uint8_t* last = std::size_t(end - p) > room ? p + room : end;
    const std::uint8_t* stop = copyUntilDollarOrCr(p, last, m_buffer + m_pos);
    m_pos += std::size_t(stop - p);
    if (m_state == State::Head && m_pos >= m_headEnd) headComplete();
    return stop;
}

// One byte through the state machine; true when it completed a sentence or block. The
// handlers are inline so that they fold into feed(): a call per byte cost more than the work.
inline bool SentenceFramer::step(char c) {
    if (c == '$' && m_state != State::Idle) {
        startSentence();
        return false;
    }
    switch (m_state) {
        case State::Idle:
            if (idleByte(c)) return true;
            break;
        case State::Head1:
            head1Byte(c);
            break;
        case State::Head:
            headByte(c);
            break;
        case State::Body:
            bodyByte(c);
            break;
        case State::SourceTable:
            tableByte(c);
            break;
        case State::AwaitLF:
            if (awaitLfByte(c)) return true;
            break;
    }
    // One byte stays free for the terminator.
    if (m_pos >= limit() - 1) drop();
    return false;
}

// Between sentences only "$" and the version text count; a version capture collects 16
// characters, and when they are "RECEIVER VERSION" everything up to the fourth LF.
inline bool SentenceFramer::idleByte(char c) {
    if (c == '$') {
        startSentence();
        return false;
    }
    if (!m_capturing) {
        if (c == 'R') {
            m_capturing = true;
            m_versionConfirmed = false;
            m_lineFeeds = 0;
            m_buffer[0] = 'R';
            m_pos = 1;
        }
        return false;
    }
    m_buffer[m_pos++] = c;
    if (!m_versionConfirmed) {
        if (m_pos == kVersionHeadLength) {
            m_versionConfirmed = std::memcmp(m_buffer, kVersionHead, kVersionHeadLength) == 0;
            if (!m_versionConfirmed) drop();
        }
        return false;
    }
    return c == '\n' && ++m_lineFeeds == kVersionLines && finish(SentenceType::VERSION);
}

inline void SentenceFramer::head1Byte(char c) {
    if (c != 'P' && c != 'G') {
        drop();
        return;
    }
    m_buffer[m_pos++] = c;
    m_headEnd = m_pos + (c == 'P' ? 8 : 4);
    if (m_alive) m_alive->set();
    m_state = State::Head;
}

inline void SentenceFramer::headByte(char c) {
    m_buffer[m_pos++] = c;
    if (m_pos == m_headEnd) headComplete();
}

inline void SentenceFramer::headComplete() {
    m_type = classifySentence(m_buffer, m_headEnd);
    if (m_type == SentenceType::NTR) m_tableFlag = true;
    m_state = State::Body;
}

inline void SentenceFramer::bodyByte(char c) {
    m_buffer[m_pos++] = c;
    if (c != '\r') return;
    if (m_tableFlag && m_type == SentenceType::NTR &&
        beginsWith(m_buffer, m_pos, kTableHead, kTableHeadLength)) {
        m_state = State::SourceTable;
        m_inBlock = true;
        m_lineLength = 0;
        m_tableStations = 0;
        publishTableLine();
    } else {
        m_state = State::AwaitLF;
    }
}

// Every byte of the table is kept; its lines are followed in the line buffer until one is
// "ENDSOURCETABLE", whose CR LF then end the block as a sentence's would.
void SentenceFramer::tableByte(char c) {
    m_buffer[m_pos++] = c;
    if (c == '\n') {
        if (m_lineLength >= 3 && std::memcmp(m_line, "STR", 3) == 0) ++m_tableStations;
        m_lineLength = 0;
        publishTableLine();
        return;
    }
    if (c == '\r' || m_lineLength >= kLineBufferSize - 1) return;
    m_line[m_lineLength++] = c;
    if (m_lineLength == kEndOfTableLength &&
        std::memcmp(m_line, kEndOfTable, kEndOfTableLength) == 0) {
        m_tableFlag = false;
        m_lineLength = 0;
        m_state = State::Body;
        publishTableLine();
    }
}

// A large table takes minutes at line rate: whoever waits for it sees it grow line by line.
inline void SentenceFramer::publishTableLine() {
    if (!m_progress) return;
    m_progress->stations.store(m_tableStations, std::memory_order_relaxed);
    m_progress->bytes.store(m_pos, std::memory_order_release);
}

inline bool SentenceFramer::awaitLfByte(char c) {
    if (c != '\n') {
        drop();
        return false;
    }
    m_buffer[m_pos++] = c;
    return finish(m_type);
}

inline void SentenceFramer::startSentence() {
    m_buffer[0] = '$';
    m_pos = 1;
    m_state = State::Head1;
    m_capturing = false;
    m_inBlock = false;
}

inline void SentenceFramer::drop() {
    m_state = State::Idle;
    m_pos = 0;
    m_capturing = false;
    m_inBlock = false;
}

inline bool SentenceFramer::finish(SentenceType type) {
    m_buffer[m_pos] = '\0';
    m_type = type;
    return true;
}

}  // namespace quorrel
