#include "ctl/OperationArgs.h"
#include "ctl/OperationTable.h"
#include "receiver/CGnssReceiver.h"
#include "receiver/ReceiverTypes.h"

namespace quorrel {
namespace {

constexpr OperationKind Set = OperationKind::Set;
// Occupation texts go to the receiver up to this length.
constexpr std::size_t kOccupationTextLength = 255;

const std::vector<Choice> kReferenceNames = {{"PC1", 0}, {"ARP", 1}, {"SPT", 2}};
const std::vector<Choice> kInterfaceNames = {{"RS232", 0}, {"RS422", 1}};
const std::vector<Choice> kOutputModeNames = {{"ON", 0}, {"OFF", 1}, {"KEEP", 2}};
const std::vector<Choice> kSpeedNames = {{"4800", 0}, {"7600", 1},  {"8000", 2},
                                         {"9600", 3}, {"16000", 4}, {"19200", 5}};
const std::vector<Choice> kSensitivityNames = {{"LOW", 0}, {"MED", 1}, {"HIG", 2}, {"OFF", 3}};
const std::vector<Choice> kChannelSelectionNames = {{"AUT", 0}, {"MAN", 1}};
const std::vector<Choice> kSetRadioTypeNames(kRadioTypeNames.begin(), kRadioTypeNames.end() - 1);
const std::vector<Choice> kSetFormatNames(kBaseFormatNames.begin() + 1, kBaseFormatNames.end());

// An operation that takes no arguments, named as the receiver names it.
Operation action(const char* call, std::function<bool(CGnssReceiver&)> run) {
    return {call, Set, call, {}, {}, [run](OperationCall& c) { return run(c.receiver()); }};
}

bool setPosition(OperationCall& c) {
    return c.receiver().SetPosition(c.number(0), c.number(1), c.number(2));
}

bool setKnownPoint(OperationCall& c) {
    return c.receiver().SetKnownPoint(c.number(0), c.number(1), c.number(2), c.integer(3));
}

bool setRadioParameters(OperationCall& c) {
    return c.receiver().SetRadioParameters(c.integer(0), c.integer(1), c.integer(2), c.integer(3),
                                           c.integer(4), c.integer(5), c.integer(6));
}

bool setDirectIpEx(OperationCall& c) {
    return c.receiver().SetDirectIpEx(c.text(0), c.integer(1), c.text(2), c.text(3));
}

bool setModemGprsParameters(OperationCall& c) {
    return c.receiver().SetModemGprsParameters(c.text(0), c.text(1), c.text(2), c.text(3));
}

bool setNtripParameters(OperationCall& c) {
    return c.receiver().SetNtripParameters(c.text(0), c.integer(1), c.text(2), c.text(3),
                                           c.integer(4));
}

bool setBaseOutput2(OperationCall& c) {
    return c.receiver().SetBaseOutput2(c.integer(0), c.integer(1), c.integer(2), c.integer(3));
}

bool setNmeaMessage(OperationCall& c) {
    return c.receiver().SetNmeaMessage(c.integer(0), c.integer(1), c.flag(2), float(c.number(3)));
}

std::vector<ArgSpec> linkAccess() {
    return {textArg("LOGIN", kLinkTextLength), textArg("PASSWORD", kLinkTextLength)};
}

}  // namespace

std::vector<Operation> settingOperations() {
    const ArgSpec latitude = numberArg("LATITUDE"), longitude = numberArg("LONGITUDE"),
                  height = numberArg("HEIGHT");
    const ArgSpec address = textArg("ADDRESS", kLinkTextLength);
    const ArgSpec pin = textArg("PIN", kModemPinLength);
    const ArgSpec login = linkAccess()[0], password = linkAccess()[1];
    return {
        {"SiteName",
         Set,
         "SetSiteName",
         {textArg("NAME")},
         {},
         [](OperationCall& c) { return c.receiver().SetSiteName(c.text(0)); }},
        {"Position", Set, "SetPosition", {latitude, longitude, height}, {}, setPosition},
        {"Memory",
         Set,
         "SetMemory",
         {intArg("MEMORY")},
         {},
         [](OperationCall& c) { return c.receiver().SetMemory(c.integer(0)); }},
        {"Recording",
         Set,
         "SetRecording",
         {flagArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetRecording(c.flag(0)); }},
        action("ClearRecordingStopped",
               [](CGnssReceiver& r) {
                   r.ClearRecordingStopped();
                   return true;
               }),
        {"RecordingInterval",
         Set,
         "SetRecordingInterval",
         {numberArg("SECONDS")},
         {},
         [](OperationCall& c) { return c.receiver().SetRecordingInterval(c.number(0)); }},
        {"AtlRecording",
         Set,
         "SetAtlRecording",
         {flagArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetAtlRecording(c.flag(0)); }},
        action("ResetObservationBuffer", &CGnssReceiver::ResetObservationBuffer),
        {"ObiOutput",
         Set,
         "SetObiOutput",
         {flagArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetObiOutput(c.flag(0)); }},
        {"PortInterface",
         Set,
         "SetPortInterface",
         {portArg("RADIOPORT"), choiceArg("INTERFACE", kInterfaceNames)},
         {},
         [](OperationCall& c) {
             return c.receiver().SetPortInterface(c.integer(0), c.integer(1));
         }},
        {"PortBaud",
         Set,
         "SetPortBaud",
         {portArg(), baudArg(), choiceArg("OUTPUT", kOutputModeNames)},
         {},
         [](OperationCall& c) {
             return c.receiver().SetPortBaud(c.integer(0), c.integer(1), c.integer(2));
         }},
        {"BaseOutput2",
         Set,
         "SetBaseOutput2",
         {portArg("PORT1"), choiceArg("FORMAT1", kSetFormatNames), portArg("PORT2"),
          choiceArg("FORMAT2", kSetFormatNames)},
         {},
         setBaseOutput2},
        {"BaseOutput",
         Set,
         "SetBaseOutput",
         {portArg(), choiceArg("FORMAT", kSetFormatNames)},
         {},
         [](OperationCall& c) { return c.receiver().SetBaseOutput(c.integer(0), c.integer(1)); }},
        {"NmeaMessage",
         Set,
         "SetNmeaMessage",
         {portArg(), choiceArg("MESSAGE", kNmeaMessageNames), flagArg(), numberArg("PERIOD")},
         {},
         setNmeaMessage},
        action("PowerOff", &CGnssReceiver::PowerOff),
        {"Sbas",
         Set,
         "SetSbas",
         {flagArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetSbas(c.flag(0)); }},
        {"Glonass",
         Set,
         "SetGlonass",
         {flagArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetGlonass(c.flag(0)); }},
        {"TrackingMode",
         Set,
         "SetTrackingMode",
         {intArg("MODE")},
         {},
         [](OperationCall& c) { return c.receiver().SetTrackingMode(c.integer(0)); }},
        {"ElevationMask",
         Set,
         "SetElevationMask",
         {intArg("DEGREES")},
         {},
         [](OperationCall& c) { return c.receiver().SetElevationMask(c.integer(0)); }},
        action("EnableWtiOutput", &CGnssReceiver::EnableWtiOutput),
        {"BluetoothName",
         Set,
         "SetBluetoothName",
         {textArg("NAME")},
         {},
         [](OperationCall& c) { return c.receiver().SetBluetoothName(c.text(0)); }},
        action("ResetCpd", &CGnssReceiver::ResetCpd),
        {"KnownPoint",
         Set,
         "SetKnownPoint",
         {latitude, longitude, height, choiceArg("REFERENCE", kReferenceNames)},
         {},
         setKnownPoint},
        {"ArrowLength",
         Set,
         "SetArrowLength",
         {numberArg("LENGTH")},
         {},
         [](OperationCall& c) { return c.receiver().SetArrowLength(c.number(0)); }},
        {"ArrowMode",
         Set,
         "SetArrowMode",
         {flagArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetArrowMode(c.flag(0)); }},
        {"Dynamics",
         Set,
         "SetDynamics",
         {intArg("DYNAMICS")},
         {},
         [](OperationCall& c) { return c.receiver().SetDynamics(c.integer(0)); }},
        {"OccupationStart",
         Set,
         "SetOccupationStart",
         {intArg("NUMBER"), textArg("TEXT1", kOccupationTextLength),
          textArg("TEXT2", kOccupationTextLength)},
         {},
         [](OperationCall& c) {
             return c.receiver().SetOccupationStart(c.integer(0), c.text(1), c.text(2));
         }},
        {"OccupationEnd",
         Set,
         "SetOccupationEnd",
         {intArg("NUMBER"), textArg("TEXT1", kOccupationTextLength),
          textArg("TEXT2", kOccupationTextLength)},
         {},
         [](OperationCall& c) {
             return c.receiver().SetOccupationEnd(c.integer(0), c.text(1), c.text(2));
         }},
        {"RtcmMessage",
         Set,
         "SetRtcmMessage",
         {intArg("TYPE"), intArg("PERIOD")},
         {},
         [](OperationCall& c) { return c.receiver().SetRtcmMessage(c.integer(0), c.integer(1)); }},
        {"AtomMessage",
         Set,
         "SetAtomMessage",
         {intArg("TYPE"), intArg("VALUE1"), intArg("VALUE2")},
         {},
         [](OperationCall& c) {
             return c.receiver().SetAtomMessage(c.integer(0), c.integer(1), c.integer(2));
         }},
        {"CmrMessage",
         Set,
         "SetCmrMessage",
         {intArg("TYPE"), intArg("PERIOD")},
         {},
         [](OperationCall& c) { return c.receiver().SetCmrMessage(c.integer(0), c.integer(1)); }},
        {"CorrectionMessages",
         Set,
         "SetCorrectionMessages",
         {intArg("PRESET")},
         {},
         [](OperationCall& c) { return c.receiver().SetCorrectionMessages(c.integer(0)); }},
        action("EnableA2dOutput", &CGnssReceiver::EnableA2dOutput),
        {"AntennaOffsets",
         Set,
         "SetAntennaOffsets",
         {numberArg("OFFSET1"), numberArg("OFFSET2"), numberArg("OFFSET3")},
         {},
         [](OperationCall& c) {
             return c.receiver().SetAntennaOffsets(c.number(0), c.number(1), c.number(2));
         }},
        {"AntennaHeight",
         Set,
         "SetAntennaHeight",
         {height, choiceArg("TYPE", kAntennaTypeNames)},
         {},
         [](OperationCall& c) { return c.receiver().SetAntennaHeight(c.number(0), c.integer(1)); }},
        {"AntennaReduction",
         Set,
         "SetAntennaReduction",
         {choiceArg("REDUCTION", kReductionNames)},
         {},
         [](OperationCall& c) { return c.receiver().SetAntennaReduction(c.integer(0)); }},
        {"AntennaName",
         Set,
         "SetAntennaName",
         {textArg("NAME")},
         {},
         [](OperationCall& c) { return c.receiver().SetAntennaName(c.text(0)); }},
        {"VirtualAntenna",
         Set,
         "SetVirtualAntenna",
         {flagArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetVirtualAntenna(c.flag(0)); }},
        action("ResetReceiver", &CGnssReceiver::ResetReceiver),
        {"InitializeMemory",
         Set,
         "InitializeMemory",
         {intArg("VALUE")},
         {},
         [](OperationCall& c) { return c.receiver().InitializeMemory(c.integer(0)); }},
        {"StartStandardOutput",
         Set,
         "StartStandardOutput",
         {portArg()},
         {},
         [](OperationCall& c) { return c.receiver().StartStandardOutput(c.integer(0)); }},
        action("RadioOn", &CGnssReceiver::RadioOn),
        action("RadioOff", &CGnssReceiver::RadioOff),
        {"ModemAutoDial",
         Set,
         "SetModemAutoDial",
         {},
         {},
         [](OperationCall& c) { return c.receiver().SetModemAutoDial(); }},
        action("ClearModemAutoDial", &CGnssReceiver::ClearModemAutoDial),
        action("InitializeModem", &CGnssReceiver::InitializeModem),
        action("ModemOn", &CGnssReceiver::ModemOn),
        action("ModemOff", &CGnssReceiver::ModemOff),
        {"ModemCsd",
         Set,
         "SetModemCsd",
         {},
         {},
         [](OperationCall& c) { return c.receiver().SetModemCsd(); }},
        {"ModemGprsProtocol",
         Set,
         "SetModemGprsProtocol",
         {intArg("PROTOCOL")},
         {},
         [](OperationCall& c) { return c.receiver().SetModemGprsProtocol(c.integer(0)); }},
        {"CpdModeEx",
         Set,
         "SetCpdModeEx",
         {choiceArg("MODE", kCpdModeNames), intArg("SUBMODE")},
         {},
         [](OperationCall& c) { return c.receiver().SetCpdModeEx(c.integer(0), c.integer(1)); }},
        {"CpdMode",
         Set,
         "SetCpdMode",
         {choiceArg("MODE", kCpdModeNames)},
         {},
         [](OperationCall& c) { return c.receiver().SetCpdMode(c.integer(0)); }},
        {"RadioType",
         Set,
         "SetRadioType",
         {portArg(), choiceArg("TYPE", kSetRadioTypeNames)},
         {},
         [](OperationCall& c) { return c.receiver().SetRadioType(c.integer(0), c.integer(1)); }},
        action("DetectRadioType", &CGnssReceiver::DetectRadioType),
        {"RadioParameters",
         Set,
         "SetRadioParameters",
         {portArg(), choiceArg("TYPE", kSetRadioTypeNames), choiceArg("SPEED", kSpeedNames),
          intArg("CHANNEL"), choiceArg("SENSITIVITY", kSensitivityNames), intArg("PROTOCOL"),
          choiceArg("SELECTION", kChannelSelectionNames)},
         {},
         setRadioParameters},
        {"DirectIpEx",
         Set,
         "SetDirectIpEx",
         {address, intArg("PORT"), login, password},
         {},
         setDirectIpEx},
        {"DirectIp",
         Set,
         "SetDirectIp",
         {address, intArg("PORT")},
         {},
         [](OperationCall& c) { return c.receiver().SetDirectIp(c.text(0), c.integer(1)); }},
        action("DirectIpOff", &CGnssReceiver::DirectIpOff),
        {"ModemCsdParameters",
         Set,
         "SetModemCsdParameters",
         {pin, textArg("PHONE", kPhoneNumberLength)},
         {},
         [](OperationCall& c) { return c.receiver().SetModemCsdParameters(c.text(0), c.text(1)); }},
        {"ModemGprsParameters",
         Set,
         "SetModemGprsParameters",
         {pin, textArg("APN", kLinkTextLength), login, password},
         {},
         setModemGprsParameters},
        {"NtripParameters",
         Set,
         "SetNtripParameters",
         {address, intArg("PORT"), login, password, intArg("TYPE")},
         {},
         setNtripParameters},
        {"ConnectMountPoint",
         Set,
         "ConnectMountPoint",
         {textArg("MOUNTPOINT", kLinkTextLength)},
         {},
         [](OperationCall& c) { return c.receiver().ConnectMountPoint(c.text(0)); }},
        action("DisconnectMountPoint", &CGnssReceiver::DisconnectMountPoint),
        {"Rover",
         Set,
         "SetRover",
         {},
         {},
         [](OperationCall& c) { return c.receiver().SetRover(); }},
        {"PositionOutput",
         Set,
         "SetPositionOutput",
         {flagArg(), portArg()},
         {},
         [](OperationCall& c) { return c.receiver().SetPositionOutput(c.flag(0), c.integer(1)); }},
    };
}

}  // namespace quorrel
