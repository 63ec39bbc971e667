#include "sim/board/ReceiverCommands.h"

#include <cstdio>

namespace quorrel {
namespace {

std::string onOff(bool on) {
    return on ? "ON" : "OFF";
}

bool isAntennaCode(const std::string& name) {
    if (name.empty() || name.size() > 31) return false;
    for (char c : name)
        if (c < ' ' || c > '~') return false;
    return true;
}

}  // namespace

void ReceiverCommands::registerWith(CommandDispatcher& d) {
    registerTracking(d);
    registerAntenna(d);
    registerDevice(d);
}

void ReceiverCommands::acknowledge(const Command& c, bool ok) {
    ok ? m_board.out.ack(c.code) : m_board.out.nak(c.code);
}

void ReceiverCommands::registerTracking(CommandDispatcher& d) {
    BoardState& s = m_board.state;
    d.onSet("SBA", [this, &s](const Command& c) { setOnOff(c, s.sbas); });
    d.onQuery("SBA",
              [this, &s](const Command&) { m_board.out.sentence("PQVXR,SBA," + onOff(s.sbas)); });
    d.onSet("GLO", [this, &s](const Command& c) { setOnOff(c, s.glonass); });
    d.onQuery("GLO", [this, &s](const Command&) {
        m_board.out.sentence("PQVXR,GLO," + onOff(s.glonass));
    });
    d.onSet("GNS", [this](const Command& c) { setTrackingMode(c); });
    d.onQuery("GNS", [this, &s](const Command& c) {
        if (c.count() != 1 || !c.is(0, "CFG")) return m_board.out.nak(c.code);
        m_board.out.sentence("PQVXR,GNS,CFG," + std::to_string(s.trackingMode));
    });
    d.onSet("PEM", [this, &s](const Command& c) {
        acknowledge(c, c.count() == 1 && parseInteger(c.field(0), 0, 90, s.elevationMaskDeg));
    });
    d.onQuery("PEM", [this, &s](const Command&) {
        char body[32];
        std::snprintf(body, sizeof body, "PQVXR,PEM,%02d", s.elevationMaskDeg);
        m_board.out.sentence(body);
    });
}

void ReceiverCommands::registerAntenna(CommandDispatcher& d) {
    BoardState& s = m_board.state;
    d.onSet("ANH", [this](const Command& c) { setAntennaHeight(c); });
    d.onQuery("ANH", [this, &s](const Command&) {
        char body[48];
        std::snprintf(body, sizeof body, "PQVXR,ANH,%.3f,%s", s.antennaHeightM,
                      s.slantHeight ? "S" : "V");
        m_board.out.sentence(body);
    });
    d.onSet("ANT", [this](const Command& c) { setAntennaOffsets(c); });
    d.onSet("ANR", [this, &s](const Command& c) {
        const bool ok = c.count() == 1 && isOneOf(c.field(0), {"OFF", "ON", "ARP"});
        if (ok) s.antennaReduction = c.field(0);
        acknowledge(c, ok);
    });
    d.onQuery("ANR", [this, &s](const Command&) {
        m_board.out.sentence("PQVXR,ANR," + s.antennaReduction);
    });
    d.onSet("ANP", [this](const Command& c) { setAntennaName(c); });
    d.onQuery("ANP", [this](const Command& c) { queryAntennaName(c); });
}

void ReceiverCommands::registerDevice(CommandDispatcher& d) {
    d.onSet("NPT", [this](const Command& c) { setPorts(c); });
    d.onQuery("NPT", [this](const Command&) {
        const int* npt = m_board.state.npt;
        m_board.out.sentence("PQVXR,NPT," + std::to_string(npt[0]) + "," + std::to_string(npt[1]));
    });
    d.onQuery("VERSION", [this](const Command&) { sendVersion(); });
    d.onSet("PWR", [this](const Command& c) {
        if (c.count() != 1 || !c.is(0, "OFF")) return acknowledge(c, false);
        acknowledge(c, true);
        m_board.control.powerOff();
    });
    d.onSet("RST", [this](const Command& c) {
        if (c.count() != 0) return acknowledge(c, false);
        acknowledge(c, true);
        m_board.control.reset();
    });
    // INI,n: clears the board's memory (n selects what); recordings are gone afterwards.
    d.onSet("INI", [this](const Command& c) {
        int what = 0;
        const bool ok = c.count() == 1 && parseInteger(c.field(0), 0, 99, what);
        if (ok && !m_board.state.recording.recording) m_board.state.recording.fileSerial = 0;
        acknowledge(c, ok);
    });
}

void ReceiverCommands::setOnOff(const Command& c, bool& target) {
    const bool ok = c.count() == 1 && isOneOf(c.field(0), {"ON", "OFF"});
    if (ok) target = c.is(0, "ON");
    acknowledge(c, ok);
}

// GNS,CFG,mode: 0 GPS L1, 1 GPS/GLONASS L1, 2 GPS L1/L2P, 3 GPS L1/L2C, 4 GPS/GLONASS L1/L2.
void ReceiverCommands::setTrackingMode(const Command& c) {
    acknowledge(c, c.count() == 2 && c.is(0, "CFG") &&
                       parseInteger(c.field(1), 0, 4, m_board.state.trackingMode));
}

// ANH,height,V|S
void ReceiverCommands::setAntennaHeight(const Command& c) {
    double height = 0;
    const bool ok = c.count() == 2 && parseNumber(c.field(0), height) && height >= 0 &&
                    height < 100 && isOneOf(c.field(1), {"V", "S"});
    if (ok) {
        m_board.state.antennaHeightM = height;
        m_board.state.slantHeight = c.is(1, "S");
    }
    acknowledge(c, ok);
}

// ANT,up,north,east: phase-centre offsets in metres.
void ReceiverCommands::setAntennaOffsets(const Command& c) {
    std::array<double, 3> offsets{};
    bool ok = c.count() == 3;
    for (std::size_t i = 0; ok && i < 3; ++i)
        ok = parseNumber(c.field(i), offsets[i]);
    if (ok) m_board.state.antennaOffsets = offsets;
    acknowledge(c, ok);
}

// ANP,OWN,code sets the antenna; ANP,OUT,code|OFF the antenna the output is reduced to.
void ReceiverCommands::setAntennaName(const Command& c) {
    const bool ok =
        c.count() == 2 && isOneOf(c.field(0), {"OWN", "OUT"}) && isAntennaCode(c.field(1));
    if (ok)
        (c.is(0, "OWN") ? m_board.state.antennaName : m_board.state.virtualAntenna) = c.field(1);
    acknowledge(c, ok);
}

void ReceiverCommands::queryAntennaName(const Command& c) {
    if (c.count() == 1 && c.is(0, "OWN"))
        return m_board.out.sentence("PQVXR,ANP,OWN," + m_board.state.antennaName);
    if (c.count() == 1 && c.is(0, "OUT"))
        return m_board.out.sentence("PQVXR,ANP,OUT," + m_board.state.virtualAntenna);
    m_board.out.nak(c.code);
}

// NPT,a,b: two one-digit switches of the NMEA port behaviour.
void ReceiverCommands::setPorts(const Command& c) {
    int a = 0, b = 0;
    const bool ok =
        c.count() == 2 && parseInteger(c.field(0), 0, 9, a) && parseInteger(c.field(1), 0, 9, b);
    if (ok) {
        m_board.state.npt[0] = a;
        m_board.state.npt[1] = b;
    }
    acknowledge(c, ok);
}

// Four plain text lines, not a sentence.
void ReceiverCommands::sendVersion() {
    const BoardConfig& k = m_board.config;
    m_board.out.send("RECEIVER VERSION: " + k.receiverVersion + "\r\nSYS fw: " + k.systemFirmware +
                         "\r\nGNSS fw: " + k.gnssFirmware + "\r\nSERIAL NO: " + k.serialNumber +
                         "\r\n",
                     OutputKind::Reply);
}

}  // namespace quorrel
