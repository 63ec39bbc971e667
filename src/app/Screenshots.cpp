// quorrel-screenshots <folder>: writes a PNG of every screen of the application shell,
// connected to the simulators beside this program, into <folder>.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QThread>
#include <cstdio>

#include "app/CAboutQuorrel.h"
#include "app/CMainMenuDlg.h"
#include "app/ReceiverFactory.h"
#include "app/SimulatorProcess.h"
#include "app/core/QtUserPrompts.h"
#include "app/core/Resources.h"
#include "app/core/StringIds.h"
#include "receiver/CGnssReceiver.h"

using namespace quorrel;

namespace {

QDir g_out;
int g_failures = 0;

void settle(int ms = 100) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

void save(QWidget& widget, const QString& name) {
    widget.show();
    settle();
    const QString path = g_out.filePath(name + QStringLiteral(".png"));
    if (widget.grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "quorrel-screenshots: cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
    widget.hide();
}

void saveBox(const Prompt& prompt, QWidget* parent, const QString& name) {
    auto box = QtUserPrompts::makeBox(prompt, parent);
    save(*box, name);
}

struct Connected {
    SimulatorProcess simulator;
    std::unique_ptr<CGnssReceiver> receiver;
};

bool connect(Connected& link, const QString& program, DeviceClass deviceClass, const QString& id) {
    if (!link.simulator.start(QDir(QCoreApplication::applicationDirPath()).filePath(program), {},
                              10000)) {
        std::fprintf(stderr, "quorrel-screenshots: %s\n", qPrintable(link.simulator.error()));
        return false;
    }
    link.receiver = createReceiver(deviceClass, id);
    link.receiver->SetDeviceClass(static_cast<int>(deviceClass));
    if (link.receiver->Open(link.simulator.devicePath().toStdU16String())) return true;
    std::fprintf(stderr, "quorrel-screenshots: no receiver answers on %s\n",
                 qPrintable(link.simulator.devicePath()));
    return false;
}

void boardScreens() {
    Connected board;
    if (!connect(board, QStringLiteral("quorrel-boardsim"), DeviceClass::OtherCode, {})) {
        ++g_failures;
        return;
    }
    CMainMenuDlg menu(*board.receiver, DeviceClass::OtherCode, {});
    save(menu, QStringLiteral("main-menu-board"));
    menu.show();
    saveBox({resText(kStrResetQuestion), PromptButtons::YesNo, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-reset"));
    saveBox({resText(kStrPowerOffQuestion), PromptButtons::YesNo, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-power-off"));
    saveBox({resText(kStrCannotPowerOff), PromptButtons::Ok, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-cannot-power-off"));
    {
        CAboutQuorrel about(board.receiver.get(), &menu);
        save(about, QStringLiteral("about-board"));
    }
    // The board vanishes: the menu offers to reconnect.
    board.simulator.stop();
    AppTimings quick;
    quick.connectionPollMs = 50;
    menu.setTimings(quick);
    QElapsedTimer clock;
    clock.start();
    while (!menu.isConnectionLostShown() && clock.elapsed() < 5000)
        settle(50);
    save(menu, QStringLiteral("main-menu-connection-lost"));
    board.receiver->Close();
}

void moduleScreens() {
    Connected module;
    const QString id = QStringLiteral("0143000000000001");
    if (!connect(module, QStringLiteral("quorrel-modulesim"), DeviceClass::Code0143, id)) {
        ++g_failures;
        return;
    }
    CMainMenuDlg menu(*module.receiver, DeviceClass::Code0143, {});
    save(menu, QStringLiteral("main-menu-module"));
    {
        CAboutQuorrel about(module.receiver.get(), &menu);
        save(about, QStringLiteral("about-module"));
    }
    module.receiver->Close();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorrel-screenshots <folder>\n");
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1]));
    g_out.mkpath(QStringLiteral("."));
    {
        QWidget parent;
        saveBox({resText(kStrCannotConnectGps), PromptButtons::Ok, PromptIcon::Exclamation},
                &parent, QStringLiteral("message-cannot-connect"));
    }
    boardScreens();
    moduleScreens();
    return g_failures == 0 ? 0 : 1;
}
