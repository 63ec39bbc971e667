#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <optional>

#include "app/AppTimings.h"
#include "app/MainMenuFeatures.h"
#include "app/shell/DeviceIdentity.h"
#include "app/shell/ReceiverFactory.h"
#include "app/shell/ServiceLayer.h"
#include "ui/kit/AppSettings.h"
#include "ui/kit/DeviceClass.h"

namespace quorrel {

class CGnssReceiver;
class InstanceLock;
class LinkMonitor;
class ReceiverWorker;
class SimulatorProcess;
class StoredScreenSettings;
class UserPrompts;

// What the application object takes from its surroundings.
struct AppConfig {
    QString programDir;  // holds the simulators, and "Lang.rcc" when it is beside the program
    QString lockPath;    // the single-instance lock file
    std::optional<QString> deviceIdArg;
    QString dmiSerialPath = QStringLiteral("/sys/class/dmi/id/product_serial");
    QString portOverride;  // --port: the device behind every port name
    bool simulate = false;
    int localCasterPort = 0;  // --local-caster: offered to a new user of the simulator
    ServiceLayerConfig serviceLayer;
    AppTimings timings;
    ReceiverFactory receiverFactory = createReceiver;
    MainMenuFeatures features;
};

// Owns what lives for the whole run: the single-instance guard, the receiver object with its
// worker thread and link monitor, the language file and the settings. Construction takes the
// guard and creates the receiver; start() finds and opens it with the start-up window
// showing; run() then shows the main menu and saves the settings. There is one at a time.
class CGnssApp {
public:
    explicit CGnssApp(AppConfig config);
    ~CGnssApp();
    CGnssApp(const CGnssApp&) = delete;
    CGnssApp& operator=(const CGnssApp&) = delete;

    // Opens the receiver on the worker (after the companion service, for the board) while the
    // start-up window says what is going on; its Quit stops the search. True when connected.
    // Runs once; run() calls it when the caller did not.
    bool start();
    // Runs the program to its end; returns the process exit code (0, or 1 when the receiver
    // could not be connected).
    int run();

    static CGnssApp* instance();
    CGnssReceiver* receiver() const { return m_receiver.get(); }
    ReceiverWorker* worker() const { return m_worker.get(); }
    LinkMonitor* linkMonitor() const { return m_link.get(); }
    DeviceClass deviceClass() const { return m_deviceClass; }
    const AppSettings& settings() const { return m_settings; }
    bool isDuplicateInstance() const { return m_duplicateInstance; }
    bool isConnected() const { return m_connected; }
    // True when the user quit while the receiver was being looked for.
    bool wasQuit() const { return m_quit.load(); }
    const QString& devicePath() const { return m_devicePath; }
    const QString& deviceId() const { return m_deviceId; }

    // Closes the receiver and opens it again on its port (on a new simulator when
    // simulating), on the worker; true when connected.
    bool reconnect();

private:
    void createReceiver();
    bool startSimulator();
    void requestQuit();
    bool initInstance();
    void exitInstance();
    void runMainMenu();
    void LoadLanguageLibrary();
    bool wantsWtiAndA2d() const;

    // Declared first, destroyed last: the worker and the monitor use it.
    std::unique_ptr<CGnssReceiver> m_receiver;
    std::unique_ptr<ReceiverWorker> m_worker;
    std::unique_ptr<LinkMonitor> m_link;
    AppSettings m_settings;
    std::unique_ptr<InstanceLock> m_instanceLock;
    bool m_duplicateInstance = false;
    bool m_connected = true;
    DeviceClass m_deviceClass = DeviceClass::OtherCode;

    AppConfig m_config;
    UserPrompts& m_prompts;
    QString m_title;  // the settings location, from the program's own title text
    QString m_deviceId;
    QString m_devicePath;
    std::unique_ptr<SimulatorProcess> m_simulator;
    std::unique_ptr<StoredScreenSettings> m_screenSettings;  // once the location is selected
    bool m_started = false;
    std::atomic<bool> m_quit{false};
};

}  // namespace quorrel
