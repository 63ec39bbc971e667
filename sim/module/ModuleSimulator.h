#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/PseudoTerminal.h"
#include "sim/module/ModuleInputFramer.h"
#include "sim/module/ModuleMessages.h"
#include "sim/module/ModuleSky.h"

namespace quorrel {

enum class ModuleProtocol { Nmea, Binary };

struct ModuleSimConfig {
    std::uint32_t baudRate = 4800;  // the rate it powers up at
    ModuleProtocol protocol = ModuleProtocol::Nmea;
    int epochMs = 1000;
    SimScenario scenario;
    std::string softwareVersion = "GSW2-2.05.024-C1Prod1.1";
    int resetOutageEpochs = 2;  // epochs without a fix after a navigation restart
};

// One thing the module understood: a binary frame's payload or an NMEA line.
struct ModuleLogEntry {
    std::uint32_t timeMs = 0;  // since start()
    ModuleProtocol kind = ModuleProtocol::Nmea;
    std::uint32_t baudRate = 0;       // the module's rate when it arrived
    std::vector<std::uint8_t> bytes;  // payload (message ID first) or line with CR LF

    std::uint8_t messageId() const { return kind == ModuleProtocol::Binary ? bytes[0] : 0; }
    std::string text() const { return std::string(bytes.begin(), bytes.end()); }
};

// A SiRF-based GPS module on a pseudo-terminal. It powers up at its configured rate and
// protocol, switches to binary on a checked "$PSRF100" and to NMEA on message 0x81, sends a
// fix and the satellites every epoch (plus clock, measurement, version and OK-to-send
// messages now and then), answers every binary command with 11 or 12 and applies elevation
// mask, SBAS, message-rate and reset commands to what it sends. It understands and talks only
// at its own rate: at any other line speed it ignores input and sends noise that never holds
// "$P", "$G" or a frame start.
class ModuleSimulator {
public:
    explicit ModuleSimulator(ModuleSimConfig config = {});
    ModuleSimulator(const ModuleSimulator&) = delete;
    ModuleSimulator& operator=(const ModuleSimulator&) = delete;
    ~ModuleSimulator();

    // Creates the pseudo-terminal and starts the module's thread.
    bool start();
    void stop();
    // The device the driver opens.
    std::string devicePath() const;

    // Faults. refuse: answer command `id` with 12 and ignore it; ignore: no answer, no effect;
    // corruptChecksum: frames of outgoing message `id` carry a wrong checksum.
    void refuse(std::uint8_t id);
    void ignore(std::uint8_t id);
    void corruptChecksum(std::uint8_t id);
    void clearFaults();
    // While silent the module sends nothing at all.
    void silence(bool on);
    // The device vanishes, as when the module is pulled out.
    void unplug();

    // What it received, oldest first.
    std::vector<ModuleLogEntry> received() const;
    void clearReceived();
    // Waits until an entry (already logged or arriving) satisfies `match`.
    bool waitFor(const std::function<bool(const ModuleLogEntry&)>& match, int timeoutMs) const;
    bool waitForMessage(std::uint8_t id, int timeoutMs) const;
    bool waitForSentence(const std::string& prefix, int timeoutMs) const;

    // Every intact frame sent, whole, oldest first.
    std::vector<std::vector<std::uint8_t>> sentFrames() const;
    std::size_t noiseBytesSent() const { return m_noiseBytes; }
    ModuleProtocol protocol() const;
    std::uint32_t baudRate() const;
    SimSettings settings() const;
    bool sbasOn() const;

private:
    void loop();
    void receive(const std::uint8_t* bytes, std::size_t length, bool lineSpeedMatches);
    void handleLine(const std::vector<std::uint8_t>& line);
    void handleFrame(const std::vector<std::uint8_t>& payload);
    bool applyCommand(const std::vector<std::uint8_t>& payload);
    void applyNmeaSwitch(const std::vector<std::uint8_t>& payload);
    void sendEpoch();
    void sendBinaryEpoch(const SimEpochSky& sky, const SimTime& time);
    void sendFrame(const std::vector<std::uint8_t>& payload);
    void sendNoise(std::size_t length);
    void writeOut(const void* bytes, std::size_t length);
    void log(ModuleProtocol kind, const std::vector<std::uint8_t>& bytes);
    bool lineSpeedIsOwn() const;

    ModuleSimConfig m_config;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_unplugRequested{false};
    std::atomic<bool> m_silent{false};
    std::atomic<std::size_t> m_noiseBytes{0};
    std::uint32_t m_startMs = 0;
    std::uint32_t m_noiseSeed = 12345;
    ModuleInputFramer m_input;  // the module's thread only

    mutable std::mutex m_mutex;  // the module's state, faults and logs
    mutable std::condition_variable m_logged;
    ModuleProtocol m_protocol;
    std::uint32_t m_baudRate;
    SimSettings m_settings;
    SimNmeaOutput m_nmeaOutput;
    std::array<std::uint8_t, 256> m_messageRates{};
    int m_outageEpochs = 0;
    std::uint32_t m_epoch = 0;
    std::set<std::uint8_t> m_refused, m_ignored, m_corrupted;
    std::vector<ModuleLogEntry> m_received;
    std::vector<std::vector<std::uint8_t>> m_sentFrames;
};

}  // namespace quorrel
