#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorrel {

enum class HistoryFieldKind { Text, Number };

// One line of a history file. A text field has room for `capacity` bytes with a terminating
// zero, so it holds at most `capacity` − 1; a number is a 32-bit int written as "%d".
struct HistoryField {
    HistoryFieldKind kind = HistoryFieldKind::Text;
    int capacity = 0;
};

// Field indices of each history, in the line order of its file.
struct DirectIpField {
    enum : int { Host, Port };
};
struct GsmField {
    enum : int { Pin, PhoneNumber };
};
struct GprsField {
    enum : int { Pin, AccessPoint, Login, Password };
};
struct NtripField {
    enum : int { Host, Port, Login, Password, MountPoint };
};

// The record layout of one history file.
struct HistoryLayout {
    const char* fileName = "";
    std::vector<HistoryField> fields;  // in file line order
    int keyField = 0;                  // the value shown in the page's drop-down list

    int fieldCount() const { return static_cast<int>(fields.size()); }

    static const HistoryLayout& directIp();  // "dip_data.txt": host, port
    static const HistoryLayout& gsm();       // "gsm_data.txt": PIN, phone number
    static const HistoryLayout& gprs();      // "gprs_data.txt": PIN, access point, login, password
    static const HistoryLayout& ntrip();     // "ntrip_data.txt": host, port, login, password, mount
};

// The number at the start of `text` as atoi reads it ("0" when there are no digits), held
// within 32 bits.
std::int32_t historyNumber(std::string_view text);

// `value` as field `field` stores it: cut at a zero byte and to the field's capacity; a
// number becomes its "%d" text.
std::string storedHistoryValue(const HistoryField& field, std::string_view value);

// Why a value cannot go into a history file.
enum class HistoryValueFault {
    None,
    ColumnSeparator,  // ";" would split it into two entries
    LineBreak,        // CR or LF would move the values after it to another field
};

HistoryValueFault historyValueFault(std::string_view value);

}  // namespace quorrel
