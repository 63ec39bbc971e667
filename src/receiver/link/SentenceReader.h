#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/ByteSource.h"
#include "platform/Event.h"
#include "receiver/link/SentenceType.h"
#include "receiver/link/TableProgress.h"

namespace quorrel {

class SentenceFramer;

// Frames the receiver's byte stream into sentences, the version text and the NTRIP
// source-table block, and classifies each. Runs on the reader thread only.
class SentenceReader {
public:
    // Longest sentence kept, terminator included; longer ones are dropped.
    static constexpr std::size_t kSentenceLimit = 32768;
    // Longest "$PQVXR,NTR,TBL" block kept: large casters publish tables of several hundred
    // kilobytes, which must not be lost for want of room.
    static constexpr std::size_t kBlockLimit = 4 * 1024 * 1024;
    // The size a caller's buffer needs for every sentence and block.
    static constexpr std::size_t kBufferSize = kBlockLimit;
    // A read that brings no byte for this long is "silence".
    static constexpr int kSilenceMs = 1000;
    // Most bytes taken from the source in one read; the stop flag is tested after each read,
    // so a stop request is honoured within this many bytes.
    static constexpr std::size_t kChunkSize = 4096;

    SentenceReader(ByteSource& source, const std::atomic<bool>& stopFlag);

    // Signalled whenever a head beginning "$P" or "$G" is seen; may be null.
    void setAliveEvent(Event* alive) { m_alive = alive; }
    // Follows each source-table block as it arrives; may be null.
    void setTableProgress(TableProgress* progress) { m_progress = progress; }
    // Tests shorten the silence that delivers an unfinished source table.
    void setSilenceMs(int ms) { m_silenceMs = ms; }

    // Blocks until one sentence or block is in `buffer` (true, NUL-terminated, `type` set)
    // or until the stop flag is set or the source fails (false). `capacity` must be at least
    // kSentenceLimit; a block is kept up to min(capacity, kBlockLimit).
    bool readSentence(SentenceType& type, char* buffer, std::size_t capacity);
    // Length of the last sentence returned, without the terminator.
    std::size_t lastLength() const { return m_length; }

private:
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    bool refill(bool& silent);
    bool frameChunk(SentenceFramer& framer);
    bool deliver(const SentenceFramer& framer, SentenceType& type);

    ByteSource& m_source;
    const std::atomic<bool>& m_stop;
    Event* m_alive = nullptr;
    TableProgress* m_progress = nullptr;
    int m_silenceMs = kSilenceMs;
    std::size_t m_length = 0;
    // Bytes read from the source but not yet framed; kept across calls.
    std::uint8_t m_chunk[kChunkSize];
    std::size_t m_chunkPos = 0;
    std::size_t m_chunkEnd = 0;
};

}  // namespace quorrel
