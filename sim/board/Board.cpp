#include "sim/board/Board.h"

#include <algorithm>
#include <cmath>

#include "sim/board/NmeaChecksum.h"
#include "sim/board/NtripResponse.h"

namespace quorrel {
namespace {

constexpr std::uint32_t kBaudRates[10] = {300,  600,   1200,  2400,  4800,
                                          9600, 19200, 38400, 57600, 115200};
constexpr int kDefaultBaudCodes[kPortCount] = {8, 7, 9, 7, 9, 5};

int baudCodeFor(std::uint32_t rate) {
    for (int code = 0; code < 10; ++code)
        if (kBaudRates[code] == rate) return code;
    return 8;
}

}  // namespace

Board::Board(const BoardConfig& config, BoardOutput& out)
    : m_config(config),
      m_out(out),
      m_position({config.latitudeDeg, config.longitudeDeg, config.heightM}, config.seed,
                 config.timeScale),
      m_modem(m_config, m_timers, out),
      m_ntrip(config.ipTimeoutMs),
      m_directIp(config.ipTimeoutMs),
      m_context{m_config, m_state,    m_schedule, m_position, m_modem,
                m_ntrip,  m_directIp, m_timers,   out,        *this},
      m_positionCommands(m_context),
      m_receiverCommands(m_context),
      m_outputCommands(m_context),
      m_recordingCommands(m_context),
      m_radioCommands(m_context),
      m_networkCommands(m_context),
      m_epochWriter(m_schedule, out) {
    m_sky.setReceiver(m_position.start());
    m_state.reference = m_position.start();
    for (int port = 0; port < kPortCount; ++port)
        m_state.ports[port].baudCode = kDefaultBaudCodes[port];
    m_state.ports[ownPort()].baudCode = baudCodeFor(config.baudRate);
    if (config.radioPort >= 'A' && config.radioPort <= 'F') {
        RadioSettings& radio = m_state.radios[config.radioPort - 'A'];
        radio.type = config.radioType;
        radio.channelCount = config.radioChannels;
        radio.channel = config.radioChannel;
    }
    m_positionCommands.registerWith(m_dispatcher);
    m_receiverCommands.registerWith(m_dispatcher);
    m_outputCommands.registerWith(m_dispatcher);
    m_recordingCommands.registerWith(m_dispatcher);
    m_radioCommands.registerWith(m_dispatcher);
    m_networkCommands.registerWith(m_dispatcher);
    m_ntrip.onData = [this](std::size_t) { m_position.correctionReceived(nowS()); };
    m_directIp.onData = [this](std::size_t) { m_position.correctionReceived(nowS()); };
    m_ntrip.onStreamLost = [this] { m_state.ntrip.mountPoint = "OFF"; };
}

void Board::start(std::int64_t nowMs, std::int64_t utcMs) {
    setClock(nowMs, utcMs);
    m_state.obiResetS = nowS();
    m_position.restart(nowS(), m_config.startWithFix);
    if (m_config.outputRateHz > 0) {
        const double period = 1.0 / m_config.outputRateHz;
        for (const char* name : {"GGA", "GSA", "GSV", "GST", "ZDA", "VTG", "VEC"})
            setOutput(ownPort(), *messageByName(name), period);
    }
    planNextEpoch(utcMs);
}

void Board::setClock(std::int64_t nowMs, std::int64_t utcMs) {
    m_nowMs = nowMs;
    m_utcMs = utcMs;
    m_timers.setNow(nowMs);
}

void Board::handleLine(const std::string& line) {
    if (m_poweredOff || m_nowMs < m_rebootUntilMs) return;
    std::optional<Command> command = parseCommand(line);
    if (!command) return;
    if (!m_dispatcher.dispatch(*command)) m_out.nak(command->code);
}

void Board::advance(std::int64_t nowMs, std::int64_t utcMs) {
    setClock(nowMs, utcMs);
    if (m_poweredOff) return;
    m_timers.runDue(nowMs);
    m_ntrip.process(nowMs);
    m_directIp.process(nowMs);
    // IP links live on the GPRS session; without it they drop.
    if (!m_modem.ipReady()) {
        if (m_ntrip.isMountActive()) m_ntrip.disconnect();
        if (m_directIp.isActive()) m_directIp.disconnect();
    }
    m_modem.setIpActive(m_ntrip.isMountActive() || m_directIp.isActive());
    updateCorrections();
    if (utcMs < m_nextEpochUtcMs) return;
    // Held up for more than a second: carry on with the newest epoch, not a backlog.
    std::int64_t epoch = m_nextEpochUtcMs;
    if (utcMs - epoch > 1000) epoch = utcMs - utcMs % OutputSchedule::kGridMs;
    if (nowMs >= m_rebootUntilMs) runEpoch(epoch);
    planNextEpoch(epoch);
}

std::int64_t Board::nextWakeMs() const {
    if (m_poweredOff) return m_nowMs + 1000;
    std::int64_t next = m_nowMs + std::max<std::int64_t>(m_nextEpochUtcMs - m_utcMs, 0);
    for (std::optional<std::int64_t> t :
         {m_timers.nextDue(), m_ntrip.nextDeadline(), m_directIp.nextDeadline()})
        if (t) next = std::min(next, *t);
    return next;
}

void Board::collectSockets(std::vector<TcpClient*>& sockets) {
    m_ntrip.collectSockets(sockets);
    m_directIp.collectSockets(sockets);
}

std::uint32_t Board::listeningBaud() const {
    return kBaudRates[m_state.ports[ownPort()].baudCode];
}

BoardStatus Board::status() const {
    BoardStatus s;
    s.poweredOff = m_poweredOff;
    s.listeningBaud = listeningBaud();
    s.modem = m_modem.state();
    s.solution = m_lastSolution;
    s.corrections = m_source;
    s.mountPoint = m_state.ntrip.mountPoint;
    s.directIpConnected = m_directIp.isConnected();
    s.satellitesUsed = m_lastUsed;
    s.satellitesInView = m_lastInView;
    return s;
}

void Board::setOutput(int port, BoardMessage message, double periodS) {
    std::int64_t periodMs = 0;
    if (periodS > 0 && !OutputSchedule::periodFromSeconds(periodS, periodMs)) return;
    m_schedule.set(port, message, periodMs);
    outputChanged();
}

void Board::powerOff() {
    m_poweredOff = true;
    m_ntrip.disconnect();
    m_directIp.disconnect();
}

// The board reboots: quiet for a moment, then it searches the sky again.
void Board::reset() {
    m_rebootUntilMs = m_nowMs + scaledMs(kRebootS);
    m_timers.after(scaledMs(kRebootS),
                   [this] { m_position.restart(nowS(), m_config.startWithFix); });
}

void Board::outputChanged() {
    planNextEpoch(std::max(m_lastEpochUtcMs, m_utcMs));
}

std::int64_t Board::scaledMs(double seconds) const {
    return std::llround(seconds * 1000.0 * m_config.timeScale);
}

// The navigation runs at least once a second; output follows the schedule of each port.
void Board::planNextEpoch(std::int64_t afterUtcMs) {
    std::int64_t next = (afterUtcMs / 1000 + 1) * 1000;
    for (int port : {ownPort(), kModemPort})
        if (std::optional<std::int64_t> t = m_schedule.nextEpoch(port, afterUtcMs))
            next = std::min(next, *t);
    m_nextEpochUtcMs = next;
}

void Board::runEpoch(std::int64_t epochUtcMs) {
    m_lastEpochUtcMs = epochUtcMs;
    const EpochSnapshot epoch = snapshot(epochUtcMs);
    const UnsolicitedValues values{m_config.externalAntenna, nowS() - m_state.obiResetS};
    m_epochWriter.write(ownPort(), epoch, values);
    sendUpstream(epoch);
}

EpochSnapshot Board::snapshot(std::int64_t epochUtcMs) {
    TrackingOptions options;
    options.glonass = m_state.glonassTracked();
    options.sbas = m_state.sbas;
    options.elevationMaskDeg = m_state.elevationMaskDeg;
    options.acquisition = m_position.acquisition(nowS());
    EpochSnapshot e;
    e.utcMs = epochUtcMs;
    e.satellites = m_sky.visible(epochUtcMs / 1000.0, options);
    bool sbasUsed = false;
    for (const SatelliteView& s : e.satellites) {
        if (!s.used) continue;
        ++e.usedCount;
        sbasUsed = sbasUsed || s.system == Constellation::Sbas;
    }
    e.dop = SkyModel::dilution(e.satellites);
    e.fix = m_position.update(nowS(), e.dop, e.usedCount, sbasUsed);
    m_lastSolution = e.fix.kind;
    m_lastUsed = e.usedCount;
    m_lastInView = static_cast<int>(e.satellites.size());
    return e;
}

// GGA switched on for port E goes to the caster or server: virtual reference stations need
// the rover's position.
void Board::sendUpstream(const EpochSnapshot& epoch) {
    if (!m_schedule.isDue(kModemPort, BoardMessage::Gga, epoch.utcMs)) return;
    const std::string gga = sealSentence(nmea::gga(epoch));
    m_ntrip.sendUpstream(gga);
    m_directIp.sendUpstream(gga);
}

CorrectionSource Board::currentSource() const {
    if (m_state.baseMode) return CorrectionSource::None;
    if (m_ntrip.isStreaming()) return CorrectionSource::Ntrip;
    if (m_directIp.isStreaming(m_nowMs)) return CorrectionSource::DirectIp;
    if (m_modem.csdOnline()) return CorrectionSource::Csd;
    const char radioPort = m_config.radioPort;
    if (radioPort >= 'A' && radioPort <= 'F' && m_state.radioPower &&
        m_state.radios[radioPort - 'A'].type == m_config.radioType)
        return CorrectionSource::Radio;
    if (m_driverLink) return CorrectionSource::Driver;
    return CorrectionSource::None;
}

// Where the reference station of a link stands: the caster's station position when the
// source table gave it, otherwise a few kilometres away (a radio base much closer).
Geodetic Board::baseFor(CorrectionSource source) const {
    const Geodetic& start = m_position.start();
    Geodetic station = start;
    switch (source) {
        case CorrectionSource::Ntrip:
            if (findStation(m_ntrip.sourceTable(), m_state.ntrip.mountPoint, station.latitudeDeg,
                            station.longitudeDeg))
                return station;
            return displaced(start, {1800.0, 2600.0, 12.0});
        case CorrectionSource::DirectIp:
            return displaced(start, {2300.0, 1700.0, -15.0});
        case CorrectionSource::Csd:
            return displaced(start, {5200.0, -3100.0, 40.0});
        case CorrectionSource::Radio:
            return displaced(start, {-420.0, 310.0, 3.0});
        default:
            return displaced(start, {800.0, 600.0, 2.0});
    }
}

void Board::updateCorrections() {
    static constexpr int kStationIds[] = {0, 101, 42, 12, 7, 1};
    const CorrectionSource source = currentSource();
    if (source != m_source) {
        m_source = source;
        m_position.setCorrections(source != CorrectionSource::None, nowS(), baseFor(source),
                                  kStationIds[static_cast<int>(source)]);
        m_lastSyntheticS = nowS();
    }
    // Radio, CSD and the test driver deliver a correction message every second.
    const bool synthetic = source == CorrectionSource::Csd || source == CorrectionSource::Radio ||
                           source == CorrectionSource::Driver;
    if (synthetic && nowS() - m_lastSyntheticS >= 1.0) {
        m_lastSyntheticS = nowS();
        m_position.correctionReceived(nowS());
    }
}

}  // namespace quorrel
