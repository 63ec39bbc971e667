#include "ui/config/NmeaMessagesPageLogic.h"

#include <cmath>
#include <iterator>

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

struct MessageRow {
    const char* name;
    int code;
};

constexpr MessageRow kRows[] = {{"GGA", kMsgGga}, {"GLL", kMsgGll}, {"GSA", kMsgGsa},
                                {"GSV", kMsgGsv}, {"RMC", kMsgRmc}, {"RRE", kMsgRre},
                                {"VTG", kMsgVtg}, {"ZDA", kMsgZda}};
static_assert(std::size(kRows) == NmeaMessagesPageLogic::kRowCount);

constexpr double kIntervalsS[] = {0.05, 0.1, 0.2, 0.5, 1,  2,  3,  4,  5, 6,
                                  7,    8,   9,   10,  20, 30, 40, 50, 60};
constexpr double kSecondsPerMinute = 60;
constexpr double kPeriodToleranceS = 0.001;

}  // namespace

QStringList NmeaMessagesPageLogic::messageNames() {
    QStringList names;
    for (const MessageRow& row : kRows)
        names << QString::fromLatin1(row.name);
    return names;
}

QStringList NmeaMessagesPageLogic::intervalTexts() {
    QStringList texts;
    for (const double seconds : kIntervalsS) {
        const bool minutes = seconds >= kSecondsPerMinute;
        const double value = minutes ? seconds / kSecondsPerMinute : seconds;
        texts << QStringLiteral("%1 %2").arg(value).arg(
            resText(minutes ? kStrMinutes : kStrSeconds));
    }
    return texts;
}

int NmeaMessagesPageLogic::rowOf(int code) {
    for (int row = 0; row < kRowCount; ++row)
        if (kRows[row].code == code) return row;
    return -1;
}

int NmeaMessagesPageLogic::intervalFor(double periodSeconds) {
    for (int i = 0; i < int(std::size(kIntervalsS)); ++i)
        if (std::fabs(kIntervalsS[i] - periodSeconds) < kPeriodToleranceS) return i;
    return -1;
}

bool NmeaMessagesPageLogic::anyRowOn(const NmeaOutputRecord& output) {
    for (int i = 0; i < output.count && i < int(output.entries.size()); ++i)
        if (rowOf(output.entries[i].code) >= 0 && output.entries[i].periodSeconds != 0) return true;
    return false;
}

NmeaMessagesValues NmeaMessagesPageLogic::load(CGnssReceiver& receiver, int port,
                                               NmeaMessagesValues values) const {
    for (NmeaMessageRow& row : values.rows)
        row.on = false;
    NmeaOutputRecord output;
    if (!receiver.QueryNmeaOutput(port, output)) return values;
    for (int i = 0; i < output.count && i < int(output.entries.size()); ++i) {
        const NmeaOutputEntry& entry = output.entries[i];
        const int row = rowOf(entry.code);
        if (row < 0 || entry.periodSeconds == 0) continue;
        values.rows[row].on = true;
        if (const int interval = intervalFor(entry.periodSeconds); interval >= 0)
            values.rows[row].interval = interval;
    }
    return values;
}

void NmeaMessagesPageLogic::apply(CGnssReceiver& receiver, int port,
                                  const NmeaMessagesValues& values) const {
    for (int row = 0; row < kRowCount; ++row) {
        const NmeaMessageRow& r = values.rows[row];
        const bool hasInterval = r.interval >= 0 && r.interval < int(std::size(kIntervalsS));
        const float periodS = r.on && hasInterval ? float(kIntervalsS[r.interval]) : 0.0f;
        receiver.SetNmeaMessage(port, kRows[row].code, r.on, periodS);
    }
}

}  // namespace quorrel
