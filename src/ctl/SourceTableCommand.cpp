#include "ctl/SourceTableCommand.h"

#include <QString>

#include "ctl/ArgumentParser.h"
#include "ctl/OperationArgs.h"
#include "receiver/CGnssReceiver.h"
#include "receiver/ReceiverTypes.h"

namespace quorrel {
namespace {

constexpr int kLastPort = 65535;

}  // namespace

bool readCasterAccess(const std::vector<std::string>& words, CasterAccess& caster,
                      std::string& problem) {
    const std::vector<ArgSpec> specs = {textArg("HOST", kLinkTextLength), intArg("PORT"),
                                        textArg("USER", kLinkTextLength),
                                        textArg("PASS", kLinkTextLength)};
    std::vector<ArgValue> values;
    for (std::size_t i = 0; i < words.size() && i < specs.size(); ++i) {
        ArgValue value;
        if (!parseArgument(specs[i], words[i], value, problem)) {
            problem = "sourcetable " + problem;
            return false;
        }
        values.push_back(std::move(value));
    }
    if (values.size() < 2) {
        problem = "sourcetable needs HOST and PORT";
        return false;
    }
    caster.host = std::get<std::u16string>(values[0]);
    caster.port = std::get<int>(values[1]);
    if (caster.host.empty() || caster.port < 1 || caster.port > kLastPort) {
        problem = "sourcetable needs a HOST and a PORT of 1-65535";
        return false;
    }
    if (values.size() == 4) {
        caster.login = std::get<std::u16string>(values[2]);
        caster.password = std::get<std::u16string>(values[3]);
    }
    return true;
}

SourceTableResult loadStations(CGnssReceiver& receiver, const CasterAccess& caster,
                               bool externalReceiver) {
    BrowseRequest request;
    request.caster = caster;
    request.externalReceiver = externalReceiver;
    StationList stations;
    SourceTableResult result;
    result.loaded = browseSourceTable(receiver, request, stations) == BrowseOutcome::Loaded;
    if (!result.loaded) return result;
    const std::optional<PositionRecord> reference = referencePosition(receiver);
    result.hasPosition = reference.has_value();
    result.stations = stationsByDistance(stations, reference);
    return result;
}

}  // namespace quorrel
