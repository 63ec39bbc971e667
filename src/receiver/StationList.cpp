#include "receiver/StationList.h"

#include <algorithm>
#include <cstring>

#include "receiver/link/FieldReader.h"

namespace quorrel {
namespace {

constexpr std::size_t kLineCapacity = 1024;  // 1,023 characters and the terminator
constexpr std::size_t kTextLength = 100;
constexpr char kTableStart[] = "SOURCETABLE";
constexpr char kTableEnd[] = "ENDSOURCETABLE";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A leading, optionally signed run of decimal digits; 0 when the text starts otherwise.
std::int32_t leadingInteger(const char* text) {
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    std::int64_t value = 0;
    for (; isDigit(*text); ++text)
        if (value < INT32_MAX) value = value * 10 + (*text - '0');
    if (value > INT32_MAX) value = INT32_MAX;
    return std::int32_t(negative ? -value : value);
}

// A leading decimal number ("-33.5", "8.", ".25"); 0 when the text starts otherwise.
double leadingDecimal(const char* text) {
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    double value = 0.0;
    for (; isDigit(*text); ++text)
        value = value * 10.0 + (*text - '0');
    if (*text == '.') {
        double scale = 0.1;
        for (++text; isDigit(*text); ++text, scale *= 0.1)
            value += (*text - '0') * scale;
    }
    return negative ? -value : value;
}

// The next ";"-separated field of `p` (which then points past the separator).
std::string nextField(const char*& p, std::size_t maxLength) {
    char field[kLineCapacity];
    readListItem(p, field, sizeof field);
    if (*p == ';') ++p;
    std::string text(field);
    if (text.size() > maxLength) text.resize(maxLength);
    return text;
}

bool lineIs(const char* line, std::size_t length, const char* word) {
    return length == std::strlen(word) && std::memcmp(line, word, length) == 0;
}

}  // namespace

void StationList::add(const StationRecord& record) {
    // At least a hundred records at a time, but in proportion to the list: steps of a fixed
    // size copy the whole list again and again, which made a caster's table of tens of
    // thousands of stations take seconds to read.
    if (m_records.size() == m_records.capacity())
        m_records.reserve(m_records.size() + std::max(kGrowth, m_records.size()));
    m_records.push_back(record);
}

bool StationList::get(long index, StationRecord& record) const {
    if (m_records.empty()) return false;
    if (index < 0) index = 0;
    if (std::size_t(index) >= m_records.size()) index = long(m_records.size() - 1);
    record = m_records[std::size_t(index)];
    return true;
}

StationRecord parseStreamLine(const char* line) {
    const char* p = line;
    nextField(p, 3);  // "STR"
    StationRecord r;
    r.mountPoint = nextField(p, kTextLength);
    r.identifier = nextField(p, kTextLength);
    r.format = nextField(p, kTextLength);
    r.formatDetails = nextField(p, kTextLength);
    r.carrier = leadingInteger(nextField(p, kTextLength).c_str());
    r.navigationSystem = nextField(p, kTextLength);
    r.network = nextField(p, kTextLength);
    r.country = nextField(p, 5);
    r.latitude = leadingDecimal(nextField(p, kTextLength).c_str());
    r.longitude = leadingDecimal(nextField(p, kTextLength).c_str());
    r.nmea = leadingInteger(nextField(p, kTextLength).c_str());
    r.solution = leadingInteger(nextField(p, kTextLength).c_str());
    r.generator = nextField(p, kTextLength);
    r.compression = nextField(p, kTextLength);
    r.authentication = nextField(p, 2);
    r.fee = nextField(p, 2);
    r.bitRate = leadingInteger(nextField(p, kTextLength).c_str());
    return r;
}

void parseSourceTable(const char* text, StationList& stations) {
    stations.clear();
    char line[kLineCapacity];
    std::size_t length = 0;
    bool inside = false;
    for (const char* p = text; *p != '\0'; ++p) {
        const char c = *p;
        if (c != '\r' && c != '\n') {
            if (length < kLineCapacity - 1) line[length++] = c;
            if (inside && lineIs(line, length, kTableEnd)) {
                inside = false;
                length = 0;
            }
            continue;
        }
        if (c != '\n') continue;
        line[length] = '\0';
        if (!inside) {
            inside = std::strncmp(line, kTableStart, sizeof kTableStart - 1) == 0;
        } else if (std::strncmp(line, "STR", 3) == 0) {
            stations.add(parseStreamLine(line));
        }
        length = 0;
    }
}

}  // namespace quorrel
