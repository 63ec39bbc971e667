#include "ui/kit/Resources.h"

#include <QFile>
#include <QMap>
#include <QResource>
#include <QTextStream>

#include "ui/kit/AppSettings.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

// Where a language file's contents appear once registered.
constexpr char kLanguageRoot[] = "/quorrel-lang";

struct BuiltinText {
    int id;
    const char* text;
};

constexpr BuiltinText kBuiltinTexts[] = {
    {kStrValue, "Value"},
    {kStrSdgps, "SDGPS"},
    {kStrLoadSourceTableFailed, "Unable to load the source table from the NTRIP caster!"},
    {kStrUnknownAntenna, "Unknown"},
    {kStrCannotGetAntennaName, "Cannot get antenna name."},
    {kStrPacificCrestPdl, "Pacific Crest PDL"},
    {kStrCorvalen, "Corvalen"},
    {kStrOstrel, "Ostrel"},
    {kStrLicenseFreeEurope, "License Free Europe"},
    {kStrLicenseFreeAmerica, "License Free America"},
    {kStrErrorRecordingDebug, "Error recording debug data"},
    {kStrTurnOffGnss, "Turn off GNSS"},
    {kStrPowerOffQuestion, "Power off GNSS receiver?"},
    {kStrCannotPowerOff, "Cannot power off the GNSS receiver."},
    {kStrPacificCrestAdl, "Pacific Crest ADL"},
    {kStrCannotReadRadio, "Unable to read radio parameters from receiver!"},
    {kStrCannotSaveRadio, "Unable to save radio parameters to receiver!"},
    {kStrUnableToDial, "Unable to dial!"},
    {kStrUnableToConnect, "Unable to connect!"},
    {kStrLow, "Low"},
    {kStrHigh, "High"},
    {kStrOff, "Off"},
    {kStrNotUsed, "Not used"},
    {kStrDialing, "Dialing..."},
    {kStrDialingNumberStart, "Dialing  %1 ..."},
    {kStrDialingSucceed, "Dialing succeed!"},
    {kStrDialingFailed, "Dialing failed!"},
    {kStrDialingNumber, "Dialing  %1"},
    {kStrSettingsButton, "Settings..."},
    {kStrGnssFirmware, "GNSS Firmware: %1"},
    {kStrSystemFirmware, "System Firmware: %1"},
    {kStrSerialNumber, "Serial Number: %1"},
    {kStrName, "Name"},
    {kStrGsmModemSettings, "GSM Modem Settings"},
    {kStrHangUp, "Hang Up"},
    {kStrUhfRadioSettings, "UHF Radio Settings"},
    {kStrDisconnect, "Disconnect"},
    {kStrDial, "Dial..."},
    {kStrConnect, "Connect..."},
    {kStrSerialPortSettings, "Serial Port Settings"},
    {kStrNetworkSettings, "Network Settings"},
    {kStrNetwork, "Network"},
    {kStrSingleBase, "Single Base"},
    {kStrStation, "Station"},
    {kStrFormat, "Format"},
    {kStrCarrier, "Carrier"},
    {kStrSystem, "System"},
    {kStrCountry, "Country"},
    {kStrSolution, "Solution"},
    {kStrNmea, "NMEA"},
    {kStrVersion, "Version: %1"},
    {kStrNorth, "N"},
    {kStrEast, "E"},
    {kStrSouth, "S"},
    {kStrWest, "W"},
    {kStrMedium, "Medium"},
    {kStrKm, "km"},
    {kStrMetre, "m"},
    {kStrMile, "mi"},
    {kStrFoot, "ft"},
    {kStrYes, "Yes"},
    {kStrNo, "No"},
    {kStrDistance, "Distance"},
    {kStrCannotConnectGps, "Cannot connect GPS"},
    {kStrInternalMemory, "Internal memory"},
    {kStrStorageCard, "Storage Card"},
    {kStrNone, "None"},
    {kStrGnssSettings, "GNSS Settings"},
    {kStrDifferentialMode, "Differential Mode"},
    {kStrGnssStatus, "GNSS Status"},
    {kStrNmeaOutput, "NMEA Output"},
    {kStrTroubleShooting, "Trouble shooting"},
    {kStrAbout, "About"},
    {kStrUhfRadio, "UHF Radio"},
    {kStrGsmCsdModem, "GSM (CSD) Modem"},
    {kStrNetworkConnection, "Network Connection"},
    {kStrOtherExternalDevice, "Other External Device"},
    {kStrMinutes, "min"},
    {kStrSeconds, "sec"},
    {kStrLatitude, "Latitude"},
    {kStrLongitude, "Longitude"},
    {kStrDgps, "DGPS"},
    {kStrFloat, "FLOAT"},
    {kStrFixed, "FIXED"},
    {kStrTransparent, "Transparent"},
    {kStrSatellitesTracked, "Satellites tracked:"},
    {kStrReset, "Reset"},
    {kStrResetQuestion, "Reset GNSS receiver?"},
    {kStrAppTitle, kProgramTitle},
    {kStrAboutCaption, "About GNSS Quorrel"},
    {kStrGnssService, "GNSS Service"},
    {kStrGnssFirmwareLabel, "GNSS Firmware:"},
    {kStrSystemFirmwareLabel, "System Firmware:"},
    {kStrSerialNumberLabel, "Serial Number:"},
    {kStrConnectionLost, "Receiver connection lost"},
    {kStrReconnect, "Reconnect"},
    {kStrPositionPage, "Position"},
    {kStrSatellitesPage, "Satellites"},
    {kStrSignalPage, "Signal"},
    {kStrLatitudeLabel, "Latitude:"},
    {kStrLongitudeLabel, "Longitude:"},
    {kStrAltitudeLabel, "Altitude:"},
    {kStrSatellitesLabel, "Satellites:"},
    {kStrPdopLabel, "PDOP:"},
    {kStrStatusLabel, "Status:"},
    {kStrAgeLabel, "Age:"},
    {kStrHrmsLabel, "HRMS:"},
    {kStrVrmsLabel, "VRMS:"},
    {kStrBaselineLabel, "Baseline:"},
    {kStrTimeToFixedLabel, "Time to FIXED:"},
    {kStrGpsTracked, "GPS: %1"},
    {kStrSbasTracked, "SBAS: %1"},
    {kStrGlonassTracked, "GLONASS: %1"},
    {kStrWaitingForReceiver, "Waiting for the receiver…"},
    {kStrElapsedSeconds, "%1 s"},
    {kStrStartupConnecting, "Connecting to the receiver on %1"},
    {kStrStartupService, "Starting the GNSS service…"},
    {kStrStartupBaud, "Trying %1 baud (%2 of %3)"},
    {kStrQuit, "Quit"},
    {kStrStartupQuitting, "Stopping…"},
    {kStrGnssPage, "GNSS"},
    {kStrTrackingModeLabel, "Tracking mode:"},
    {kStrUseSbas, "Use SBAS"},
    {kStrElevationMaskLabel, "Elevation mask:"},
    {kStrDegreesUnit, "deg"},
    {kStrMinimumSnrLabel, "Minimum SNR:"},
    {kStrMaximumPdopLabel, "Maximum PDOP:"},
    {kStrExternalAntennaLabel, "External antenna:"},
    {kStrMessagesPage, "Messages"},
    {kStrPortLabel, "Port:"},
    {kStrBaudRateLabel, "Baud rate:"},
    {kStrTroubleshootPage, "Troubleshoot"},
    {kStrEnableDebugOutput, "Enable debug file output"},
    {kStrStorageLabel, "Storage:"},
    {kStrLinkPage, "Link"},
    {kStrLinkListLabel, "Real-time differential correction data link:"},
    {kStrLinkSettingsMissing, "This link's settings are not available yet. Nothing was changed."},
    {kStrPortPage, "Port"},
    {kStrPortNameLabel, "Port:"},
    {kStrPortBaudLabel, "Baud Rate:"},
    {kStrTextFieldCharacter,
     "The %1 contains \",\", \"*\" or \"$\", which cannot be sent to the receiver. Nothing was "
     "sent."},
    {kStrTextControlCharacter,
     "The %1 contains a line break or another control character, which cannot be sent to the "
     "receiver. Nothing was sent."},
    {kStrTextNotLatin1,
     "The %1 contains a character the receiver cannot take (only Western European letters "
     "are possible). Nothing was sent."},
    {kStrTextTooLong,
     "The %1 is longer than the receiver takes (at most %2 characters). Nothing was sent."},
    {kStrValuePin, "PIN"},
    {kStrValuePhoneNumber, "phone number"},
    {kStrValueGprsPin, "GPRS PIN"},
    {kStrValueAccessPoint, "access point"},
    {kStrValueGprsLogin, "GPRS login"},
    {kStrValueGprsPassword, "GPRS password"},
    {kStrValueCasterHost, "caster host"},
    {kStrValueCasterLogin, "caster login"},
    {kStrValueCasterPassword, "caster password"},
    {kStrValueMountPoint, "station (mount point)"},
    {kStrValueServerHost, "server host"},
    {kStrValuePortName, "port name"},
    {kStrGsmSettingsPage, "Settings"},
    {kStrPhoneNumberLabel, "Phone Number:"},
    {kStrPinCodeLabel, "PIN Code:"},
    {kStrCloseButton, "Close"},
    {kStrTextHistoryCharacter,
     "The %1 contains \";\", which the list of recent numbers cannot hold. Nothing was sent."},
    {kStrRadioPage, "Radio"},
    {kStrRadioSettingsPage, "Settings"},
    {kStrRadioTypeLabel, "Type:"},
    {kStrRadioChannelLabel, "Channel:"},
    {kStrAirLinkSpeedLabel, "Air link speed:"},
    {kStrRadioProtocolLabel, "Protocol:"},
    {kStrSensitivityLabel, "Sensitivity:"},
    {kStrTurnOn, "Turn on"},
    {kStrModePage, "Mode"},
    {kStrGprsPage, "GPRS"},
    {kStrDirectIpPage, "Direct IP"},
    {kStrNtripPage, "NTRIP"},
    {kStrAccessPointLabel, "Access Point:"},
    {kStrLoginLabel, "Login:"},
    {kStrPasswordLabel, "Password:"},
    {kStrHostLabel, "Host:"},
    {kStrNetworkLabel, "Network:"},
    {kStrStationLabel, "Station:"},
    {kStrBrowseButton, "Browse..."},
    {kStrSendPosition, "Send position to network"},
    {kStrNtripStations, "NTRIP Stations"},
    {kStrNtripStationDetails, "NTRIP Station Details"},
    {kStrDetailsButton, "Details..."},
    {kStrDistancesFrom, "Distances from the receiver's position %1, %2"},
    {kStrNoReferencePosition, "The receiver has no position yet: every distance shows as 0."},
    {kStrTableProgress, "%1 kB, %2 stations received"},
};

