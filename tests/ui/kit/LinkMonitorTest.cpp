#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "receiver/CGnssReceiver.h"
#include "ui/kit/CPropertyPage.h"
#include "ui/kit/CPropertySheet.h"
#include "ui/kit/ConnectionLostBar.h"
#include "ui/kit/LinkMonitor.h"

using namespace quorrel;

namespace {

// A receiver without a link: IsConnected() is false, and it reports no losses itself, so
// the monitor polls it.
class UnlinkedReceiver : public CGnssReceiver {
public:
    int GetDeviceClass() override { return 2; }
    void SetDeviceClass(int) override {}
};

}  // namespace

TEST(LinkMonitor, ReportsALossOnlyWhileTheLinkIsMeantToBeUp) {
    UnlinkedReceiver receiver;
    LinkMonitor monitor(receiver);
    monitor.setPollIntervalMs(10);
    QSignalSpy lost(&monitor, &LinkMonitor::linkLost);
    QSignalSpy restored(&monitor, &LinkMonitor::linkRestored);
    QTest::qWait(50);
    EXPECT_EQ(lost.count(), 0) << "not yet opened";
    monitor.linkUp();
    EXPECT_TRUE(lost.wait(500));
    EXPECT_TRUE(monitor.isLinkLost());
    QTest::qWait(50);
    EXPECT_EQ(lost.count(), 1) << "reported once";
    monitor.linkUp();
    EXPECT_EQ(restored.count(), 1);
    monitor.linkDown();  // a deliberate close is no loss
    QTest::qWait(50);
    EXPECT_EQ(lost.count(), 1);
}

TEST(LinkMonitor, SheetShowsTheLossAndKeepsWhatTheUserTyped) {
    UnlinkedReceiver receiver;
    LinkMonitor monitor(receiver);
    monitor.setPollIntervalMs(10);
    CPropertySheet sheet;
    auto* page = new CPropertyPage(QStringLiteral("Page"));
    auto* edit = new QLineEdit(page);
    (new QVBoxLayout(page))->addWidget(edit);
    sheet.addPage(page);
    sheet.watchLink(monitor);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    QTest::keyClicks(edit, QStringLiteral("MNT1"));
    ASSERT_FALSE(sheet.connectionLostBar()->isVisible());

    monitor.linkUp();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sheet.connectionLostBar()->isVisible(); }, 500));
    EXPECT_EQ(sheet.connectionLostBar()->findChild<QLabel*>()->text(), "Receiver connection lost");
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(edit->text(), "MNT1");
    monitor.linkUp();
    EXPECT_FALSE(sheet.connectionLostBar()->isVisible());
}
