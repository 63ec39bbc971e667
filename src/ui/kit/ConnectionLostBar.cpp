#include "ui/kit/ConnectionLostBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/kit/LinkMonitor.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

ConnectionLostBar::ConnectionLostBar(LinkMonitor& monitor, Button button, QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("connectionLost"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xFF, 0xE0, 0xA0));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    auto* row = new QHBoxLayout(this);
    auto* text = new QLabel(resText(kStrConnectionLost), this);
    text->setWordWrap(true);
    QFont bold = text->font();
    bold.setBold(true);
    text->setFont(bold);
    row->addWidget(text, 1);
    if (button == Button::Reconnect) {
        m_reconnect = new QPushButton(resText(kStrReconnect), this);
        m_reconnect->setObjectName(QStringLiteral("reconnect"));
        m_reconnect->setAutoDefault(false);
        row->addWidget(m_reconnect);
        connect(m_reconnect, &QPushButton::clicked, this, &ConnectionLostBar::reconnectClicked);
    }
    setVisible(monitor.isLinkLost());
    connect(&monitor, &LinkMonitor::linkLost, this, &QWidget::show);
    connect(&monitor, &LinkMonitor::linkRestored, this, &QWidget::hide);
}

}  // namespace quorrel
