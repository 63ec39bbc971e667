#pragma once

#include <string>

#include "sim/board/BoardConfig.h"
#include "sim/board/BoardOutput.h"
#include "sim/board/Command.h"
#include "sim/board/TimerQueue.h"

namespace quorrel {

enum class BoardModemState { None, Off, On, Init, Dialing, Online };
const char* boardModemStateText(BoardModemState state);

struct ModemSettings {
    std::string pin;
    char protocol = '1';  // PTC: '0' CSD, '1' GPRS
    std::string phone, apn = "internet", login, password;
    char ipProtocol = '0';  // IPT
    char autoDial = 'N';    // ADL
    char band = '0';        // BND
    char broadcast = '0';   // CBS
};

// The GSM/GPRS modem on the board: OFF → ON → INIT, then DIALING → ONLINE for a CSD call
// or ONLINE while an IP link runs over GPRS. Each step takes the modem's time; commands
// send their own acknowledgement, some of them only when the step is done.
class ModemModel {
public:
    // Seconds each step takes before the time scale.
    static constexpr double kPowerOnS = 2.5;
    static constexpr double kPowerOffS = 1.0;
    static constexpr double kInitS = 3.0;
    static constexpr double kDialS = 6.0;
    static constexpr int kDialAttempts = 3;

    ModemModel(const BoardConfig& config, TimerQueue& timers, BoardOutput& out);

    BoardModemState state() const { return m_state; }
    const ModemSettings& settings() const { return m_settings; }
    // GPRS is attached: an IP link may be opened.
    bool ipReady() const;
    bool csdOnline() const { return m_state == BoardModemState::Online && m_csdCall; }
    // An IP link opened or closed over GPRS: ONLINE while one runs.
    void setIpActive(bool active);
    void setDialAnswers(bool answers) { m_dialAnswers = answers; }

    // "$PQVXS,MDM,..." and "$PQVXQ,MDM".
    void handleSet(const Command& command);
    std::string report() const;

private:
    void powerOn();
    void powerOff();
    void initialise();
    void autoDial(bool on);
    void dialAttempt(int generation, int attempt);
    bool applyParameters(const Command& command);
    static bool applyPair(ModemSettings& s, const std::string& key, const std::string& value);
    std::int64_t scaledMs(double seconds) const;

    const BoardConfig& m_config;
    TimerQueue& m_timers;
    BoardOutput& m_out;
    BoardModemState m_state;
    ModemSettings m_settings;
    bool m_csdCall = false;
    bool m_dialAnswers;
    int m_generation = 0;  // bumped to void steps in flight
};

}  // namespace quorrel
