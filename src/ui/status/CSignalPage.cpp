#include "ui/status/CSignalPage.h"

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/status/CSignalBarCtrl.h"

namespace quorrel {

CSignalPage::CSignalPage(CGnssReceiver* receiver, QWidget* parent)
    : CStatusPage(resText(kStrSignalPage), receiver, parent) {}

void CSignalPage::onInitPage() {
    m_chart = new CSignalBarCtrl(this);
    m_chart->setRowMask(kShowRow0 | kShowRow1);
    fillWith(m_chart);
    startRefreshing();
}

void CSignalPage::tick() {
    if (!m_chart) return;
    m_count = receiver() ? receiver()->GetSatellites(m_table) : 0;
    m_chart->setSatellites(m_table, m_count);
    m_chart->redrawNow();
}

void CSignalPage::showNoData() {
    m_table = SatelliteTable{};
    m_count = 0;
    if (!m_chart) return;
    m_chart->setSatellites(m_table, m_count);
    m_chart->redrawNow();
}

}  // namespace quorrel
