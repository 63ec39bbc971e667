#include "receiver/external/SirfFrameAssembler.h"

#include "receiver/external/BigEndian.h"
#include "receiver/external/SirfFrame.h"

namespace quorrel {
namespace {

constexpr std::size_t kReadChunk = 1024;

}  // namespace

SirfFrameAssembler::SirfFrameAssembler(ByteSource& source, int readTimeoutMs)
    : m_source(source), m_readTimeoutMs(readTimeoutMs) {}

SirfFrameAssembler::Result SirfFrameAssembler::next() {
    if (m_delivered) {
        m_unit.clear();
        m_delivered = false;
    }
    if (consumeInput()) return Result::Unit;
    std::size_t got = 0;
    m_input.resize(kReadChunk);
    m_inputPos = 0;
    const bool ok = m_source.read(m_input.data(), m_input.size(), got, m_readTimeoutMs);
    m_input.resize(ok ? got : 0);
    if (!ok) return Result::Failed;
    return consumeInput() ? Result::Unit : Result::Idle;
}

bool SirfFrameAssembler::consumeInput() {
    while (m_inputPos < m_input.size()) {
        if (consume(m_input[m_inputPos++])) {
            m_delivered = true;
            return true;
        }
    }
    return false;
}

void SirfFrameAssembler::begin(std::uint8_t byte) {
    m_unit.clear();
    if (byte == kSirfStart1) {
        m_unit.push_back(byte);
        m_state = State::Start2;
    } else if (byte == '$') {
        m_unit.push_back(byte);
        m_state = State::Line;
    } else {
        m_state = State::Hunt;
    }
}

bool SirfFrameAssembler::consume(std::uint8_t byte) {
    switch (m_state) {
        case State::Hunt:
            begin(byte);
            return false;
        case State::Start2:
            if (byte != kSirfStart2) {
                begin(byte);
                return false;
            }
            m_unit.push_back(byte);
            m_state = State::Length1;
            return false;
        case State::Length1:
            m_unit.push_back(byte);
            m_state = State::Length2;
            return false;
        case State::Length2: {
            m_unit.push_back(byte);
            const std::size_t length = readU16(m_unit.data() + 2);
            m_frameSize = length + kSirfFrameOverhead;
            // A frame without a message ID carries nothing.
            if (length == 0 || m_frameSize > kBufferLimit)
                dropFrame();
            else
                m_state = State::Frame;
            return false;
        }
        case State::Frame:
            m_unit.push_back(byte);
            return m_unit.size() == m_frameSize && finishFrame();
        case State::Line:
            return consumeLine(byte);
    }
    return false;
}

bool SirfFrameAssembler::consumeLine(std::uint8_t byte) {
    // NMEA is 7-bit text: a "$" or a byte above 0x7F (a frame start) ends the line unfinished.
    if (byte == '$' || byte >= 0x80) {
        ++m_droppedLines;
        begin(byte);
        return false;
    }
    if (m_unit.size() >= kBufferLimit) {
        ++m_droppedLines;
        m_unit.clear();
        m_state = State::Hunt;
        return false;
    }
    m_unit.push_back(byte);
    if (byte != '\n') return false;
    m_kind = SirfUnitKind::NmeaLine;
    m_state = State::Hunt;
    return true;
}

bool SirfFrameAssembler::finishFrame() {
    const std::size_t length = m_frameSize - kSirfFrameOverhead;
    const std::uint8_t* tail = m_unit.data() + 4 + length;
    if (!sirfChecksumMatches(readU16(tail), m_unit.data() + 4, length) || tail[2] != kSirfEnd1 ||
        tail[3] != kSirfEnd2) {
        dropFrame();
        return false;
    }
    m_kind = SirfUnitKind::Frame;
    m_state = State::Hunt;
    return true;
}

void SirfFrameAssembler::dropFrame() {
    ++m_droppedFrames;
    // Search again from the byte after the false start, before the bytes not yet read.
    std::vector<std::uint8_t> again(m_unit.begin() + 1, m_unit.end());
    again.insert(again.end(), m_input.begin() + std::ptrdiff_t(m_inputPos), m_input.end());
    m_input.swap(again);
    m_inputPos = 0;
    m_unit.clear();
    m_state = State::Hunt;
}

}  // namespace quorrel
