#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>

#include "AppTestSupport.h"
#include "app/CAboutQuorrel.h"
#include "support/RecordingPrompts.h"
#include "support/ScreenRig.h"
#include "support/SimulatedReceivers.h"

using namespace quorrel;
using quorrel::test::BoardLink;
using quorrel::test::ModuleLink;

namespace {

// The texts of the about box's visible labels, by name.
std::map<QString, QString> visibleLines(const CAboutQuorrel& about) {
    std::map<QString, QString> lines;
    for (const QLabel* label : about.findChildren<QLabel*>())
        if (!label->isHidden() && !label->text().isEmpty())
            lines[label->objectName()] = label->text();
    return lines;
}

const std::map<QString, QString> kProgramOnly = {{"programName", "GNSS Quorrel"},
                                                 {"programVersion", "Version: 2.0.3"}};

}  // namespace

TEST(AboutBox, ShowsTheBoardsVersionsAndSerialNumber) {
    BoardLink link;
    ASSERT_TRUE(link.open());
    test::ScreenRig rig(*link.receiver);
    CAboutQuorrel about(rig.context());
    EXPECT_EQ(about.windowTitle(), "About GNSS Quorrel");
    const std::map<QString, QString> expected = {{"programName", "GNSS Quorrel"},
                                                 {"programVersion", "Version: 2.0.3"},
                                                 {"serviceLabel", "GNSS Service"},
                                                 {"serviceVersion", "Version: QB-2.31"},
                                                 {"gnssFirmware", "GNSS Firmware: 3.8.5"},
                                                 {"systemFirmware", "System Firmware: 4.12.0"},
                                                 {"serialNumber", "Serial Number: QB1204357"}};
    EXPECT_EQ(visibleLines(about), expected);
    EXPECT_FALSE(about.findChild<QLabel*>("programIcon")->pixmap().isNull());
    EXPECT_EQ(rig.prompts.busyCount(), 1);
    EXPECT_EQ(rig.prompts.busyDepth(), 0);
}

TEST(AboutBox, SilentReceiverLeavesOnlyTheProgramAfterOneWait) {
    BoardLink link;
    ASSERT_TRUE(link.open());
    link.board.silence(true);
    test::ScreenRig rig(*link.receiver);
    QElapsedTimer clock;
    clock.start();
    CAboutQuorrel about(rig.context());
    const qint64 waited = clock.elapsed();
    EXPECT_EQ(visibleLines(about), kProgramOnly);
    EXPECT_EQ(link.received("$PQVXQ,VERSION").size(), 1u);
    EXPECT_GE(waited, shortLinkTimeouts().replyMs);
    EXPECT_LT(waited, 2 * shortLinkTimeouts().replyMs);
}

TEST(AboutBox, ModuleCannotBeAskedSoItsLinesAreHiddenAtOnce) {
    ModuleLink link;
    ASSERT_TRUE(link.open());
    test::ScreenRig rig(*link.receiver, DeviceClass::Code0143);
    QElapsedTimer clock;
    clock.start();
    CAboutQuorrel about(rig.context());
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_EQ(visibleLines(about), kProgramOnly);
}
