#include <string>

#include "ctl/OperationArgs.h"
#include "ctl/OperationTable.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {
namespace {

constexpr OperationKind Get = OperationKind::Get;

std::string nmeaOutputText(const NmeaOutputRecord& output) {
    std::string text;
    for (int i = 0; i < output.count && i < int(output.entries.size()); ++i) {
        const NmeaOutputEntry& entry = output.entries[std::size_t(i)];
        char period[32];
        std::snprintf(period, sizeof period, ":%.2f", double(entry.periodSeconds));
        if (!text.empty()) text += ' ';
        text += choiceName(kNmeaMessageNames, entry.code) + period;
    }
    return text;
}

bool position(OperationCall& c) {
    PositionRecord p;
    return c.results(c.receiver().GetPosition(p), p.latitude, p.longitude, p.ellipsoidHeight,
                     p.altitude, p.solutionType, p.satellitesUsed, p.pdop, p.hdop,
                     p.horizontalError, p.verticalError, p.correctionAge);
}

bool version(OperationCall& c) {
    std::u16string gnss, system, receiver;
    return c.results(c.receiver().QueryVersion(gnss, system, receiver), gnss, system, receiver);
}

bool serialNumber(OperationCall& c) {
    std::string number;
    const SerialNumberAnswer answer = c.receiver().QuerySerialNumber(number);
    if (answer == SerialNumberAnswer::Unknown) number.clear();
    return c.results(answer != SerialNumberAnswer::NotAsked, number);
}

bool radioParameters(OperationCall& c) {
    RadioParameters p;
    const bool done = c.receiver().QueryRadioParameters(c.integer(0), p);
    return c.results(done, choiceName(kRadioTypeNames, p.radioType), p.powerIndex == 0,
                     p.speedIndex, p.channel, p.sensitivityIndex, p.protocolIndex, p.modeIndex);
}

bool baseOutput2(OperationCall& c) {
    int port1 = 0, format1 = 0, port2 = 0, format2 = 0;
    const bool done = c.receiver().QueryBaseOutput2(port1, format1, port2, format2);
    return c.results(done, portLetter(port1), choiceName(kBaseFormatNames, format1),
                     portLetter(port2), choiceName(kBaseFormatNames, format2));
}

bool directIpEx(OperationCall& c) {
    std::u16string address, login, password;
    int port = 0;
    return c.results(c.receiver().QueryDirectIpEx(address, port, login, password), address, port,
                     login, password);
}

bool ntripParameters(OperationCall& c) {
    std::u16string address, login, password;
    int port = 0;
    return c.results(c.receiver().QueryNtripParameters(address, port, login, password), address,
                     port, login, password);
}

bool modemGprs(OperationCall& c) {
    std::u16string pin, accessPoint, login, password;
    return c.results(c.receiver().QueryModemGprs(pin, accessPoint, login, password), pin,
                     accessPoint, login, password);
}

}  // namespace

