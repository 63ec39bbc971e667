#include "sim/board/BoardMonitor.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/SerialPort.h"
#include "receiver/link/SentenceReader.h"

namespace quorrel {
namespace {

void sendLine(SerialPort& port, const std::string& text) {
    const std::string line = text + "\r\n";
    std::size_t written = 0;
    port.write(line.data(), line.size(), written);
}

void printSentence(std::ostream& out, double seconds, const char* text, std::size_t length) {
    std::string shown(text, length);
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r'))
        shown.pop_back();
    if (shown.size() > 400)
        shown = shown.substr(0, 400) + " … (" + std::to_string(length) + " bytes)";
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%7.3f] ", seconds);
    for (std::size_t at = 0; (at = shown.find("\r\n", at)) != std::string::npos;)
        shown.replace(at, 2, "\n          ");
    out << stamp << shown << '\n';
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

    std::atomic<bool> stop{false};
    const auto begin = std::chrono::steady_clock::now();
    std::thread timer([&] {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        stop = true;
    });
    SentenceReader reader(port, stop);
    reader.setSilenceMs(100);
    std::vector<char> buffer(SentenceReader::kBufferSize);
    SentenceType type;
    while (reader.readSentence(type, buffer.data(), buffer.size())) {
        const double at =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        printSentence(out, at, buffer.data(), reader.lastLength());
    }
    timer.join();
    port.close();
    return true;
}

}  // namespace quorrel
