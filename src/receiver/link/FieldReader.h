#pragma once

#include <cstddef>

namespace quorrel {

// Field readers shared by every parser. Each advances `p` over what it read and stops at the
// first character that does not fit; the caller steps over the comma itself. All of them
// stop at a NUL, so a NUL-terminated sentence can never be overrun.
//
// A number field is read whole, however many digits the receiver sends: a fourth digit is
// a larger number, never a reason to read another one. Only the packed fields (hhmmss,
// ddmm.mmmm) and the fixed-width date fields are read by width.

// Up to `maxDigits` decimal digits (fixed-width fields); no digit gives 0.
int readDigits(const char*& p, int maxDigits);
// Every decimal digit there is (a PRN, a count); no digit gives 0, more than an int holds
// gives the largest int.
int readWholeNumber(const char*& p);
// The whole integer part, then after a "." up to `maxFracDigits` fraction digits (the
// field's precision: further digits are left unread, so 2.88 with one digit reads 2.8).
double readDecimal(const char*& p, int maxFracDigits);
// An optional "+" or "-", then as readDecimal.
double readSignedDecimal(const char*& p, int maxFracDigits);
// hhmmss.sss as seconds of the day.
double readTimeOfDay(const char*& p);
// Packed dd (or ddd) degrees and mm.mmmmmm minutes as degrees; minutes take up to six
// fraction digits.
double readDegreesMinutes(const char*& p, int degreeDigits);
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
