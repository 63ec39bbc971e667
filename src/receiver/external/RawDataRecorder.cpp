#include "receiver/external/RawDataRecorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Clock.h"

namespace quorrel {
namespace {

constexpr int kPollStepMs = 10;

// Creates `path` for writing, or opens what is there when it holds no data (a file left empty,
// a device): a recording never truncates one that does.
std::FILE* createRecordingFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || (S_ISREG(info.st_mode) && info.st_size > 0)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (!file) ::close(fd);
    return file;
}

}  // namespace

RawDataRecorder::~RawDataRecorder() {
    closeFile();
}

bool RawDataRecorder::start(const std::string& path, const std::string& header, int waitMs) {
    if (!endCurrent(waitMs)) return false;
    LockGuard guard(m_nameLock);
    m_path = path;
    m_header = header;
    ++m_request;
    m_requested = true;
    return true;
}

bool RawDataRecorder::stop(int waitMs) {
    return endCurrent(waitMs);
}

bool RawDataRecorder::endCurrent(int waitMs) {
    {
        LockGuard guard(m_nameLock);
        ++m_request;
        m_requested = false;
    }
    return waitUntilClosed(waitMs);
}

void RawDataRecorder::fail() {
    m_failed = true;
    LockGuard guard(m_nameLock);
    m_requested = false;
}

std::string RawDataRecorder::path() const {
    LockGuard guard(m_nameLock);
    return m_path;
}

bool RawDataRecorder::isRecording() const {
    LockGuard guard(m_nameLock);
    return m_state == FileState::Open;
}

// A file being opened counts as open: its request may still be overtaken, and the reader
// closes it as soon as it has it.
bool RawDataRecorder::waitUntilClosed(int waitMs) const {
    const std::uint32_t start = tickCountMs();
    for (;;) {
        {
            LockGuard guard(m_nameLock);
            if (m_state == FileState::Closed) return true;
        }
        if (int(tickCountMs() - start) >= waitMs) return false;
        sleepMs(kPollStepMs);
    }
}

void RawDataRecorder::setState(FileState state) {
    LockGuard guard(m_nameLock);
    m_state = state;
}

void RawDataRecorder::service(const RecordedFrame* frame,
                              const std::function<void()>& pollEphemeris) {
    std::string path;
    std::string header;
    if (!m_file && claim(path, header)) openFile(path, header);
    if (m_file && frame && isCurrent()) writeFrame(*frame, pollEphemeris);
    if (m_failed) {
        LockGuard guard(m_nameLock);
        m_requested = false;
    }
    if (m_file && !isCurrent()) closeFile();
}

bool RawDataRecorder::claim(std::string& path, std::string& header) {
    LockGuard guard(m_nameLock);
    if (!m_requested || m_state != FileState::Closed || m_claimed == m_request) return false;
    m_claimed = m_request;
    m_state = FileState::Opening;
    path = m_path;
    header = m_header;
    return true;
}

bool RawDataRecorder::isCurrent() const {
    LockGuard guard(m_nameLock);
    return m_requested && m_claimed == m_request;
}

void RawDataRecorder::openFile(const std::string& path, const std::string& header) {
    m_fixPolled = false;
    m_framesSinceFlush = 0;
    m_file = createRecordingFile(path);
    if (!m_file) {
        m_failed = true;
        setState(FileState::Closed);
        return;
    }
    setState(FileState::Open);
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
    setState(FileState::Closed);
}

}  // namespace quorrel
