// quorrel-screenshots <folder>: writes a PNG of every screen of the application shell,
// connected to the simulators beside this program, into <folder>.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/CAboutQuorrel.h"
#include "app/CMainMenuDlg.h"
#include "app/StartupWindow.h"
#include "app/shell/ReceiverFactory.h"
#include "app/shell/SimulatorProcess.h"
#include "receiver/CGnssReceiver.h"
#include "ui/kit/LinkMonitor.h"
#include "ui/kit/QtUserPrompts.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/ScreenContext.h"
#include "ui/kit/ScreenSettings.h"
#include "ui/kit/StringIds.h"
#include "ui/kit/WaitingNote.h"

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

// Screens here write no values of their own.
class NoScreenSettings : public ScreenSettings {
public:
    std::uint32_t readDword(const QString&, std::uint32_t fallback) const override {
        return fallback;
    }
    void writeDword(const QString&, std::uint32_t) override {}
};

struct Connected {
    SimulatorProcess simulator;
    std::unique_ptr<CGnssReceiver> receiver;
    std::unique_ptr<ReceiverWorker> worker;
    std::unique_ptr<LinkMonitor> link;
    QtUserPrompts prompts;
    NoScreenSettings settings;
    DeviceClass deviceClass = DeviceClass::OtherCode;

    ScreenContext context() { return {*receiver, *worker, prompts, settings, *link, deviceClass}; }
    void close() {
        link->linkDown();
        worker->run([](CGnssReceiver& r) { r.Close(); });
    }
};

bool connect(Connected& link, const QString& program, DeviceClass deviceClass, const QString& id) {
    if (!link.simulator.start(QDir(QCoreApplication::applicationDirPath()).filePath(program), {},
                              10000)) {
        std::fprintf(stderr, "quorrel-screenshots: %s\n", qPrintable(link.simulator.error()));
        return false;
    }
    link.receiver = createReceiver(deviceClass, id);
    link.receiver->SetDeviceClass(static_cast<int>(deviceClass));
    link.deviceClass = deviceClass;
    link.worker = std::make_unique<ReceiverWorker>(*link.receiver, link.prompts);
    link.link = std::make_unique<LinkMonitor>(*link.receiver);
    link.link->setPollIntervalMs(50);
    const std::u16string device = link.simulator.devicePath().toStdU16String();
    if (link.worker->run([&device](CGnssReceiver& r) { return r.Open(device); })) {
        link.link->linkUp();
        return true;
    }
    std::fprintf(stderr, "quorrel-screenshots: no receiver answers on %s\n",
                 qPrintable(link.simulator.devicePath()));
    return false;
}

// The start-up window while the program looks for the board.
void startupWindow() {
    StartupWindow window(QStringLiteral("/dev/ttyS2"));
    window.showAttempt(OpenAttempt{115200, 2, 6});
    save(window, QStringLiteral("startup-window"));
}

// The note over the menu, two seconds into a wait whose sequence publishes its progress.
void waitingNote(Connected& link) {
    QTimer::singleShot(2300, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* note = qobject_cast<WaitingNote*>(window))
                save(*note, QStringLiteral("waiting-note"));
    });
    ReceiverWorker& worker = *link.worker;
    worker.run([&worker](CGnssReceiver&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        worker.setProgress(QStringLiteral("123 kB, 456 stations received"));
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    });
}

void boardScreens() {
    Connected board;
    if (!connect(board, QStringLiteral("quorrel-boardsim"), DeviceClass::OtherCode, {})) {
        ++g_failures;
        return;
    }
    CMainMenuDlg menu(board.context(), {});
    save(menu, QStringLiteral("main-menu-board"));
    menu.show();
    saveBox({resText(kStrResetQuestion), PromptButtons::YesNo, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-reset"));
    saveBox({resText(kStrPowerOffQuestion), PromptButtons::YesNo, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-power-off"));
    saveBox({resText(kStrCannotPowerOff), PromptButtons::Ok, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-cannot-power-off"));
    saveBox({resText(kStrCannotGetAntennaName), PromptButtons::Ok, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-cannot-get-antenna-name"));
    saveBox({resText(kStrErrorRecordingDebug), PromptButtons::Ok, PromptIcon::Exclamation}, &menu,
            QStringLiteral("message-error-recording-debug"));
    {
        CAboutQuorrel about(board.context(), &menu);
        save(about, QStringLiteral("about-board"));
    }
    waitingNote(board);
    // The board vanishes: the menu offers to reconnect.
    board.simulator.stop();
    QElapsedTimer clock;
    clock.start();
    while (!menu.isConnectionLostShown() && clock.elapsed() < 5000)
        settle(50);
    save(menu, QStringLiteral("main-menu-connection-lost"));
    board.close();
}

void moduleScreens() {
    Connected module;
    const QString id = QStringLiteral("0143000000000001");
    if (!connect(module, QStringLiteral("quorrel-modulesim"), DeviceClass::Code0143, id)) {
        ++g_failures;
        return;
    }
    CMainMenuDlg menu(module.context(), {});
    save(menu, QStringLiteral("main-menu-module"));
    {
        CAboutQuorrel about(module.context(), &menu);
        save(about, QStringLiteral("about-module"));
    }
    module.close();
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
    startupWindow();
    boardScreens();
    moduleScreens();
    return g_failures == 0 ? 0 : 1;
}
