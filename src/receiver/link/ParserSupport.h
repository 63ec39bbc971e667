#pragma once

#include <cstddef>
#include <initializer_list>

#include "receiver/link/SentenceFields.h"

namespace quorrel {

// Heads whose fields the parsers count: "$GPGGA" and "$PQVXR,PRT".
constexpr std::size_t kStandardHeadLength = 6;
constexpr std::size_t kReplyHeadLength = 10;

// A latitude (2 degree digits) or longitude (3) in field `n`, minutes with up to six
// fraction digits (further digits are ignored), signed by the hemisphere letter in field
// n + 1: `negative` ("S" or "W") makes it negative, anything else positive.
double angleField(const SentenceFields& fields, int n, int degreeDigits, char negative);

// The leading decimal number of a text field ("+"/"-" allowed), independent of the
// program's locale; 0 when the field does not begin with a number.
double numberField(const char* p);

// `value` truncated towards zero, held to the range of an int (NaN gives 0): numbers read
// whole can be larger than any the record has room for.
int saturatedInt(double value);

struct Token {
    const char* text;
    int value;
};
// The value of the token that field `n` equals, or `fallback`.
int lookupToken(const SentenceFields& fields, int n, std::initializer_list<Token> table,
                int fallback);

}  // namespace quorrel
