#include "receiver/link/FieldReader.h"

#include <climits>
#include <cstdint>

namespace quorrel {
namespace {

constexpr int kMaxFractionDigits = 18;
constexpr double kPowersOfTen[kMaxFractionDigits + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18,
};

bool isDigit(char c) {
    return static_cast<unsigned>(c - '0') < 10u;
}

bool endsField(char c, char separator) {
    return c == separator || c == '\r' || c == '\n' || c == '*' || c == '\0';
}

void copyUntil(const char*& p, char* out, std::size_t capacity, char separator) {
    std::size_t n = 0;
    while (!endsField(*p, separator)) {
        if (n + 1 < capacity) out[n++] = *p;
        ++p;
    }
    if (capacity > 0) out[n] = '\0';
}

// After a ".", up to `maxDigits` fraction digits as one division, so "2.8" is the double
// nearest 2.8.
double readFraction(const char*& p, int maxDigits) {
    if (*p != '.') return 0.0;
    ++p;
    if (maxDigits > kMaxFractionDigits) maxDigits = kMaxFractionDigits;
    std::uint64_t digits = 0;
    int n = 0;
    for (; n < maxDigits && isDigit(*p); ++n, ++p)
        digits = digits * 10 + std::uint64_t(*p - '0');
    return double(digits) / kPowersOfTen[n];
}

// A packed part with exactly `intDigits` integer digits at most (seconds of hhmmss.ss,
// minutes of ddmm.mmmm).
double readPackedDecimal(const char*& p, int intDigits, int maxFracDigits) {
    const int whole = readDigits(p, intDigits);
    return whole + readFraction(p, maxFracDigits);
}

double readAngle(const char*& p, int degreeDigits, char positive, char negative) {
    double value = readDegreesMinutes(p, degreeDigits);
    if (*p == ',') {
        if (p[1] == positive) {
            p += 2;
        } else if (p[1] == negative) {
            value = -value;
            p += 2;
        } else {
            p += 1;
        }
    }
    return value;
}

}  // namespace

int readDigits(const char*& p, int maxDigits) {
    int value = 0;
    for (int i = 0; i < maxDigits && isDigit(*p); ++i, ++p)
        value = value * 10 + (*p - '0');
    return value;
}

int readWholeNumber(const char*& p) {
    int value = 0;
    for (; isDigit(*p); ++p) {
        const int digit = *p - '0';
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return value;
}

double readDecimal(const char*& p, int maxFracDigits) {
    // Exact in an integer up to 19 digits; anything longer goes on in floating point.
    std::uint64_t whole = 0;
    int n = 0;
    for (; n < 19 && isDigit(*p); ++n, ++p)
        whole = whole * 10 + std::uint64_t(*p - '0');
    double value = double(whole);
    for (; isDigit(*p); ++p)
        value = value * 10.0 + (*p - '0');
    return value + readFraction(p, maxFracDigits);
}

double readSignedDecimal(const char*& p, int maxFracDigits) {
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const double value = readDecimal(p, maxFracDigits);
    return negative ? -value : value;
}

double readTimeOfDay(const char*& p) {
    const int hours = readDigits(p, 2);
    const int minutes = readDigits(p, 2);
    const double seconds = readPackedDecimal(p, 2, 3);
    return (hours * 60 + minutes) * 60 + seconds;
}

double readDegreesMinutes(const char*& p, int degreeDigits) {
    const double degrees = readDigits(p, degreeDigits);
    const double minutes = readPackedDecimal(p, 2, 6);
    return degrees + minutes * (1.0 / 60.0);
}

double readLatitude(const char*& p) {
    return readAngle(p, 2, 'N', 'S');
}

double readLongitude(const char*& p) {
    return readAngle(p, 3, 'E', 'W');
}

void readField(const char*& p, char* out, std::size_t capacity) {
    copyUntil(p, out, capacity, ',');
}

void readListItem(const char*& p, char* out, std::size_t capacity) {
    copyUntil(p, out, capacity, ';');
}

void skipField(const char*& p) {
    while (*p != ',' && *p != '\0')
        ++p;
    if (*p == ',') ++p;
}

}  // namespace quorrel
