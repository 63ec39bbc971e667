#pragma once

#include <optional>
#include <string>

namespace quorrel {

class CGnssReceiver;
class StationList;

// An NTRIP caster as the receiver's IP client reaches it.
struct CasterAccess {
    std::u16string host;
    int port = 0;
    std::u16string login;
    std::u16string password;
};

// The GPRS access data the modem gets before a browse on the external receiver.
struct GprsAccess {
    std::u16string pin;
    std::u16string accessPoint;
    std::u16string login;
    std::u16string password;
};

struct BrowseRequest {
    CasterAccess caster;
    // The GPRS access data go to the modem only for the external receiver, and only when they
    // name an access point.
    bool externalReceiver = false;
    GprsAccess gprs;
};

enum class BrowseOutcome {
    NotContacted,  // no host or no port: the modem was prepared, the caster left alone
    Loaded,
    Failed,
};

// Fetching a caster's source table through the receiver, which has to be pointed at that
// caster for the time of the load. The caller shows the stations between load() and
// restore(), which puts the receiver's own caster settings back; every load that reached the
// caster needs its restore, whatever came of it. Both run where receiver calls may run.
class SourceTableBrowse {
public:
    explicit SourceTableBrowse(CGnssReceiver& receiver) : m_receiver(receiver) {}

    // Prepares the modem (GPRS protocol, modem start, GPRS access when asked for); then, with
    // a host and a port, saves the receiver's caster settings (empty when it cannot tell),
    // points it at the caster and loads the table into `stations`.
    BrowseOutcome load(const BrowseRequest& request, StationList& stations);
    // True after a load that changed the receiver's caster settings, until restore().
    bool needsRestore() const { return m_previous.has_value(); }
    // Sets the saved caster settings again; does nothing when there is nothing to put back.
    void restore();

private:
    CGnssReceiver& m_receiver;
    std::optional<CasterAccess> m_previous;
};

// load() and restore() in one go, for a caller that shows the stations afterwards.
BrowseOutcome browseSourceTable(CGnssReceiver& receiver, const BrowseRequest& request,
                                StationList& stations);

}  // namespace quorrel
