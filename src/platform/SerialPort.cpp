#include "platform/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>

namespace quorrel {
namespace {

struct RateEntry {
    std::uint32_t rate;
    speed_t speed;
};

constexpr RateEntry kRates[] = {
    {300, B300},   {600, B600},     {1200, B1200},   {2400, B2400},   {4800, B4800},
    {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

std::uint32_t rateFromSpeed(speed_t speed) {
    for (const RateEntry& e : kRates)
        if (e.speed == speed) return e.rate;
    return 0;
}

using Clock = std::chrono::steady_clock;

// The read time-out in the driver's tenths of a second, or 0 when it cannot be expressed.
unsigned driverTenths(std::uint32_t ms) {
    return ms >= 100 && ms <= 25500 && ms % 100 == 0 ? ms / 100 : 0;
}

int remainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

unsigned SerialPort::speedConstant(std::uint32_t rate) {
    for (const RateEntry& e : kRates)
        if (e.rate == rate) return e.speed;
    return 0;
}

void SerialPort::open(const std::string& name) {
    if (isOpen()) return;
    m_lastError = 0;

    // Two descriptions of the same device: reads block in the driver with its inter-byte
    // timer (one system call per wake-up), writes stay non-blocking so that their time-out
    // holds. Both are opened before the device is made exclusive.
    int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_lastError = errno;
        return;
    }
    int writeFd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios tio{};
    // Exclusive: a second program on the same port would steal our replies.
    if (writeFd < 0 || ioctl(fd, TIOCEXCL) != 0 || tcgetattr(fd, &tio) != 0 ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        m_lastError = errno;
        if (writeFd >= 0) ::close(writeFd);
        ::close(fd);
        return;
    }
    // Linux sizes the driver queues itself, so there are no queue sizes to set. Its serial
    // devices keep no time-outs of their own either: the set starts empty, as a device with
    // none configured would report it.
    m_fd = fd;
    m_writeFd = writeFd;
    m_line.baudRate = rateFromSpeed(cfgetospeed(&tio));
    m_line.dataBits = 8;
    m_line.parityCode = 0;
    // Stop-bits code 1 means one and a half stop bits; termios has only one or two, and
    // with 8 data bits one and a half is not a valid frame anywhere, so it becomes one.
    m_line.stopBitsCode = 1;
    m_cachedTimeouts = SerialTimeouts{};
    m_appliedTimeouts = m_cachedTimeouts;
    applyLineSettings();
    m_cachedTimeouts.writeTotalPerByteMs = 10;
    m_cachedTimeouts.writeTotalConstantMs = 1000;
    m_name = name;
}

bool SerialPort::applyLineSettings() {
    termios tio{};
    if (tcgetattr(m_fd, &tio) != 0) return false;
    // A tty cooks bytes unless told otherwise; the receiver link needs every byte as sent.
    // Flow-control bits (CRTSCTS, IXON, IXOFF) stay as the device reported them.
    const tcflag_t flow = tio.c_cflag & CRTSCTS;
    const tcflag_t softFlow = tio.c_iflag & (IXON | IXOFF | IXANY);
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD | flow;
    if (m_line.stopBitsCode == 2) tio.c_cflag |= CSTOPB;
    tio.c_iflag |= softFlow;
    // The read time-out becomes the driver's timer where it can express it (tenths of a
    // second up to 25.5 s); other values are waited for in poll().
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = cc_t(driverTenths(m_appliedTimeouts.readTotalConstantMs));
    if (const speed_t speed = speedConstant(m_line.baudRate); speed != 0) {
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
    }
    return tcsetattr(m_fd, TCSANOW, &tio) == 0;
}

bool SerialPort::close() {
    if (!isOpen()) return false;
    ::close(m_writeFd);
    const int rc = ::close(m_fd);
    m_fd = -1;
    m_writeFd = -1;
    return rc == 0;
}

bool SerialPort::applyTimeouts(const SerialTimeouts& previous) {
    std::lock_guard<std::mutex> guard(m_timeoutsMutex);
    m_appliedTimeouts = m_cachedTimeouts;
    if (applyLineSettings()) return true;
    m_cachedTimeouts.readTotalConstantMs = previous.readTotalConstantMs;
    m_appliedTimeouts = previous;
    return false;
}

SerialTimeouts SerialPort::appliedTimeouts() const {
    std::lock_guard<std::mutex> guard(m_timeoutsMutex);
    return m_appliedTimeouts;
}

bool SerialPort::setBaudRate(std::uint32_t rate) {
    if (!isOpen() || speedConstant(rate) == 0) return false;
    // The reader thread may re-apply the line settings for a new read time-out meanwhile.
    std::lock_guard<std::mutex> guard(m_timeoutsMutex);
    const std::uint32_t previous = m_line.baudRate;
    m_line.baudRate = rate;
    if (applyLineSettings()) return true;
    m_line.baudRate = previous;
    return false;
}

void SerialPort::purge() {
    if (isOpen()) tcflush(m_fd, TCIOFLUSH);
}

bool SerialPort::write(const void* bytes, std::size_t length, std::size_t& written) {
    written = 0;
    if (!isOpen()) return false;
    const SerialTimeouts t = appliedTimeouts();
    const std::uint64_t limitMs =
        std::uint64_t(t.writeTotalPerByteMs) * length + t.writeTotalConstantMs;
    const bool unlimited = t.writeTotalPerByteMs == 0 && t.writeTotalConstantMs == 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    // Shown as the write begins, so that a reply the reader gets meanwhile never shows first.
    if (m_observer) m_observer(TrafficDirection::Out, p, length);
    while (written < length) {
        const ssize_t n = ::write(m_writeFd, p + written, length - written);
        if (n > 0) {
            written += std::size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd pfd{m_writeFd, POLLOUT, 0};
        const int wait = unlimited ? -1 : remainingMs(deadline);
        if (!unlimited && wait == 0) return false;
        const int rc = ::poll(&pfd, 1, wait);
        if (rc < 0 && errno != EINTR) return false;
        if (rc > 0 && (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
    }
    return true;
}

bool SerialPort::read(std::uint8_t* buffer, std::size_t length, std::size_t& got, int timeoutMs) {
    got = 0;
    if (!isOpen()) return false;
    if (timeoutMs < 0) timeoutMs = 0;
    if (std::uint32_t(timeoutMs) != m_cachedTimeouts.readTotalConstantMs) {
        const SerialTimeouts previous = appliedTimeouts();
        m_cachedTimeouts.readTotalConstantMs = std::uint32_t(timeoutMs);
        applyTimeouts(previous);
    }
    if (driverTenths(m_appliedTimeouts.readTotalConstantMs) != 0 &&
        m_appliedTimeouts.readTotalConstantMs == std::uint32_t(timeoutMs))
        return readWithDriverTimer(buffer, length, got);
    return readWithPoll(buffer, length, got, timeoutMs);
}

// One blocking read that the driver ends after the first bytes or after its timer.
bool SerialPort::readWithDriverTimer(std::uint8_t* buffer, std::size_t length, std::size_t& got) {
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, length);
        if (n > 0) {
            got = std::size_t(n);
            if (m_observer) m_observer(TrafficDirection::In, buffer, got);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        // Nothing read: the timer ran out, or the device is gone (a pty whose master closed
        // reads 0 at once and reports POLLHUP).
        pollfd pfd{m_fd, POLLIN, 0};
        return !(::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)));
    }
}

bool SerialPort::readWithPoll(std::uint8_t* buffer, std::size_t length, std::size_t& got,
                              int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd pfd{m_fd, POLLIN, 0};
        const int rc = ::poll(&pfd, 1, remainingMs(deadline));
        if (rc < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (rc == 0) return true;  // nothing within the time: not an error
        if (pfd.revents & POLLNVAL) return false;
        const ssize_t n = ::read(m_fd, buffer, length);
        if (n > 0) {
            got = std::size_t(n);
            if (m_observer) m_observer(TrafficDirection::In, buffer, got);
            return true;
        }
        // Readable but empty: the device vanished.
        if (n == 0 || errno != EINTR) return false;
    }
}

}  // namespace quorrel
