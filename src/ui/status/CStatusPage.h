#pragma once

#include <QTimer>

#include "app/core/CPropertyPage.h"

namespace quorrel {

class CGnssReceiver;

// A page of the status sheet: it only reads the receiver, once a second from its opening
// until the sheet closes, also while another page is in front.
class CStatusPage : public CPropertyPage {
    Q_OBJECT

public:
    // One timer tick: snapshot the receiver and show it.
    virtual void tick() = 0;

    const QTimer& refreshTimer() const { return m_timer; }
    // The sheet closed: no more ticks.
    void stopRefreshing() { m_timer.stop(); }

protected:
    CStatusPage(const QString& title, CGnssReceiver* receiver, QWidget* parent);

    void startRefreshing() { m_timer.start(); }
    // Lays `control` out to fill the whole page.
    void fillWith(QWidget* control);
    CGnssReceiver* receiver() const { return m_receiver; }

private:
    CGnssReceiver* m_receiver;
    QTimer m_timer;
};

}  // namespace quorrel
