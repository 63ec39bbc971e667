#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/board/BoardContext.h"
#include "sim/board/CommandDispatcher.h"
#include "sim/board/EpochWriter.h"
#include "sim/board/NetworkCommands.h"
#include "sim/board/OutputCommands.h"
#include "sim/board/PositionCommands.h"
#include "sim/board/RadioCommands.h"
#include "sim/board/ReceiverCommands.h"
#include "sim/board/RecordingCommands.h"
#include "sim/board/SkyModel.h"

namespace quorrel {

// Where the corrections come from, in the order the board prefers them.
enum class CorrectionSource { None, Ntrip, DirectIp, Csd, Radio, Driver };

// What tests can see of the board's state.
struct BoardStatus {
    bool poweredOff = false;
    std::uint32_t listeningBaud = 0;
    BoardModemState modem = BoardModemState::Off;
    SolutionKind solution = SolutionKind::NoFix;
    CorrectionSource corrections = CorrectionSource::None;
    std::string mountPoint;
    bool directIpConnected = false;
    int satellitesUsed = 0;
    int satellitesInView = 0;
};

// The board's firmware: settings, command handling, the navigation epoch and the correction
// links. Single-threaded: the simulator calls it from its I/O loop only.
class Board : private BoardControl {
public:
    static constexpr double kRebootS = 1.5;
    static constexpr int kModemPort = 4;  // "E": what goes out there reaches the IP link

    Board(const BoardConfig& config, BoardOutput& out);

    void start(std::int64_t nowMs, std::int64_t utcMs);
    // Brings the board's clocks up to date before input is handled.
    void setClock(std::int64_t nowMs, std::int64_t utcMs);
    // One line received on the board's own port.
    void handleLine(const std::string& line);
    // Runs what is due by `nowMs`: timers, IP traffic, the navigation epoch and its output.
    void advance(std::int64_t nowMs, std::int64_t utcMs);
    // Steady time of the next thing the board has to do.
    std::int64_t nextWakeMs() const;
    void collectSockets(std::vector<TcpClient*>& sockets);

    std::uint32_t listeningBaud() const;
    BoardStatus status() const;
    // Test drivers.
    void setDriverLink(bool up) { m_driverLink = up; }
    void forceSolution(std::optional<SolutionKind> kind) { m_position.forceSolution(kind); }
    void setDialAnswers(bool answers) { m_modem.setDialAnswers(answers); }
    void setOutput(int port, BoardMessage message, double periodS);

private:
    double nowS() const override { return m_nowMs / 1000.0; }
    std::int64_t utcMs() const override { return m_utcMs; }
    void powerOff() override;
    void reset() override;
    void outputChanged() override;
    std::int64_t scaledMs(double seconds) const override;

    void runEpoch(std::int64_t epochUtcMs);
    EpochSnapshot snapshot(std::int64_t epochUtcMs);
    void sendUpstream(const EpochSnapshot& epoch);
    void updateCorrections();
    CorrectionSource currentSource() const;
    Geodetic baseFor(CorrectionSource source) const;
    void planNextEpoch(std::int64_t afterUtcMs);
    int ownPort() const { return m_config.ownPort - 'A'; }

    BoardConfig m_config;
    BoardOutput& m_out;
    BoardState m_state;
    OutputSchedule m_schedule;
    SkyModel m_sky;
    PositionModel m_position;
    TimerQueue m_timers;
    ModemModel m_modem;
    NtripClient m_ntrip;
    DirectIpClient m_directIp;
    BoardContext m_context;
    CommandDispatcher m_dispatcher;
    PositionCommands m_positionCommands;
    ReceiverCommands m_receiverCommands;
    OutputCommands m_outputCommands;
    RecordingCommands m_recordingCommands;
    RadioCommands m_radioCommands;
    NetworkCommands m_networkCommands;
    EpochWriter m_epochWriter;

    std::int64_t m_nowMs = 0;
    std::int64_t m_utcMs = 0;
    std::int64_t m_nextEpochUtcMs = 0;
    std::int64_t m_lastEpochUtcMs = 0;
    bool m_poweredOff = false;
    std::int64_t m_rebootUntilMs = 0;
    bool m_driverLink = false;
    CorrectionSource m_source = CorrectionSource::None;
    double m_lastSyntheticS = 0;
    SolutionKind m_lastSolution = SolutionKind::NoFix;
    int m_lastUsed = 0;
    int m_lastInView = 0;
};

}  // namespace quorrel
