#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ui/link/HistoryEntry.h"
#include "ui/link/HistoryLayout.h"

namespace quorrel {

// A history file: one line per field, in the layout's order, separated by CR LF with none
// after the last; within a line the values of entries 0, 1, … separated by ";". A history
// without entries is a 0-byte file.
//   alpha;beta\r\n2101;80
constexpr std::size_t kHistoryLineBytes = 9999;    // a longer line is cut here on load
constexpr std::size_t kHistoryTableEntries = 100;  // values of a line beyond these are dropped

// Reads a history file from bytes fed in as many pieces as they arrive. Only CR LF ends a
// line; an empty line is one empty value. The entry count is that of the last field line
// read, and entries with an empty key are dropped: the program never stores one, and a
// history written with no entries by older versions held bare line ends.
class HistoryFileParser {
public:
    explicit HistoryFileParser(const HistoryLayout& layout) : m_layout(layout) {}

    void feed(std::string_view bytes);
    // False once every field line is read; the rest of the file is ignored.
    bool wantsMore() const { return m_lineIndex < m_layout.fieldCount(); }
    // The entries, after the end of the file or a failed read.
    std::vector<HistoryEntry> finish();

private:
    void takeByte(char c);
    void append(char c);
    void endLine();
    HistoryEntry& tableEntry(std::size_t index);

    const HistoryLayout& m_layout;
    std::string m_line;
    bool m_lineStarted = false;
    bool m_pendingCr = false;
    int m_lineIndex = 0;
    std::vector<HistoryEntry> m_table;
    std::size_t m_count = 0;
};

std::vector<HistoryEntry> parseHistoryFile(std::string_view bytes, const HistoryLayout& layout);

// The file's bytes for `entries`, entry 0 first.
std::string formatHistoryFile(const std::vector<HistoryEntry>& entries,
                              const HistoryLayout& layout);

}  // namespace quorrel
