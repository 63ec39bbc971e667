#include "sim/board/OutputCommands.h"

#include <initializer_list>

#include "sim/board/OutputSchedule.h"

namespace quorrel {
namespace {

// "POS" switches the position messages of a standard epoch, "SAT" the satellite ones.
constexpr BoardMessage kPositionGroup[] = {BoardMessage::Gga, BoardMessage::Gsa, BoardMessage::Gsv,
                                           BoardMessage::Gst, BoardMessage::Zda, BoardMessage::Vtg,
                                           BoardMessage::Vec};
constexpr BoardMessage kSatelliteGroup[] = {BoardMessage::Gsa, BoardMessage::Gsv};

bool isBluetoothName(const std::string& name) {
    if (name.empty() || name.size() > 5) return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

}  // namespace

void OutputCommands::registerWith(CommandDispatcher& d) {
    d.onSet("NME", [this](const Command& c) { setMessage(c); });
    d.onQuery("NMO", [this](const Command& c) { queryOutput(c); });
    d.onSet("PRT", [this](const Command& c) { setPort(c); });
    d.onQuery("PRT", [this](const Command& c) { queryPort(c); });
    d.onSet("BTH", [this](const Command& c) { setBluetoothName(c); });
    // The name sits in the third field; the first two stay empty.
    d.onQuery("BTH", [this](const Command&) {
        m_board.out.sentence("PQVXR,BTH,,," + m_board.state.bluetoothName);
    });
}

void OutputCommands::acknowledge(const Command& c, bool ok) {
    ok ? m_board.out.ack(c.code) : m_board.out.nak(c.code);
}

bool OutputCommands::switchMessage(int port, const std::string& name, bool on,
                                   std::int64_t periodMs) {
    OutputSchedule& schedule = m_board.schedule;
    const std::int64_t period = on ? periodMs : 0;
    if (name == "ALL") {
        if (on) return false;
        schedule.allOff(port);
    } else if (name == "POS") {
        for (BoardMessage m : kPositionGroup)
            schedule.set(port, m, period);
    } else if (name == "SAT") {
        for (BoardMessage m : kSatelliteGroup)
            schedule.set(port, m, period);
    } else if (std::optional<BoardMessage> message = messageByName(name)) {
        schedule.set(port, *message, period);
    } else {
        return false;
    }
    return true;
}

// NME,message,port,ON,period / NME,message,port,OFF; POS may go on without a period (1 s).
void OutputCommands::setMessage(const Command& c) {
    const int port = parsePort(c.field(1));
    const bool on = c.is(2, "ON");
    std::int64_t periodMs = 1000;
    double seconds = 0;
    bool ok = port >= 0 && (on || c.is(2, "OFF"));
    if (ok && on && c.count() == 4)
        ok = parseNumber(c.field(3), seconds) &&
             OutputSchedule::periodFromSeconds(seconds, periodMs);
    else if (ok)
        ok = c.count() == 3 && (!on || c.is(0, "POS"));
    ok = ok && switchMessage(port, c.field(0), on, periodMs);
    acknowledge(c, ok);
    if (ok) m_board.control.outputChanged();
}

void OutputCommands::queryOutput(const Command& c) {
    const int port = c.count() == 1 ? parsePort(c.field(0)) : -1;
    if (port < 0) return m_board.out.nak(c.code);
    m_board.out.sentence("PQVXR,NMO," + m_board.schedule.report(port));
}

// PRT,port,code[,ON|OFF]: the baud code may be empty to switch the port only. A new rate on
// the port the program talks to takes effect after the acknowledgement has gone out.
void OutputCommands::setPort(const Command& c) {
    const int port = parsePort(c.field(0));
    int code = -1;
    const bool rateOk = c.field(1).empty() || parseInteger(c.field(1), 0, 9, code);
    const bool modeOk = c.count() == 2 || (c.count() == 3 && isOneOf(c.field(2), {"ON", "OFF"}));
    const bool ok = port >= 0 && rateOk && modeOk && (code >= 0 || c.count() == 3);
    acknowledge(c, ok);
    if (!ok) return;
    PortSettings& p = m_board.state.ports[port];
    if (code >= 0) p.baudCode = code;
    if (c.count() == 3) p.enabled = c.is(2, "ON");
}

// PRT without a port: the port the program is connected to.
void OutputCommands::queryPort(const Command& c) {
    int port = m_board.config.ownPort - 'A';
    if (c.count() == 1) port = parsePort(c.field(0));
    if (c.count() > 1 || port < 0) return m_board.out.nak(c.code);
    m_board.out.sentence(std::string("PQVXR,PRT,") + portLetter(port) + "," +
                         std::to_string(m_board.state.ports[port].baudCode));
}

// BTH,PRT,name: the handheld port the Bluetooth link serves, or NONE.
void OutputCommands::setBluetoothName(const Command& c) {
    const bool ok = c.count() == 2 && c.is(0, "PRT") && isBluetoothName(c.field(1));
    if (ok) m_board.state.bluetoothName = c.field(1);
    acknowledge(c, ok);
}

}  // namespace quorrel
