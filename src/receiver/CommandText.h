#pragma once

#include <string>

namespace quorrel {

// Pieces of the command sentences, formatted the same way whatever the program's locale.

// `value` with `decimals` fraction digits ("%.Nf" in the C locale).
std::string fixedText(double value, int decimals);

// Port letter of the full mapping (0–5 → "A"–"F", any other index "A").
char fullPortLetter(int port);
// Port letter of the PRT set command, which has no port E (4 and any other index "A").
char noEPortLetter(int port);

// The code text of NMEA message 0–14 ("POS" … "WTI"); null for any other code.
const char* nmeaMessageText(int code);

// Latitude and longitude as the position commands take them: "ddmm.mmmmmmm,N,dddmm.mmmmmmm,E"
// with whole degrees, minutes with two integer and seven fraction digits (a value that
// rounds to 60 minutes carries into the degrees) and the hemisphere letter.
std::string positionText(double latitude, double longitude);

}  // namespace quorrel
