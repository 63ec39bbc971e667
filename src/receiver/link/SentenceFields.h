#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace quorrel {

// Where each comma-separated field of a sentence begins, counted from 1 after the head.
// Fields end at ",", "*", CR, LF or NUL; the list ends at "*", CR, LF, NUL or `length`.
// The field readers start at a field and stop at its end, so a field wider than its reader
// expects never shifts the fields after it.
class SentenceFields {
public:
    static constexpr int kMaxFields = 64;

    // `sentence` must be NUL-terminated at `length`; fields start after the `headLength`
    // characters of the head and the comma that follows them.
    SentenceFields(const char* sentence, std::size_t length, std::size_t headLength);

    int count() const { return m_count; }
    // Start of field `n` (1-based); an empty text when the sentence has fewer fields.
    const char* at(int n) const {
        return unsigned(n - 1) < unsigned(m_count) ? m_starts[std::size_t(n - 1)] : "";
    }
    // Field `n` as text, cut to `maxLength` characters.
    std::string text(int n, std::size_t maxLength) const;
    bool equals(int n, const char* text) const;
    // First character of field `n` ('\0' when empty or absent).
    char first(int n) const { return *at(n); }
    // The whole sentence (for the parsers that go by character offsets).
    const char* sentence() const { return m_sentence; }

private:
    const char* m_sentence;
    // Only the first m_count entries are ever written or read.
    std::array<const char*, kMaxFields> m_starts;
    int m_count = 0;
};

// Length of the field that begins at `p`.
std::size_t fieldLength(const char* p);

}  // namespace quorrel
