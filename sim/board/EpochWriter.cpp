#include "sim/board/EpochWriter.h"

#include <algorithm>
#include <cstdio>

namespace quorrel {

void EpochWriter::write(int port, const EpochSnapshot& e, const UnsolicitedValues& values) {
    auto emit = [&](BoardMessage m, auto format) {
        if (m_schedule.isDue(port, m, e.utcMs)) format();
    };
    emit(BoardMessage::Gga, [&] { send(nmea::gga(e)); });
    emit(BoardMessage::Gll, [&] { send(nmea::gll(e)); });
    emit(BoardMessage::Gsa, [&] {
        for (const std::string& body : nmea::gsa(e))
            send(body);
    });
    emit(BoardMessage::Gsv, [&] {
        for (const std::string& body : nmea::gsv(e))
            send(body);
    });
    emit(BoardMessage::Gst, [&] { send(nmea::gst(e)); });
    emit(BoardMessage::Zda, [&] { send(nmea::zda(e)); });
    emit(BoardMessage::Vtg, [&] { send(nmea::vtg(e)); });
    emit(BoardMessage::Rmc, [&] { send(nmea::rmc(e)); });
    emit(BoardMessage::Rre, [&] { send(nmea::rre(e)); });
    emit(BoardMessage::Vec, [&] { send(nmea::vec(e)); });
    writeUnsolicited(port, e, values);
}

// A2D: external antenna seen, antenna supply fine. OBI: time, buffer fill in percent and
// observations stored. WTI: seconds until FIXED and the solution mode.
void EpochWriter::writeUnsolicited(int port, const EpochSnapshot& e,
                                   const UnsolicitedValues& values) {
    char body[96];
    if (m_schedule.isDue(port, BoardMessage::A2d, e.utcMs)) {
        std::snprintf(body, sizeof body, "PQVXR,A2D,%d,1", values.externalAntenna ? 1 : 0);
        send(body);
    }
    if (m_schedule.isDue(port, BoardMessage::Obi, e.utcMs)) {
        const int stored = std::clamp(static_cast<int>(values.observationSeconds), 0, 99999);
        std::snprintf(body, sizeof body, "PQVXR,OBI,%s,%.2f,%05d", nmea::timeField(e.utcMs).c_str(),
                      std::min(stored / 360.0, 100.0), stored);
        send(body);
    }
    if (m_schedule.isDue(port, BoardMessage::Wti, e.utcMs)) {
        std::snprintf(body, sizeof body, "PQVXR,WTI,%04d,%d", std::min(e.fix.secondsToFixed, 9999),
                      vecMode(e.fix.kind));
        send(body);
    }
}

}  // namespace quorrel
