// Parsers of the differential-link replies: MDM, DIP, CPD, RDP, NTR and BAS.
#include <cstring>
#include <string_view>

#include "receiver/link/Checksum.h"
#include "receiver/link/FieldReader.h"
#include "receiver/link/ParserSupport.h"
#include "receiver/link/SentenceParsers.h"

namespace quorrel {
namespace {

constexpr int kMdl = 3;  // radio type index of an "MDL" radio

bool isListEnd(char c) {
    return c == '*' || c == '\r' || c == '\n' || c == '\0';
}

std::string cut(const char* p, std::size_t length, std::size_t maxLength) {
    return std::string(p, length < maxLength ? length : maxLength);
}

// Walks a keyed list "KEY,value,KEY,value…" from `p`: each entry is a three-letter key, one
// separator character and a value running to the next comma. Ends at "*", CR, LF or NUL.
template <class F>
void forEachKey(const char* p, F&& visit) {
    while (!isListEnd(*p)) {
        if (fieldLength(p) < 3) {  // too short to be a key: step over it
            p += fieldLength(p);
            if (*p == ',') ++p;
            continue;
        }
        const std::string_view key(p, 3);
        p += 3;
        if (isListEnd(*p)) break;
        ++p;  // the separator
        const std::size_t length = fieldLength(p);
        visit(key, p, length);
        p += length;
        if (*p == ',') ++p;
    }
}

// Moves `p` on by `n` characters unless the sentence ends first.
bool advance(const char*& p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] == '\0') return false;
    p += n;
    return true;
}

void storeModemKey(ModemReply& r, std::string_view key, const char* value, std::size_t length) {
    const char first = length > 0 ? value[0] : '\0';
    if (key == "PWR") r.power = cut(value, length, ModemReply::kPowerLength);
    if (key == "PIN") r.pin = cut(value, length, ModemReply::kPinLength);
    if (key == "APN") r.accessPoint = cut(value, length, ModemReply::kTextLength);
    if (key == "LGN") r.login = cut(value, length, ModemReply::kTextLength);
    if (key == "PWD") r.password = cut(value, length, ModemReply::kTextLength);
    if (key == "PHN") r.phoneNumber = cut(value, length, ModemReply::kPhoneLength);
    if (key == "BND") r.band = first;
    if (key == "PTC") r.protocol = first;
    if (key == "CBS") r.cbs = first;
    if (key == "IPT") r.ipType = first;
    if (key == "ADL") r.autoDial = first;
    if (key == "RNO") r.rno = 0;
}

void storeNtripKey(NtripParametersReply& r, std::string_view key, const char* value,
                   std::size_t length) {
    if (key == "LGN") r.login = cut(value, length, NtripParametersReply::kLoginLength);
    if (key == "PWD") r.password = cut(value, length, NtripParametersReply::kPasswordLength);
    if (key == "ADD") r.address = cut(value, length, NtripParametersReply::kAddressLength);
    if (key == "PRT") r.port = readDigits(value, 9);
}

// Radio ports sit on B, D and F.
int radioPort(char letter) {
    return letter == 'B' ? 1 : letter == 'D' ? 3 : letter == 'F' ? 5 : 0;
}

int radioType(const SentenceFields& f, int n, int unknownValue) {
    return lookupToken(f, n,
                       {{"PDL", 0},
                        {"ADL", 1},
                        {"CVL", 2},
                        {"MDL", 3},
                        {"LFE", 4},
                        {"LFA", 5},
                        {"NONE", 6},
                        {"UNKNOWN", unknownValue}},
                       6);
}

int radioProtocol(int digit, int type) {
    switch (digit) {
        case 1:
            return type == kMdl ? 0 : 2;
        case 2:
            return 3;
        case 3:
            return 4;
        default:
            return 1;
    }
}

void storeRadioParameters(RadioRecord& r, const SentenceFields& f) {
    r.radioPort = radioPort(f.first(2));
    r.radioType = radioType(f, 3, 7);
    r.powerIndex = f.equals(4, "ON") ? 0 : 1;
    const char* p = f.at(5);
    r.channel = readDigits(p, 2);
    r.modeIndex = f.equals(6, "MAN") ? 1 : 0;
    p = f.at(7);
    r.protocolIndex = radioProtocol(readDigits(p, 1), r.radioType);
    r.speedIndex = lookupToken(
        f, 8, {{"4800", 0}, {"7600", 1}, {"8000", 2}, {"9600", 3}, {"16000", 4}, {"19200", 5}}, 0);
    r.sensitivityIndex = lookupToken(f, 9, {{"LOW", 0}, {"MED", 1}, {"HIG", 2}, {"OFF", 3}}, 0);
}

int basePort(char letter) {
    return letter >= 'B' && letter <= 'F' ? letter - 'A' : 0;
}

int baseFormat(const SentenceFields& f, int n) {
    return lookupToken(f, n, {{"RT2", 1}, {"RT3", 2}, {"CMR", 3}, {"CMP", 4}, {"ATM", 5}}, 0);
}

// The reference position: three fields (signed degrees, signed degrees, height), or the
// hemisphere layout of the position command (ddmm.mmm,N,dddmm.mmm,E,height).
void storeReferencePosition(CpdReply& r, const SentenceFields& f) {
    const char hemisphere = f.first(3);
    if (fieldLength(f.at(3)) == 1 && (hemisphere == 'N' || hemisphere == 'S')) {
        r.latitude = angleField(f, 2, 2, 'S');
        r.longitude = angleField(f, 4, 3, 'W');
        r.height = numberField(f.at(6));
    } else {
        r.latitude = numberField(f.at(2));
        r.longitude = numberField(f.at(3));
        r.height = numberField(f.at(4));
    }
}

