#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

namespace quorrel::test {

// Runs `act` on the first modal window of type T, once it is up; the receiver worker may
// keep the event loop busy before the window opens.
template <typename T>
void whenModal(std::function<void(T&)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [act, poll] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window) return;
        poll->stop();
        poll->deleteLater();
        act(*window);
    });
    poll->start(10);
}

}  // namespace quorrel::test
