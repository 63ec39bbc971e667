#include "ui/kit/ReceiverWorker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include "ui/kit/InputBlocker.h"
#include "ui/kit/UserPrompts.h"
#include "ui/kit/WaitingNote.h"

namespace quorrel {

ReceiverWorker::ReceiverWorker(CGnssReceiver& receiver, UserPrompts& prompts, QObject* parent)
    : QObject(parent), m_receiver(receiver), m_prompts(prompts) {
    m_thread = std::thread([this] { threadMain(); });
}

ReceiverWorker::~ReceiverWorker() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    m_thread.join();
}

void ReceiverWorker::enqueue(Sequence sequence) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(sequence));
    }
    m_wake.notify_one();
}

void ReceiverWorker::deliver(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void ReceiverWorker::threadMain() {
    for (;;) {
        Sequence sequence;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop) return;
            sequence = std::move(m_queue.front());
            m_queue.pop_front();
            m_progress.clear();
        }
        sequence(m_receiver);
    }
}

void ReceiverWorker::setProgress(const QString& text) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_progress = text;
    }
    deliver([this, text] { emit progressChanged(text); });
}

QString ReceiverWorker::progress() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_progress;
}

void ReceiverWorker::wait(Sequence sequence) {
    ++m_pending;
    BusyCursor busy(m_prompts);
    InputBlocker blockInput;
    QEventLoop loop;
    bool finished = false;
    // Runs on the GUI thread after the sequence; `loop` and `finished` outlive it because
    // this function does not return before `finished` is set.
    enqueue([this, &loop, &finished, sequence = std::move(sequence)](CGnssReceiver& receiver) {
        sequence(receiver);
        deliver([&loop, &finished] {
            finished = true;
            loop.quit();
        });
    });

    QElapsedTimer started;
    started.start();
    std::unique_ptr<WaitingNote> note;
    QTimer noteDelay;
    noteDelay.setSingleShot(true);
    connect(&noteDelay, &QTimer::timeout, &loop, [this, &note, &started] {
        note = std::make_unique<WaitingNote>(started, progress());
        connect(this, &ReceiverWorker::progressChanged, note.get(), &WaitingNote::setProgress);
        note->show();
    });
    noteDelay.start(m_noteDelayMs);
    emit waitStarted();
    while (!finished) {
        // A loop returns at once while the application is quitting; wait for events then.
        if (loop.exec() != 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    note.reset();
    --m_pending;
    emit waitEnded();
}

}  // namespace quorrel
