#include "ui/status/CSignalPage.h"

#include <QVBoxLayout>

#include "receiver/CGnssReceiver.h"
#include "ui/status/CSignalBarCtrl.h"

namespace quorrel {

CSignalPage::CSignalPage(CGnssReceiver* receiver, QWidget* parent)
    : CPropertyPage(QStringLiteral("Signal"), parent), m_receiver(receiver) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CSignalPage::tick);
}

void CSignalPage::onInitPage() {
    m_chart = new CSignalBarCtrl(this);
    m_chart->setRowMask(kShowRow0 | kShowRow1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_chart);
    m_chart->show();
    m_timer.start();
}

void CSignalPage::tick() {
    if (!m_chart) return;
    m_count = m_receiver ? m_receiver->GetSatellites(m_table) : 0;
    m_chart->setSatellites(m_table, m_count);
    m_chart->redrawNow();
}

}  // namespace quorrel
