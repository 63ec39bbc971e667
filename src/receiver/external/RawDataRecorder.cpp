#include "receiver/external/RawDataRecorder.h"

#include "platform/Clock.h"

namespace quorrel {
namespace {

constexpr int kPollStepMs = 10;

}  // namespace

RawDataRecorder::~RawDataRecorder() {
    closeFile();
}

bool RawDataRecorder::start(const std::string& path, const std::string& header, int waitMs) {
    m_requested = false;
    if (!waitUntilClosed(waitMs)) return false;
    {
        LockGuard guard(m_nameLock);
        m_path = path;
        m_header = header;
    }
    m_requested = true;
    return true;
}

bool RawDataRecorder::stop(int waitMs) {
    m_requested = false;
    return waitUntilClosed(waitMs);
}

void RawDataRecorder::fail() {
    m_failed = true;
    m_requested = false;
}

std::string RawDataRecorder::path() const {
    LockGuard guard(m_nameLock);
    return m_path;
}

bool RawDataRecorder::waitUntilClosed(int waitMs) const {
    const std::uint32_t start = tickCountMs();
    while (m_fileOpen) {
        if (int(tickCountMs() - start) >= waitMs) return false;
        sleepMs(kPollStepMs);
    }
    return true;
}

void RawDataRecorder::service(const RecordedFrame* frame,
                              const std::function<void()>& pollEphemeris) {
    if (m_requested && !m_file) openFile();
    if (m_file && frame) writeFrame(*frame, pollEphemeris);
    if (m_failed) m_requested = false;
    if (!m_requested && m_file) closeFile();
}

void RawDataRecorder::openFile() {
    std::string path;
    std::string header;
    {
        LockGuard guard(m_nameLock);
        path = m_path;
        header = m_header;
    }
    m_fixPolled = false;
    m_framesSinceFlush = 0;
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) {
        m_failed = true;
        return;
    }
    m_fileOpen = true;
    if (!header.empty() && std::fwrite(header.data(), 1, header.size(), m_file) != header.size())
        m_failed = true;
}

void RawDataRecorder::writeFrame(const RecordedFrame& frame,
                                 const std::function<void()>& pollEphemeris) {
    const std::uint32_t now = tickCountMs();
    const bool firstFix = frame.validFix && !m_fixPolled;
    if (firstFix || now - m_lastPollMs >= kEphemerisPollMs) {
        if (pollEphemeris) pollEphemeris();
        if (firstFix) m_fixPolled = true;
        m_lastPollMs = now;
    }
    if (std::fwrite(frame.bytes, 1, frame.length, m_file) != frame.length) m_failed = true;
    if (frame.geodetic && ++m_framesSinceFlush > kFramesPerFlush) {
        if (std::fflush(m_file) != 0) m_failed = true;
        m_framesSinceFlush = 0;
    }
}

void RawDataRecorder::closeFile() {
    if (!m_file) return;
    // Closing writes what is still buffered: a failure here lost data too.
    if (std::fclose(m_file) != 0) m_failed = true;
    m_file = nullptr;
    m_fileOpen = false;
}

}  // namespace quorrel
