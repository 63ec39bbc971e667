#include "sim/board/OutputSchedule.h"

#include <cmath>
#include <cstdio>

namespace quorrel {
namespace {

constexpr const char* kNames[kMessageCount] = {"POS", "SAT", "GGA", "GLL", "GSA",
                                               "GST", "GSV", "RMC", "RRE", "VTG",
                                               "ZDA", "VEC", "A2D", "OBI", "WTI"};

bool isShortcut(int code) {
    return code == int(BoardMessage::Pos) || code == int(BoardMessage::Sat);
}

}  // namespace

const char* messageName(BoardMessage message) {
    return kNames[static_cast<int>(message)];
}

std::optional<BoardMessage> messageByName(const std::string& name) {
    for (int i = 0; i < kMessageCount; ++i)
        if (name == kNames[i]) return static_cast<BoardMessage>(i);
    return std::nullopt;
}

bool OutputSchedule::periodFromSeconds(double seconds, std::int64_t& periodMs) {
    if (!(seconds >= 0.0499 && seconds <= 60.0001)) return false;
    periodMs = std::max<std::int64_t>(kGridMs, std::llround(seconds * 1000.0 / kGridMs) * kGridMs);
    return true;
}

void OutputSchedule::set(int port, BoardMessage message, std::int64_t periodMs) {
    m_periods[port][static_cast<int>(message)] = periodMs;
}

void OutputSchedule::allOff(int port) {
    m_periods[port].fill(0);
}

std::int64_t OutputSchedule::periodMs(int port, BoardMessage message) const {
    return m_periods[port][static_cast<int>(message)];
}

bool OutputSchedule::isDue(int port, BoardMessage message, std::int64_t utcMs) const {
    const std::int64_t period = periodMs(port, message);
    return period > 0 && utcMs % period == 0;
}

bool OutputSchedule::anyOn(int port) const {
    for (std::int64_t period : m_periods[port])
        if (period > 0) return true;
    return false;
}

std::optional<std::int64_t> OutputSchedule::nextEpoch(int port, std::int64_t utcMs) const {
    std::optional<std::int64_t> next;
    for (std::int64_t period : m_periods[port]) {
        if (period <= 0) continue;
        const std::int64_t t = (utcMs / period + 1) * period;
        if (!next || t < *next) next = t;
    }
    return next;
}

std::string OutputSchedule::report(int port) const {
    std::string pairs;
    int count = 0;
    std::int64_t fastest = 0;
    for (int code = 0; code < kMessageCount; ++code) {
        if (isShortcut(code)) continue;
        const std::int64_t period = m_periods[port][code];
        char pair[32];
        std::snprintf(pair, sizeof pair, ",%s,%.2f", kNames[code], period / 1000.0);
        pairs += pair;
        ++count;
        if (period > 0 && (fastest == 0 || period < fastest)) fastest = period;
    }
    char head[48];
    std::snprintf(head, sizeof head, "%c,N,%.2f,%02d", portLetter(port),
                  fastest > 0 ? 1000.0 / fastest : 0.0, count);
    return head + pairs;
}

}  // namespace quorrel
