// Parsers of the replies about the receiver's own settings, ports, output and recording.
#include <algorithm>

#include "receiver/link/Checksum.h"
#include "receiver/link/FieldReader.h"
#include "receiver/link/ParserSupport.h"
#include "receiver/link/SentenceParsers.h"

namespace quorrel {
namespace {

// Stores `value` in `slot` between clearing and setting the reply's flag.
template <class T, class V>
void store(ReceiverStatus& status, ReplyKind kind, ReplySlot<T>& slot, V&& value) {
    status.setReceived(kind, false);
    slot.set(std::forward<V>(value));
    status.setReceived(kind, true);
}

int digitsField(const SentenceFields& f, int n, int maxDigits) {
    const char* p = f.at(n);
    return readDigits(p, maxDigits);
}

double readDecimalField(const SentenceFields& f, int n, int maxFracDigits) {
    const char* p = f.at(n);
    return readDecimal(p, maxFracDigits);
}

// The PRT reply has no port E: its letter reads as A.
int prtPortCode(char letter) {
    switch (letter) {
        case 'B':
            return 1;
        case 'C':
            return 2;
        case 'D':
            return 3;
        case 'F':
            return 5;
        default:
            return 0;
    }
}

// Every NMEA message the NMO reply can list (all but VEC).
constexpr Token kNmoMessages[] = {
    {"POS", 0}, {"SAT", 1}, {"GGA", 2}, {"GLL", 3},  {"GSA", 4},  {"GST", 5},  {"GSV", 6},
    {"RMC", 7}, {"RRE", 8}, {"VTG", 9}, {"ZDA", 10}, {"A2D", 12}, {"OBI", 13}, {"WTI", 14},
};

int nmoMessageCode(const SentenceFields& f, int n) {
    for (const Token& token : kNmoMessages)
        if (f.equals(n, token.text)) return token.value;
    return -1;
}

bool isListEnd(char c) {
    return c == '*' || c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

bool parsePrt(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    PortReply reply;
    reply.portCode = prtPortCode(f.first(1));
    const char baud = f.first(2);
    reply.baudCode = baud >= '0' && baud <= '9' ? baud - '0' : 5;
    store(status, ReplyKind::Prt, status.port, reply);
    return true;
}

bool parseNpt(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    NptReply reply;
    reply.first = digitsField(f, 1, 9) != 0 ? 1 : 0;
    reply.second = digitsField(f, 2, 9) != 0 ? 1 : 0;
    store(status, ReplyKind::Npt, status.npt, reply);
    return true;
}

bool parseBth(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    std::string name;
    if (f.count() >= 1 && fieldLength(f.at(1)) == 0) {
        // Field 1 empty: the name starts three characters after the comma after the head.
        const std::size_t start = kReplyHeadLength + 3;
        bool inList = length > start;
        for (std::size_t i = kReplyHeadLength + 1; inList && i < start; ++i)
            inList = !isListEnd(sentence[i]);
        if (inList) {
            const char* p = sentence + start;
            name.assign(p, std::min(fieldLength(p), kBluetoothNameLength));
        }
    } else {
        // "$PQVXR,BTH,PRT,<name>": the name follows its key, as in the set command.
        name = f.text(2, kBluetoothNameLength);
    }
    store(status, ReplyKind::Bth, status.bluetoothName, std::move(name));
    return true;
}

bool parseNmo(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    const int announced = digitsField(f, 4, 2);
    status.setReceived(ReplyKind::Nmo, false);
    status.nmeaOutput.update([&](NmeaOutputReply& reply) {
        int stored = 0;
        for (int i = 0; i < announced && stored < NmeaOutputReply::kMaxPairs; ++i) {
            const int nameField = 5 + 2 * i;
            if (nameField > f.count()) break;  // the list ended early
            const int code = nmoMessageCode(f, nameField);
            if (code < 0) continue;
            reply.pairs[stored].code = code;
            reply.pairs[stored].periodSeconds = float(readDecimalField(f, nameField + 1, 2));
            ++stored;
        }
        reply.count = stored;
    });
    status.setReceived(ReplyKind::Nmo, true);
    return true;
}

bool parseObi(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    ObiReply reply;
    const char* p = f.at(1);
    reply.timeOfDay = readTimeOfDay(p);
    reply.value = float(readDecimalField(f, 2, 2));
    reply.count = digitsField(f, 3, 5);
    store(status, ReplyKind::Obi, status.obi, reply);
    return true;
}

bool parseSba(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Sba, status.sbas, std::uint8_t(f.equals(1, "ON") ? 1 : 0));
    return true;
}

bool parseGlo(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Glo, status.glonass, std::uint8_t(f.equals(1, "ON") ? 1 : 0));
    return true;
}

bool parseGns(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Gns, status.trackingMode, digitsField(f, 2, 1));
    return true;
}

bool parsePem(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Pem, status.elevationMask, digitsField(f, 1, 2));
    return true;
}

bool parseA2d(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    A2dReply reply;
    reply.valid = 1;
    reply.first = digitsField(f, 1, 1) == 1 ? 1 : 0;
    reply.second = digitsField(f, 2, 1) == 1 ? 1 : 0;
    store(status, ReplyKind::A2d, status.a2d, reply);
    return true;
}

bool parseAnh(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    AntennaHeightReply reply;
    reply.height = readDecimalField(f, 1, 3);
    reply.slant = f.equals(2, "S") ? 1 : 0;
    store(status, ReplyKind::Anh, status.antennaHeight, reply);
    return true;
}

bool parseAnr(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    const int reduction = lookupToken(f, 1, {{"OFF", 0}, {"ON", 1}, {"ARP", 2}}, 1);
    store(status, ReplyKind::Anr, status.antennaReduction, reduction);
    return true;
}

bool parseAnp(ReceiverStatus& status, const char* sentence, std::size_t length) {
    // Cleared before the checksum test: a damaged reply leaves no earlier name looking new.
    status.setReceived(ReplyKind::Anp, false);
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Anp, status.antennaName, f.text(2, kAntennaNameLength));
    return true;
}

bool parseSti(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Sti, status.siteName, f.text(1, kSiteNameLength));
    return true;
}

bool parseDri(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Dri, status.recordingInterval, readDecimalField(f, 1, 2));
    return true;
}

bool parseRec(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    const char state = f.first(1);
    store(status, ReplyKind::Rec, status.recording, state == 'R' || state == 'Y' ? 1 : 0);
    if (state == 'S' || state == 'N') status.recordingStopped = true;
    return true;
}

bool parseAtl(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    AtlReply reply;
    reply.on = f.equals(1, "ON") ? 1 : 0;
    reply.value = digitsField(f, 2, 9);
    reply.recording = f.first(3) == 'R' ? 1 : 0;
    store(status, ReplyKind::Atl, status.atl, reply);
    return true;
}

bool parseMem(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Mem, status.memory, digitsField(f, 1, 1));
    return true;
}

bool parseWti(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Wti, status.wti, digitsField(f, 1, 4));
    return true;
}

bool parseFil(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    store(status, ReplyKind::Fil, status.fileName, f.text(2, kFileNameLength));
    return true;
}

}  // namespace quorrel
