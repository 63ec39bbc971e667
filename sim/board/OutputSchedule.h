#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/board/BoardState.h"

namespace quorrel {

// Messages the NME command switches, in the order of their codes.
enum class BoardMessage {
    Pos,
    Sat,
    Gga,
    Gll,
    Gsa,
    Gst,
    Gsv,
    Rmc,
    Rre,
    Vtg,
    Zda,
    Vec,
    A2d,
    Obi,
    Wti
};
constexpr int kMessageCount = 15;

const char* messageName(BoardMessage message);
std::optional<BoardMessage> messageByName(const std::string& name);

// Which message goes out on which port how often. Periods are kept in milliseconds on the
// board's 50 ms epoch grid; an epoch at UTC time t carries every message whose period
// divides t, so outputs stay aligned on whole seconds.
class OutputSchedule {
public:
    static constexpr std::int64_t kGridMs = 50;
    static constexpr std::int64_t kLongestMs = 60000;

    // Rounds `seconds` onto the grid; false when it lies outside 0.05 … 60 s.
    static bool periodFromSeconds(double seconds, std::int64_t& periodMs);

    void set(int port, BoardMessage message, std::int64_t periodMs);
    void allOff(int port);
    std::int64_t periodMs(int port, BoardMessage message) const;
    bool isDue(int port, BoardMessage message, std::int64_t utcMs) const;
    bool anyOn(int port) const;
    // The next grid time after `utcMs` at which port `port` has something due, if any.
    std::optional<std::int64_t> nextEpoch(int port, std::int64_t utcMs) const;
    // "A,N,rate,count,{name,period}": the NMO reply fields for `port`; POS and SAT are
    // shortcuts for groups of messages and are not listed.
    std::string report(int port) const;

private:
    std::array<std::array<std::int64_t, kMessageCount>, kPortCount> m_periods{};
};

}  // namespace quorrel
