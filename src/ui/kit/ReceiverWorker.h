#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

namespace quorrel {

class CGnssReceiver;
class UserPrompts;

// The one thread that talks to the receiver.
//
// The rule every screen follows: a receiver operation that sends a sentence or waits for one
// (every Query…, Set…, Open, Close, reset, power-off, LoadSourceTable, …) runs here, never on
// the GUI thread. Only the snapshot getters that copy what the reader thread published and
// never wait may be called on the GUI thread: GetPosition, GetSatellites, GetWti,
// GetA2dValue0–2, GetObiValues, GetCurrentFileName, GetVectorLength, GetDeviceClass,
// IsConnected.
//
// A screen writes each sequence of operations as a plain function of the receiver, so a test
// calls it directly without a display:
//
//   AboutContent readAbout(CGnssReceiver& receiver);
//   m_content = worker.run([](CGnssReceiver& r) { return readAbout(r); });
//
// Sequences run one at a time, in the order they were handed in, each to its end.
class ReceiverWorker : public QObject {
    Q_OBJECT

public:
    using Sequence = std::function<void(CGnssReceiver&)>;

    // The worker does not own `receiver`; both must outlive it. `prompts` shows the busy
    // cursor while run() waits.
    ReceiverWorker(CGnssReceiver& receiver, UserPrompts& prompts, QObject* parent = nullptr);
    // Waits for the sequence in progress to end; sequences still queued are dropped.
    ~ReceiverWorker() override;
    ReceiverWorker(const ReceiverWorker&) = delete;
    ReceiverWorker& operator=(const ReceiverWorker&) = delete;

    // Runs `sequence` (a callable taking CGnssReceiver&) and returns its result, for a button
    // or OK that must know the outcome before it goes on. Meanwhile the caller sits in a
    // local event loop: windows repaint and timers tick, but the user's input is dropped (a
    // second tap must not start the action again afterwards); the busy cursor shows, and
    // after about a second a modal "Waiting for the receiver…" note with the elapsed seconds
    // and the latest progress line. GUI thread only.
    template <typename F>
    auto run(F&& sequence) -> std::invoke_result_t<F&, CGnssReceiver&>;

    // Queues `sequence` without holding the user's input or showing anything; `done` then
    // gets its result on the GUI thread, unless `context` was destroyed meanwhile (a dialog
    // polling the modem closed before the answer came). GUI thread only.
    template <typename F, typename Done>
    void post(QObject* context, F&& sequence, Done&& done);

    // From the running sequence (the worker thread): a line for the waiting note, such as
    // "123 kB, 456 stations received". Cleared when the next sequence starts.
    void setProgress(const QString& text);
    QString progress() const;

    // The receiver the sequences are given (for its snapshot getters on the GUI thread).
    CGnssReceiver& receiver() const { return m_receiver; }
    // True while a sequence runs or waits in the queue (GUI thread).
    bool isBusy() const { return m_pending > 0; }
    // How long run() waits before it shows the note.
    void setNoteDelayMs(int ms) { m_noteDelayMs = ms; }
    int noteDelayMs() const { return m_noteDelayMs; }

signals:
    // The progress line changed; delivered on the GUI thread.
    void progressChanged(const QString& text);
    // run() began or ended its wait (for the screens' pictures and tests).
    void waitStarted();
    void waitEnded();

private:
    void wait(Sequence sequence);
    void enqueue(Sequence sequence);
    // Runs `call` on the GUI thread as soon as the event loop gets to it.
    void deliver(std::function<void()> call);
    void threadMain();

    CGnssReceiver& m_receiver;
    UserPrompts& m_prompts;
    int m_noteDelayMs = 1000;
    int m_pending = 0;  // GUI thread

    mutable std::mutex m_mutex;  // the queue, the stop flag and the progress line
    std::condition_variable m_wake;
    std::deque<Sequence> m_queue;
    bool m_stop = false;
    QString m_progress;
    std::thread m_thread;
};

template <typename F>
auto ReceiverWorker::run(F&& sequence) -> std::invoke_result_t<F&, CGnssReceiver&> {
    using Result = std::invoke_result_t<F&, CGnssReceiver&>;
    if constexpr (std::is_void_v<Result>) {
        wait([&sequence](CGnssReceiver& receiver) { sequence(receiver); });
    } else {
        // Written on the worker thread before it reports the end; read here after that.
        std::optional<Result> result;
        wait([&sequence, &result](CGnssReceiver& receiver) { result.emplace(sequence(receiver)); });
        return std::move(*result);
    }
}

template <typename F, typename Done>
void ReceiverWorker::post(QObject* context, F&& sequence, Done&& done) {
    using Result = std::invoke_result_t<F&, CGnssReceiver&>;
    ++m_pending;
    QPointer<QObject> guard(context);
    enqueue([this, guard, sequence = std::forward<F>(sequence),
             done = std::forward<Done>(done)](CGnssReceiver& receiver) mutable {
        if constexpr (std::is_void_v<Result>) {
            sequence(receiver);
            deliver([this, guard, done]() mutable {
                --m_pending;
                if (guard) done();
            });
        } else {
            auto result = std::make_shared<Result>(sequence(receiver));
            deliver([this, guard, done, result]() mutable {
                --m_pending;
                if (guard) done(std::move(*result));
            });
        }
    });
}

}  // namespace quorrel
