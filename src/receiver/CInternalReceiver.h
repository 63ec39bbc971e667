#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/SerialPort.h"
#include "platform/WorkerThread.h"
#include "receiver/CGnssReceiver.h"
#include "receiver/OpenControl.h"
#include "receiver/link/LinkTimeouts.h"
#include "receiver/link/ReceiverSession.h"

namespace quorrel {

// The handheld's receiver board, spoken to in NMEA and its own "$PQVXS/$PQVXQ" commands over
// a serial port. Every operation runs on the receiver worker thread: it sends one sentence and
// blocks until the acknowledgement or reply arrives or its time-out runs out. An operation
// started while another waits (from any thread) fails at once.
class CInternalReceiver : public CGnssReceiver {
public:
    CInternalReceiver();
    CInternalReceiver(const CInternalReceiver&) = delete;
    CInternalReceiver& operator=(const CInternalReceiver&) = delete;
    // Stops a reader thread still running and closes the port if Close() was not called.
    ~CInternalReceiver() override;

    // Replaces every time-out of the link (tests shorten them); call before Open.
    void setTimeouts(const LinkTimeouts& timeouts);
    const LinkTimeouts& timeouts() const { return m_timeouts; }
    // Link (open, close, epochs, records). Open on an open link returns true at once.
    bool Open(const std::u16string& portName) override;
    bool Close() override;
    bool IsEpochAvailable() override;
    bool GetPosition(PositionRecord& position) override;
    int GetSatellites(SatelliteTable& satellites) override;
    bool IsConnected() override;
    int GetDeviceClass() override { return m_deviceClass; }
    void SetDeviceClass(int deviceClass) override { m_deviceClass = deviceClass; }
    bool SetStopOutputOnClose(bool on) override;
    bool IsBoardReceiver() override { return true; }
    int GetOutputRate() override { return m_outputRate; }
    bool SetOutputRate(int rate) override;

    // Positioning, site and tracking (CInternalReceiverPositioning.cpp).
    bool QuerySiteName(std::u16string& name) override;
    bool SetSiteName(const std::u16string& name) override;
    bool QueryBasePosition(double& latitude, double& longitude, double& height) override;
    bool SetPosition(double latitude, double longitude, double height) override;
    bool SetKnownPoint(double latitude, double longitude, double height, int reference) override;
    bool GetVectorLength(float& length) override;
    bool ResetCpd() override;
    bool SetArrowLength(double length) override;
    bool SetArrowMode(bool on) override;
    bool SetDynamics(int dynamics) override;
    bool SetOccupationStart(int number, const std::u16string& text1,
                            const std::u16string& text2) override;
    bool SetOccupationEnd(int number, const std::u16string& text1,
                          const std::u16string& text2) override;
    bool SetSbas(bool on) override;
    bool QuerySbas(bool& on) override;
    bool SetGlonass(bool on) override;
    bool QueryGlonass(bool& on) override;
    bool QueryTrackingMode(int& mode) override;
    bool SetTrackingMode(int mode) override;
    bool QueryElevationMask(int& degrees) override;
    bool SetElevationMask(int degrees) override;

    // Antenna (CInternalReceiverAntenna.cpp).
    bool QueryAntennaHeight(double& height, int& type) override;
    bool SetAntennaOffsets(double offset1, double offset2, double offset3) override;
    bool SetAntennaHeight(double height, int type) override;
    bool QueryAntennaReduction(int& reduction) override;
    bool SetAntennaReduction(int reduction) override;
    bool SetAntennaName(const std::u16string& name) override;
    bool QueryAntennaName(std::u16string& name) override;
    bool SetVirtualAntenna(bool on) override;
    std::uint8_t GetA2dValue0() override;
    std::uint8_t GetA2dValue1() override;
    std::uint8_t GetA2dValue2() override;
    bool EnableA2dOutput() override;

