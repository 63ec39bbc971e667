#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/CallbackList.h"
#include "platform/Lock.h"
#include "platform/SerialPort.h"
#include "platform/WorkerThread.h"
#include "receiver/CGnssReceiver.h"
#include "receiver/OpenControl.h"
#include "receiver/external/ExternalSession.h"
#include "receiver/external/ExternalStatus.h"
#include "receiver/external/ExternalTimeouts.h"
#include "receiver/external/RawDataLocation.h"
#include "receiver/external/RawDataRecorder.h"

namespace quorrel {

// The SiRF-based GPS module: found in NMEA or binary at any of six baud rates, switched to
// binary at 57600 baud, configured and read through the binary protocol. It implements the
// small subset of the receiver interface the module supports, including raw data recording
// of the binary stream; everything else keeps the "not supported" default.
class CExternalNmeaReceiver : public CGnssReceiver {
public:
    CExternalNmeaReceiver();
    CExternalNmeaReceiver(const CExternalNmeaReceiver&) = delete;
    CExternalNmeaReceiver& operator=(const CExternalNmeaReceiver&) = delete;
    ~CExternalNmeaReceiver() override;

    // Before Open: the handheld's identification (for raw data file names), the places raw
    // data may go, and the driver's waits.
    void SetDeviceIdentifier(const std::u16string& identifier);
    void SetRawDataPlaces(const RawDataPlaces& places);
    void SetTimeouts(const ExternalTimeouts& timeouts);
    // Records the raw data into `path` instead of a file named by date in the raw data folder;
    // as SetRecording(true) otherwise, but a recording already running ends first. The file
    // must not hold data yet (PollRecordingStopped() then turns true).
    bool RecordTo(const std::string& path);
    // The module's software version (message 6), empty before it sent one.
    std::string SoftwareVersion() const;

    // Open on an open link returns true at once.
    bool Open(const std::u16string& portName) override;
    // Switches the module back to NMEA at 9600 baud, stops the reader, closes the port.
    bool Close() override;
    bool IsEpochAvailable() override;
    bool GetPosition(PositionRecord& position) override;
    int GetSatellites(SatelliteTable& satellites) override;
    bool SetMemory(int memory) override;
    bool QueryMemory(int& memory) override;
    bool SetRecording(bool on) override;
    bool QueryCurrentFile(std::u16string& name) override;
    bool GetCurrentFileName(std::u16string& name) override;
    bool IsRecording() override;
    bool PollRecordingStopped() override;
    void ClearRecordingStopped() override;
    bool SetRecordingInterval(double seconds) override;
    bool QueryRecordingInterval(double& seconds) override;
    bool SetSbas(bool on) override;
    bool QuerySbas(bool& on) override;
    bool QueryTrackingMode(int& mode) override;
    bool SetTrackingMode(int mode) override;
    bool QueryElevationMask(int& degrees) override;
    bool SetElevationMask(int degrees) override;
    bool QueryAntennaHeight(double& height, int& type) override;
    bool SetAntennaHeight(double height, int type) override;
    bool QueryAntennaReduction(int& reduction) override;
    bool SetAntennaReduction(int reduction) override;
    bool ResetReceiver() override;
    bool InitializeMemory(int value) override;
    int GetOutputRate() override;
    bool IsConnected() override;
    int GetDeviceClass() override;
    void SetDeviceClass(int deviceClass) override;
    void setOpenObserver(std::function<void(const OpenAttempt&)> observer) override;
    void cancelOpen() override;
    OpenFailure openFailure() const override;
    std::string openFailureDetail() const override;
    int addLinkLostListener(std::function<void()> listener) override;
    void removeLinkLostListener(int id) override;
    void setTrafficObserver(TrafficObserver observer) override;

    static constexpr std::uint32_t kBinaryBaudRate = 57600;
    static constexpr std::uint32_t kClosingBaudRate = 9600;

private:
    bool openLink(const std::string& device);
    bool findModule(const std::string& device, std::uint32_t& foundRate);
    bool tryBaudRate(std::uint32_t rate);
    void switchToBinary(DetectedProtocol protocol, std::uint32_t foundRate);
    bool configure();
    void startReader();
    void stopReader();
    // Writes one frame; no answer awaited.
    void sendFrame(const std::vector<std::uint8_t>& payload);
    void sendText(const std::string& text);
    // Writes a command frame and waits for its acknowledgement.
    bool sendCommand(const std::vector<std::uint8_t>& payload);
    bool queryNavigationParameters(NavigationParameters& parameters);
    bool startRecording();
    bool beginRecording(const std::string& path);
    bool stopRecording();

    SerialPort m_port;
    Lock m_writeLock;  // the GUI thread and the reader (ephemeris polls) both write
    ExternalStatus m_status;
    RawDataRecorder m_recorder;
    // Replaced only by the thread that runs Open and Close; cancelOpen reaches it from others.
    std::unique_ptr<ExternalSession> m_session;
    std::mutex m_sessionMutex;  // guards m_session against cancelOpen while it is replaced
    std::unique_ptr<WorkerThread> m_thread;
    OpenControl m_open;
    CallbackList m_linkLost;
    ExternalTimeouts m_timeouts;
    RawDataPlaces m_places;
    std::u16string m_deviceIdentifier;
    double m_antennaHeightM = 0.0;
    int m_storageChoice = 0;
    int m_deviceClass = 0;
};

}  // namespace quorrel
