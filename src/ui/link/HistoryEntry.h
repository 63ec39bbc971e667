#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace quorrel {

// One remembered connection: the 8-bit value of each field, by the field indices of its
// layout (DirectIpField, GsmField, …). Pages hold UTF-16 text; it is narrowed to Latin-1,
// the program's 8-bit code page (a character without a Latin-1 form becomes "?"), and
// widened back as Latin-1. A field never set reads as empty text or 0.
class HistoryEntry {
public:
    HistoryEntry() = default;
    explicit HistoryEntry(std::vector<std::string> values) : m_values(std::move(values)) {}

    QString text(int field) const;
    std::int32_t number(int field) const;
    void setText(int field, const QString& text);
    void setNumber(int field, std::int32_t number);

    const std::string& value(int field) const;
    void setValue(int field, std::string value);
    const std::vector<std::string>& values() const { return m_values; }

    bool operator==(const HistoryEntry&) const = default;

private:
    std::vector<std::string> m_values;
};

}  // namespace quorrel
