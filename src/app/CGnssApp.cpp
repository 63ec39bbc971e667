#include "app/CGnssApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/CMainMenuDlg.h"
#include "app/InstanceLock.h"
#include "app/PlatformSettings.h"
#include "app/SimulatorProcess.h"
#include "app/core/Resources.h"
#include "app/core/SettingsStore.h"
#include "app/core/StringIds.h"
#include "app/core/UserPrompts.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {
namespace {

CGnssApp* theApp = nullptr;

constexpr char kLanguageFile[] = "Lang.rcc";

// The settings location is named by the program's own title, read before any language
// file can replace it.
QString ownTitle() {
    const QString title = resText(kStrAppTitle);
    if (!title.isEmpty()) return title;
    return QFileInfo(QCoreApplication::applicationFilePath()).baseName();
}

}  // namespace

CGnssApp::CGnssApp(AppConfig config) : m_config(std::move(config)), m_title(ownTitle()) {
    theApp = this;
    m_instanceLock = std::make_unique<InstanceLock>(m_config.lockPath.toStdString());
    if (m_instanceLock->isDuplicate()) {
        m_duplicateInstance = true;
        m_instanceLock.reset();
        return;
    }
    startUp();
}

CGnssApp::~CGnssApp() {
    m_receiver.reset();
    m_simulator.reset();
    m_instanceLock.reset();
    if (theApp == this) theApp = nullptr;
}

CGnssApp* CGnssApp::instance() {
    return theApp;
}

void CGnssApp::startUp() {
    m_settings = AppSettings{};
    const PlatformSettings platform(m_title);
    DeviceIdSources sources{m_config.deviceIdArg, platform.deviceId(), m_config.dmiSerialPath};
    ReadDeviceId(sources, m_deviceId);
    m_deviceClass = deviceClassFor(m_deviceId);
    m_devicePath = devicePathFor(portNameFor(m_deviceClass), m_config.portOverride, platform);

    m_receiver = m_config.receiverFactory(m_deviceClass, m_deviceId);
    m_receiver->SetDeviceClass(static_cast<int>(m_deviceClass));
    m_receiver->SetStopOutputOnClose(true);

    BusyCursor busy;
    // The simulator stands in for the board and for the service that powers it.
    if (!isExternalModule(m_deviceClass) && !m_config.simulate)
        ServiceLayer(m_config.serviceLayer).EnsureServiceLayer();
    m_connected = openReceiver();
}

bool CGnssApp::startSimulator() {
    const QString program =
        QDir(m_config.programDir)
            .filePath(isExternalModule(m_deviceClass) ? QStringLiteral("quorrel-modulesim")
                                                      : QStringLiteral("quorrel-boardsim"));
    if (!m_simulator) m_simulator = std::make_unique<SimulatorProcess>();
    if (!m_simulator->start(program, {}, m_config.timings.simulatorStartMs)) {
        std::fprintf(stderr, "gnss-quorrel: %s\n", qPrintable(m_simulator->error()));
        return false;
    }
    m_devicePath = m_simulator->devicePath();
    return true;
}

bool CGnssApp::openReceiver() {
    if (m_config.simulate && !startSimulator()) return false;
    if (!m_receiver->Open(m_devicePath.toStdU16String())) return false;
    if (!SettingsStore(m_title).readIsExternalGps()) {
        m_receiver->EnableWtiOutput();
        m_receiver->EnableA2dOutput();
    }
    return true;
}

bool CGnssApp::reconnect() {
    if (!m_receiver) return false;
    BusyCursor busy;
    m_receiver->Close();
    return openReceiver();
}

int CGnssApp::run() {
    const bool completed = initInstance();
    exitInstance();
    return completed ? 0 : 1;
}

bool CGnssApp::initInstance() {
    // A second copy ends without a word: no window, no message.
    if (m_duplicateInstance) return true;
    LoadLanguageLibrary();
    if (!m_connected) {
        UserPrompts::current().tell(resText(kStrCannotConnectGps));
        return false;
    }
    SettingsStore::select(m_title);
    m_settingsSelected = true;
    m_settings = SettingsStore(m_title).load();
    runMainMenu();
    return true;
}

void CGnssApp::runMainMenu() {
    CMainMenuDlg menu(*m_receiver, m_deviceClass, m_config.features);
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
    if (m_settingsSelected) {
        SettingsStore(m_title).save(m_settings);
        SettingsStore::deselect();
        m_settingsSelected = false;
    }
    Resources::instance().unloadLanguageFile();
}

void CGnssApp::LoadLanguageLibrary() {
    Resources::instance().loadLanguageFile(
        QDir(m_config.programDir).filePath(QLatin1String(kLanguageFile)));
}

}  // namespace quorrel
