#include "ui/status/CStatusPage.h"

#include <QVBoxLayout>

#include "ui/kit/ConnectionLostBar.h"
#include "ui/kit/LinkMonitor.h"

namespace quorrel {

namespace {
constexpr int kRefreshMs = 1000;
}

CStatusPage::CStatusPage(const QString& title, CGnssReceiver* receiver, QWidget* parent)
    : CPropertyPage(title, parent), m_receiver(receiver) {
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
}

void CStatusPage::startRefreshing() {
    m_refreshing = true;
    if (!m_linkLost) m_timer.start();
}

void CStatusPage::refreshNow() {
    if (m_linkLost)
        showNoData();
    else
        tick();
}

void CStatusPage::stopRefreshing() {
    m_refreshing = false;
    m_timer.stop();
}

void CStatusPage::watchLink(LinkMonitor& monitor) {
    if (m_lostBar) return;
    m_lostBar = new ConnectionLostBar(monitor, ConnectionLostBar::Button::None, this);
    connect(&monitor, &LinkMonitor::linkLost, this, &CStatusPage::onLinkLost);
    connect(&monitor, &LinkMonitor::linkRestored, this, &CStatusPage::onLinkRestored);
    placeLostBar();
    if (monitor.isLinkLost()) onLinkLost();
}

bool CStatusPage::isShowingLinkLost() const {
    return m_lostBar && !m_lostBar->isHidden();
}

void CStatusPage::onLinkLost() {
    m_linkLost = true;
    m_timer.stop();
    showNoData();
    placeLostBar();
    m_lostBar->raise();
}

void CStatusPage::onLinkRestored() {
    m_linkLost = false;
    if (!m_refreshing) return;
    tick();
    m_timer.start();
}

// Across the foot of the page, over whatever is drawn there: the page shows no data then.
void CStatusPage::placeLostBar() {
    if (!m_lostBar) return;
    const int height = m_lostBar->sizeHint().height();
    m_lostBar->setGeometry(0, qMax(0, this->height() - height), width(), height);
}

void CStatusPage::resizeEvent(QResizeEvent* event) {
    CPropertyPage::resizeEvent(event);
    placeLostBar();
}

void CStatusPage::fillWith(QWidget* control) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control);
    control->show();
}

}  // namespace quorrel
