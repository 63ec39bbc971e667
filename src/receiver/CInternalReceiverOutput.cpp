// Output, port, device and correction-message commands of the receiver board.
#include <cmath>
#include <span>

#include "receiver/CInternalReceiver.h"
#include "receiver/CommandText.h"
#include "receiver/SentenceText.h"

namespace quorrel {
namespace {

// One call of a correction-message preset.
struct CorrectionCall {
    enum Kind { Rtcm, Atom, Cmr } kind;
    int a, b, c;
};

using C = CorrectionCall;
constexpr CorrectionCall kPreset0[] = {{C::Atom, 4, 1, 31}};
constexpr CorrectionCall kPreset1[] = {{C::Atom, 100, 1, 31}};
constexpr CorrectionCall kPreset2[] = {{C::Atom, 101, 1, 31}};
constexpr CorrectionCall kPreset3[] = {{C::Rtcm, 1000, 0, 0},
                                       {C::Rtcm, 1004, 1, 0},
                                       {C::Rtcm, 1006, 13, 0},
                                       {C::Rtcm, 1012, 1, 0},
                                       {C::Rtcm, 1033, 31, 0}};
constexpr CorrectionCall kPreset4[] = {
    {C::Rtcm, 0, 0, 0}, {C::Rtcm, 18, 1, 0}, {C::Rtcm, 23, 31, 0}, {C::Rtcm, 24, 13, 0}};
constexpr CorrectionCall kPreset5[] = {
    {C::Rtcm, 0, 0, 0}, {C::Rtcm, 1, 1, 0}, {C::Rtcm, 3, 30, 0}, {C::Rtcm, 31, 1, 0}};
constexpr CorrectionCall kPreset6[] = {
    {C::Cmr, 0, 1, 0}, {C::Cmr, 1, 30, 0}, {C::Cmr, 2, 30, 0}, {C::Cmr, 3, 1, 0}};
constexpr std::span<const CorrectionCall> kPresets[] = {kPreset0, kPreset1, kPreset2, kPreset3,
                                                        kPreset4, kPreset5, kPreset6};

std::string portText(char letter) {
    return std::string(1, letter);
}

// The messages of the standard output, in the order they are switched on.
constexpr int kStandardMessages[] = {kMsgGga, kMsgGsa, kMsgGsv, kMsgGst, kMsgZda, kMsgVec, kMsgVtg};

}  // namespace

bool CInternalReceiver::SetNmeaMessage(int port, int message, bool on, float periodSeconds) {
    const char* name = nmeaMessageText(message);
    if (name == nullptr) return false;
    std::string sentence = std::string("$PQVXS,NME,") + name + "," + portText(fullPortLetter(port));
    if (on) {
        if (!std::isfinite(periodSeconds)) return false;
        sentence += ",ON," + fixedText(periodSeconds, 2);
    } else {
        sentence += ",OFF";
    }
    return runSetCommand(sentence + "\r\n");
}

bool CInternalReceiver::SetPositionOutput(bool on, int port) {
    const std::string letter = portText(fullPortLetter(port));
    return runSetCommand(on ? "$PQVXS,NME,POS," + letter + ",ON\r\n"
                            : "$PQVXS,NME,ALL," + letter + ",OFF\r\n");
}

bool CInternalReceiver::QueryNmeaOutput(int port, NmeaOutputRecord& output) {
    if (!runQuery("$PQVXQ,NMO," + portText(fullPortLetter(port)) + "\r\n", ReplyKind::Nmo))
        return false;
    const NmeaOutputReply reply = status().nmeaOutput.get();
    for (int i = 0; i < NmeaOutputReply::kMaxPairs; ++i) {
        output.entries[i].code = reply.pairs[i].code;
        output.entries[i].periodSeconds = reply.pairs[i].periodSeconds;
    }
    output.count = reply.count;
    return true;
}

bool CInternalReceiver::StartStandardOutput(int port) {
    const float period = 1.0f / float(m_outputRate);
    bool result = false;
    for (const int message : kStandardMessages)
        result = SetNmeaMessage(port, message, true, period);
    return result;
}

bool CInternalReceiver::SetObiOutput(bool on) {
    return SetNmeaMessage(m_nmeaPort, kMsgObi, on, 1.0f);
}

bool CInternalReceiver::EnableWtiOutput() {
    return SetNmeaMessage(m_nmeaPort, kMsgWti, true, 1.0f);
}

int CInternalReceiver::GetWti() {
    return status().wti.get();
}

bool CInternalReceiver::SetPortBaud(int port, int baudCode, int outputMode) {
    if (baudCode < 0 || baudCode > 9) return false;  // one digit on the wire
    std::string sentence =
        "$PQVXS,PRT," + portText(noEPortLetter(port)) + "," + std::to_string(baudCode);
    if (outputMode == 0) sentence += ",ON";
    if (outputMode == 1) sentence += ",OFF";
    return runSetCommand(sentence + "\r\n");
}

bool CInternalReceiver::QueryPortBaud(int port, int& baudCode) {
    if (!runQuery("$PQVXQ,PRT," + portText(fullPortLetter(port)) + "\r\n", ReplyKind::Prt))
        return false;
    baudCode = status().port.get().baudCode;
    return true;
}

bool CInternalReceiver::QueryOwnPort(int& port, int& baudCode) {
    if (!runQuery("$PQVXQ,PRT\r\n", ReplyKind::Prt)) return false;
    const PortReply reply = status().port.get();
    port = reply.portCode;
    baudCode = reply.baudCode;
    return true;
}

bool CInternalReceiver::SetBluetoothName(const std::u16string& name) {
    std::string text;
    if (!toSentenceText(name, text)) return false;
    if (!runSetCommand("$PQVXS,BTH,PRT," + text + "\r\n")) return false;
    return runSetCommand(text != "NONE" ? "$PQVXS,PRT,C,,ON\r\n" : "$PQVXS,PRT,C,,OFF\r\n");
}

bool CInternalReceiver::QueryBluetoothName(std::u16string& name) {
    if (!runQuery("$PQVXQ,BTH\r\n", ReplyKind::Bth)) return false;
    name = fromReceiverText(status().bluetoothName.get());
    return true;
}

bool CInternalReceiver::QueryVersion(std::u16string& gnssFirmware, std::u16string& systemFirmware,
                                     std::u16string& receiverVersion) {
    if (!runQuery("$PQVXQ,VERSION\r\n", ReplyKind::Version)) return false;
    const VersionReply reply = status().version.get();
    gnssFirmware = fromReceiverText(reply.gnssFirmware);
    systemFirmware = fromReceiverText(reply.systemFirmware);
    receiverVersion = fromReceiverText(reply.receiverVersion);
    return true;
}

SerialNumberAnswer CInternalReceiver::QuerySerialNumber(std::string& number) {
    if (!runQuery("$PQVXQ,VERSION\r\n", ReplyKind::Version)) return SerialNumberAnswer::NotAsked;
    const VersionReply reply = status().version.get();
    if (!reply.hasSerialNumber) return SerialNumberAnswer::Unknown;
    number = reply.serialNumber;
    return SerialNumberAnswer::Known;
}

bool CInternalReceiver::PowerOff() {
    if (!runSetCommand("$PQVXS,PWR,OFF\r\n")) return false;
    m_poweredOff = true;
    return true;
}

bool CInternalReceiver::ResetReceiver() {
    return runSetCommand("$PQVXS,RST\r\n");
}

bool CInternalReceiver::InitializeMemory(int value) {
    return runSetCommand("$PQVXS,INI," + std::to_string(value) + "\r\n");
}

bool CInternalReceiver::SetRtcmMessage(int type, int period) {
    std::string sentence = "$PQVXS,RTC,TYP," + std::to_string(type);
    if (type != 0 && type != 1000) sentence += std::string(",") + std::to_string(period);
    return runSetCommand(sentence + "\r\n");
}

bool CInternalReceiver::SetAtomMessage(int type, int value1, int value2) {
    return runSetCommand("$PQVXS,RNX,TYP," + std::to_string(type) + "," + std::to_string(value1) +
                         "," + std::to_string(value2) + "\r\n");
}

bool CInternalReceiver::SetCmrMessage(int type, int period) {
    return runSetCommand("$PQVXS,CMR,TYP," + std::to_string(type) + "," + std::to_string(period) +
                         "\r\n");
}

bool CInternalReceiver::SetCorrectionMessages(int preset) {
    constexpr int kPresetCount = int(sizeof kPresets / sizeof kPresets[0]);
    if (preset < 0 || preset >= kPresetCount) return true;  // nothing to send
    bool result = true;
    for (const CorrectionCall& call : kPresets[preset]) {
        if (call.kind == CorrectionCall::Rtcm) result = SetRtcmMessage(call.a, call.b);
        if (call.kind == CorrectionCall::Atom) result = SetAtomMessage(call.a, call.b, call.c);
        if (call.kind == CorrectionCall::Cmr) result = SetCmrMessage(call.a, call.b);
        if (!result) break;
    }
    return result;
}

}  // namespace quorrel
