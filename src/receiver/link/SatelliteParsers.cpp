// Parsers of the satellite sentences: GSA (used list, DOP) and GSV (satellite table).
#include <cmath>
#include <cstring>

#include "receiver/link/Checksum.h"
#include "receiver/link/FieldReader.h"
#include "receiver/link/ParserSupport.h"
#include "receiver/link/SentenceParsers.h"

namespace quorrel {
namespace {

constexpr int kPrnFieldsPerGsa = 12;
constexpr int kSatellitesPerGsv = 4;
constexpr int kMaxGsvMessages = 4;

// A PRN, read whole (193 is that satellite, never 19); 33–64 are SBAS satellites, numbered
// 120–151.
int readPrn(const char* p) {
    const int prn = readWholeNumber(p);
    return prn >= 33 && prn <= 64 ? prn + 87 : prn;
}

bool isGps(int prn) {
    return prn >= 1 && prn <= 32;
}
bool isGlonass(int prn) {
    return prn >= 65 && prn <= 96;
}
bool isSbasInUsedList(int prn) {
    return prn >= 120 && prn <= 138;
}

void clearUsed(ReceiverStatus::UsedList& used, PositionRecord& record) {
    used.fill(0);
    record.glonassUsed = 0;
}

int leadingUsed(const ReceiverStatus::UsedList& used) {
    int n = 0;
    while (n < ReceiverStatus::kUsedListSize && used[n] != 0)
        ++n;
    return n;
}

// Puts the PRN fields of one GSA into the used list. A "GN" sentence clears the list only
// when it brings GPS satellites, and appends GLONASS/SBAS ones after the entries already
// there, so that a GN pair (GPS, then GLONASS) yields one combined list.
void storeUsedPrns(ReceiverStatus::UsedList& used, PositionRecord& record, const SentenceFields& f,
                   bool combined) {
    bool firstPending = combined;
    int stored = 0;
    int offset = 0;
    for (int i = 0; i < kPrnFieldsPerGsa; ++i) {
        const int prn = readPrn(f.at(3 + i));
        int slot;
        if (isGps(prn)) {
            if (firstPending) clearUsed(used, record);
            firstPending = false;
            slot = stored;
        } else if (isGlonass(prn) || isSbasInUsedList(prn)) {
            if (firstPending) offset = leadingUsed(used);
            firstPending = false;
            slot = stored + offset;
            if (isGlonass(prn)) record.glonassUsed = 1;
        } else {
            continue;
        }
        if (slot >= ReceiverStatus::kUsedListSize) continue;
        used[std::size_t(slot)] = prn;
        ++stored;
    }
}

}  // namespace

bool parseGsa(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kStandardHeadLength);
    const bool combined = std::strncmp(sentence, "$GN", 3) == 0;
    PositionRecord& record = status.workingPosition();
    ReceiverStatus::UsedList used = status.usedList();
    if (!combined) clearUsed(used, record);
    storeUsedPrns(used, record, f, combined);
    status.setUsedList(used);
    const char* p = f.at(15);
    record.pdop = float(readDecimal(p, 1));
    p = f.at(16);
    record.hdop = float(readDecimal(p, 1));
    status.setEpochFlag(0);
    return true;
}

bool parseGsv(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kStandardHeadLength);
    const char* p = f.at(1);
    const int total = readWholeNumber(p);
    p = f.at(2);
    const int number = readWholeNumber(p);
    if (total < 1 || total > kMaxGsvMessages || number < 1 || number > kMaxGsvMessages) return true;
    p = f.at(3);
    const int inView = readWholeNumber(p);

    SatelliteTable& table = status.workingSatellites();
    const bool glonass = std::strncmp(sentence, "$GL", 3) == 0;
    int start;
    if (glonass) {
        // GLONASS satellites follow the GPS ones, from the first free entry.
        start = 0;
        while (start < kSatelliteSlots && table[start].prn != 0)
            ++start;
    } else {
        if (number == 1) table.fill(SatelliteEntry{});
        start = (number - 1) * kSatellitesPerGsv;
    }
    int inMessage = kSatellitesPerGsv;
    if (number == total) inMessage = inView - (total - 1) * kSatellitesPerGsv;
    if (inMessage > kSatellitesPerGsv) inMessage = kSatellitesPerGsv;
    for (int i = 0; i < inMessage && start + i < kSatelliteSlots; ++i) {
        const int field = 4 + i * 4;
        SatelliteEntry& entry = table[start + i];
        entry.prn = readPrn(f.at(field));
        p = f.at(field + 1);
        entry.elevation = readWholeNumber(p);
        p = f.at(field + 2);
        entry.azimuth = readWholeNumber(p);
        p = f.at(field + 3);
        entry.snr = saturatedInt(std::round(readDecimal(p, 1)));
        entry.used = status.isUsed(entry.prn) ? 1 : 0;
    }
    if (number == total) status.publishSatellites();
    status.setEpochFlag(0);
    return true;
}

}  // namespace quorrel
