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
//
// Each start and stop is a numbered request. The reader claims a start under the name lock
// and says so ("opening") before it creates the file, which may take long on a slow card;
// start and stop wait until no file is being opened or open, and a file whose request was
// overtaken meanwhile is closed at once. Each request opens its file once, and never over a
// file that already holds data.
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
    bool isRecording() const;
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

    enum class FileState { Closed, Opening, Open };

    // Reader thread: claims the current start request if no file is being opened or open.
    bool claim(std::string& path, std::string& header);
    void openFile(const std::string& path, const std::string& header);
    // Reader thread: whether the open file's request is still the current one.
    bool isCurrent() const;
    void writeFrame(const RecordedFrame& frame, const std::function<void()>& pollEphemeris);
    // GUI thread: numbers a new request (ending the current one) and waits for the file.
    bool endCurrent(int waitMs);
    bool waitUntilClosed(int waitMs) const;
    void setState(FileState state);

    std::atomic<bool> m_failed{false};
    mutable Lock m_nameLock;   // guards the members down to m_state
    unsigned m_request = 0;    // the latest request
    bool m_requested = false;  // the latest request is a start
    unsigned m_claimed = 0;    // the request the reader's file belongs to
    FileState m_state = FileState::Closed;
    std::string m_path;
    std::string m_header;
    // Reader thread only.
    std::FILE* m_file = nullptr;
    bool m_fixPolled = false;
    std::uint32_t m_lastPollMs = 0;
    int m_framesSinceFlush = 0;
};

}  // namespace quorrel
