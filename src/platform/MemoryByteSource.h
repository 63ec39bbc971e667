#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ByteSource.h"

namespace quorrel {

// Bytes from memory, handed out in pieces of at most `chunk` bytes, with optional
// silences (a read that brings nothing) between pieces. When everything has been read the
// source fails, as an unplugged device would. Used by tests, fuzzers and benchmarks.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::size_t chunk = 4096) : m_chunk(chunk) {}

    void append(const std::string& bytes) { m_pieces.push_back({bytes, false}); }
    void append(const void* bytes, std::size_t length) {
        m_pieces.push_back({std::string(static_cast<const char*>(bytes), length), false});
    }
    void appendSilence() { m_pieces.push_back({{}, true}); }
    // Starts over from the first piece.
    void rewind() {
        m_piece = 0;
        m_offset = 0;
    }

    bool read(std::uint8_t* buffer, std::size_t length, std::size_t& got, int) override {
        got = 0;
        while (m_piece < m_pieces.size()) {
            Piece& piece = m_pieces[m_piece];
            if (piece.silence) {
                ++m_piece;
                return true;
            }
            if (m_offset < piece.bytes.size()) {
                got = std::min({length, m_chunk, piece.bytes.size() - m_offset});
                std::memcpy(buffer, piece.bytes.data() + m_offset, got);
                m_offset += got;
                return true;
            }
            ++m_piece;
            m_offset = 0;
        }
        return false;
    }

private:
    struct Piece {
        std::string bytes;
        bool silence;
    };
    std::vector<Piece> m_pieces;
    std::size_t m_chunk;
    std::size_t m_piece = 0;
    std::size_t m_offset = 0;
};

}  // namespace quorrel
