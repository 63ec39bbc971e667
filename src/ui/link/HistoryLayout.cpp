#include "ui/link/HistoryLayout.h"

#include <algorithm>
#include <limits>

namespace quorrel {
namespace {

constexpr HistoryField text(int capacity) {
    return {HistoryFieldKind::Text, capacity};
}
constexpr HistoryField kNumber{HistoryFieldKind::Number, 0};

bool isAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

const HistoryLayout& HistoryLayout::directIp() {
    static const HistoryLayout layout{"dip_data.txt", {text(36), kNumber}, DirectIpField::Host};
    return layout;
}

const HistoryLayout& HistoryLayout::gsm() {
    static const HistoryLayout layout{"gsm_data.txt", {text(9), text(22)}, GsmField::PhoneNumber};
    return layout;
}

const HistoryLayout& HistoryLayout::gprs() {
    static const HistoryLayout layout{
        "gprs_data.txt", {text(33), text(33), text(33), text(33)}, GprsField::AccessPoint};
    return layout;
}

const HistoryLayout& HistoryLayout::ntrip() {
    static const HistoryLayout layout{
        "ntrip_data.txt", {text(33), kNumber, text(33), text(33), text(101)}, NtripField::Host};
    return layout;
}

std::int32_t historyNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isAsciiSpace(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    // Saturates instead of overflowing: a file may hold any digits.
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(limit, magnitude * 10 + (text[i] - '0'));
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string storedHistoryValue(const HistoryField& field, std::string_view value) {
    value = value.substr(0, value.find('\0'));
    if (field.kind == HistoryFieldKind::Number) return std::to_string(historyNumber(value));
    const std::size_t room = field.capacity > 0 ? std::size_t(field.capacity - 1) : 0;
    return std::string(value.substr(0, room));
}

HistoryValueFault historyValueFault(std::string_view value) {
    if (value.find(';') != std::string_view::npos) return HistoryValueFault::ColumnSeparator;
    if (value.find_first_of("\r\n") != std::string_view::npos) return HistoryValueFault::LineBreak;
    return HistoryValueFault::None;
}

}  // namespace quorrel
