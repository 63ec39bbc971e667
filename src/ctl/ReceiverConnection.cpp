#include "ctl/ReceiverConnection.h"

#include "app/shell/OpenFailureText.h"
#include "app/shell/ReceiverFactory.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/SimulatorProcess.h"
#include "app/shell/StartupSequence.h"
#include "ui/kit/AppSettings.h"

namespace quorrel {
namespace {

const QString kProgram = QStringLiteral("quorrelctl");
constexpr int kSimulatorStartMs = 10000;

}  // namespace

ReceiverConnection::ReceiverConnection(ConnectRequest request)
    : m_request(std::move(request)),
      m_target(findReceiverTarget(QLatin1String(kProgramTitle), m_request.deviceId,
                                  m_request.dmiSerialPath, m_request.port)) {
    m_receiver = createProgramReceiver(m_request.shortWaits ? createQuickReceiver : createReceiver,
                                       m_target.deviceClass, m_target.deviceId);
    if (m_request.traffic) m_receiver->setTrafficObserver(m_request.traffic);
}

ReceiverConnection::~ReceiverConnection() {
    close();
}

bool ReceiverConnection::startSimulator(std::string& problem) {
    const QString program = simulatorPathFor(m_request.programDir, m_target.deviceClass);
    m_simulator = std::make_unique<SimulatorProcess>();
    if (!m_simulator->start(program, {}, kSimulatorStartMs)) {
        problem = (kProgram + QStringLiteral(": ") + m_simulator->error()).toStdString();
        return false;
    }
    m_target.devicePath = m_simulator->devicePath();
    return true;
}

bool ReceiverConnection::open(const std::atomic<bool>* quit, std::string& problem) {
    problem.clear();
    // The simulator stands in for the board and for the service that powers it.
    if (m_request.simulate && !startSimulator(problem)) return false;
    StartupRequest request;
    request.device = m_target.devicePath.toStdU16String();
    if (!isExternalModule(m_target.deviceClass) && !m_request.simulate)
        request.service = m_request.serviceLayer;
    request.enableWtiAndA2d = !isExternalGps();
    request.quit = quit;
    const StartupResult result = startReceiver(*m_receiver, request);
    m_open = result.connected;
    if (!m_open)
        problem = openFailureLine(m_target.devicePath, result.failure, result.detail, kProgram)
                      .toStdString();
    return m_open;
}

bool ReceiverConnection::isExternalGps() const {
    return SettingsStore(QLatin1String(kProgramTitle)).readIsExternalGps();
}

void ReceiverConnection::cancelOpen() {
    m_receiver->cancelOpen();
}

void ReceiverConnection::close() {
    m_receiver->Close();
    m_open = false;
    m_simulator.reset();
}

}  // namespace quorrel
