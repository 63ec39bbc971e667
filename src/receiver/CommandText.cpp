#include "receiver/CommandText.h"

#include <charconv>
#include <cmath>

namespace quorrel {
namespace {

constexpr const char* kNmeaMessages[] = {
    "POS", "SAT", "GGA", "GLL", "GSA", "GST", "GSV", "RMC",
    "RRE", "VTG", "ZDA", "VEC", "A2D", "OBI", "WTI",
};

constexpr int kMinuteDecimals = 7;

// Whole degrees followed by the minutes, always with two integer digits.
std::string degreesAndMinutes(double angle) {
    const double magnitude = std::fabs(angle);
    long long degrees = static_cast<long long>(magnitude);
    std::string minutes = fixedText((magnitude - double(degrees)) * 60.0, kMinuteDecimals);
    if (minutes.compare(0, 3, "60.") == 0) {
        ++degrees;
        minutes = fixedText(0.0, kMinuteDecimals);
    }
    if (minutes.find('.') == 1) minutes.insert(0, 1, '0');
    return std::to_string(degrees) + minutes;
}

}  // namespace

std::string fixedText(double value, int decimals) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    return std::string(text, result.ptr);
}

char fullPortLetter(int port) {
    return port >= 0 && port <= 5 ? char('A' + port) : 'A';
}

char noEPortLetter(int port) {
    return port == 4 ? 'A' : fullPortLetter(port);
}

const char* nmeaMessageText(int code) {
    constexpr int count = int(sizeof kNmeaMessages / sizeof kNmeaMessages[0]);
    return code >= 0 && code < count ? kNmeaMessages[code] : nullptr;
}

std::string positionText(double latitude, double longitude) {
    return degreesAndMinutes(latitude) + (latitude < 0 ? ",S," : ",N,") +
           degreesAndMinutes(longitude) + (longitude < 0 ? ",W" : ",E");
}

}  // namespace quorrel
