#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/TrafficObserver.h"
#include "receiver/ReceiverTypes.h"
#include "receiver/link/StatusRecords.h"

namespace quorrel {

class StationList;

// What the about box learns when it asks for the receiver's serial number.
enum class SerialNumberAnswer {
    NotAsked,  // the receiver could not be asked (no answer, or not supported)
    Unknown,   // it answered without a serial number
    Known,     // it answered with one
};

// Why the last Open failed; the receiver operations themselves only say that it failed.
enum class OpenFailure {
    None,              // the last Open succeeded, or none ran yet
    NoSuchDevice,      // the device does not exist
    PermissionDenied,  // the user may not open it (not in the device's group)
    Busy,              // another program holds it
    NoAnswer,          // the device opened but no receiver answered at any baud rate
    Cancelled,         // cancelOpen() ended the search
    Other,             // any other failure of the device; openFailureDetail() has the words
};

// One try of the baud-rate search, reported before it starts.
struct OpenAttempt {
    int baudRate = 0;
    int attempt = 0;   // 1-based
    int attempts = 0;  // tries in the whole search
};

// How much of a caster's source table has come over the link so far.
struct SourceTableProgress {
    std::size_t bytes = 0;
    std::size_t stations = 0;  // "STR" lines
};

// The receiver as every screen sees it. Each operation returns whether it was done and
// writes its out-parameters only then; the base class implements nothing ("not supported").
// Operations block the calling (GUI) thread until the reply or the time-out. Texts are
// UTF-16 here and 8-bit ASCII on the wire.
class CGnssReceiver {
public:
    virtual ~CGnssReceiver();

