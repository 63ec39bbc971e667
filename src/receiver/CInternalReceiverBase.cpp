// Base/rover mode and the correction formats a base sends, on the receiver board.
#include "receiver/CInternalReceiver.h"
#include "receiver/CommandText.h"

namespace quorrel {
namespace {

// 0 base, 1 rover; every other mode has no sentence.
const char* cpdModeText(int mode) {
    return mode == 0 ? "BAS" : mode == 1 ? "ROV" : nullptr;
}

// Format codes 1 "RT2", 3 "CMR", 4 "CMP", 5 "ATM"; "RT3" for 2 and anything else.
const char* baseFormatText(int format) {
    switch (format) {
        case 1:
            return "RT2";
        case 3:
            return "CMR";
        case 4:
            return "CMP";
        case 5:
            return "ATM";
        default:
            return "RT3";
    }
}

std::string baseOutputField(int port, int format) {
    return std::string(1, fullPortLetter(port)) + "," + baseFormatText(format);
}

}  // namespace

bool CInternalReceiver::SetCpdMode(int mode) {
    const char* text = cpdModeText(mode);
    if (text == nullptr) return false;
    return runSetCommand(std::string("$PQVXS,CPD,MOD,") + text + "\r\n");
}

bool CInternalReceiver::SetCpdModeEx(int mode, int subMode) {
    const char* text = cpdModeText(mode);
    if (text == nullptr) return false;
    return runSetCommand(std::string("$PQVXS,CPD,MOD,") + text + "," + std::to_string(subMode) +
                         "\r\n");
}

bool CInternalReceiver::SetRover() {
    return runSetCommand("$PQVXS,CPD,MOD,ROV\r\n");
}

bool CInternalReceiver::QueryCpdMode(int& mode) {
    if (!runQuery("$PQVXQ,CPD,MOD\r\n", ReplyKind::Cpd)) return false;
    mode = status().cpd.get().mode;
    return true;
}

bool CInternalReceiver::QueryCpdModeEx(int& mode, int& subMode) {
    if (!runQuery("$PQVXQ,CPD,MOD\r\n", ReplyKind::Cpd)) return false;
    const CpdReply reply = status().cpd.get();
    mode = reply.mode;
    subMode = reply.modeDigit;
    return true;
}

bool CInternalReceiver::SetBaseOutput(int port, int format) {
    return runSetCommand("$PQVXS,BAS," + baseOutputField(port, format) + "\r\n");
}

bool CInternalReceiver::SetBaseOutput2(int port1, int format1, int port2, int format2) {
    return runSetCommand("$PQVXS,BAS," + baseOutputField(port1, format1) + "," +
                         baseOutputField(port2, format2) + "\r\n");
}

bool CInternalReceiver::QueryBaseOutput(int& port, int& format) {
    if (!runQuery("$PQVXQ,BAS\r\n", ReplyKind::Bas)) return false;
    const BaseOutputReply reply = status().baseOutput.get();
    port = reply.port1;
    format = reply.format1;
    return true;
}

bool CInternalReceiver::QueryBaseOutput2(int& port1, int& format1, int& port2, int& format2) {
    if (!runQuery("$PQVXQ,BAS\r\n", ReplyKind::Bas)) return false;
    const BaseOutputReply reply = status().baseOutput.get();
    port1 = reply.port1;
    format1 = reply.format1;
    port2 = reply.port2;
    format2 = reply.format2;
    return true;
}

}  // namespace quorrel
