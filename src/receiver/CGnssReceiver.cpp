#include "receiver/CGnssReceiver.h"

namespace quorrel {

// Every operation an implementation does not override is "not supported": it fails at once
// and never touches the port.

CGnssReceiver::~CGnssReceiver() = default;

bool CGnssReceiver::Open(const std::u16string&) {
    return false;
}
bool CGnssReceiver::Close() {
    return false;
}
bool CGnssReceiver::IsEpochAvailable() {
    return false;
}
bool CGnssReceiver::GetPosition(PositionRecord&) {
    return false;
}
int CGnssReceiver::GetSatellites(SatelliteTable&) {
    return 0;
}
bool CGnssReceiver::QuerySiteName(std::u16string&) {
    return false;
}
bool CGnssReceiver::SetSiteName(const std::u16string&) {
    return false;
}
bool CGnssReceiver::QueryBasePosition(double&, double&, double&) {
    return false;
}
bool CGnssReceiver::SetPosition(double, double, double) {
    return false;
}
bool CGnssReceiver::GetVectorLength(float&) {
    return false;
}
bool CGnssReceiver::SetMemory(int) {
    return false;
}
bool CGnssReceiver::QueryMemory(int&) {
    return false;
}
bool CGnssReceiver::SetRecording(bool) {
    return false;
}
bool CGnssReceiver::QueryCurrentFile(std::u16string&) {
    return false;
}
bool CGnssReceiver::GetCurrentFileName(std::u16string&) {
    return false;
}
bool CGnssReceiver::IsRecording() {
    return false;
}
bool CGnssReceiver::PollRecordingStopped() {
    return false;
}
void CGnssReceiver::ClearRecordingStopped() {}
bool CGnssReceiver::SetRecordingInterval(double) {
    return false;
}
bool CGnssReceiver::QueryRecordingInterval(double&) {
    return false;
}
std::uint8_t CGnssReceiver::QueryAtlRecording() {
    return 0;
}
bool CGnssReceiver::SetAtlRecording(bool) {
    return false;
}
bool CGnssReceiver::ResetObservationBuffer() {
    return false;
}
bool CGnssReceiver::SetObiOutput(bool) {
    return false;
}
bool CGnssReceiver::GetObiValues(float&, int&) {
    return false;
}
bool CGnssReceiver::SetPortInterface(int, int) {
    return false;
}
bool CGnssReceiver::SetPortBaud(int, int, int) {
    return false;
}
bool CGnssReceiver::QueryPortBaud(int, int&) {
    return false;
}
bool CGnssReceiver::QueryOwnPort(int&, int&) {
    return false;
}
bool CGnssReceiver::SetBaseOutput2(int, int, int, int) {
    return false;
}
bool CGnssReceiver::SetBaseOutput(int, int) {
    return false;
}
bool CGnssReceiver::QueryBaseOutput2(int&, int&, int&, int&) {
    return false;
}
bool CGnssReceiver::QueryBaseOutput(int&, int&) {
    return false;
}
bool CGnssReceiver::SetNmeaMessage(int, int, bool, float) {
    return false;
}
bool CGnssReceiver::PowerOff() {
    return false;
}
bool CGnssReceiver::SetSbas(bool) {
    return false;
}
bool CGnssReceiver::QuerySbas(bool&) {
    return false;
}
bool CGnssReceiver::SetGlonass(bool) {
    return false;
}
bool CGnssReceiver::QueryGlonass(bool&) {
    return false;
}
bool CGnssReceiver::QueryTrackingMode(int&) {
    return false;
}
bool CGnssReceiver::SetTrackingMode(int) {
    return false;
}
bool CGnssReceiver::QueryElevationMask(int&) {
    return false;
}
bool CGnssReceiver::SetElevationMask(int) {
    return false;
}
bool CGnssReceiver::QueryAtlState(AtlState&) {
    return false;
}
int CGnssReceiver::GetWti() {
    return 0;
}
bool CGnssReceiver::EnableWtiOutput() {
    return false;
}
bool CGnssReceiver::QueryVersion(std::u16string&, std::u16string&, std::u16string&) {
    return false;
}
bool CGnssReceiver::QueryBluetoothName(std::u16string&) {
    return false;
}
bool CGnssReceiver::SetBluetoothName(const std::u16string&) {
    return false;
}
bool CGnssReceiver::ResetCpd() {
    return false;
}
bool CGnssReceiver::SetKnownPoint(double, double, double, int) {
    return false;
}
bool CGnssReceiver::SetArrowLength(double) {
    return false;
}
bool CGnssReceiver::SetArrowMode(bool) {
    return false;
}
bool CGnssReceiver::SetDynamics(int) {
    return false;
}
bool CGnssReceiver::SetOccupationStart(int, const std::u16string&, const std::u16string&) {
    return false;
}
bool CGnssReceiver::SetOccupationEnd(int, const std::u16string&, const std::u16string&) {
    return false;
}
bool CGnssReceiver::SetRtcmMessage(int, int) {
    return false;
}
bool CGnssReceiver::SetAtomMessage(int, int, int) {
    return false;
}
bool CGnssReceiver::SetCmrMessage(int, int) {
    return false;
}
bool CGnssReceiver::SetCorrectionMessages(int) {
    return false;
}
std::uint8_t CGnssReceiver::GetA2dValue0() {
    return 0;
}
std::uint8_t CGnssReceiver::GetA2dValue1() {
    return 0;
}
std::uint8_t CGnssReceiver::GetA2dValue2() {
    return 0;
}
bool CGnssReceiver::EnableA2dOutput() {
    return false;
}
bool CGnssReceiver::QueryAntennaHeight(double&, int&) {
    return false;
}
bool CGnssReceiver::SetAntennaOffsets(double, double, double) {
    return false;
}
bool CGnssReceiver::SetAntennaHeight(double, int) {
    return false;
}
bool CGnssReceiver::QueryAntennaReduction(int&) {
    return false;
}
bool CGnssReceiver::SetAntennaReduction(int) {
    return false;
}
bool CGnssReceiver::SetAntennaName(const std::u16string&) {
    return false;
}
bool CGnssReceiver::QueryAntennaName(std::u16string&) {
    return false;
}
bool CGnssReceiver::SetVirtualAntenna(bool) {
    return false;
}
bool CGnssReceiver::ResetReceiver() {
    return false;
}
bool CGnssReceiver::InitializeMemory(int) {
    return false;
}
bool CGnssReceiver::StartStandardOutput(int) {
    return false;
}
bool CGnssReceiver::RadioOn() {
    return false;
}
bool CGnssReceiver::RadioOff() {
    return false;
}
bool CGnssReceiver::SetModemAutoDial() {
    return false;
}
bool CGnssReceiver::ClearModemAutoDial() {
    return false;
}
bool CGnssReceiver::InitializeModem() {
    return false;
}
bool CGnssReceiver::ModemOn() {
    return false;
}
bool CGnssReceiver::ModemOff() {
    return false;
}
bool CGnssReceiver::SetModemCsd() {
    return false;
}
bool CGnssReceiver::SetModemGprsProtocol(int) {
    return false;
}
bool CGnssReceiver::QueryCpdModeEx(int&, int&) {
    return false;
}
bool CGnssReceiver::QueryCpdMode(int&) {
    return false;
}
bool CGnssReceiver::SetCpdModeEx(int, int) {
    return false;
}
bool CGnssReceiver::SetCpdMode(int) {
    return false;
}
bool CGnssReceiver::QueryRadioType(int, int&) {
    return false;
}
bool CGnssReceiver::SetRadioType(int, int) {
    return false;
}
bool CGnssReceiver::DetectRadioType() {
    return false;
}
bool CGnssReceiver::QueryRadioChannels(int, int&) {
    return false;
}
bool CGnssReceiver::QueryRadioParameters(int, RadioParameters&) {
    return false;
}
bool CGnssReceiver::SetRadioParameters(int, int, int, int, int, int, int) {
    return false;
}
bool CGnssReceiver::QueryDirectIpEx(std::u16string&, int&, std::u16string&, std::u16string&) {
    return false;
}
bool CGnssReceiver::QueryDirectIp(std::u16string&, int&) {
    return false;
}
bool CGnssReceiver::SetDirectIpEx(const std::u16string&, int, const std::u16string&,
                                  const std::u16string&) {
    return false;
}
bool CGnssReceiver::SetDirectIp(const std::u16string&, int) {
    return false;
}
bool CGnssReceiver::DirectIpOff() {
    return false;
}
bool CGnssReceiver::QueryModemState(int&) {
    return false;
}
bool CGnssReceiver::QueryModemIsGprs(bool&) {
    return false;
}
bool CGnssReceiver::QueryModemStateEx(bool&, int&) {
    return false;
}
bool CGnssReceiver::QueryModemCsd(std::u16string&, std::u16string&) {
    return false;
}
bool CGnssReceiver::SetModemCsdParameters(const std::u16string&, const std::u16string&) {
    return false;
}
bool CGnssReceiver::QueryModemGprs(std::u16string&, std::u16string&, std::u16string&,
                                   std::u16string&) {
    return false;
}
bool CGnssReceiver::SetModemGprsParameters(const std::u16string&, const std::u16string&,
                                           const std::u16string&, const std::u16string&) {
    return false;
}
bool CGnssReceiver::QueryNtripParameters(std::u16string&, int&, std::u16string&, std::u16string&) {
    return false;
}
bool CGnssReceiver::SetNtripParameters(const std::u16string&, int, const std::u16string&,
                                       const std::u16string&, int) {
    return false;
}
bool CGnssReceiver::LoadSourceTable(StationList&) {
    return false;
}
bool CGnssReceiver::QueryMountPoint(std::u16string&) {
    return false;
}
bool CGnssReceiver::ConnectMountPoint(const std::u16string&) {
    return false;
}
bool CGnssReceiver::DisconnectMountPoint() {
    return false;
}
bool CGnssReceiver::QueryNmeaOutput(int, NmeaOutputRecord&) {
    return false;
}
bool CGnssReceiver::SetRover() {
    return false;
}
bool CGnssReceiver::IsBoardReceiver() {
    return false;
}
bool CGnssReceiver::SetPositionOutput(bool, int) {
    return false;
}
int CGnssReceiver::GetOutputRate() {
    return 1;
}
bool CGnssReceiver::SetOutputRate(int) {
    return false;
}
bool CGnssReceiver::IsConnected() {
    return false;
}
bool CGnssReceiver::SetStopOutputOnClose(bool) {
    return false;
}
SerialNumberAnswer CGnssReceiver::QuerySerialNumber(std::string&) {
    return SerialNumberAnswer::NotAsked;
}

void CGnssReceiver::setOpenObserver(std::function<void(const OpenAttempt&)>) {}

void CGnssReceiver::setSourceTableObserver(std::function<void(const SourceTableProgress&)>) {}
void CGnssReceiver::cancelOpen() {}
OpenFailure CGnssReceiver::openFailure() const {
    return OpenFailure::Other;
}
std::string CGnssReceiver::openFailureDetail() const {
    return {};
}
int CGnssReceiver::addLinkLostListener(std::function<void()>) {
    return 0;
}
void CGnssReceiver::removeLinkLostListener(int) {}
void CGnssReceiver::setTrafficObserver(TrafficObserver) {}

}  // namespace quorrel
