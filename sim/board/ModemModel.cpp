#include "sim/board/ModemModel.h"

#include <algorithm>
#include <cmath>

namespace quorrel {
namespace {

bool assign(bool ok, std::string& target, const std::string& value) {
    if (ok) target = value;
    return ok;
}

bool isDigits(const std::string& value, std::size_t limit) {
    return value.size() <= limit &&
           std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isPhoneNumber(const std::string& value) {
    return value.size() <= 23 && std::all_of(value.begin(), value.end(), [](char c) {
               return (c >= '0' && c <= '9') || c == '+' || c == '#' || c == '*';
           });
}

bool setFlag(const std::string& value, const char* allowed, char& out) {
    if (value.size() != 1 || std::string(allowed).find(value[0]) == std::string::npos) return false;
    out = value[0];
    return true;
}

}  // namespace

const char* boardModemStateText(BoardModemState state) {
    switch (state) {
        case BoardModemState::None:
            return "NONE";
        case BoardModemState::Off:
            return "OFF";
        case BoardModemState::On:
            return "ON";
        case BoardModemState::Init:
            return "INIT";
        case BoardModemState::Dialing:
            return "DIALING";
        case BoardModemState::Online:
            return "ONLINE";
    }
    return "NONE";
}

ModemModel::ModemModel(const BoardConfig& config, TimerQueue& timers, BoardOutput& out)
    : m_config(config),
      m_timers(timers),
      m_out(out),
      m_state(config.modemFitted ? BoardModemState::Off : BoardModemState::None),
      m_dialAnswers(config.dialAnswers) {}

std::int64_t ModemModel::scaledMs(double seconds) const {
    return std::llround(seconds * 1000.0 * m_config.timeScale);
}

bool ModemModel::ipReady() const {
    return m_settings.protocol == '1' &&
           (m_state == BoardModemState::Init || (m_state == BoardModemState::Online && !m_csdCall));
}

void ModemModel::setIpActive(bool active) {
    if (m_settings.protocol != '1' || m_csdCall) return;
    if (active && m_state == BoardModemState::Init) m_state = BoardModemState::Online;
    if (!active && m_state == BoardModemState::Online) m_state = BoardModemState::Init;
}

void ModemModel::handleSet(const Command& c) {
    if (m_state == BoardModemState::None) return m_out.nak("MDM");
    if (c.count() == 1 && c.is(0, "ON")) return powerOn();
    if (c.count() == 1 && c.is(0, "OFF")) return powerOff();
    if (c.count() == 1 && c.is(0, "INI")) return initialise();
    if (c.count() == 2 && c.is(0, "DAL") && (c.is(1, "0") || c.is(1, "1")))
        return autoDial(c.is(1, "1"));
    if (c.is(0, "PAR") && applyParameters(c)) return m_out.ack("MDM");
    m_out.nak("MDM");
}

void ModemModel::powerOn() {
    if (m_state != BoardModemState::Off) return m_out.ack("MDM");
    const int generation = ++m_generation;
    m_timers.after(scaledMs(kPowerOnS), [this, generation] {
        if (generation != m_generation) return;
        m_state = BoardModemState::On;
        m_out.ack("MDM");
    });
}

void ModemModel::powerOff() {
    const int generation = ++m_generation;
    m_csdCall = false;
    m_settings.autoDial = 'N';
    m_timers.after(scaledMs(kPowerOffS), [this, generation] {
        if (generation != m_generation) return;
        m_state = BoardModemState::Off;
        m_out.ack("MDM");
    });
}

void ModemModel::initialise() {
    if (m_state != BoardModemState::On && m_state != BoardModemState::Init) return m_out.nak("MDM");
    m_out.ack("MDM");
    const int generation = ++m_generation;
    m_timers.after(scaledMs(kInitS), [this, generation] {
        if (generation != m_generation) return;
        // The SIM refuses a wrong PIN; the modem then stays switched on, not registered.
        if (!m_config.simPin.empty() && m_settings.pin != m_config.simPin) {
            m_state = BoardModemState::On;
            return m_out.sentence("PQVXR,MDM,INI,FAIL");
        }
        m_state = BoardModemState::Init;
        m_out.sentence("PQVXR,MDM,INI,OK");
    });
}

void ModemModel::autoDial(bool on) {
    if (!on) {
        m_settings.autoDial = 'N';
        if (m_state == BoardModemState::Dialing || csdOnline()) {
            ++m_generation;
            m_csdCall = false;
            m_state = BoardModemState::Init;
        }
        return m_out.ack("MDM");
    }
    if (m_settings.protocol == '1') {
        m_settings.autoDial = 'Y';
        return m_out.ack("MDM");
    }
    if (m_state != BoardModemState::Init || m_settings.phone.empty()) return m_out.nak("MDM");
    m_settings.autoDial = 'Y';
    m_state = BoardModemState::Dialing;
    m_out.ack("MDM");
    dialAttempt(++m_generation, 1);
}

void ModemModel::dialAttempt(int generation, int attempt) {
    m_timers.after(scaledMs(kDialS), [this, generation, attempt] {
        if (generation != m_generation) return;
        if (m_dialAnswers) {
            m_state = BoardModemState::Online;
            m_csdCall = true;
        } else if (attempt < kDialAttempts) {
            dialAttempt(generation, attempt + 1);
        } else {
            // The modem gives up and switches itself off.
            m_state = BoardModemState::Off;
            m_settings.autoDial = 'N';
        }
    });
}

// "PAR" then key/value pairs: PIN, PTC, PHN, APN, LGN, PWD, IPT, ADL, BND, CBS.
bool ModemModel::applyParameters(const Command& c) {
    if (c.count() < 3 || c.count() % 2 == 0) return false;
    ModemSettings s = m_settings;
    for (std::size_t i = 1; i + 1 < c.count(); i += 2)
        if (!applyPair(s, c.field(i), c.field(i + 1))) return false;
    m_settings = s;
    return true;
}

bool ModemModel::applyPair(ModemSettings& s, const std::string& key, const std::string& value) {
    if (key == "PIN") return assign(isDigits(value, 8), s.pin, value);
    if (key == "PHN") return assign(isPhoneNumber(value), s.phone, value);
    if (key == "APN") return assign(value.size() <= 35, s.apn, value);
    if (key == "LGN") return assign(value.size() <= 35, s.login, value);
    if (key == "PWD") return assign(value.size() <= 35, s.password, value);
    if (key == "PTC") return setFlag(value, "01", s.protocol);
    if (key == "IPT") return setFlag(value, "01", s.ipProtocol);
    if (key == "ADL") return setFlag(value, "YN", s.autoDial);
    if (key == "BND") return setFlag(value, "0123", s.band);
    if (key == "CBS") return setFlag(value, "01", s.broadcast);
    return false;
}

// MDM,GSM,signal,state,PWR,ON,PIN,…,RNO,0: two fields the program skips, the state, then
// key/value pairs with one separator.
std::string ModemModel::report() const {
    const bool powered = m_state != BoardModemState::Off && m_state != BoardModemState::None;
    const ModemSettings& s = m_settings;
    std::string body = "PQVXR,MDM,GSM,";
    body += powered ? "21," : "99,";
    body += boardModemStateText(m_state);
    body += std::string(",PWR,") + (powered ? "ON" : "OFF") + ",PIN," + s.pin + ",BND," + s.band +
            ",PTC," + s.protocol + ",CBS," + s.broadcast + ",APN," + s.apn + ",LGN," + s.login +
            ",PWD," + s.password + ",IPT," + s.ipProtocol + ",PHN," + s.phone + ",ADL," +
            s.autoDial + ",RNO,0";
    return body;
}

}  // namespace quorrel
