#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/ByteSource.h"
#include "platform/Event.h"
#include "platform/Runnable.h"
#include "receiver/external/ExternalStatus.h"
#include "receiver/external/RawDataRecorder.h"
#include "receiver/external/SirfFrameAssembler.h"

namespace quorrel {

enum class DetectedProtocol { None = 0, Nmea = 1, Binary = 2 };

// The reader thread's body for the module: assembles frames and lines, publishes what they
// carry, answers the command waiting for its acknowledgement and feeds the raw data recorder.
// One session per reader thread; its events are closed when the thread ends, so that no
// waiter outlives the link.
class ExternalSession : public Runnable {
public:
    using FrameSender = std::function<void(const std::vector<std::uint8_t>& payload)>;

    ExternalSession(ByteSource& source, ExternalStatus& status, RawDataRecorder& recorder,
                    FrameSender sendFrame, int readTimeoutMs);

    std::uint32_t run() override;
    void requestStop() override { m_stop = true; }
    // Runs on the reader thread when it ends without a stop request (the port failed or
    // vanished), after the events are closed. Set before the thread starts.
    void setLinkLostHandler(std::function<void()> handler) { m_linkLost = std::move(handler); }

    // The antenna height taken off reported altitudes (any thread).
    void setAntennaHeight(double metres) { m_antennaHeightM = metres; }

    // Set when a checked NMEA line or a good frame arrived.
    Event& dataSeen() { return m_dataSeen; }
    Event& acknowledgement() { return m_acknowledgement; }
    Event& navigationParameters() { return m_navigationParameters; }
    // Set for every message 41 with a valid fix.
    Event& navigation() { return m_navigation; }
    Event& okToSendEvent() { return m_okToSend; }

    DetectedProtocol detectedProtocol() const { return m_protocol; }
    void clearDetectedProtocol() { m_protocol = DetectedProtocol::None; }

    // Before sending command `commandId`: forget earlier answers, accept only this one's.
    void expectAnswer(std::uint8_t commandId);
    // True when the expected command was acknowledged (message 11), false when refused.
    bool acknowledged() const { return m_acknowledged; }
    bool isOkToSend() const { return m_isOkToSend; }

    // One assembled unit; run() calls it, fuzzers and tests may too.
    void handleUnit(SirfUnitKind kind, const std::uint8_t* bytes, std::size_t length);

private:
    void handleLine(const std::uint8_t* line, std::size_t length);
    // Returns whether the frame was a valid fix.
    bool handleFrame(const std::uint8_t* payload, std::size_t length);
    void handleTracker(const std::uint8_t* payload, std::size_t length);
    void handleOkToSend(const std::uint8_t* payload, std::size_t length);
    void handleParameters(const std::uint8_t* payload, std::size_t length);
    void handleAnswer(const std::uint8_t* payload, std::size_t length, bool acknowledged);
    void handleGeodetic(const std::uint8_t* payload, std::size_t length, bool& validFix);
    void closeEvents();

    ByteSource& m_source;
    ExternalStatus& m_status;
    RawDataRecorder& m_recorder;
    FrameSender m_sendFrame;
    std::function<void()> m_linkLost;
    int m_readTimeoutMs;
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_antennaHeightM{0.0};
    std::atomic<DetectedProtocol> m_protocol{DetectedProtocol::None};
    std::atomic<int> m_expectedCommand{-1};
    std::atomic<bool> m_acknowledged{false};
    std::atomic<bool> m_isOkToSend{false};
    UsedSatellites m_used;  // reader thread only
    Event m_dataSeen;
    Event m_acknowledgement;
    Event m_navigationParameters;
    Event m_navigation;
    Event m_okToSend;
};

}  // namespace quorrel