    // Output, ports and device (CInternalReceiverOutput.cpp).
    bool SetNmeaMessage(int port, int message, bool on, float periodSeconds) override;
    bool SetPositionOutput(bool on, int port) override;
    bool QueryNmeaOutput(int port, NmeaOutputRecord& output) override;
    bool StartStandardOutput(int port) override;
    bool SetObiOutput(bool on) override;
    bool EnableWtiOutput() override;
    int GetWti() override;
    bool SetPortBaud(int port, int baudCode, int outputMode) override;
    bool QueryPortBaud(int port, int& baudCode) override;
    bool QueryOwnPort(int& port, int& baudCode) override;
    bool SetBluetoothName(const std::u16string& name) override;
    bool QueryBluetoothName(std::u16string& name) override;
    bool QueryVersion(std::u16string& gnssFirmware, std::u16string& systemFirmware,
                      std::u16string& receiverVersion) override;
    SerialNumberAnswer QuerySerialNumber(std::string& number) override;
    void setOpenObserver(std::function<void(const OpenAttempt&)> observer) override;
    // Set it on the thread that runs the receiver's operations.
    void setSourceTableObserver(std::function<void(const SourceTableProgress&)> observer) override;
    void cancelOpen() override;
    OpenFailure openFailure() const override;
    std::string openFailureDetail() const override;
    // IsConnected() is already false when a listener runs; it must not call into the
    // receiver (Close would wait for the very thread it runs on).
    int addLinkLostListener(std::function<void()> listener) override;
    void removeLinkLostListener(int id) override;
    void setTrafficObserver(TrafficObserver observer) override;
    bool PowerOff() override;
    bool ResetReceiver() override;
    bool InitializeMemory(int value) override;
    bool SetRtcmMessage(int type, int period) override;
    bool SetAtomMessage(int type, int value1, int value2) override;
    bool SetCmrMessage(int type, int period) override;
    bool SetCorrectionMessages(int preset) override;

    // Recording (CInternalReceiverRecording.cpp).
    bool SetMemory(int memory) override;
    bool QueryMemory(int& memory) override;
    bool SetRecording(bool on) override;
    bool QueryCurrentFile(std::u16string& name) override;
    bool GetCurrentFileName(std::u16string& name) override;
    bool PollRecordingStopped() override;
    void ClearRecordingStopped() override;
    bool SetRecordingInterval(double seconds) override;
    bool QueryRecordingInterval(double& seconds) override;
    std::uint8_t QueryAtlRecording() override;
    bool SetAtlRecording(bool on) override;
    bool QueryAtlState(AtlState& state) override;
    bool ResetObservationBuffer() override;
    bool GetObiValues(float& value, int& count) override;

    // UHF radio and its port (CInternalReceiverRadio.cpp).
    bool RadioOn() override;
    bool RadioOff() override;
    bool SetRadioType(int port, int type) override;
    bool DetectRadioType() override;
    bool QueryRadioType(int port, int& type) override;
    bool QueryRadioChannels(int port, int& count) override;
    bool QueryRadioParameters(int port, RadioParameters& parameters) override;
    bool SetRadioParameters(int port, int radioType, int speed, int channel, int sensitivity,
                            int protocol, int channelSelection) override;
    bool SetPortInterface(int radioPort, int mode) override;

    // GSM/GPRS modem (CInternalReceiverModem.cpp).
    bool ModemOn() override;
    bool ModemOff() override;
    // Brings the modem from OFF or ON to INIT; true when it reports INIT at the end.
    bool InitializeModem() override;
    bool SetModemAutoDial() override;
    bool ClearModemAutoDial() override;
    bool SetModemCsd() override;
    bool SetModemGprsProtocol(int protocol) override;
    bool SetModemCsdParameters(const std::u16string& pin,
                               const std::u16string& phoneNumber) override;
    bool SetModemGprsParameters(const std::u16string& pin, const std::u16string& accessPoint,
                                const std::u16string& login,
                                const std::u16string& password) override;
    bool QueryModemState(int& state) override;
    bool QueryModemIsGprs(bool& gprs) override;
    bool QueryModemStateEx(bool& gprs, int& state) override;
    bool QueryModemCsd(std::u16string& pin, std::u16string& phoneNumber) override;
    bool QueryModemGprs(std::u16string& pin, std::u16string& accessPoint, std::u16string& login,
                        std::u16string& password) override;

