#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/SerialPort.h"
#include "receiver/link/SentenceType.h"

namespace quorrel::test {

// The program's end of a serial link, reduced to what tests need: a real SerialPort, the
// program's SentenceReader on a thread of its own, and a queue of what it framed.
class SentenceClient {
public:
    static constexpr int kReadTimeoutMs = 50;

    struct Received {
        SentenceType type = SentenceType::UNKNOWN;
        std::string text;  // with its CR LF
        std::chrono::steady_clock::time_point time;
    };

    SentenceClient() = default;
    SentenceClient(const SentenceClient&) = delete;
    SentenceClient& operator=(const SentenceClient&) = delete;
    ~SentenceClient() { close(); }

    bool open(const std::string& device, std::uint32_t baud);
    void close();
    bool setBaudRate(std::uint32_t baud) { return m_port.setBaudRate(baud); }
    // Writes `sentence` and CR LF.
    bool send(const std::string& sentence);
    // Takes everything up to and including the first sentence beginning with `prefix`;
    // nothing when none came within `timeoutMs`.
    std::optional<Received> waitFor(const std::string& prefix, int timeoutMs = 2000);
    // As waitFor, for the first sentence beginning with any of `prefixes`.
    std::optional<Received> waitForAny(const std::vector<std::string>& prefixes,
                                       int timeoutMs = 2000);
    // send(), then waitFor(replyPrefix).
    std::optional<Received> request(const std::string& sentence, const std::string& replyPrefix,
                                    int timeoutMs = 2000);
    // Everything that arrives within `durationMs`, removed from the queue.
    std::vector<Received> collect(int durationMs);
    // Drops what has been received so far.
    void clear();
    // Bytes read from the port so far, framed or not.
    std::size_t bytesRead() const { return m_counter.bytes.load(); }
    // The reader ended because the port failed (the device vanished).
    bool readFailed() const { return m_failed.load(); }

private:
    // Counts every byte on its way from the port to the reader.
    struct CountingSource : ByteSource {
        SerialPort* port = nullptr;
        std::atomic<std::size_t> bytes{0};
        bool read(std::uint8_t* buffer, std::size_t length, std::size_t& got,
                  int timeoutMs) override;
    };

    void readLoop();

    SerialPort m_port;
    CountingSource m_counter;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<Received> m_queue;
};

}  // namespace quorrel::test