// A damaged MDM or NTR reply may have been the "OK" or "FAIL" a command waits for: it ends
// a wait for a result of its own kind as a failure instead of leaving it to run to its
// time-out. A wait for the other kind goes on.
bool damagedResult(ReceiverStatus& status, ResultSource source) {
    status.reportResult(source, false);
    return false;
}

}  // namespace

bool parseMdm(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return damagedResult(status, ResultSource::Modem);
    const SentenceFields f(sentence, length, kReplyHeadLength);
    if (f.equals(1, "INI")) {
        if (f.equals(2, "OK") || f.equals(2, "FAIL"))
            status.reportResult(ResultSource::Modem, f.equals(2, "OK"));
        return true;
    }
    status.setReceived(ReplyKind::Mdm, false);
    status.modem.update([&](ModemReply& r) {
        r.modemState = lookupToken(
            f, 3, {{"OFF", 1}, {"ON", 2}, {"INIT", 3}, {"DIALING", 4}, {"ONLINE", 5}}, 0);
        if (f.count() >= 4)
            forEachKey(f.at(4), [&](std::string_view key, const char* value, std::size_t n) {
                storeModemKey(r, key, value, n);
            });
    });
    status.setReceived(ReplyKind::Mdm, true);
    return true;
}

bool parseDip(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    DirectIpReply r;
    const char* p = f.at(2);
    std::size_t n = fieldLength(p);
    r.address = cut(p, n, DirectIpReply::kAddressLength);
    p += n;
    // ",PRT," lies between the address and the port.
    if (f.count() >= 2 && advance(p, 5)) {
        r.port = readDigits(p, 5);
        if (std::strstr(p, "LGN") != nullptr && advance(p, 5)) {
            n = fieldLength(p);
            r.login = cut(p, n, DirectIpReply::kLoginLength);
            p += n;
            if (advance(p, 5)) r.password = cut(p, fieldLength(p), DirectIpReply::kPasswordLength);
        }
    }
    status.setReceived(ReplyKind::Dip, false);
    status.directIp.set(std::move(r));
    status.setReceived(ReplyKind::Dip, true);
    return true;
}

bool parseCpd(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    status.setReceived(ReplyKind::Cpd, false);
    if (f.equals(1, "MOD")) {
        status.cpd.update([&](CpdReply& r) {
            r.mode = lookupToken(f, 2, {{"BAS", 0}, {"ROV", 1}}, r.mode);
            const char digit = f.first(3);
            if (digit >= '0' && digit <= '3') r.modeDigit = digit - '0';
        });
    } else if (f.equals(1, "POS")) {
        status.cpd.update([&](CpdReply& r) { storeReferencePosition(r, f); });
    } else if (!f.equals(1, "AFP") && !f.equals(1, "ANT") && !f.equals(1, "FST") &&
               !f.equals(1, "NET")) {
        return true;  // a sub-reply no command waits for
    }
    status.setReceived(ReplyKind::Cpd, true);
    return true;
}

bool parseRdp(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    status.setReceived(ReplyKind::Rdp, false);
    status.radio.update([&](RadioRecord& r) {
        if (f.equals(1, "TYP")) {
            r.radioPort = radioPort(f.first(2));
            r.radioType = radioType(f, 3, 7);
        } else if (f.equals(1, "PAR")) {
            storeRadioParameters(r, f);
        } else if (f.equals(1, "CHT")) {
            r.radioPort = radioPort(f.first(2));
            r.radioType = radioType(f, 3, 6);
            const char* p = f.at(4);
            r.channelCount = readDigits(p, 2);
        }
    });
    status.setReceived(ReplyKind::Rdp, true);
    return true;
}

bool parseNtr(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return damagedResult(status, ResultSource::Ntrip);
    const SentenceFields f(sentence, length, kReplyHeadLength);
    if (f.equals(1, "FAIL") || f.equals(1, "OK")) {
        status.reportResult(ResultSource::Ntrip, f.equals(1, "OK"));
    } else if (f.equals(1, "MTP")) {
        status.setReceived(ReplyKind::NtrMountPoint, false);
        status.mountPoint.set(f.text(2, kMountPointLength));
        status.setReceived(ReplyKind::NtrMountPoint, true);
    } else if (f.equals(1, "TBL")) {
        // The caster's table starts on the line after the head.
        const char* lineEnd = static_cast<const char*>(std::memchr(sentence, '\n', length));
        if (lineEnd == nullptr || std::strncmp(lineEnd + 1, "SOURCETABLE", 11) != 0) return true;
        const char* from = f.at(1) + 2;  // the last letter of "TBL"
        status.setReceived(ReplyKind::NtrSourceTable, false);
        status.sourceTable.set(std::string(from, sentence + length));
        status.setReceived(ReplyKind::NtrSourceTable, true);
    } else {
        status.setReceived(ReplyKind::NtrParameters, false);
        status.ntripParameters.update([&](NtripParametersReply& r) {
            forEachKey(f.at(1), [&](std::string_view key, const char* value, std::size_t n) {
                storeNtripKey(r, key, value, n);
            });
        });
        status.setReceived(ReplyKind::NtrParameters, true);
    }
    return true;
}

bool parseBas(ReceiverStatus& status, const char* sentence, std::size_t length) {
    if (!checksumOk(sentence, length)) return false;
    const SentenceFields f(sentence, length, kReplyHeadLength);
    BaseOutputReply r;
    r.port1 = basePort(f.first(1));
    r.format1 = baseFormat(f, 2);
    if (f.count() >= 3) {
        r.port2 = basePort(f.first(3));
        r.format2 = baseFormat(f, 4);
    }
    status.setReceived(ReplyKind::Bas, false);
    status.baseOutput.set(r);
    status.setReceived(ReplyKind::Bas, true);
    return true;
}

}  // namespace quorrel
