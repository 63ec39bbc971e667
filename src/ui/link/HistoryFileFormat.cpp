#include "ui/link/HistoryFileFormat.h"

#include <algorithm>

namespace quorrel {

void HistoryFileParser::feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (!wantsMore()) return;
        takeByte(c);
    }
}

void HistoryFileParser::takeByte(char c) {
    if (m_pendingCr) {
        m_pendingCr = false;
        if (c == '\n') {
            endLine();
            return;
        }
        append('\r');  // a lone CR is text, not a line end
    }
    m_lineStarted = true;
    if (c == '\r')
        m_pendingCr = true;
    else
        append(c);
}

void HistoryFileParser::append(char c) {
    if (m_line.size() < kHistoryLineBytes) m_line += c;
}

HistoryEntry& HistoryFileParser::tableEntry(std::size_t index) {
    while (m_table.size() <= index) {
        HistoryEntry empty;
        for (int k = 0; k < m_layout.fieldCount(); ++k)
            empty.setValue(k, storedHistoryValue(m_layout.fields[std::size_t(k)], {}));
        m_table.push_back(std::move(empty));
    }
    return m_table[index];
}

// Line k holds field k of every entry; a lone CR or LF ends the values.
void HistoryFileParser::endLine() {
    const int k = m_lineIndex++;
    const std::string_view line = std::string_view(m_line).substr(0, m_line.find_first_of("\r\n"));
    const HistoryField& field = m_layout.fields[std::size_t(k)];
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < kHistoryTableEntries) {
        const std::size_t end = std::min(line.find(';', start), line.size());
        tableEntry(count++).setValue(k, storedHistoryValue(field, line.substr(start, end - start)));
        if (end == line.size()) break;
        start = end + 1;
    }
    m_count = count;
    m_line.clear();
    m_lineStarted = false;
}

std::vector<HistoryEntry> HistoryFileParser::finish() {
    if (wantsMore() && m_lineStarted) {
        if (m_pendingCr) append('\r');
        m_pendingCr = false;
        endLine();
    }
    std::vector<HistoryEntry> entries;
    for (std::size_t i = 0; i < m_count; ++i) {
        if (!m_table[i].value(m_layout.keyField).empty()) entries.push_back(m_table[i]);
    }
    return entries;
}

std::vector<HistoryEntry> parseHistoryFile(std::string_view bytes, const HistoryLayout& layout) {
    HistoryFileParser parser(layout);
    parser.feed(bytes);
    return parser.finish();
}

std::string formatHistoryFile(const std::vector<HistoryEntry>& entries,
                              const HistoryLayout& layout) {
    std::string bytes;
    if (entries.empty()) return bytes;
    for (int k = 0; k < layout.fieldCount(); ++k) {
        if (k > 0) bytes += "\r\n";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i > 0) bytes += ';';
            bytes += storedHistoryValue(layout.fields[std::size_t(k)], entries[i].value(k));
        }
    }
    return bytes;
}

}  // namespace quorrel
