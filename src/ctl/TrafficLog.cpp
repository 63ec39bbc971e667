#include "ctl/TrafficLog.h"

#include <sys/time.h>
#include <ctime>

namespace quorrel {
namespace {

std::string timeStamp() {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, int(now.tv_usec / 1000));
    return text;
}

}  // namespace

TrafficObserver TrafficLog::observer() {
    return [this](TrafficDirection direction, const std::uint8_t* bytes, std::size_t length) {
        onBytes(direction, bytes, length);
    };
}

void TrafficLog::onBytes(TrafficDirection direction, const std::uint8_t* bytes,
                         std::size_t length) {
    std::lock_guard<std::mutex> guard(m_mutex);
    const bool in = direction == TrafficDirection::In;
    (in ? m_in : m_sent).feed(bytes, length, [this, in](const std::string& line) {
        std::fprintf(m_out, "%s %s %s\n", timeStamp().c_str(), in ? " in" : "out", line.c_str());
    });
    std::fflush(m_out);
}

}  // namespace quorrel
