#pragma once

#include <QObject>
#include <QTimer>

namespace quorrel {

class CGnssReceiver;

// Tells the screens on the GUI thread when the receiver link ends by itself (a cable pulled,
// the board switched off). Owned by the application, one per receiver. It registers a
// link-lost listener with the receiver (which runs on the reader thread) and turns it into a
// queued signal; a receiver that reports no losses is asked IsConnected() once a second
// instead. Losses count only while the link is meant to be up: between linkUp() after an
// open and linkDown() before a deliberate close.
class LinkMonitor : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollMs = 1000;

    explicit LinkMonitor(CGnssReceiver& receiver, QObject* parent = nullptr);
    // Unregisters the listener; no signal comes after this.
    ~LinkMonitor() override;

    // The link was opened (again): losses are reported from now on.
    void linkUp();
    // The program is about to close the link: that is not a loss.
    void linkDown();
    bool isLinkLost() const { return m_lost; }
    // Shortens the polling of a receiver that reports no losses (tests).
    void setPollIntervalMs(int ms) { m_poll.setInterval(ms); }

signals:
    void linkLost();
    void linkRestored();

private:
    void onLost();
    void poll();

    CGnssReceiver& m_receiver;
    int m_listenerId = 0;
    bool m_watching = false;
    bool m_lost = false;
    QTimer m_poll;
};

}  // namespace quorrel