    // Direct IP and NTRIP over the modem (CInternalReceiverNetwork.cpp).
    bool SetDirectIp(const std::u16string& address, int port) override;
    bool SetDirectIpEx(const std::u16string& address, int port, const std::u16string& login,
                       const std::u16string& password) override;
    bool DirectIpOff() override;
    bool QueryDirectIp(std::u16string& address, int& port) override;
    bool QueryDirectIpEx(std::u16string& address, int& port, std::u16string& login,
                         std::u16string& password) override;
    bool SetNtripParameters(const std::u16string& address, int port, const std::u16string& login,
                            const std::u16string& password, int type) override;
    bool QueryNtripParameters(std::u16string& address, int& port, std::u16string& login,
                              std::u16string& password) override;
    // True once the receiver reports correction data flowing from `mountPoint`.
    bool ConnectMountPoint(const std::u16string& mountPoint) override;
    bool DisconnectMountPoint() override;
    bool QueryMountPoint(std::u16string& mountPoint) override;
    // Has the receiver fetch the caster's source table and parses its "STR" records into
    // `stations`, which is left as it was on failure.
    bool LoadSourceTable(StationList& stations) override;

    // Base and rover (CInternalReceiverBase.cpp).
    bool SetCpdMode(int mode) override;
    bool SetCpdModeEx(int mode, int subMode) override;
    bool SetRover() override;
    bool QueryCpdMode(int& mode) override;
    bool QueryCpdModeEx(int& mode, int& subMode) override;
    bool SetBaseOutput(int port, int format) override;
    bool SetBaseOutput2(int port1, int format1, int port2, int format2) override;
    bool QueryBaseOutput(int& port, int& format) override;
    bool QueryBaseOutput2(int& port1, int& format1, int& port2, int& format2) override;

private:
    // A command acknowledged at once and answered by an "OK" or "FAIL" result from `source`
    // once the receiver is done: true only on the acknowledgement within `ackTimeoutMs`
    // followed by "OK" within `resultTimeoutMs`.
    bool runCommandWithResult(const std::string& sentence, ResultSource source, int ackTimeoutMs,
                              int resultTimeoutMs);
    bool queryModem(ModemReply& modem);
    // A set command: begin, send, wait up to `timeoutMs`; true only on "$PQVXR,ACK".
    bool runSetCommand(const std::string& sentence, int timeoutMs);
    bool runSetCommand(const std::string& sentence) {
        return runSetCommand(sentence, m_timeouts.replyMs);
    }
    // A query: begin, send, wait; true when the reply of `kind` arrived (checksum passed).
    bool runQuery(const std::string& sentence, ReplyKind kind, int timeoutMs);
    bool runQuery(const std::string& sentence, ReplyKind kind) {
        return runQuery(sentence, kind, m_timeouts.replyMs);
    }
    // "$PQVXQ,NTR,TBL": true when the table came. The wait ends only after the time-out
    // without a byte of the table.
    bool runTableQuery();
    // Writes a query whose reply nobody waits for.
    void sendWithoutWaiting(const std::string& sentence);
    ReceiverStatus& status() { return m_session.status(); }

    bool openLink(const std::string& device);
    bool searchBaudRate();
    bool startReader(std::uint32_t rate);
    void stopReader();
    bool setOccupation(int number, int phase, const std::u16string& text1,
                       const std::u16string& text2);
    bool setPositionCommand(const char* head, double latitude, double longitude, double height,
                            const char* reference);

    SerialPort m_port;
    ReceiverSession m_session;
    std::unique_ptr<WorkerThread> m_thread;
    OpenControl m_open;
    LinkTimeouts m_timeouts;
    int m_deviceClass = 2;
    bool m_outputOwned = false;
    bool m_poweredOff = false;  // the board acknowledged "$PQVXS,PWR,OFF" since the last Open
    int m_nmeaPort = 0;
    int m_outputRate = 1;
    std::uint8_t m_savedNpt[2] = {1, 0};
    std::optional<std::uint32_t> m_recordingPollMs;  // tick of the last recording poll
    std::function<void(const SourceTableProgress&)> m_tableObserver;
};

}  // namespace quorrel
