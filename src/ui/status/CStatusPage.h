#pragma once

#include <QTimer>

#include "ui/kit/CPropertyPage.h"

namespace quorrel {

class CGnssReceiver;
class ConnectionLostBar;
class LinkMonitor;

// A page of the status sheet: it only reads the receiver, once a second from its opening
// until the sheet closes, also while another page is in front. While the link is lost the
// page says so across its foot and shows no values, rather than the last ones as if current.
class CStatusPage : public CPropertyPage {
    Q_OBJECT

public:
    // One timer tick: snapshot the receiver and show it.
    virtual void tick() = 0;

    const QTimer& refreshTimer() const { return m_timer; }
    // The sheet closed: no more ticks.
    void stopRefreshing();
    // Follows `monitor`: refreshing pauses and the values go while the link is lost.
    void watchLink(LinkMonitor& monitor);
    bool isShowingLinkLost() const;

protected:
    CStatusPage(const QString& title, CGnssReceiver* receiver, QWidget* parent);

    void startRefreshing();
    // One refresh now: tick(), or no data while the link is lost.
    void refreshNow();
    // Empties the page: nothing the receiver said before the loss stays on screen.
    virtual void showNoData() = 0;
    // Lays `control` out to fill the whole page.
    void fillWith(QWidget* control);
    CGnssReceiver* receiver() const { return m_receiver; }

private:
    void onLinkLost();
    void onLinkRestored();
    void placeLostBar();
    void resizeEvent(QResizeEvent* event) override;

    CGnssReceiver* m_receiver;
    QTimer m_timer;
    bool m_refreshing = false;  // between startRefreshing and stopRefreshing
    bool m_linkLost = false;
    ConnectionLostBar* m_lostBar = nullptr;
};

}  // namespace quorrel
