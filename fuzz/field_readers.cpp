// Every field reader over arbitrary NUL-terminated text, field after field.
#include <cstdint>
#include <string>

#include "receiver/link/FieldReader.h"

using namespace quorrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    char out[32];
    for (int reader = 0; reader < 12; ++reader) {
        const char* p = text.c_str();
        const char* end = p + text.size();
        while (p < end && *p != '\0') {
            const char* before = p;
            switch (reader) {
                case 0:
                    readDigits(p, 5);
                    break;
                case 1:
                    readDecimal(p, 6);
                    break;
                case 2:
                    readSignedDecimal(p, 3);
                    break;
                case 3:
                    readTimeOfDay(p);
                    break;
                case 4:
                    readLatitude(p);
                    break;
                case 5:
                    readLongitude(p);
                    break;
                case 6:
                    readField(p, out, sizeof out);
                    break;
                case 7:
                    readListItem(p, out, sizeof out);
                    break;
                case 8:
                    readField(p, out, 1);
                    break;
                case 9:
                    readWholeNumber(p);
                    break;
                case 10:
                    readDegreesMinutes(p, 3);
                    break;
                default:
                    break;
            }
            if (p > end) __builtin_trap();
            skipField(p);
            if (p == before) ++p;  // a delimiter the reader does not step over
        }
    }
    return 0;
}
