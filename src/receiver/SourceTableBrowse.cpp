#include "receiver/SourceTableBrowse.h"

#include "receiver/CGnssReceiver.h"

namespace quorrel {

BrowseOutcome SourceTableBrowse::load(const BrowseRequest& request, StationList& stations) {
    // The preparation's results are not needed: a modem that did not come up shows in the
    // load.
    m_receiver.SetModemGprsProtocol(0);
    m_receiver.InitializeModem();
    const GprsAccess& gprs = request.gprs;
    if (request.externalReceiver && !gprs.accessPoint.empty())
        m_receiver.SetModemGprsParameters(gprs.pin, gprs.accessPoint, gprs.login, gprs.password);

    const CasterAccess& caster = request.caster;
    if (caster.host.empty() || caster.port == 0) return BrowseOutcome::NotContacted;

    CasterAccess previous;
    if (!m_receiver.QueryNtripParameters(previous.host, previous.port, previous.login,
                                         previous.password))
        previous = CasterAccess{};
    m_previous = previous;
    m_receiver.SetNtripParameters(caster.host, caster.port, caster.login, caster.password, 0);
    return m_receiver.LoadSourceTable(stations) ? BrowseOutcome::Loaded : BrowseOutcome::Failed;
}

void SourceTableBrowse::restore() {
    if (!m_previous) return;
    const CasterAccess previous = *m_previous;
    m_previous.reset();
    m_receiver.SetNtripParameters(previous.host, previous.port, previous.login, previous.password,
                                  0);
}

BrowseOutcome browseSourceTable(CGnssReceiver& receiver, const BrowseRequest& request,
                                StationList& stations) {
    SourceTableBrowse browse(receiver);
    const BrowseOutcome outcome = browse.load(request, stations);
    browse.restore();
    return outcome;
}

}  // namespace quorrel
