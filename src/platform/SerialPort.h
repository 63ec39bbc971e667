#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/ByteSource.h"
#include "platform/TrafficObserver.h"

namespace quorrel {

// Line settings as the port layer keeps them; the termios image carries the flow-control
// fields exactly as the device reported them.
struct SerialLineSettings {
    std::uint32_t baudRate = 0;
    std::uint8_t dataBits = 8;
    std::uint8_t parityCode = 0;    // 0 none
    std::uint8_t stopBitsCode = 0;  // 0 one, 1 one and a half, 2 two
};

// Time-outs in milliseconds; 0 means "no limit" for the write pair.
struct SerialTimeouts {
    std::uint32_t readIntervalMs = 0;
    std::uint32_t readTotalPerByteMs = 0;
    std::uint32_t readTotalConstantMs = 0;
    std::uint32_t writeTotalPerByteMs = 0;
    std::uint32_t writeTotalConstantMs = 0;
};

// A serial device (real tty or pseudo-terminal) opened exclusively, raw, 8N1.
// Closing is explicit: destroying the object leaves the device open.
class SerialPort : public ByteSource {
public:
    SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort() override = default;

    bool isOpen() const { return m_fd >= 0; }
    // Opens `name` unless a device is already open; check isOpen() for the outcome.
    void open(const std::string& name);
    // The error number (errno) that made the last open fail; 0 after one that succeeded.
    int lastError() const { return m_lastError; }
    bool close();
    // Applies one of the rates 300 … 115200; on failure the cached rate stays the old one.
    bool setBaudRate(std::uint32_t rate);
    // Discards everything queued in both directions.
    void purge();
    bool write(const void* bytes, std::size_t length, std::size_t& written);
    bool read(std::uint8_t* buffer, std::size_t length, std::size_t& got, int timeoutMs) override;

    const std::string& name() const { return m_name; }
    const SerialLineSettings& lineSettings() const { return m_line; }
    const SerialTimeouts& cachedTimeouts() const { return m_cachedTimeouts; }
    // The time-outs in force. Reads (reader thread) may change them while writes (another
    // thread) use them, hence the copy under a lock.
    SerialTimeouts appliedTimeouts() const;
    int fileDescriptor() const { return m_fd; }

    // Every byte read or written from now on is shown to `observer` as well (none: empty);
    // what a write is given is shown as it begins. Set it while no other thread reads or
    // writes the port.
    void setTrafficObserver(TrafficObserver observer) { m_observer = std::move(observer); }

    // The termios speed constant for `rate`, or 0 when the rate is not one we support.
    static unsigned speedConstant(std::uint32_t rate);

private:
    bool applyLineSettings();
    bool applyTimeouts(const SerialTimeouts& previous);
    bool readWithDriverTimer(std::uint8_t* buffer, std::size_t length, std::size_t& got);
    bool readWithPoll(std::uint8_t* buffer, std::size_t length, std::size_t& got, int timeoutMs);

    int m_fd = -1;       // reads and line settings
    int m_writeFd = -1;  // the same device, non-blocking, for writes
    int m_lastError = 0;
    SerialLineSettings m_line;
    SerialTimeouts m_cachedTimeouts;
    SerialTimeouts m_appliedTimeouts;
    mutable std::mutex m_timeoutsMutex;
    std::string m_name;
    TrafficObserver m_observer;
};

}  // namespace quorrel