    virtual bool Open(const std::u16string& portName);
    virtual bool Close();
    virtual bool IsEpochAvailable();
    virtual bool GetPosition(PositionRecord& position);
    // Copies the satellite table; returns the number of satellites in it.
    virtual int GetSatellites(SatelliteTable& satellites);
    virtual bool QuerySiteName(std::u16string& name);
    virtual bool SetSiteName(const std::u16string& name);
    virtual bool QueryBasePosition(double& latitude, double& longitude, double& height);
    virtual bool SetPosition(double latitude, double longitude, double height);
    virtual bool GetVectorLength(float& length);
    virtual bool SetMemory(int memory);
    virtual bool QueryMemory(int& memory);
    virtual bool SetRecording(bool on);
    virtual bool QueryCurrentFile(std::u16string& name);
    virtual bool GetCurrentFileName(std::u16string& name);
    virtual bool IsRecording();
    virtual bool PollRecordingStopped();
    virtual void ClearRecordingStopped();
    virtual bool SetRecordingInterval(double seconds);
    virtual bool QueryRecordingInterval(double& seconds);
    // The recording flag of the receiver's debug recording (0 when unknown).
    virtual std::uint8_t QueryAtlRecording();
    virtual bool SetAtlRecording(bool on);
    virtual bool ResetObservationBuffer();
    virtual bool SetObiOutput(bool on);
    virtual bool GetObiValues(float& value, int& count);
    virtual bool SetPortInterface(int radioPort, int mode);
    virtual bool SetPortBaud(int port, int baudCode, int outputMode);
    virtual bool QueryPortBaud(int port, int& baudCode);
    virtual bool QueryOwnPort(int& port, int& baudCode);
    virtual bool SetBaseOutput2(int port1, int format1, int port2, int format2);
    virtual bool SetBaseOutput(int port, int format);
    virtual bool QueryBaseOutput2(int& port1, int& format1, int& port2, int& format2);
    virtual bool QueryBaseOutput(int& port, int& format);
    virtual bool SetNmeaMessage(int port, int message, bool on, float periodSeconds);
    virtual bool PowerOff();
    virtual bool SetSbas(bool on);
    virtual bool QuerySbas(bool& on);
    virtual bool SetGlonass(bool on);
    virtual bool QueryGlonass(bool& on);
    virtual bool QueryTrackingMode(int& mode);
    virtual bool SetTrackingMode(int mode);
    virtual bool QueryElevationMask(int& degrees);
    virtual bool SetElevationMask(int degrees);
    virtual bool QueryAtlState(AtlState& state);
    // The first field of the last unsolicited time-to-FIXED report (0 before any).
    virtual int GetWti();
    virtual bool EnableWtiOutput();
    virtual bool QueryVersion(std::u16string& gnssFirmware, std::u16string& systemFirmware,
                              std::u16string& receiverVersion);
    virtual bool QueryBluetoothName(std::u16string& name);
    virtual bool SetBluetoothName(const std::u16string& name);
    virtual bool ResetCpd();
    virtual bool SetKnownPoint(double latitude, double longitude, double height, int reference);
    virtual bool SetArrowLength(double length);
    virtual bool SetArrowMode(bool on);
    virtual bool SetDynamics(int dynamics);
    virtual bool SetOccupationStart(int number, const std::u16string& text1,
                                    const std::u16string& text2);
    virtual bool SetOccupationEnd(int number, const std::u16string& text1,
                                  const std::u16string& text2);
    virtual bool SetRtcmMessage(int type, int period);
    virtual bool SetAtomMessage(int type, int value1, int value2);
    virtual bool SetCmrMessage(int type, int period);
    virtual bool SetCorrectionMessages(int preset);
    // Bytes of the last unsolicited antenna report (0 before any).
    virtual std::uint8_t GetA2dValue0();
    virtual std::uint8_t GetA2dValue1();
    virtual std::uint8_t GetA2dValue2();
    virtual bool EnableA2dOutput();
    virtual bool QueryAntennaHeight(double& height, int& type);
    virtual bool SetAntennaOffsets(double offset1, double offset2, double offset3);
    virtual bool SetAntennaHeight(double height, int type);
    virtual bool QueryAntennaReduction(int& reduction);
    virtual bool SetAntennaReduction(int reduction);
    virtual bool SetAntennaName(const std::u16string& name);
    virtual bool QueryAntennaName(std::u16string& name);
    virtual bool SetVirtualAntenna(bool on);
    virtual bool ResetReceiver();
    virtual bool InitializeMemory(int value);
    virtual bool StartStandardOutput(int port);
    virtual bool RadioOn();
    virtual bool RadioOff();
    virtual bool SetModemAutoDial();
    virtual bool ClearModemAutoDial();
    virtual bool InitializeModem();
    virtual bool ModemOn();
    virtual bool ModemOff();
    virtual bool SetModemCsd();
    virtual bool SetModemGprsProtocol(int protocol);
    virtual bool QueryCpdModeEx(int& mode, int& subMode);
    virtual bool QueryCpdMode(int& mode);
    virtual bool SetCpdModeEx(int mode, int subMode);
    virtual bool SetCpdMode(int mode);
    virtual bool QueryRadioType(int port, int& type);
    virtual bool SetRadioType(int port, int type);
    virtual bool DetectRadioType();
    virtual bool QueryRadioChannels(int port, int& count);
    virtual bool QueryRadioParameters(int port, RadioParameters& parameters);
    virtual bool SetRadioParameters(int port, int radioType, int speed, int channel,
                                    int sensitivity, int protocol, int channelSelection);
    virtual bool QueryDirectIpEx(std::u16string& address, int& port, std::u16string& login,
                                 std::u16string& password);
    virtual bool QueryDirectIp(std::u16string& address, int& port);
    virtual bool SetDirectIpEx(const std::u16string& address, int port, const std::u16string& login,
                               const std::u16string& password);
    virtual bool SetDirectIp(const std::u16string& address, int port);
    virtual bool DirectIpOff();
    virtual bool QueryModemState(int& state);
    virtual bool QueryModemIsGprs(bool& gprs);
    virtual bool QueryModemStateEx(bool& gprs, int& state);
    virtual bool QueryModemCsd(std::u16string& pin, std::u16string& phoneNumber);
    virtual bool SetModemCsdParameters(const std::u16string& pin,
                                       const std::u16string& phoneNumber);
    virtual bool QueryModemGprs(std::u16string& pin, std::u16string& accessPoint,
                                std::u16string& login, std::u16string& password);
    virtual bool SetModemGprsParameters(const std::u16string& pin,
                                        const std::u16string& accessPoint,
                                        const std::u16string& login,
                                        const std::u16string& password);
    virtual bool QueryNtripParameters(std::u16string& address, int& port, std::u16string& login,
                                      std::u16string& password);
    virtual bool SetNtripParameters(const std::u16string& address, int port,
                                    const std::u16string& login, const std::u16string& password,
                                    int type);
    virtual bool LoadSourceTable(StationList& stations);
    virtual bool QueryMountPoint(std::u16string& mountPoint);
    virtual bool ConnectMountPoint(const std::u16string& mountPoint);
    virtual bool DisconnectMountPoint();
    virtual bool QueryNmeaOutput(int port, NmeaOutputRecord& output);
    virtual bool SetRover();
    virtual bool IsBoardReceiver();
    virtual bool SetPositionOutput(bool on, int port);
    virtual int GetOutputRate();
    virtual bool SetOutputRate(int rate);
    // True while the link's reader thread runs; false once it ended (port gone) or closed.
    virtual bool IsConnected();
    virtual int GetDeviceClass() = 0;
    virtual void SetDeviceClass(int deviceClass) = 0;
    virtual bool SetStopOutputOnClose(bool on);
    // The receiver's serial number, for the about box; `number` is 8-bit text.
    virtual SerialNumberAnswer QuerySerialNumber(std::string& number);

    // Beyond the receiver operations: what the program needs to show and steer the link.
    // `observer` runs on the thread that runs Open, before each baud-rate try.
    virtual void setOpenObserver(std::function<void(const OpenAttempt&)> observer);
    // `observer` runs on the thread that runs LoadSourceTable, whenever more of the table
    // has arrived while it waits for the rest.
    virtual void setSourceTableObserver(std::function<void(const SourceTableProgress&)> observer);
    // From any thread: a running Open gives up within half a second and fails with
    // OpenFailure::Cancelled; the next Open starts afresh.
    virtual void cancelOpen();
    // Why the last Open failed (None after one that succeeded), and the system's words for it.
    virtual OpenFailure openFailure() const;
    virtual std::string openFailureDetail() const;
    // `listener` runs on the reader thread when the link ends by itself (never after Close).
    // Returns an id for removeLinkLostListener (0 when the receiver never reports a loss).
    // Once removeLinkLostListener returns, that listener is not running and never runs again.
    virtual int addLinkLostListener(std::function<void()> listener);
    virtual void removeLinkLostListener(int id);
    // Every byte the link reads or writes from the next Open on is shown to `observer`, on
    // the thread that moved it; set it while the receiver is closed.
    virtual void setTrafficObserver(TrafficObserver observer);
};

}  // namespace quorrel
