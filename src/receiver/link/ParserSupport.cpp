#include "receiver/link/ParserSupport.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "receiver/link/FieldReader.h"

namespace quorrel {

double angleField(const SentenceFields& fields, int n, int degreeDigits, char negative) {
    const char* p = fields.at(n);
    const double value = readDegreesMinutes(p, degreeDigits);
    return fields.first(n + 1) == negative ? -value : value;
}

double numberField(const char* p) {
    const char* end = p + fieldLength(p);
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end || *p < '0' || *p > '9') {
        if (p == end || *p != '.') return 0.0;
    }
    double value = 0.0;
    const auto result = std::from_chars(p, end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

int saturatedInt(double value) {
    if (std::isnan(value)) return 0;
    if (value <= double(INT_MIN)) return INT_MIN;
    if (value >= double(INT_MAX)) return INT_MAX;
    return int(value);
}

int lookupToken(const SentenceFields& fields, int n, std::initializer_list<Token> table,
                int fallback) {
    for (const Token& token : table)
        if (fields.equals(n, token.text)) return token.value;
    return fallback;
}

}  // namespace quorrel
