#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "app/AppTimings.h"
#include "app/DeviceIdentity.h"
#include "app/MainMenuFeatures.h"
#include "app/ReceiverFactory.h"
#include "app/ServiceLayer.h"
#include "app/core/AppSettings.h"
#include "app/core/DeviceClass.h"

namespace quorrel {

class CGnssReceiver;
class InstanceLock;
class SimulatorProcess;

// What the application object takes from its surroundings.
struct AppConfig {
    QString programDir;  // holds "Lang.rcc" and the simulators
    QString lockPath;    // the single-instance lock file
    std::optional<QString> deviceIdArg;
    QString dmiSerialPath = QStringLiteral("/sys/class/dmi/id/product_serial");
    QString portOverride;  // --port: the device behind every port name
    bool simulate = false;
    ServiceLayerConfig serviceLayer;
    AppTimings timings;
    ReceiverFactory receiverFactory = createReceiver;
    MainMenuFeatures features;
};

// Owns what lives for the whole run: the single-instance guard, the receiver object, the
// language file and the settings. Construction takes the guard and opens the receiver;
// run() shows the main menu and saves the settings. There is one at a time.
class CGnssApp {
public:
    explicit CGnssApp(AppConfig config);
    ~CGnssApp();
    CGnssApp(const CGnssApp&) = delete;
    CGnssApp& operator=(const CGnssApp&) = delete;

    // Runs the program to its end; returns the process exit code (0, or 1 when the receiver
    // could not be connected).
    int run();

    static CGnssApp* instance();
    CGnssReceiver* receiver() const { return m_receiver.get(); }
    DeviceClass deviceClass() const { return m_deviceClass; }
    const AppSettings& settings() const { return m_settings; }
    bool isDuplicateInstance() const { return m_duplicateInstance; }
    bool isConnected() const { return m_connected; }
    const QString& devicePath() const { return m_devicePath; }
    const QString& deviceId() const { return m_deviceId; }

    // Closes the receiver and opens it again on its port (on a new simulator when
    // simulating); true when connected.
    bool reconnect();

private:
    void startUp();
    bool openReceiver();
    bool startSimulator();
    bool initInstance();
    void exitInstance();
    void runMainMenu();
    void LoadLanguageLibrary();

    std::unique_ptr<CGnssReceiver> m_receiver;
    AppSettings m_settings;
    std::unique_ptr<InstanceLock> m_instanceLock;
    bool m_duplicateInstance = false;
    bool m_connected = true;
    DeviceClass m_deviceClass = DeviceClass::OtherCode;

    AppConfig m_config;
    QString m_title;  // the settings location, from the program's own title text
    QString m_deviceId;
    QString m_devicePath;
    std::unique_ptr<SimulatorProcess> m_simulator;
    bool m_settingsSelected = false;
};

}  // namespace quorrel
