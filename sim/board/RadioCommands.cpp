#include "sim/board/RadioCommands.h"

#include <cstdio>

namespace quorrel {
namespace {

bool isRadioType(const std::string& type) {
    return isOneOf(type, {"PDL", "ADL", "CVL", "MDL", "LFE", "LFA", "NONE"});
}

// PDL, ADL and MDL take the full parameter set; the others a channel only.
bool takesFullParameters(const std::string& type) {
    return isOneOf(type, {"PDL", "ADL", "MDL"});
}

}  // namespace

int RadioCommands::channelCount(const std::string& type) {
    if (type == "ADL") return 32;
    if (type == "LFE") return 3;
    if (type == "LFA") return 50;
    if (type == "NONE" || type == "UNKNOWN") return 0;
    return 16;
}

void RadioCommands::registerWith(CommandDispatcher& d) {
    d.onSet("RDP", [this](const Command& c) { setRadio(c); });
    d.onQuery("RDP", [this](const Command& c) { queryRadio(c); });
    // MDP,port,232|422: the electrical standard of the port the radio hangs on.
    d.onSet("MDP", [this](const Command& c) {
        const int port = parsePort(c.field(0));
        const bool ok = c.count() == 2 && port >= 0 && isOneOf(c.field(1), {"232", "422"});
        if (ok) m_board.state.radios[port].rs422 = c.is(1, "422");
        acknowledge(c, ok);
    });
}

void RadioCommands::acknowledge(const Command& c, bool ok) {
    ok ? m_board.out.ack(c.code) : m_board.out.nak(c.code);
}

void RadioCommands::setRadio(const Command& c) {
    if (c.count() == 1 && isOneOf(c.field(0), {"ON", "OFF"})) {
        m_board.state.radioPower = c.is(0, "ON");
        return acknowledge(c, true);
    }
    if (c.is(0, "TYP")) return setType(c);
    if (c.is(0, "PAR")) return setParameters(c);
    acknowledge(c, false);
}

// TYP,port,type; "UNKNOWN" makes the radio report what it is after a moment.
void RadioCommands::setType(const Command& c) {
    const int port = parsePort(c.field(1));
    const bool detect = c.is(2, "UNKNOWN");
    if (c.count() != 3 || port < 0 || (!detect && !isRadioType(c.field(2))))
        return acknowledge(c, false);
    m_board.state.radios[port].type = c.field(2);
    acknowledge(c, true);
    if (!detect) return;
    m_board.timers.after(m_board.control.scaledMs(kDetectS), [this, port] {
        RadioSettings& radio = m_board.state.radios[port];
        if (radio.type != "UNKNOWN") return;
        const bool fitted = m_board.config.radioPort == portLetter(port);
        radio.type = fitted ? m_board.config.radioType : "NONE";
    });
}

// PAR,port,type,channel,AUT|MAN|(empty),protocol,speed,sensitivity, or PAR,port,type,channel
// for the radios that take a channel only.
void RadioCommands::setParameters(const Command& c) {
    const int port = parsePort(c.field(1));
    const std::string& type = c.field(2);
    const bool full = takesFullParameters(type);
    int channel = 0, protocol = 0;
    bool ok = port >= 0 && isRadioType(type) && type != "NONE" && c.count() == (full ? 8u : 4u) &&
              parseInteger(c.field(3), 0, channelCount(type), channel);
    if (ok && full) {
        ok = isOneOf(c.field(4), {"", "AUT", "MAN"}) && parseInteger(c.field(5), 0, 3, protocol) &&
             isOneOf(c.field(6), {"4800", "7600", "8000", "9600", "16000", "19200"}) &&
             isOneOf(c.field(7), {"LOW", "MED", "HIG", "OFF"});
    }
    if (ok) {
        RadioSettings& radio = m_board.state.radios[port];
        radio.type = type;
        radio.channel = channel;
        if (full) {
            if (!c.field(4).empty()) radio.channelMode = c.field(4);
            radio.protocolDigit = protocol;
            radio.airSpeed = c.field(6);
            radio.sensitivity = c.field(7);
        }
    }
    acknowledge(c, ok);
}

// TYP,port / CHT,port / PAR,port
void RadioCommands::queryRadio(const Command& c) {
    const int port = parsePort(c.field(1));
    if (c.count() != 2 || port < 0 || !isOneOf(c.field(0), {"TYP", "CHT", "PAR"}))
        return m_board.out.nak(c.code);
    const RadioSettings& radio = m_board.state.radios[port];
    std::string body = "PQVXR,RDP," + c.field(0) + "," + portLetter(port) + "," + radio.type;
    char tail[64] = "";
    if (c.is(0, "CHT")) {
        const int count = radio.channelCount >= 0 ? radio.channelCount : channelCount(radio.type);
        std::snprintf(tail, sizeof tail, ",%02d", count);
    } else if (c.is(0, "PAR")) {
        std::snprintf(tail, sizeof tail, ",%s,%02d,%s,%d,%s,%s",
                      m_board.state.radioPower ? "ON" : "OFF", radio.channel,
                      radio.channelMode.c_str(), radio.protocolDigit, radio.airSpeed.c_str(),
                      radio.sensitivity.c_str());
    }
    m_board.out.sentence(body + tail);
}

}  // namespace quorrel
