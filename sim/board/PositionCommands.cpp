#include "sim/board/PositionCommands.h"

#include <cmath>
#include <cstdio>

#include "sim/board/NmeaFormatter.h"

namespace quorrel {
namespace {

bool isCorrectionFormat(const std::string& format) {
    return isOneOf(format, {"RT2", "RT3", "CMR", "CMP", "ATM"});
}

}  // namespace

bool parseAngle(const std::string& value, const std::string& hemisphere, bool latitude,
                double& degrees) {
    double packed = 0;
    if (!parseNumber(value, packed) || packed < 0) return false;
    const double whole = std::floor(packed / 100.0);
    const double minutes = packed - whole * 100.0;
    if (minutes >= 60.0 || whole > (latitude ? 90 : 180)) return false;
    const bool negative = hemisphere == (latitude ? "S" : "W");
    if (!negative && hemisphere != (latitude ? "N" : "E")) return false;
    degrees = (whole + minutes / 60.0) * (negative ? -1 : 1);
    return std::fabs(degrees) <= (latitude ? 90.0 : 180.0);
}

void PositionCommands::registerWith(CommandDispatcher& d) {
    d.onSet("STI", [this](const Command& c) { setSiteName(c); });
    d.onQuery("STI", [this](const Command&) {
        m_board.out.sentence("PQVXR,STI," + m_board.state.siteName);
    });
    d.onSet("POS", [this](const Command& c) { setPosition(c, false); });
    d.onSet("KPI", [this](const Command& c) { setPosition(c, true); });
    d.onSet("CPD", [this](const Command& c) { setCpd(c); });
    d.onQuery("CPD", [this](const Command& c) { queryCpd(c); });
    d.onSet("DYN", [this](const Command& c) {
        acknowledge(c, c.count() == 1 && parseInteger(c.field(0), 0, 99, m_board.state.dynamics));
    });
    d.onSet("OCC", [this](const Command& c) { setOccupation(c); });
    d.onSet("BAS", [this](const Command& c) { setBaseOutput(c); });
    d.onQuery("BAS", [this](const Command&) { queryBaseOutput(); });
    d.onSet("RTC", [this](const Command& c) { setMessageTypes(c, 0); });
    d.onSet("RNX", [this](const Command& c) { setMessageTypes(c, 3); });
    d.onSet("CMR", [this](const Command& c) { setMessageTypes(c, 2); });
}

void PositionCommands::acknowledge(const Command& c, bool ok) {
    ok ? m_board.out.ack(c.code) : m_board.out.nak(c.code);
}

// A station identifier has up to four characters.
void PositionCommands::setSiteName(const Command& c) {
    const bool ok = c.count() == 1 && !c.field(0).empty() && c.field(0).size() <= 4;
    if (ok) m_board.state.siteName = c.field(0);
    acknowledge(c, ok);
}

// POS: lat,N,lon,E,height; KPI adds the reference point PC1, ARP or SPT.
void PositionCommands::setPosition(const Command& c, bool knownPoint) {
    Geodetic point;
    const bool ok = c.count() == (knownPoint ? 6u : 5u) &&
                    parseAngle(c.field(0), c.field(1), true, point.latitudeDeg) &&
                    parseAngle(c.field(2), c.field(3), false, point.longitudeDeg) &&
                    parseNumber(c.field(4), point.heightM) &&
                    (!knownPoint || isOneOf(c.field(5), {"PC1", "ARP", "SPT"}));
    if (ok) {
        m_board.state.reference = point;
        if (knownPoint) m_board.state.referenceKind = c.field(5);
    }
    acknowledge(c, ok);
}

void PositionCommands::setCpd(const Command& c) {
    BoardState& s = m_board.state;
    if (c.count() == 1 && c.is(0, "RST")) {
        m_board.position.restartRtk(m_board.control.nowS());
        return acknowledge(c, true);
    }
    if (c.count() == 3 && c.is(0, "ARR") && c.is(1, "LEN"))
        return acknowledge(c, parseNumber(c.field(2), s.arrowLength) && s.arrowLength >= 0);
    if (c.count() == 3 && c.is(0, "ARR") && c.is(1, "MOD") && isOneOf(c.field(2), {"ON", "OFF"})) {
        s.arrowOn = c.is(2, "ON");
        return acknowledge(c, true);
    }
    int subMode = s.cpdSubMode;
    const bool ok =
        (c.count() == 2 || (c.count() == 3 && parseInteger(c.field(2), 0, 3, subMode))) &&
        c.is(0, "MOD") && isOneOf(c.field(1), {"BAS", "ROV"});
    if (ok) {
        s.baseMode = c.is(1, "BAS");
        s.cpdSubMode = subMode;
        m_board.position.setBaseMode(s.baseMode);
    }
    acknowledge(c, ok);
}

// MOD: "BAS"/"ROV" and the sub-mode digit. POS: the base's reference in base mode, the
// remote base while corrections flow, otherwise the reference last set.
void PositionCommands::queryCpd(const Command& c) {
    const BoardState& s = m_board.state;
    if (c.count() == 1 && c.is(0, "MOD")) {
        return m_board.out.sentence(std::string("PQVXR,CPD,MOD,") + (s.baseMode ? "BAS" : "ROV") +
                                    "," + std::to_string(s.cpdSubMode));
    }
    if (c.count() == 1 && c.is(0, "POS")) {
        const bool remote = !s.baseMode && m_board.position.correctionsFlowing();
        const Geodetic& p = remote ? m_board.position.base() : s.reference;
        char height[32];
        std::snprintf(height, sizeof height, "%.4f", p.heightM);
        return m_board.out.sentence("PQVXR,CPD,POS," + nmea::latitudeField(p.latitudeDeg) + "," +
                                    nmea::longitudeField(p.longitudeDeg) + "," + height);
    }
    m_board.out.nak(c.code);
}

// OCC,number,0|1,text,text: start (0) or end (1) of an occupation.
void PositionCommands::setOccupation(const Command& c) {
    int number = 0, edge = 0;
    acknowledge(c, c.count() == 4 && parseInteger(c.field(0), 0, 99999, number) &&
                       parseInteger(c.field(1), 0, 1, edge) && c.field(2).size() <= 255 &&
                       c.field(3).size() <= 255);
}

// BAS,port,format[,port,format]
void PositionCommands::setBaseOutput(const Command& c) {
    const bool one = c.count() == 2, two = c.count() == 4;
    const bool ok = (one || two) && parsePort(c.field(0)) >= 0 && isCorrectionFormat(c.field(1)) &&
                    (one || (parsePort(c.field(2)) >= 0 && isCorrectionFormat(c.field(3))));
    if (ok) {
        BaseOutputSettings& b = m_board.state.baseOutput;
        b.port1 = c.field(0)[0];
        b.format1 = c.field(1);
        b.port2 = two ? c.field(2)[0] : '\0';
        b.format2 = two ? c.field(3) : "";
    }
    acknowledge(c, ok);
}

void PositionCommands::queryBaseOutput() {
    const BaseOutputSettings& b = m_board.state.baseOutput;
    std::string body = std::string("PQVXR,BAS,") + b.port1 + "," + b.format1;
    if (b.port2 != '\0') body += std::string(",") + b.port2 + "," + b.format2;
    m_board.out.sentence(body);
}

// RTC,TYP,type[,period]; RNX,TYP,a,b,c; CMR,TYP,type,period.
void PositionCommands::setMessageTypes(const Command& c, std::size_t numbers) {
    if (numbers == 0) numbers = c.count() == 2 ? 1 : 2;
    bool ok = c.count() == numbers + 1 && c.is(0, "TYP");
    for (std::size_t i = 1; ok && i <= numbers; ++i) {
        int value = 0;
        ok = parseInteger(c.field(i), 0, 4095, value);
    }
    acknowledge(c, ok);
}

}  // namespace quorrel
