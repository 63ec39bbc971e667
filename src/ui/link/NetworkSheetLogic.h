#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "receiver/SourceTableBrowse.h"
#include "ui/link/DiffLinkValues.h"
#include "ui/link/HistoryEntry.h"

namespace quorrel {

class CGnssReceiver;
class StationList;

// "SendPosToNet": the "Send position to network" choice between runs of the network sheet.
inline constexpr char kSendPosToNet[] = "SendPosToNet";

// A port field's text as a port: a decimal number 0–65535, anything else 0.
std::int32_t portFromText(const QString& text);
QString portText(std::int32_t port);

// The history entries the pages add on OK.
HistoryEntry gprsHistoryEntry(const NetworkValues& values);
HistoryEntry directIpHistoryEntry(const NetworkValues& values);
HistoryEntry ntripHistoryEntry(const NetworkValues& values);

// What a browse sends: the caster the NTRIP page's fields name, and the GPRS access the
// sheet holds (the GPRS page's last stored values).
struct CasterFields {
    QString host, port, login, password;
};
BrowseRequest browseRequest(const NetworkValues& sheet, bool externalReceiver,
                            const CasterFields& fields);

// The waiting note's line while the table arrives.
QString tableProgressText(std::size_t bytes, std::size_t stations);

// The load half of a browse (modem, caster, table), telling `progress` as the table comes
// in. Runs where receiver calls run.
BrowseOutcome loadStations(CGnssReceiver& receiver, SourceTableBrowse& browse,
                           const BrowseRequest& request, StationList& stations,
                           const std::function<void(const QString&)>& progress);

}  // namespace quorrel
