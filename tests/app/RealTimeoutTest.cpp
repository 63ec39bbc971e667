#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "AppTestSupport.h"
#include "app/CAboutQuorrel.h"
#include "app/CMainMenuDlg.h"
#include "support/ScreenRig.h"
#include "support/SimulatedReceivers.h"
#include "ui/kit/WaitingNote.h"

using namespace quorrel;

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

// The board's driver at its real time-outs, the board silent: the about box's version query
// waits its full 10 s on the worker while the menu behind it goes on painting and ticking,
// the user's taps on the menu are dropped, and only the query itself goes out.
TEST(RealTimeouts, SilentBoardKeepsTheWindowAliveDuringATenSecondWait) {
    BoardSimulator board;
    ASSERT_TRUE(board.start());
    CInternalReceiver receiver;  // the program's own time-outs
    receiver.SetDeviceClass(static_cast<int>(DeviceClass::OtherCode));
    ASSERT_TRUE(receiver.Open(QString::fromStdString(board.devicePath()).toStdU16String()));
    test::ScreenRig rig(receiver);
    CMainMenuDlg menu(rig.context(), {});
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QWidget* list = menu.featureList()->viewport();
    PaintCounter counter;
    list->installEventFilter(&counter);

    int ticks = 0;
    QString noteElapsed;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        list->update();
        if (ticks == 20) {  // the Reset entry: its question must not come up
            const QRect entry = menu.featureList()->visualItemRect(menu.featureList()->item(4));
            QTest::mouseClick(list, Qt::LeftButton, {}, entry.center());
            QTest::keyClick(menu.featureList(), Qt::Key_Return);
        }
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* note = qobject_cast<WaitingNote*>(window); note && note->isVisible())
                noteElapsed = note->elapsedText();
    });
    board.clearLog();
    board.silence(true);
    timer.start(100);
    QElapsedTimer clock;
    clock.start();
    CAboutQuorrel about(rig.context(), &menu);
    const qint64 waited = clock.elapsed();
    timer.stop();
    board.silence(false);

    EXPECT_GE(waited, 10000);
    EXPECT_GE(ticks, 90);
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(noteElapsed, "9 s");
    EXPECT_TRUE(rig.prompts.prompts().empty()) << "the tap on Reset reached the menu";
    EXPECT_EQ(menu.selectionMark(), -1);
    EXPECT_EQ(test::receivedLines(board), std::vector<std::string>({"$PQVXQ,VERSION"}));
    EXPECT_TRUE(about.findChild<QLabel*>("gnssFirmware")->isHidden());
    receiver.Close();
}
