#include "ui/status/CSatellitesPage.h"

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/status/CSkyPlotCtrl.h"

namespace quorrel {

CSatellitesPage::CSatellitesPage(CGnssReceiver* receiver, QWidget* parent)
    : CStatusPage(resText(kStrSatellitesPage), receiver, parent) {}

void CSatellitesPage::onInitPage() {
    m_plot = new CSkyPlotCtrl(this);
    m_plot->setGroupMask(kShowGps | kShowGlonassSbas);
    m_plot->setPlotStyle(satellitesPageStyle());
    fillWith(m_plot);
    // The empty grid shows at once; the satellites come with the first tick.
    startRefreshing();
}

void CSatellitesPage::tick() {
    if (!m_plot) return;
    m_count = receiver() ? receiver()->GetSatellites(m_table) : 0;
    m_plot->setEntries(buildPlotEntries(m_table, m_count), true);
}

void CSatellitesPage::showNoData() {
    m_table = SatelliteTable{};
    m_count = 0;
    if (m_plot) m_plot->setEntries(buildPlotEntries(m_table, m_count), true);
}

}  // namespace quorrel
