#include "receiver/external/CExternalNmeaReceiver.h"

#include <cassert>
#include <filesystem>
#include <system_error>

#include "platform/Clock.h"
#include "receiver/external/SirfCommands.h"
#include "receiver/external/SirfFrame.h"
#include "receiver/external/Utf16Text.h"

namespace quorrel {
namespace {

constexpr int kOpenAttempts = 3;
constexpr std::uint32_t kSearchRates[] = {9600, 19200, 38400, 57600, 115200, 4800};
constexpr int kInitAttempts = 3;
// Output the driver does not use: navigation data, DGPS status, clock drift and the rest.
constexpr std::uint8_t kSilencedMessages[] = {2, 8, 9, 10, 27, 29, 30, 31, 50, 255};
constexpr int kTrackingModeAll = 0;
constexpr int kLowestMaskDeg = -20;
constexpr int kHighestMaskDeg = 90;
constexpr const char* kClassOneHeader = "GP3";
constexpr std::uint32_t kLargestNmeaSwitchRate = 0xFFFF;
constexpr int kSearchTries = kOpenAttempts * int(sizeof kSearchRates / sizeof kSearchRates[0]);
constexpr const char* kNoAnswer = "no answer at 9600, 19200, 38400, 57600, 115200 or 4800 baud";

// "COM1:" style names carry a colon that no device path has.
std::string devicePath(const std::u16string& portName) {
    std::string path = utf16ToUtf8(portName);
    if (!path.empty() && path.back() == ':') path.pop_back();
    return path;
}

}  // namespace

CExternalNmeaReceiver::CExternalNmeaReceiver() : m_places(systemRawDataPlaces()) {}

CExternalNmeaReceiver::~CExternalNmeaReceiver() {
    Close();
}

void CExternalNmeaReceiver::SetDeviceIdentifier(const std::u16string& identifier) {
    m_deviceIdentifier = identifier;
}

void CExternalNmeaReceiver::SetRawDataPlaces(const RawDataPlaces& places) {
    m_places = places;
}

void CExternalNmeaReceiver::SetTimeouts(const ExternalTimeouts& timeouts) {
    m_timeouts = timeouts;
}

std::string CExternalNmeaReceiver::SoftwareVersion() const {
    return m_status.softwareVersion();
}

bool CExternalNmeaReceiver::Open(const std::u16string& portName) {
    if (IsConnected()) return true;
    // A link whose module vanished leaves an ended reader and an open port behind.
    stopReader();
    m_port.close();
    m_status.clear();
    m_open.begin();
    const bool opened = m_open.finish(openLink(devicePath(portName)));
    if (!opened) {
        stopReader();
        m_port.close();
    }
    return opened;
}

bool CExternalNmeaReceiver::openLink(const std::string& device) {
    std::uint32_t foundRate = 0;
    if (!findModule(device, foundRate)) return false;
    switchToBinary(m_session->detectedProtocol(), foundRate);
    m_port.setBaudRate(kBinaryBaudRate);
    if (!configure()) return m_open.fail(OpenFailure::NoAnswer, kNoAnswer);
    if (!IsConnected()) return m_open.fail(OpenFailure::Other, "the module's link ended");
    return true;
}

bool CExternalNmeaReceiver::findModule(const std::string& device, std::uint32_t& foundRate) {
    int tries = 0;
    for (int attempt = 0; attempt < kOpenAttempts && !m_open.isCancelled(); ++attempt) {
        m_port.open(device);
        if (!m_port.isOpen()) {
            m_open.failDevice(m_port.lastError());
            continue;
        }
        m_port.purge();
        for (std::uint32_t rate : kSearchRates) {
            if (m_open.isCancelled()) break;
            m_open.report({int(rate), ++tries, kSearchTries});
            if (tryBaudRate(rate)) {
                foundRate = rate;
                return true;
            }
        }
        m_open.fail(OpenFailure::NoAnswer, kNoAnswer);
        m_port.close();
    }
    return false;
}

bool CExternalNmeaReceiver::tryBaudRate(std::uint32_t rate) {
    m_port.setBaudRate(rate);
    startReader();
    m_open.sleep(m_timeouts.settleMs);
    // Any checked line or frame fires the event; only the module's own sentences or a good
    // frame tell the protocol, so keep waiting until one does or the time is up.
    const std::uint32_t start = tickCountMs();
    for (;;) {
        const int left = m_timeouts.dataSeenMs - int(tickCountMs() - start);
        if (left <= 0 || !m_session->dataSeen().wait(left)) break;
        if (m_session->detectedProtocol() != DetectedProtocol::None) return true;
    }
    stopReader();
    return false;
}

void CExternalNmeaReceiver::switchToBinary(DetectedProtocol protocol, std::uint32_t foundRate) {
    if (protocol == DetectedProtocol::Binary) {
        // Into NMEA at the rate it answers on, so that the one switch below always applies.
        // The message carries the rate in two bytes: 115200 cannot be said, so such a module
        // goes to NMEA at the binary rate and the port follows it there.
        const std::uint32_t nmeaRate =
            foundRate <= kLargestNmeaSwitchRate ? foundRate : kBinaryBaudRate;
        sendFrame(switchToNmeaPayload(nmeaRate));
        if (nmeaRate != foundRate) {
            m_open.sleep(m_timeouts.settleMs);
            m_port.setBaudRate(nmeaRate);
        }
    }
    m_open.sleep(m_timeouts.protocolSwitchMs);
    sendText(switchToBinarySentence(kBinaryBaudRate));
    m_open.sleep(m_timeouts.protocolSwitchMs);
}

bool CExternalNmeaReceiver::configure() {
    bool initialised = false;
    for (int attempt = 0; attempt < kInitAttempts && !initialised; ++attempt)
        initialised = sendCommand(initDataSourcePayload());
    if (!initialised) return false;
    for (std::uint8_t id : kSilencedMessages)
        sendCommand(messageRateOffPayload(id));
    sendCommand(staticNavigationOffPayload());
    return true;
}

void CExternalNmeaReceiver::startReader() {
    // One reader per receiver: the recorder and the records take one writer only.
    assert(!m_thread);
    auto session = std::make_unique<ExternalSession>(
        m_port, m_status, m_recorder,
        [this](const std::vector<std::uint8_t>& payload) { sendFrame(payload); },
        m_timeouts.readMs);
    session->setAntennaHeight(m_antennaHeightM);
    session->setLinkLostHandler([this] { m_linkLost.runAll(); });
    std::lock_guard<std::mutex> guard(m_sessionMutex);
    // A cancel that came before this reader existed ends it at once.
    if (m_open.isCancelled()) session->requestStop();
    m_session = std::move(session);
    m_thread = std::make_unique<WorkerThread>(*m_session);
}

void CExternalNmeaReceiver::stopReader() {
    if (m_thread) {
        m_thread->requestStop();
        m_thread->waitForEnd(WorkerThread::kInfinite);
    }
    m_thread.reset();
    std::lock_guard<std::mutex> guard(m_sessionMutex);
    m_session.reset();
}

void CExternalNmeaReceiver::setOpenObserver(std::function<void(const OpenAttempt&)> observer) {
    m_open.setObserver(std::move(observer));
}

void CExternalNmeaReceiver::setTrafficObserver(TrafficObserver observer) {
    m_port.setTrafficObserver(std::move(observer));
}

void CExternalNmeaReceiver::cancelOpen() {
    m_open.cancel([this] {
        std::lock_guard<std::mutex> guard(m_sessionMutex);
        if (m_session) m_session->requestStop();
    });
}

OpenFailure CExternalNmeaReceiver::openFailure() const {
    return m_open.failure();
}

std::string CExternalNmeaReceiver::openFailureDetail() const {
    return m_open.detail();
}

int CExternalNmeaReceiver::addLinkLostListener(std::function<void()> listener) {
    return m_linkLost.add(std::move(listener));
}

void CExternalNmeaReceiver::removeLinkLostListener(int id) {
    m_linkLost.remove(id);
}

bool CExternalNmeaReceiver::Close() {
    if (m_port.isOpen()) {
        if (IsConnected()) {
            sendFrame(switchToNmeaPayload(kClosingBaudRate));
            // Let the frame leave at the old rate before the line changes speed.
            sleepMs(m_timeouts.settleMs);
        }
        m_port.setBaudRate(kClosingBaudRate);
    }
    stopReader();
    m_port.close();
    return true;
}

void CExternalNmeaReceiver::sendFrame(const std::vector<std::uint8_t>& payload) {
    const std::vector<std::uint8_t> frame = encodeSirfFrame(payload);
    std::size_t written = 0;
    LockGuard guard(m_writeLock);
    m_port.write(frame.data(), frame.size(), written);
}

void CExternalNmeaReceiver::sendText(const std::string& text) {
    std::size_t written = 0;
    LockGuard guard(m_writeLock);
    m_port.write(text.data(), text.size(), written);
}

bool CExternalNmeaReceiver::sendCommand(const std::vector<std::uint8_t>& payload) {
    if (!IsConnected()) return false;
    // The port write's result is not consulted: a lost frame shows up as a missing answer.
    m_session->expectAnswer(payload[0]);
    sendFrame(payload);
    return m_session->acknowledgement().wait(m_timeouts.acknowledgementMs) &&
           m_session->acknowledged();
}

bool CExternalNmeaReceiver::queryNavigationParameters(NavigationParameters& parameters) {
    if (!IsConnected()) return false;
    m_session->navigationParameters().reset();
    if (!sendCommand(pollNavigationParametersPayload())) return false;
    if (!m_session->navigationParameters().wait(m_timeouts.navigationParametersMs)) return false;
    parameters = m_status.navigationParameters();
    return true;
}

bool CExternalNmeaReceiver::IsEpochAvailable() {
    return IsConnected() && m_session->navigation().wait(m_timeouts.epochMs);
}

bool CExternalNmeaReceiver::GetPosition(PositionRecord& position) {
    position = m_status.position();
    return true;
}

int CExternalNmeaReceiver::GetSatellites(SatelliteTable& satellites) {
    return m_status.satellites(satellites);
}

bool CExternalNmeaReceiver::SetMemory(int memory) {
    m_storageChoice = memory;
    return true;
}

bool CExternalNmeaReceiver::QueryMemory(int& memory) {
    memory = m_storageChoice;
    return true;
}

bool CExternalNmeaReceiver::SetRecording(bool on) {
    return on ? startRecording() : stopRecording();
}

bool CExternalNmeaReceiver::startRecording() {
    if (m_recorder.isRecording()) return true;
    // Nothing would ever create the file without the reader thread.
    if (!IsConnected()) return false;
    const std::string folder = rawDataFolder(m_places, m_storageChoice);
    if (folder.empty()) {
        m_recorder.fail();  // no storage card: as if the file could not be created
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);  // a failure shows when creating
    const std::string path =
        firstFreeRawDataFile(folder, rawDataBaseName(m_deviceIdentifier, rawDataDate(m_places)));
    if (path.empty()) return false;
    return beginRecording(path);
}

bool CExternalNmeaReceiver::RecordTo(const std::string& path) {
    if (!IsConnected() || path.empty()) return false;
    return beginRecording(path);
}

bool CExternalNmeaReceiver::beginRecording(const std::string& path) {
    return m_recorder.start(path, m_deviceClass == 1 ? kClassOneHeader : "",
                            m_timeouts.recordingWaitMs);
}

bool CExternalNmeaReceiver::stopRecording() {
    return m_recorder.stop(m_timeouts.recordingWaitMs);
}

bool CExternalNmeaReceiver::QueryCurrentFile(std::u16string& name) {
    return GetCurrentFileName(name);
}

bool CExternalNmeaReceiver::GetCurrentFileName(std::u16string& name) {
    const std::string path = m_recorder.path();
    if (path.empty()) return false;
    name = utf8ToUtf16(path);
    return true;
}

bool CExternalNmeaReceiver::IsRecording() {
    return m_recorder.isRecording();
}

bool CExternalNmeaReceiver::PollRecordingStopped() {
    return m_recorder.hasFailed();
}

void CExternalNmeaReceiver::ClearRecordingStopped() {
    m_recorder.clearFailure();
}

bool CExternalNmeaReceiver::SetRecordingInterval(double) {
    return true;
}

bool CExternalNmeaReceiver::QueryRecordingInterval(double& seconds) {
    seconds = 1.0;
    return true;
}

bool CExternalNmeaReceiver::SetSbas(bool on) {
    return sendCommand(dgpsSourcePayload(on)) && sendCommand(dgpsControlPayload(on));
}

bool CExternalNmeaReceiver::QuerySbas(bool& on) {
    NavigationParameters parameters;
    if (!queryNavigationParameters(parameters)) return false;
    on = parameters.sbasOn();
    return true;
}

bool CExternalNmeaReceiver::QueryTrackingMode(int& mode) {
    mode = kTrackingModeAll;
    return true;
}

bool CExternalNmeaReceiver::SetTrackingMode(int mode) {
    return mode == kTrackingModeAll;
}

bool CExternalNmeaReceiver::QueryElevationMask(int& degrees) {
    NavigationParameters parameters;
    if (!queryNavigationParameters(parameters)) return false;
    degrees = parameters.elevationMaskTenths / 10;
    return true;
}

bool CExternalNmeaReceiver::SetElevationMask(int degrees) {
    // The module takes -20 to 90 degrees; anything else would wrap in its 16-bit field.
    if (degrees < kLowestMaskDeg || degrees > kHighestMaskDeg) return false;
    return sendCommand(elevationMaskPayload(degrees));
}

bool CExternalNmeaReceiver::QueryAntennaHeight(double& height, int& type) {
    height = m_antennaHeightM;
    type = 1;
    return true;
}

bool CExternalNmeaReceiver::SetAntennaHeight(double height, int) {
    m_antennaHeightM = height;
    if (m_session) m_session->setAntennaHeight(height);
    return true;
}

bool CExternalNmeaReceiver::QueryAntennaReduction(int& reduction) {
    reduction = 1;
    return true;
}

bool CExternalNmeaReceiver::SetAntennaReduction(int) {
    return true;
}

bool CExternalNmeaReceiver::ResetReceiver() {
    const bool restarted = sendCommand(initNavigationPayload());
    return configure() && restarted;
}

bool CExternalNmeaReceiver::InitializeMemory(int) {
    return ResetReceiver();
}

int CExternalNmeaReceiver::GetOutputRate() {
    return 1;
}

bool CExternalNmeaReceiver::IsConnected() {
    return m_thread && m_thread->isRunning();
}

int CExternalNmeaReceiver::GetDeviceClass() {
    return m_deviceClass;
}

void CExternalNmeaReceiver::SetDeviceClass(int deviceClass) {
    m_deviceClass = deviceClass;
}

}  // namespace quorrel
