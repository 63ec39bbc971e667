#include "app/CGnssApp.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "app/CMainMenuDlg.h"
#include "app/LanguageFileLocation.h"
#include "app/StartupWindow.h"
#include "app/shell/InstanceLock.h"
#include "app/shell/LocalCaster.h"
#include "app/shell/OpenFailureText.h"
#include "app/shell/ReceiverTarget.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/SimulatorProcess.h"
#include "app/shell/StartupSequence.h"
#include "receiver/CGnssReceiver.h"
#include "ui/kit/LinkMonitor.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/ScreenContext.h"
#include "ui/kit/StringIds.h"
#include "ui/kit/UserPrompts.h"

namespace quorrel {
namespace {

CGnssApp* theApp = nullptr;

// The settings location is named by the program's own title, read before any language
// file can replace it.
QString ownTitle() {
    const QString title = resText(kStrAppTitle);
    if (!title.isEmpty()) return title;
    return QFileInfo(QCoreApplication::applicationFilePath()).baseName();
}

void printLine(const QString& line) {
    if (!line.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(line));
}

}  // namespace

CGnssApp::CGnssApp(AppConfig config)
    : m_config(std::move(config)), m_prompts(UserPrompts::current()), m_title(ownTitle()) {
    theApp = this;
    m_instanceLock = std::make_unique<InstanceLock>(m_config.lockPath.toStdString());
    if (m_instanceLock->isDuplicate()) {
        m_duplicateInstance = true;
        m_instanceLock.reset();
        return;
    }
    createReceiver();
}

CGnssApp::~CGnssApp() {
    m_link.reset();
    m_worker.reset();
    m_receiver.reset();
    m_simulator.reset();
    m_instanceLock.reset();
    if (theApp == this) theApp = nullptr;
}

CGnssApp* CGnssApp::instance() {
    return theApp;
}

void CGnssApp::createReceiver() {
    m_settings = AppSettings{};
    const ReceiverTarget target = findReceiverTarget(m_title, m_config.deviceIdArg,
                                                     m_config.dmiSerialPath, m_config.portOverride);
    m_deviceId = target.deviceId;
    m_deviceClass = target.deviceClass;
    m_devicePath = target.devicePath;

    m_receiver = createProgramReceiver(m_config.receiverFactory, m_deviceClass, m_deviceId);
    m_worker = std::make_unique<ReceiverWorker>(*m_receiver, m_prompts);
    m_link = std::make_unique<LinkMonitor>(*m_receiver);
}

bool CGnssApp::wantsWtiAndA2d() const {
    return !SettingsStore(m_title).readIsExternalGps();
}

bool CGnssApp::start() {
    if (m_started || m_duplicateInstance) return m_connected && !m_duplicateInstance;
    m_started = true;
    // Loaded before the window, so that even the start-up window speaks the user's language.
    LoadLanguageLibrary();
    BusyCursor busy(m_prompts);
    StartupWindow window(m_devicePath);
    QObject::connect(&window, &StartupWindow::quitRequested, &window, [this] { requestQuit(); });
    window.show();
    // The simulator stands in for the board and for the service that powers it.
    if (m_config.simulate && !startSimulator()) {
        m_connected = false;
        return false;
    }
    window.setDevice(m_devicePath);

    StartupRequest request;
    request.device = m_devicePath.toStdU16String();
    if (!isExternalModule(m_deviceClass) && !m_config.simulate)
        request.service = m_config.serviceLayer;
    request.enableWtiAndA2d = wantsWtiAndA2d();
    request.quit = &m_quit;
    // Called on the worker thread; the window outlives them, as the search ends before it.
    request.serviceStarting = [&window] {
        QMetaObject::invokeMethod(&window, &StartupWindow::showServiceStarting,
                                  Qt::QueuedConnection);
    };
    request.attempt = [&window](const OpenAttempt& attempt) {
        QMetaObject::invokeMethod(
            &window, [&window, attempt] { window.showAttempt(attempt); }, Qt::QueuedConnection);
    };
    StartupResult result;
    m_worker->post(
        &window, [request](CGnssReceiver& receiver) { return startReceiver(receiver, request); },
        [&result, &window](StartupResult done) {
            result = std::move(done);
            window.finish();
        });
    window.exec();

    m_connected = result.connected && !wasQuit();
    if (m_connected) {
        m_link->linkUp();
    } else if (!wasQuit()) {
        printLine(openFailureLine(m_devicePath, result.failure, result.detail));
    }
    return m_connected;
}

void CGnssApp::requestQuit() {
    m_quit = true;
    m_receiver->cancelOpen();
}

bool CGnssApp::startSimulator() {
    const QString program = simulatorPathFor(m_config.programDir, m_deviceClass);
    if (!m_simulator) m_simulator = std::make_unique<SimulatorProcess>();
    if (!m_simulator->start(program, {}, m_config.timings.simulatorStartMs)) {
        printLine(QStringLiteral("gnss-quorrel: %1").arg(m_simulator->error()));
        return false;
    }
    m_devicePath = m_simulator->devicePath();
    return true;
}

bool CGnssApp::reconnect() {
    if (!m_receiver) return false;
    m_link->linkDown();
    m_worker->run([](CGnssReceiver& receiver) { receiver.Close(); });
    if (m_config.simulate && !startSimulator()) return false;
    const std::u16string device = m_devicePath.toStdU16String();
    const bool wtiAndA2d = wantsWtiAndA2d();
    const bool connected = m_worker->run([&device, wtiAndA2d](CGnssReceiver& receiver) {
        return openReceiver(receiver, device, wtiAndA2d);
    });
    if (connected) m_link->linkUp();
    return connected;
}

int CGnssApp::run() {
    const bool completed = initInstance();
    exitInstance();
    return completed ? 0 : 1;
}

bool CGnssApp::initInstance() {
    // A second copy ends without a window; a terminal user still learns why.
    if (m_duplicateInstance) {
        printLine(alreadyRunningLine());
        return true;
    }
    start();
    if (wasQuit()) {
        m_worker->run([](CGnssReceiver& receiver) { receiver.Close(); });
        return true;
    }
    if (!m_connected) {
        m_prompts.tell(resText(kStrCannotConnectGps));
        return false;
    }
    m_screenSettings = std::make_unique<StoredScreenSettings>(m_title);
    m_settings = SettingsStore(m_title).load();
    if (m_config.simulate) offerLocalCaster(m_settings, m_config.localCasterPort);
    runMainMenu();
    return true;
}

void CGnssApp::runMainMenu() {
    const ScreenContext context{*m_receiver,       *m_worker, m_prompts,
                                *m_screenSettings, *m_link,   m_deviceClass};
    CMainMenuDlg menu(context, m_config.features);
    menu.setSettings(m_settings);
    menu.setTimings(m_config.timings);
    menu.setReconnect([this] { return reconnect(); });
    if (menu.exec() != QDialog::Accepted) return;
    const AppSettings& result = menu.settings();
    const bool isExternalGps = m_settings.isExternalGps;
    m_settings = result;
    m_settings.isExternalGps = isExternalGps;
}

void CGnssApp::exitInstance() {
    if (m_screenSettings) {
        SettingsStore(m_title).save(m_settings);
        m_screenSettings.reset();
    }
    Resources::instance().unloadLanguageFile();
}

void CGnssApp::LoadLanguageLibrary() {
    Resources::instance().loadLanguageFile(findLanguageFile(m_config.programDir));
}

}  // namespace quorrel
