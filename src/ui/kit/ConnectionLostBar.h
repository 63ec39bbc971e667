#pragma once

#include <QFrame>

class QPushButton;

namespace quorrel {

class LinkMonitor;

// "Receiver connection lost" across a window, shown while `monitor` reports the link lost.
// The main menu's bar carries a Reconnect button; a sheet's and a page's only the words.
class ConnectionLostBar : public QFrame {
    Q_OBJECT

public:
    enum class Button { None, Reconnect };

    ConnectionLostBar(LinkMonitor& monitor, Button button, QWidget* parent);

    // Null without one.
    QPushButton* reconnectButton() const { return m_reconnect; }

signals:
    void reconnectClicked();

private:
    QPushButton* m_reconnect = nullptr;
};

}  // namespace quorrel
