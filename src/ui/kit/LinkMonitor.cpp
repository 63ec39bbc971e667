#include "ui/kit/LinkMonitor.h"

#include <QMetaObject>

#include "receiver/CGnssReceiver.h"

namespace quorrel {

LinkMonitor::LinkMonitor(CGnssReceiver& receiver, QObject* parent)
    : QObject(parent), m_receiver(receiver) {
    // Queued: the listener runs on the reader thread; a call still queued when the monitor
    // goes is dropped with it.
    m_listenerId = m_receiver.addLinkLostListener(
        [this] { QMetaObject::invokeMethod(this, &LinkMonitor::onLost, Qt::QueuedConnection); });
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &LinkMonitor::poll);
}

LinkMonitor::~LinkMonitor() {
    if (m_listenerId != 0) m_receiver.removeLinkLostListener(m_listenerId);
}

void LinkMonitor::linkUp() {
    m_watching = true;
    if (m_listenerId == 0) m_poll.start();
    if (!m_lost) return;
    m_lost = false;
    emit linkRestored();
}

void LinkMonitor::linkDown() {
    m_watching = false;
    m_poll.stop();
}

void LinkMonitor::poll() {
    // A snapshot: it never waits for the receiver.
    if (!m_receiver.IsConnected()) onLost();
}

void LinkMonitor::onLost() {
    if (!m_watching || m_lost) return;
    m_lost = true;
    m_poll.stop();
    emit linkLost();
}

}  // namespace quorrel
