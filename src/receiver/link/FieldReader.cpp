#include "receiver/link/FieldReader.h"

namespace quorrel {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
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

double readAngle(const char*& p, int degreeDigits, char positive, char negative) {
    const double degrees = readDigits(p, degreeDigits);
    const double minutes = readDecimal(p, 2, 6);
    double value = degrees + minutes * (1.0 / 60.0);
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

double readDecimal(const char*& p, int maxIntDigits, int maxFracDigits) {
    double value = 0.0;
    for (int i = 0; i < maxIntDigits && isDigit(*p); ++i, ++p)
        value = value * 10.0 + (*p - '0');
    if (*p == '.') {
        ++p;
        double scale = 0.1;
        for (int i = 0; i < maxFracDigits && isDigit(*p); ++i, ++p) {
            value += (*p - '0') * scale;
            scale *= 0.1;
        }
    }
    return value;
}

double readSignedDecimal(const char*& p, int maxIntDigits, int maxFracDigits) {
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const double value = readDecimal(p, maxIntDigits, maxFracDigits);
    return negative ? -value : value;
}

double readTimeOfDay(const char*& p) {
    const int hours = readDigits(p, 2);
    const int minutes = readDigits(p, 2);
    const double seconds = readDecimal(p, 2, 3);
    return (hours * 60 + minutes) * 60 + seconds;
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
