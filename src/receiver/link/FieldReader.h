#pragma once

#include <cstddef>

namespace quorrel {

// Fixed-width field readers shared by every parser. Each advances `p` over what it read and
// stops at the first character that does not fit; the caller steps over the comma itself.
// All of them stop at a NUL, so a NUL-terminated sentence can never be overrun.

// Up to `maxDigits` decimal digits; no digit gives 0.
int readDigits(const char*& p, int maxDigits);
// Up to `maxIntDigits` integer digits, then after a "." up to `maxFracDigits` fraction digits.
double readDecimal(const char*& p, int maxIntDigits, int maxFracDigits);
// An optional "+" or "-", then as readDecimal.
double readSignedDecimal(const char*& p, int maxIntDigits, int maxFracDigits);
// hhmmss.sss as seconds of the day.
double readTimeOfDay(const char*& p);
// ddmm.mmmmmm then, on a comma, the hemisphere letter ("S" negative).
double readLatitude(const char*& p);
// dddmm.mmmmmm then, on a comma, the hemisphere letter ("W" negative).
double readLongitude(const char*& p);
// Copies up to a comma, CR, LF, "*" or NUL into `out` (cut to capacity - 1, always
// terminated); `p` stays on the delimiter.
void readField(const char*& p, char* out, std::size_t capacity);
// As readField with ";" in place of the comma (source-table records).
void readListItem(const char*& p, char* out, std::size_t capacity);
// Moves `p` past the next comma, or onto the end of the sentence when there is none.
void skipField(const char*& p);

}  // namespace quorrel
