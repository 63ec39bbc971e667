#include "ui/status/CSatellitesPage.h"

#include <QVBoxLayout>

#include "receiver/CGnssReceiver.h"
#include "ui/status/CSkyPlotCtrl.h"

namespace quorrel {

CSatellitesPage::CSatellitesPage(CGnssReceiver* receiver, QWidget* parent)
    : CPropertyPage(QStringLiteral("Satellites"), parent), m_receiver(receiver) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CSatellitesPage::tick);
}

void CSatellitesPage::onInitPage() {
    m_plot = new CSkyPlotCtrl(this);
    m_plot->setGroupMask(kShowGps | kShowGlonassSbas);
    m_plot->setPlotStyle(satellitesPageStyle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot);
    m_plot->show();
    // The empty grid shows at once; the satellites come with the first tick.
    m_timer.start();
}

void CSatellitesPage::tick() {
    if (!m_plot) return;
    m_count = m_receiver ? m_receiver->GetSatellites(m_table) : 0;
    m_plot->setEntries(buildPlotEntries(m_table, m_count), true);
}

}  // namespace quorrel
