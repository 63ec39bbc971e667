#include "receiver/link/SentenceReader.h"

#include <algorithm>

#include "receiver/link/SentenceFramer.h"

namespace quorrel {

SentenceReader::SentenceReader(ByteSource& source, const std::atomic<bool>& stopFlag)
    : m_source(source), m_stop(stopFlag) {}

// Whatever the source has, up to one chunk. `silent` is set when a read brought nothing
// within the silence time.
bool SentenceReader::refill(bool& silent) {
    std::size_t got = 0;
    if (!m_source.read(m_chunk, sizeof m_chunk, got, m_silenceMs)) return false;
    m_chunkPos = 0;
    m_chunkEnd = got;
    silent = got == 0;
    return true;
}

// Frames what is left of the chunk; true when a sentence or block is complete.
bool SentenceReader::frameChunk(SentenceFramer& framer) {
    const std::uint8_t* p = m_chunk + m_chunkPos;
    const bool done = framer.feed(p, m_chunk + m_chunkEnd);
    m_chunkPos = std::size_t(p - m_chunk);
    return done;
}

bool SentenceReader::readSentence(SentenceType& type, char* buffer, std::size_t capacity) {
    SentenceFramer framer(buffer, std::min(capacity, kSentenceLimit),
                          std::min(capacity, kBlockLimit), m_alive, m_progress);
    // The stop flag is tested before the first read and after every read.
    if (stopRequested()) return false;
    for (;;) {
        if (m_chunkPos == m_chunkEnd) {
            bool silent = false;
            if (!refill(silent)) return false;
            if (stopRequested()) return false;
            if (silent) {
                if (framer.deliverOnSilence()) return deliver(framer, type);
                continue;
            }
        }
        if (frameChunk(framer)) return deliver(framer, type);
    }
}

bool SentenceReader::deliver(const SentenceFramer& framer, SentenceType& type) {
    type = framer.type();
    m_length = framer.length();
    return true;
}

}  // namespace quorrel
