#include "sim/board/BoardMonitor.h"

#include <chrono>
#include <cstdio>

#include "platform/SerialPort.h"

namespace quorrel {
namespace {

constexpr int kReadTimeoutMs = 100;
constexpr std::size_t kShownLimit = 400;

void sendLine(SerialPort& port, const std::string& text) {
    const std::string line = text + "\r\n";
    std::size_t written = 0;
    port.write(line.data(), line.size(), written);
}

void printLine(std::ostream& out, double seconds, std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    if (line.size() > kShownLimit)
        line = line.substr(0, kShownLimit) + " … (" + std::to_string(line.size()) + " bytes)";
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%7.3f] ", seconds);
    out << stamp << line << '\n';
}

}  // namespace

bool monitorBoard(const std::string& device, std::uint32_t baud, char portLetter, double seconds,
                  std::ostream& out) {
    SerialPort port;
    port.open(device);
    if (!port.isOpen() || !port.setBaudRate(baud)) return false;
    port.purge();
    const std::string own(1, portLetter);
    sendLine(port, "$PQVXQ,PRT");
    sendLine(port, "$PQVXQ,VERSION");
    for (const char* message : {"GGA", "GSA", "GSV", "GST", "ZDA", "VEC", "VTG"})
        sendLine(port, std::string("$PQVXS,NME,") + message + "," + own + ",ON,1.00");

    // Line by line as it comes: a person reads this, so the version text and a source
    // table show as the lines they are.
    using Clock = std::chrono::steady_clock;
    const auto begin = Clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(Clock::now() - begin).count();
    };
    std::string pending;
    while (elapsed() < seconds) {
        std::uint8_t chunk[1024];
        std::size_t got = 0;
        if (!port.read(chunk, sizeof chunk, got, kReadTimeoutMs)) break;
        pending.append(reinterpret_cast<const char*>(chunk), got);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            printLine(out, elapsed(), pending.substr(0, end + 1));
            pending.erase(0, end + 1);
        }
    }
    port.close();
    return true;
}

}  // namespace quorrel
