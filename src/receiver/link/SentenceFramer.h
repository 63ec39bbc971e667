#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Event.h"
#include "receiver/link/SentenceType.h"
#include "receiver/link/TableProgress.h"

namespace quorrel {

// The state machine of one readSentence call: takes bytes until one sentence, version text
// or source-table block is complete in the buffer. States: Idle, Head1, Head, Body,
// SourceTable, AwaitLF; each call starts afresh in Idle with an empty buffer.
class SentenceFramer {
public:
    // Sentences are dropped when they reach `sentenceLimit` bytes, a source-table block when
    // it reaches `blockLimit`; one byte always stays free for the terminator.
    // `progress` (may be null) follows a source-table block while it arrives.
    SentenceFramer(char* buffer, std::size_t sentenceLimit, std::size_t blockLimit, Event* alive,
                   TableProgress* progress = nullptr);

    // Frames the bytes from `p` up to `end`. True when a sentence or block is complete (NUL-
    // terminated, `p` just past its last byte); false when every byte was taken.
    bool feed(const std::uint8_t*& p, const std::uint8_t* end);
    // A read brought nothing: true when the unfinished source table is to be delivered now.
    bool deliverOnSilence();

    SentenceType type() const { return m_type; }
    std::size_t length() const { return m_pos; }

private:
    enum class State { Idle, Head1, Head, Body, SourceTable, AwaitLF };

    const std::uint8_t* copyRun(const std::uint8_t* p, const std::uint8_t* end);
    bool step(char c);
    bool idleByte(char c);
    void head1Byte(char c);
    void headByte(char c);
    void bodyByte(char c);
    void tableByte(char c);
    void publishTableLine();
    bool awaitLfByte(char c);
    void headComplete();
    void startSentence();
    void drop();
    bool finish(SentenceType type);
    std::size_t limit() const { return m_inBlock ? m_blockLimit : m_sentenceLimit; }

    static constexpr std::size_t kLineBufferSize = 1024;

    char* const m_buffer;
    const std::size_t m_sentenceLimit;
    const std::size_t m_blockLimit;
    Event* const m_alive;
    TableProgress* const m_progress;
    std::size_t m_tableStations = 0;
    State m_state = State::Idle;
    SentenceType m_type = SentenceType::UNKNOWN;
    std::size_t m_pos = 0;
    std::size_t m_headEnd = 0;
    bool m_tableFlag = false;
    bool m_inBlock = false;
    bool m_capturing = false;
    bool m_versionConfirmed = false;
    int m_lineFeeds = 0;
    std::size_t m_lineLength = 0;
    char m_line[kLineBufferSize];
};

}  // namespace quorrel
