#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/Lock.h"

namespace quorrel {

// One received frame as the recorder sees it.
struct RecordedFrame {
    const std::uint8_t* bytes = nullptr;  // the whole frame, start to end bytes
    std::size_t length = 0;
    bool geodetic = false;  // message 41
    bool validFix = false;  // message 41 with satellites in the fix
};

// Raw data recording: the GUI thread requests and ends a recording; the reader thread alone
// creates, writes, flushes and closes the file, between the frames it receives.
class RawDataRecorder {
public:
    RawDataRecorder() = default;
    RawDataRecorder(const RawDataRecorder&) = delete;
    RawDataRecorder& operator=(const RawDataRecorder&) = delete;
    ~RawDataRecorder();

    // GUI thread. Ends any recording, then asks for `path` to be recorded, starting with
    // `header`. False when the reader thread did not close the old file within `waitMs`.
    bool start(const std::string& path, const std::string& header, int waitMs);
    // Ends the recording; false when the file was still open after `waitMs`.
    bool stop(int waitMs);
    bool isRecording() const { return m_fileOpen; }
    // Set when the file could not be created, written or flushed; stays until cleared.
    bool hasFailed() const { return m_failed; }
    void clearFailure() { m_failed = false; }
    // A recording that cannot even start fails the same way as one that cannot write.
    void fail();
    std::string path() const;

    // Reader thread, after each received frame (`frame` null for a line or an idle read).
    // `pollEphemeris` sends the ephemeris poll to the module.
    void service(const RecordedFrame* frame, const std::function<void()>& pollEphemeris);
    // Reader thread, when it ends.
    void closeFile();

private:
    static constexpr std::uint32_t kEphemerisPollMs = 600000;
    static constexpr int kFramesPerFlush = 120;

    void openFile();
    void writeFrame(const RecordedFrame& frame, const std::function<void()>& pollEphemeris);
    bool waitUntilClosed(int waitMs) const;

    std::atomic<bool> m_requested{false};
    std::atomic<bool> m_fileOpen{false};
    std::atomic<bool> m_failed{false};
    mutable Lock m_nameLock;  // guards m_path and m_header
    std::string m_path;
    std::string m_header;
    // Reader thread only.
    std::FILE* m_file = nullptr;
    bool m_fixPolled = false;
    std::uint32_t m_lastPollMs = 0;
    int m_framesSinceFlush = 0;
};

}  // namespace quorrel