// "id<TAB>text" per line; "\n" and "\\" in the text stand for a line break and a backslash.
QString unescape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

Resources& Resources::instance() {
    static Resources resources;
    return resources;
}

Resources::Resources() {
    for (const BuiltinText& t : kBuiltinTexts)
        m_builtin.insert(t.id, QString::fromUtf8(t.text));
}

void Resources::addBuiltinText(int id, const QString& text) {
    m_builtin.insert(id, text);
}

QString Resources::text(int id) const {
    if (auto it = m_language.find(id); it != m_language.end()) return *it;
    return m_builtin.value(id);
}

QString Resources::imagePath(const char* kind, int id) const {
    if (!m_languageFile.isEmpty()) {
        const QString translated = QStringLiteral(":%1/%2/%3.png")
                                       .arg(QLatin1String(kLanguageRoot), QLatin1String(kind))
                                       .arg(id);
        if (QFile::exists(translated)) return translated;
    }
    return QStringLiteral(":/quorrel/%1/%2.png").arg(QLatin1String(kind)).arg(id);
}

QImage Resources::bitmap(int id) const {
    return QImage(imagePath("bitmaps", id));
}

QIcon Resources::icon(int id) const {
    return QIcon(imagePath("icons", id));
}

bool Resources::loadLanguageFile(const QString& rccPath) {
    unloadLanguageFile();
    if (!QFile::exists(rccPath) ||
        !QResource::registerResource(rccPath, QLatin1String(kLanguageRoot)))
        return false;
    m_languageFile = rccPath;
    QFile strings(QStringLiteral(":%1/strings.txt").arg(QLatin1String(kLanguageRoot)));
    if (strings.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&strings);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            const qsizetype tab = line.indexOf(u'\t');
            bool ok = false;
            const int id = line.left(tab).toInt(&ok);
            if (tab > 0 && ok) m_language.insert(id, unescape(line.mid(tab + 1)));
        }
    }
    return true;
}

void Resources::unloadLanguageFile() {
    if (m_languageFile.isEmpty()) return;
    QResource::unregisterResource(m_languageFile, QLatin1String(kLanguageRoot));
    m_languageFile.clear();
    m_language.clear();
}

}  // namespace quorrel

namespace quorrel {
namespace {

// The inverse of unescape(), so that every text survives a trip through "strings.txt".
QString escape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\t')
            out += QLatin1String("\\t");
        else
            out += c;
    }
    return out;
}

}  // namespace

QString Resources::builtinStringTable() const {
    QMap<int, QString> byId;  // ordered by id, so the file reads like the table
    for (auto it = m_builtin.cbegin(); it != m_builtin.cend(); ++it)
        byId.insert(it.key(), *it);
    QString table;
    for (auto it = byId.cbegin(); it != byId.cend(); ++it)
        table += QString::number(it.key()) + u'\t' + escape(*it) + u'\n';
    return table;
}

}  // namespace quorrel
