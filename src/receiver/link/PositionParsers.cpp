// Parsers of the sentences that build the position record: GGA, GLL, GST, VTG, ZDA, VEC.
#include <cmath>

#include "receiver/link/Checksum.h"
#include "receiver/link/FieldReader.h"
#include "receiver/link/ParserSupport.h"
#include "receiver/link/SentenceParsers.h"

namespace quorrel {
namespace {

// Days before each month, in common and in leap years.
constexpr int kDaysBefore[2][12] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};
constexpr int kMjdOfGpsEpoch = 44244;  // 6 January 1980
constexpr double kGpsMinusUtcSeconds = 15.0;

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year == 2000);
}

// GPS week and time of week of a UTC date and time.
void setGpsTime(PositionRecord& record, int year, int month, int day, double secondsOfDay) {
    const int dayOfYear = kDaysBefore[isLeapYear(year) ? 1 : 0][month - 1] + day;
    const int mjd = (year - 1901) / 4 * 1461 + ((year - 1) % 4) * 365 + dayOfYear + 15384;
    const int days = mjd - kMjdOfGpsEpoch;
    const double fraction = secondsOfDay / 86400.0;
    record.gpsWeek = days / 7;
    const double timeOfWeek = (days % 7 + fraction) * 86400.0;
    const double roundedMs = std::trunc(timeOfWeek * 1000.0 + 0.5);
    record.gpsTimeOfWeek = roundedMs / 1000.0 + kGpsMinusUtcSeconds;
}

}  // namespace

bool parseGga(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kStandardHeadLength);
    PositionRecord& r = status.workingPosition();
    r.latitude = angleField(f, 2, 2, 'S');
    r.longitude = angleField(f, 4, 3, 'W');
    const char* p = f.at(6);
    r.solutionType = readDigits(p, 1) == 0 ? 0 : 1;
    p = f.at(7);
    r.satellitesUsed = readWholeNumber(p);
    p = f.at(9);
    r.altitude = readSignedDecimal(p, 3);
    p = f.at(11);
    const float separation = float(readSignedDecimal(p, 3));
    r.ellipsoidHeight = r.altitude + separation;
    p = f.at(13);
    r.correctionAge = saturatedInt(readDecimal(p, 1));
    status.setEpochFlag(0);
    return true;
}

bool parseGll(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kStandardHeadLength);
    PositionRecord& r = status.workingPosition();
    r.latitude = angleField(f, 1, 2, 'S');
    r.longitude = angleField(f, 3, 3, 'W');
    return true;
}

bool parseGst(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kStandardHeadLength);
    float errors[3];
    for (int i = 0; i < 3; ++i) {
        const char* p = f.at(6 + i);
        errors[i] = float(readDecimal(p, 3));
    }
    PositionRecord& r = status.workingPosition();
    r.horizontalError = std::sqrt(errors[0] * errors[0] + errors[1] * errors[1]);
    r.verticalError = errors[2];
    r.horizontalError2 = r.horizontalError;
    r.verticalError2 = r.verticalError;
    status.setEpochFlag(0);
    return true;
}

bool parseVtg(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kStandardHeadLength);
    PositionRecord& r = status.workingPosition();
    // Mode "N": the receiver has no valid course or speed.
    if (f.first(9) == 'N') {
        r.course = 0.0;
        r.speed = 0.0;
    } else {
        r.course = numberField(f.at(1));
        r.speed = numberField(f.at(7));
    }
    status.setEpochFlag(0);
    return true;
}

bool parseZda(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kStandardHeadLength);
    const char* p = f.at(1);
    const int hour = readDigits(p, 2);
    const int minute = readDigits(p, 2);
    const int second = readDigits(p, 2);
    int hundredths = 0;
    if (*p == '.') {
        const char* fraction = ++p;
        hundredths = readDigits(p, 2);
        if (p - fraction == 1) hundredths *= 10;  // "5" is half a second
    }
    p = f.at(2);
    const int day = readDigits(p, 2);
    p = f.at(3);
    const int month = readDigits(p, 2);
    p = f.at(4);
    const int year = readDigits(p, 4);

    PositionRecord& r = status.workingPosition();
    r.utcYear = std::uint16_t(year);
    r.utcMonth = std::uint16_t(month);
    r.utcDay = std::uint16_t(day);
    r.utcHour = std::uint16_t(hour);
    r.utcMinute = std::uint16_t(minute);
    r.utcSecond = std::uint16_t(second);
    r.utcMillisecond = std::uint16_t(hundredths * 10);
    // A month outside 1–12 has no place in the day table; the GPS time then stays as it was.
    if (month >= 1 && month <= 12)
        setGpsTime(r, year, month, day,
                   hour * 3600.0 + minute * 60.0 + second + hundredths / 100.0);
    status.setEpochFlag(0);
    return true;
}

bool parseVec(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    PositionRecord& r = status.workingPosition();
    const char* p = f.at(1);
    switch (readDigits(p, 9)) {
        case 0:
            r.solutionType = r.solutionType == 0 ? 0 : 1;
            break;
        case 1:
            r.solutionType = 3;
            break;
        case 2:
            r.solutionType = 4;
            break;
        case 3:
            r.solutionType = 5;
            break;
        case 9:
            r.solutionType = 2;
            break;
        default:
            r.solutionType = 1;
            break;
    }
    double* vector[3] = {&r.vectorX, &r.vectorY, &r.vectorZ};
    for (int i = 0; i < 3; ++i)
        *vector[i] = numberField(f.at(4 + i));
    status.publishPosition();
    status.setEpochFlag(1);
    return true;
}

}  // namespace quorrel
