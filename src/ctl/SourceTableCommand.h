#pragma once

#include <string>
#include <vector>

#include "ctl/StationReport.h"
#include "receiver/SourceTableBrowse.h"

namespace quorrel {

class CGnssReceiver;

// HOST PORT [USER PASS] as the caster to browse. False, with the reason, when the port is
// not 1–65535 or a text cannot go into the receiver's sentence.
bool readCasterAccess(const std::vector<std::string>& words, CasterAccess& caster,
                      std::string& problem);

struct SourceTableResult {
    bool loaded = false;
    bool hasPosition = false;
    std::vector<StationDistance> stations;  // nearest first
};

// The browse as the station browser runs it (modem prepared, the receiver's caster settings
// put back afterwards), then the stations with their distances from the receiver's position.
// The external receiver's GPRS access data are not known here, so none are sent.
SourceTableResult loadStations(CGnssReceiver& receiver, const CasterAccess& caster,
                               bool externalReceiver);

}  // namespace quorrel
