#include "ui/link/HistoryEntry.h"

#include "ui/link/HistoryLayout.h"

namespace quorrel {

QString HistoryEntry::text(int field) const {
    const std::string& bytes = value(field);
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::int32_t HistoryEntry::number(int field) const {
    return historyNumber(value(field));
}

void HistoryEntry::setText(int field, const QString& text) {
    setValue(field, text.toLatin1().toStdString());
}

void HistoryEntry::setNumber(int field, std::int32_t number) {
    setValue(field, std::to_string(number));
}

const std::string& HistoryEntry::value(int field) const {
    static const std::string kEmpty;
    if (field < 0 || field >= static_cast<int>(m_values.size())) return kEmpty;
    return m_values[std::size_t(field)];
}

void HistoryEntry::setValue(int field, std::string value) {
    if (field < 0) return;
    if (field >= static_cast<int>(m_values.size())) m_values.resize(std::size_t(field) + 1);
    m_values[std::size_t(field)] = std::move(value);
}

}  // namespace quorrel
