#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "receiver/CGnssReceiver.h"
#include "support/QtPrinting.h"
#include "support/RecordingPrompts.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/WaitingNote.h"

using namespace quorrel;
using namespace std::chrono_literals;

namespace {

// A receiver that implements nothing beyond what every receiver must.
class BareReceiver : public CGnssReceiver {
public:
    int GetDeviceClass() override { return 2; }
    void SetDeviceClass(int) override {}
};

WaitingNote* visibleNote() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* note = qobject_cast<WaitingNote*>(window); note && note->isVisible()) return note;
    return nullptr;
}

class ReceiverWorkerTest : public ::testing::Test {
protected:
    BareReceiver receiver;
    RecordingPrompts prompts;
    ReceiverWorker worker{receiver, prompts};
};

}  // namespace

TEST_F(ReceiverWorkerTest, RunReturnsTheResultOfASequenceRunOffTheGuiThread) {
    std::thread::id ranOn;
    const int result = worker.run([&](CGnssReceiver& r) {
        ranOn = std::this_thread::get_id();
        EXPECT_EQ(&r, &receiver);
        return 42;
    });
    EXPECT_EQ(result, 42);
    EXPECT_NE(ranOn, std::this_thread::get_id());
    EXPECT_EQ(prompts.busyCount(), 1);
    EXPECT_EQ(prompts.busyDepth(), 0);
    EXPECT_FALSE(worker.isBusy());
}

TEST_F(ReceiverWorkerTest, SequencesRunOneAtATimeInTheOrderHandedIn) {
    std::vector<int> order;  // written by the worker thread only
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    const auto step = [&](int n) {
        return [&, n](CGnssReceiver&) {
            if (running.fetch_add(1) != 0) overlapped = true;
            std::this_thread::sleep_for(20ms);
            order.push_back(n);
            running.fetch_sub(1);
            return n;
        };
    };
    QObject context;
    std::vector<int> delivered;
    worker.post(&context, step(1), [&](int n) { delivered.push_back(n); });
    worker.post(&context, step(2), [&](int n) { delivered.push_back(n); });
    EXPECT_TRUE(worker.isBusy());
    // run() queues behind the posted ones and returns after them.
    EXPECT_EQ(worker.run(step(3)), 3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return delivered.size() == 2 && !worker.isBusy(); }, 5000));
    EXPECT_EQ(order, std::vector<int>({1, 2, 3}));
    EXPECT_EQ(delivered, std::vector<int>({1, 2}));
    EXPECT_FALSE(overlapped);
    EXPECT_FALSE(worker.isBusy());
    EXPECT_EQ(prompts.busyCount(), 1) << "post shows no busy cursor";
}

TEST_F(ReceiverWorkerTest, AnswerForAClosedDialogIsDropped) {
    auto dialog = std::make_unique<QObject>();
    bool delivered = false;
    worker.post(
        dialog.get(),
        [](CGnssReceiver&) {
            std::this_thread::sleep_for(50ms);
            return true;
        },
        [&](bool) { delivered = true; });
    dialog.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !worker.isBusy(); }, 5000));
    QTest::qWait(20);  // an answer would have been queued by now
    EXPECT_FALSE(delivered);
    EXPECT_FALSE(worker.isBusy());
}

// The window keeps painting and its timers tick, the user's typing is dropped, and after
// the delay the note shows the elapsed seconds and what the sequence reports.
TEST_F(ReceiverWorkerTest, WaitKeepsTheWindowAliveButHoldsTheUsersInput) {
    QLineEdit edit;
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    worker.setNoteDelayMs(200);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        QTest::keyClick(&edit, Qt::Key_X);
    });
    timer.start(20);
    QString elapsed, progress;
    QTimer::singleShot(900, [&] {
        if (WaitingNote* note = visibleNote()) {
            elapsed = note->elapsedText();
            progress = note->progressText();
        }
    });
    worker.run([&](CGnssReceiver&) {
        std::this_thread::sleep_for(500ms);
        worker.setProgress(QStringLiteral("123 kB, 456 stations received"));
        std::this_thread::sleep_for(600ms);
    });
    timer.stop();
    EXPECT_GE(ticks, 30);
    EXPECT_EQ(edit.text(), QString()) << "typing during the wait is dropped";
    EXPECT_EQ(elapsed, "0 s");
    EXPECT_EQ(progress, "123 kB, 456 stations received");
    EXPECT_EQ(visibleNote(), nullptr) << "the note goes with the wait";
    QTest::keyClick(&edit, Qt::Key_Y);
    EXPECT_EQ(edit.text(), "y");
}

TEST_F(ReceiverWorkerTest, ShortWaitShowsNoNote) {
    bool noteSeen = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { noteSeen |= visibleNote() != nullptr; });
    timer.start(10);
    worker.run([](CGnssReceiver&) { std::this_thread::sleep_for(300ms); });
    EXPECT_FALSE(noteSeen);
}
