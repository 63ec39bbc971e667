#include "ui/status/CStatusPage.h"

#include <QVBoxLayout>

namespace quorrel {

namespace {
constexpr int kRefreshMs = 1000;
}

CStatusPage::CStatusPage(const QString& title, CGnssReceiver* receiver, QWidget* parent)
    : CPropertyPage(title, parent), m_receiver(receiver) {
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
}

void CStatusPage::fillWith(QWidget* control) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control);
    control->show();
}

}  // namespace quorrel
