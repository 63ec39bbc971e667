// UHF radio commands of the receiver board and the electrical standard of the radio's port.
#include "receiver/CInternalReceiver.h"

namespace quorrel {
namespace {

constexpr const char* kRadioTokens[] = {"PDL", "ADL", "CVL", "MDL", "LFE", "LFA", "NONE"};
constexpr const char* kAirSpeeds[] = {"4800", "7600", "8000", "9600", "16000", "19200"};
constexpr const char* kSensitivities[] = {"LOW", "MED", "HIG", "OFF"};
// Protocol index → the digit the radio takes.
constexpr int kProtocolDigits[] = {1, 0, 1, 2, 3};

template <class T, std::size_t N>
constexpr bool inTable(int index, const T (&)[N]) {
    return index >= 0 && index < int(N);
}

// Radios sit on ports B, D and F; every other index gives "A".
std::string radioPort(int port) {
    return port == kPortB ? "B" : port == kPortD ? "D" : port == kPortF ? "F" : "A";
}

// The type query and the port-interface command know only B and D.
std::string radioPortWithoutF(int port) {
    return port == kPortF ? "A" : radioPort(port);
}

// CVL, LFE and LFA radios take a channel only.
bool takesChannelOnly(int type) {
    return type == kRadioCvl || type == kRadioLfe || type == kRadioLfa;
}

// Air speed, protocol and sensitivity after the channel, with the channel selection only
// where the radio has one (a PDL or MDL radio on port D); empty when the speed is unknown.
std::string fullParameters(int port, int type, int speed, int sensitivity, int protocol,
                           int channelSelection) {
    if (!inTable(speed, kAirSpeeds)) return {};
    const bool withSelection = port == kPortD && (type == kRadioPdl || type == kRadioMdl);
    const char* selection = !withSelection ? "" : channelSelection == 1 ? "MAN" : "AUT";
    const int digit = inTable(protocol, kProtocolDigits) ? kProtocolDigits[protocol] : 0;
    const char* level = inTable(sensitivity, kSensitivities) ? kSensitivities[sensitivity] : "LOW";
    return std::string(",") + selection + "," + std::to_string(digit) + "," + kAirSpeeds[speed] +
           "," + level;
}

}  // namespace

bool CInternalReceiver::RadioOn() {
    return runSetCommand("$PQVXS,RDP,ON\r\n");
}

bool CInternalReceiver::RadioOff() {
    return runSetCommand("$PQVXS,RDP,OFF\r\n");
}

bool CInternalReceiver::SetRadioType(int port, int type) {
    if (!inTable(type, kRadioTokens)) return false;
    return runSetCommand("$PQVXS,RDP,TYP," + radioPort(port) + "," + kRadioTokens[type] + "\r\n");
}

// The radio on port D is told its type is unknown and works it out itself; the caller
// reads the type back a moment later.
bool CInternalReceiver::DetectRadioType() {
    return runSetCommand("$PQVXS,RDP,TYP,D,UNKNOWN\r\n");
}

bool CInternalReceiver::QueryRadioType(int port, int& type) {
    if (!runQuery("$PQVXQ,RDP,TYP," + radioPortWithoutF(port) + "\r\n", ReplyKind::Rdp))
        return false;
    type = status().radio.get().radioType;
    return true;
}

bool CInternalReceiver::QueryRadioChannels(int port, int& count) {
    if (!runQuery("$PQVXQ,RDP,CHT," + radioPort(port) + "\r\n", ReplyKind::Rdp)) return false;
    count = status().radio.get().channelCount;
    return true;
}

bool CInternalReceiver::QueryRadioParameters(int port, RadioParameters& parameters) {
    if (!runQuery("$PQVXQ,RDP,PAR," + radioPort(port) + "\r\n", ReplyKind::Rdp)) return false;
    const RadioRecord radio = status().radio.get();
    parameters.radioType = radio.radioType;
    parameters.powerIndex = radio.powerIndex;
    parameters.speedIndex = radio.speedIndex;
    parameters.channel = radio.channel;
    parameters.sensitivityIndex = radio.sensitivityIndex;
    parameters.protocolIndex = radio.protocolIndex;
    parameters.modeIndex = radio.modeIndex;
    return true;
}

// Types without a parameter sentence (NONE, UNKNOWN, any other number) and, for the radios
// that take the full set, an air speed outside the table are refused unsent.
bool CInternalReceiver::SetRadioParameters(int port, int radioType, int speed, int channel,
                                           int sensitivity, int protocol, int channelSelection) {
    if (radioType < kRadioPdl || radioType > kRadioLfa) return false;
    std::string sentence = "$PQVXS,RDP,PAR," + radioPort(port) + "," + kRadioTokens[radioType] +
                           "," + std::to_string(channel);
    if (!takesChannelOnly(radioType)) {
        const std::string rest =
            fullParameters(port, radioType, speed, sensitivity, protocol, channelSelection);
        if (rest.empty()) return false;
        sentence += rest;
    }
    return runSetCommand(sentence + "\r\n");
}

bool CInternalReceiver::SetPortInterface(int radioPort, int mode) {
    if (mode != 0 && mode != 1) return false;  // RS-232 or RS-422, nothing else
    return runSetCommand("$PQVXS,MDP," + radioPortWithoutF(radioPort) + "," +
                         (mode == 0 ? "232" : "422") + "\r\n");
}

}  // namespace quorrel