std::vector<Operation> queryOperations() {
    return {
        {"Position",
         Get,
         "GetPosition",
         {},
         {"latitudeDeg", "longitudeDeg", "ellipsoidHeightM", "altitudeM", "solutionType",
          "satellitesUsed", "pdop", "hdop", "horizontalErrorM", "verticalErrorM", "correctionAgeS"},
         position},
        {"SiteName",
         Get,
         "QuerySiteName",
         {},
         {"name"},
         [](OperationCall& c) {
             std::u16string name;
             return c.results(c.receiver().QuerySiteName(name), name);
         }},
        {"BasePosition",
         Get,
         "QueryBasePosition",
         {},
         {"latitudeDeg", "longitudeDeg", "heightM"},
         [](OperationCall& c) {
             double latitude = 0, longitude = 0, height = 0;
             return c.results(c.receiver().QueryBasePosition(latitude, longitude, height), latitude,
                              longitude, height);
         }},
        {"VectorLength",
         Get,
         "GetVectorLength",
         {},
         {"lengthM"},
         [](OperationCall& c) {
             float length = 0;
             return c.results(c.receiver().GetVectorLength(length), length);
         }},
        {"Memory",
         Get,
         "QueryMemory",
         {},
         {"memory"},
         [](OperationCall& c) {
             int memory = 0;
             return c.results(c.receiver().QueryMemory(memory), memory);
         }},
        {"CurrentFile",
         Get,
         "QueryCurrentFile",
         {},
         {"name"},
         [](OperationCall& c) {
             std::u16string name;
             return c.results(c.receiver().QueryCurrentFile(name), name);
         }},
        {"CurrentFileName",
         Get,
         "GetCurrentFileName",
         {},
         {"name"},
         [](OperationCall& c) {
             std::u16string name;
             return c.results(c.receiver().GetCurrentFileName(name), name);
         }},
        {"Recording",
         Get,
         "IsRecording",
         {},
         {"recording"},
         [](OperationCall& c) { return c.results(true, c.receiver().IsRecording()); }},
        {"RecordingStopped",
         Get,
         "PollRecordingStopped",
         {},
         {"stopped"},
         [](OperationCall& c) { return c.results(true, c.receiver().PollRecordingStopped()); }},
        {"RecordingInterval",
         Get,
         "QueryRecordingInterval",
         {},
         {"seconds"},
         [](OperationCall& c) {
             double seconds = 0;
             return c.results(c.receiver().QueryRecordingInterval(seconds), seconds);
         }},
        {"AtlRecording",
         Get,
         "QueryAtlRecording",
         {},
         {"recording"},
         [](OperationCall& c) { return c.results(true, c.receiver().QueryAtlRecording() != 0); }},
        {"ObiValues",
         Get,
         "GetObiValues",
         {},
         {"value", "count"},
         [](OperationCall& c) {
             float value = 0;
             int count = 0;
             return c.results(c.receiver().GetObiValues(value, count), value, count);
         }},
        {"PortBaud",
         Get,
         "QueryPortBaud",
         {portArg()},
         {"baudCode", "baudRate"},
         [](OperationCall& c) {
             int code = 0;
             const bool done = c.receiver().QueryPortBaud(c.integer(0), code);
             return c.results(done, code, baudRate(code));
         }},
        {"OwnPort",
         Get,
         "QueryOwnPort",
         {},
         {"port", "baudCode", "baudRate"},
         [](OperationCall& c) {
             int port = 0, code = 0;
             const bool done = c.receiver().QueryOwnPort(port, code);
             return c.results(done, portLetter(port), code, baudRate(code));
         }},
        {"BaseOutput2",
         Get,
         "QueryBaseOutput2",
         {},
         {"port1", "format1", "port2", "format2"},
         baseOutput2},
        {"BaseOutput",
         Get,
         "QueryBaseOutput",
         {},
         {"port", "format"},
         [](OperationCall& c) {
             int port = 0, format = 0;
             const bool done = c.receiver().QueryBaseOutput(port, format);
             return c.results(done, portLetter(port), choiceName(kBaseFormatNames, format));
         }},
        {"Sbas",
         Get,
         "QuerySbas",
         {},
         {"on"},
         [](OperationCall& c) {
             bool on = false;
             return c.results(c.receiver().QuerySbas(on), on);
         }},
        {"Glonass",
         Get,
         "QueryGlonass",
         {},
         {"on"},
         [](OperationCall& c) {
             bool on = false;
             return c.results(c.receiver().QueryGlonass(on), on);
         }},
        {"TrackingMode",
         Get,
         "QueryTrackingMode",
         {},
         {"mode"},
         [](OperationCall& c) {
             int mode = 0;
             return c.results(c.receiver().QueryTrackingMode(mode), mode);
         }},
        {"ElevationMask",
         Get,
         "QueryElevationMask",
         {},
         {"degrees"},
         [](OperationCall& c) {
             int degrees = 0;
             return c.results(c.receiver().QueryElevationMask(degrees), degrees);
         }},
        {"AtlState",
         Get,
         "QueryAtlState",
         {},
         {"on", "value", "recording"},
         [](OperationCall& c) {
             AtlState s;
             return c.results(c.receiver().QueryAtlState(s), s.on != 0, s.value, s.recording != 0);
         }},
        {"Wti",
         Get,
         "GetWti",
         {},
         {"seconds"},
         [](OperationCall& c) { return c.results(true, c.receiver().GetWti()); }},
        {"Version",
         Get,
         "QueryVersion",
         {},
         {"gnssFirmware", "systemFirmware", "receiverVersion"},
         version},
        {"BluetoothName",
         Get,
         "QueryBluetoothName",
         {},
         {"name"},
         [](OperationCall& c) {
             std::u16string name;
             return c.results(c.receiver().QueryBluetoothName(name), name);
         }},
        {"A2dValue0",
         Get,
         "GetA2dValue0",
         {},
         {"value"},
         [](OperationCall& c) { return c.results(true, c.receiver().GetA2dValue0()); }},
        {"A2dValue1",
         Get,
         "GetA2dValue1",
         {},
         {"value"},
         [](OperationCall& c) { return c.results(true, c.receiver().GetA2dValue1()); }},
        {"A2dValue2",
         Get,
         "GetA2dValue2",
         {},
         {"value"},
         [](OperationCall& c) { return c.results(true, c.receiver().GetA2dValue2()); }},
        {"AntennaHeight",
         Get,
         "QueryAntennaHeight",
         {},
         {"heightM", "type"},
         [](OperationCall& c) {
             double height = 0;
             int type = 0;
             const bool done = c.receiver().QueryAntennaHeight(height, type);
             return c.results(done, height, choiceName(kAntennaTypeNames, type));
         }},
        {"AntennaReduction",
         Get,
         "QueryAntennaReduction",
         {},
         {"reduction"},
         [](OperationCall& c) {
             int reduction = 0;
             const bool done = c.receiver().QueryAntennaReduction(reduction);
             return c.results(done, choiceName(kReductionNames, reduction));
         }},
        {"AntennaName",
         Get,
         "QueryAntennaName",
         {},
         {"name"},
         [](OperationCall& c) {
             std::u16string name;
             return c.results(c.receiver().QueryAntennaName(name), name);
         }},
        {"CpdModeEx",
         Get,
         "QueryCpdModeEx",
         {},
         {"mode", "subMode"},
         [](OperationCall& c) {
             int mode = 0, subMode = 0;
             const bool done = c.receiver().QueryCpdModeEx(mode, subMode);
             return c.results(done, choiceName(kCpdModeNames, mode), subMode);
         }},
        {"CpdMode",
         Get,
         "QueryCpdMode",
         {},
         {"mode"},
         [](OperationCall& c) {
             int mode = 0;
             const bool done = c.receiver().QueryCpdMode(mode);
             return c.results(done, choiceName(kCpdModeNames, mode));
         }},
        {"RadioType",
         Get,
         "QueryRadioType",
         {portArg()},
         {"type"},
         [](OperationCall& c) {
             int type = 0;
             const bool done = c.receiver().QueryRadioType(c.integer(0), type);
             return c.results(done, choiceName(kRadioTypeNames, type));
         }},
        {"RadioChannels",
         Get,
         "QueryRadioChannels",
         {portArg()},
         {"count"},
         [](OperationCall& c) {
             int count = 0;
             return c.results(c.receiver().QueryRadioChannels(c.integer(0), count), count);
         }},
        {"RadioParameters",
         Get,
         "QueryRadioParameters",
         {portArg()},
         {"type", "power", "speed", "channel", "sensitivity", "protocol", "channelSelection"},
         radioParameters},
        {"DirectIpEx",
         Get,
         "QueryDirectIpEx",
         {},
         {"address", "port", "login", "password"},
         directIpEx},
        {"DirectIp",
         Get,
         "QueryDirectIp",
         {},
         {"address", "port"},
         [](OperationCall& c) {
             std::u16string address;
             int port = 0;
             return c.results(c.receiver().QueryDirectIp(address, port), address, port);
         }},
        {"ModemState",
         Get,
         "QueryModemState",
         {},
         {"state"},
         [](OperationCall& c) {
             int state = 0;
             return c.results(c.receiver().QueryModemState(state), state);
         }},
        {"ModemIsGprs",
         Get,
         "QueryModemIsGprs",
         {},
         {"gprs"},
         [](OperationCall& c) {
             bool gprs = false;
             return c.results(c.receiver().QueryModemIsGprs(gprs), gprs);
         }},
        {"ModemStateEx",
         Get,
         "QueryModemStateEx",
         {},
         {"gprs", "state"},
         [](OperationCall& c) {
             bool gprs = false;
             int state = 0;
             return c.results(c.receiver().QueryModemStateEx(gprs, state), gprs, state);
         }},
        {"ModemCsd",
         Get,
         "QueryModemCsd",
         {},
         {"pin", "phoneNumber"},
         [](OperationCall& c) {
             std::u16string pin, phone;
             return c.results(c.receiver().QueryModemCsd(pin, phone), pin, phone);
         }},
        {"ModemGprs",
         Get,
         "QueryModemGprs",
         {},
         {"pin", "accessPoint", "login", "password"},
         modemGprs},
        {"NtripParameters",
         Get,
         "QueryNtripParameters",
         {},
         {"address", "port", "login", "password"},
         ntripParameters},
        {"MountPoint",
         Get,
         "QueryMountPoint",
         {},
         {"mountPoint"},
         [](OperationCall& c) {
             std::u16string mountPoint;
             return c.results(c.receiver().QueryMountPoint(mountPoint), mountPoint);
         }},
        {"NmeaOutput",
         Get,
         "QueryNmeaOutput",
         {portArg()},
         {"count", "messages"},
         [](OperationCall& c) {
             NmeaOutputRecord output;
             const bool done = c.receiver().QueryNmeaOutput(c.integer(0), output);
             return c.results(done, output.count, nmeaOutputText(output));
         }},
        {"SerialNumber", Get, "QuerySerialNumber", {}, {"serialNumber"}, serialNumber},
    };
}

}  // namespace quorrel
