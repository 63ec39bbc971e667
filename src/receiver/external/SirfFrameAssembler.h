#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ByteSource.h"

namespace quorrel {

enum class SirfUnitKind { Frame, NmeaLine };

// Cuts the module's byte stream into binary frames and NMEA lines ("$" to LF). A frame whose
// checksum or end bytes are wrong is dropped and the bytes after its start are searched again,
// so a false start inside a frame costs no good frame behind it. A frame or line that would
// not fit the receive buffer is dropped.
class SirfFrameAssembler {
public:
    static constexpr std::size_t kBufferLimit = 20480;

    enum class Result {
        Unit,    // a frame or line is ready: kind(), unit()
        Idle,    // one read brought nothing, or nothing that completed a unit
        Failed,  // the source failed or vanished
    };

    SirfFrameAssembler(ByteSource& source, int readTimeoutMs);

    // Returns after at most one read, so that a caller polling a stop flag is never held up
    // by a line that brings nothing but noise.
    Result next();

    SirfUnitKind kind() const { return m_kind; }
    // The whole frame (A0 A2 … B0 B3) or line (with CR LF) as received.
    const std::vector<std::uint8_t>& unit() const { return m_unit; }
    const std::uint8_t* payload() const { return m_unit.data() + 4; }
    std::size_t payloadLength() const { return m_unit.size() - 8; }

    std::size_t droppedFrames() const { return m_droppedFrames; }
    std::size_t droppedLines() const { return m_droppedLines; }

private:
    enum class State { Hunt, Start2, Length1, Length2, Frame, Line };

    bool consumeInput();
    bool consume(std::uint8_t byte);
    void begin(std::uint8_t byte);
    bool consumeLine(std::uint8_t byte);
    bool finishFrame();
    void dropFrame();

    ByteSource& m_source;
    int m_readTimeoutMs;
    std::vector<std::uint8_t> m_input;  // read but not yet consumed, from m_inputPos
    std::size_t m_inputPos = 0;
    std::vector<std::uint8_t> m_unit;
    SirfUnitKind m_kind = SirfUnitKind::Frame;
    State m_state = State::Hunt;
    std::size_t m_frameSize = 0;
    bool m_delivered = false;
    std::size_t m_droppedFrames = 0;
    std::size_t m_droppedLines = 0;
};

}  // namespace quorrel
