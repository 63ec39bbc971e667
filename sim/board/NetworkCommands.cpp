#include "sim/board/NetworkCommands.h"

namespace quorrel {
namespace {

bool isHostText(const std::string& text) {
    return !text.empty() && text.size() <= 35 && text.find(' ') == std::string::npos;
}

}  // namespace

void NetworkCommands::registerWith(CommandDispatcher& d) {
    d.onSet("MDM", [this](const Command& c) { m_board.modem.handleSet(c); });
    d.onQuery("MDM", [this](const Command& c) {
        if (c.count() != 0) return m_board.out.nak(c.code);
        m_board.out.sentence(m_board.modem.report());
    });
    d.onSet("DIP", [this](const Command& c) { setDirectIp(c); });
    d.onQuery("DIP", [this](const Command&) { queryDirectIp(); });
    d.onSet("NTR", [this](const Command& c) { setNtrip(c); });
    d.onQuery("NTR", [this](const Command& c) { queryNtrip(c); });
}

// DIP,RIP,address,PRT,port[,LGN,login,PWD,password] connects over GPRS and is acknowledged
// once the server accepted the connection; DIP,OFF closes it.
void NetworkCommands::setDirectIp(const Command& c) {
    if (c.count() == 1 && c.is(0, "OFF")) {
        m_board.directIp.disconnect();
        return m_board.out.ack(c.code);
    }
    int port = 0;
    const bool withLogin = c.count() == 8 && c.is(4, "LGN") && c.is(6, "PWD");
    const bool ok = (c.count() == 4 || withLogin) && c.is(0, "RIP") && isHostText(c.field(1)) &&
                    c.is(2, "PRT") && parseInteger(c.field(3), 1, 65535, port) &&
                    c.field(5).size() <= 35 && c.field(7).size() <= 35;
    if (!ok || !m_board.modem.ipReady()) return m_board.out.nak(c.code);
    DirectIpSettings& dip = m_board.state.directIp;
    dip = {c.field(1), port, c.field(5), c.field(7)};
    m_board.directIp.connect(dip.address, dip.port, m_board.timers.now(), [this](bool connected) {
        connected ? m_board.out.ack("DIP") : m_board.out.nak("DIP");
    });
}

void NetworkCommands::queryDirectIp() {
    const DirectIpSettings& dip = m_board.state.directIp;
    std::string body = "PQVXR,DIP,RIP," + dip.address + ",PRT," + std::to_string(dip.port);
    if (!dip.login.empty()) body += ",LGN," + dip.login + ",PWD," + dip.password;
    m_board.out.sentence(body);
}

bool NetworkCommands::casterKnown() const {
    return !m_board.state.ntrip.address.empty() && m_board.state.ntrip.port > 0;
}

CasterEndpoint NetworkCommands::caster() const {
    const NtripSettings& n = m_board.state.ntrip;
    return {n.address, n.port, n.login, n.password};
}

void NetworkCommands::setNtrip(const Command& c) {
    if (c.is(0, "PAR")) {
        return setNtripParameters(c) ? m_board.out.ack(c.code) : m_board.out.nak(c.code);
    }
    if (c.count() == 2 && c.is(0, "MTP") && c.is(1, "OFF")) {
        m_board.ntrip.disconnect();
        m_board.state.ntrip.mountPoint = "OFF";
        return m_board.out.ack(c.code);
    }
    const bool ready = casterKnown() && m_board.modem.ipReady();
    if (c.count() == 2 && c.is(0, "MTP") && !c.field(1).empty() && c.field(1).size() <= 100 &&
        ready)
        return connectMountPoint(c.field(1));
    if (c.count() == 1 && c.is(0, "LOD") && ready) return loadSourceTable();
    m_board.out.nak(c.code);
}

// PAR,ADD,address,PRT,port,LGN,login,PWD,password,TYP,type, keys in any order.
bool NetworkCommands::setNtripParameters(const Command& c) {
    if (c.count() % 2 == 0) return false;
    NtripSettings n = m_board.state.ntrip;
    for (std::size_t i = 1; i + 1 < c.count(); i += 2) {
        const std::string& key = c.field(i);
        const std::string& value = c.field(i + 1);
        bool ok = value.size() <= 35;
        if (key == "ADD")
            n.address = value;
        else if (key == "LGN")
            n.login = value;
        else if (key == "PWD")
            n.password = value;
        else if (key == "PRT")
            ok = parseInteger(value, 0, 65535, n.port);
        else if (key == "TYP")
            ok = parseInteger(value, 0, 9, n.type);
        else
            ok = false;
        if (!ok) return false;
    }
    m_board.state.ntrip = n;
    return true;
}

// Acknowledged at once; "OK" follows once correction data flows, "FAIL" on refusal or
// silence.
void NetworkCommands::connectMountPoint(const std::string& mount) {
    m_board.state.ntrip.mountPoint = mount;
    m_board.out.ack("NTR");
    m_board.ntrip.connect(caster(), mount, m_board.timers.now(), [this](bool flowing) {
        if (!flowing) m_board.state.ntrip.mountPoint = "OFF";
        m_board.out.sentence(flowing ? "PQVXR,NTR,OK" : "PQVXR,NTR,FAIL");
    });
}

void NetworkCommands::loadSourceTable() {
    m_board.out.ack("NTR");
    m_board.ntrip.loadSourceTable(caster(), m_board.timers.now(), [this](bool loaded) {
        m_board.out.sentence(loaded ? "PQVXR,NTR,OK" : "PQVXR,NTR,FAIL");
    });
}

// NTR: the caster parameters as key/value pairs; NTR,MTP: the mount point or OFF;
// NTR,TBL: the source table block (no checksum: the program reads it as one block).
void NetworkCommands::queryNtrip(const Command& c) {
    const NtripSettings& n = m_board.state.ntrip;
    if (c.count() == 0) {
        return m_board.out.sentence("PQVXR,NTR,ADD," + n.address + ",PRT," +
                                    std::to_string(n.port) + ",LGN," + n.login + ",PWD," +
                                    n.password + ",TYP," + std::to_string(n.type));
    }
    if (c.count() == 1 && c.is(0, "MTP"))
        return m_board.out.sentence("PQVXR,NTR,MTP," + n.mountPoint);
    if (c.count() == 1 && c.is(0, "TBL")) {
        if (!m_board.ntrip.hasSourceTable()) return m_board.out.sentence("PQVXR,NTR,FAIL");
        return m_board.out.send("$PQVXR,NTR,TBL\r\n" + m_board.ntrip.sourceTable(),
                                OutputKind::Reply);
    }
    m_board.out.nak(c.code);
}

}  // namespace quorrel
