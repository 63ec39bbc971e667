// The differential-mode hub's logic against the simulated board: what it finds when it
// opens, and each row's sentences in order, with sheets the test answers.
#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <optional>

#include "HubTestSupport.h"
#include "support/QtPrinting.h"
#include "ui/kit/Resources.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

using DC = DiffConnection;

const Sentences kNothing;
const Sentences kModemQuery = {"$PQVXQ,MDM"};
const Sentences kModemAndMountQueries = {"$PQVXQ,MDM", "$PQVXQ,NTR,MTP"};

struct StartCase {
    const char* legend;
    bool (HubBoard::*arrange)();  // the board before the page opens
    std::int32_t protocolIn;
    Sentences sent;
    DiffConnection connection;
    std::int32_t protocol;
    int row;
    StringId caption;
};

}  // namespace

TEST(DiffModeStart, TheModemStateSelectsTheRowTheCaptionAndTheFlags) {
    const StartCase cases[] = {
        {"modem off: nothing is up, the protocol stays the caller's", &HubBoard::asItIs, 1,
         kModemQuery, DC::None, 1, kUhfRow, kStrSettingsButton},
        {"modem query unanswered", &HubBoard::silenceModem, 1, kModemQuery, DC::None, 1, kUhfRow,
         kStrSettingsButton},
        {"GPRS initialised but not online", &HubBoard::startGprs, 0, kModemQuery, DC::None, 0,
         kUhfRow, kStrSettingsButton},
        {"CSD call online", &HubBoard::startCsdCall, 1, kModemQuery, DC::GsmDialled, 1, kGsmRow,
         kStrHangUp},
        {"GPRS online, mount point OFF: direct IP", &HubBoard::connectDirectIp, 1,
         kModemAndMountQueries, DC::DirectIpConnected, 0, kNetworkRow, kStrDisconnect},
        {"GPRS online with a mount point: NTRIP", &HubBoard::connectMountPoint, 0,
         kModemAndMountQueries, DC::NtripConnected, 1, kNetworkRow, kStrDisconnect},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.legend);
        HubBoard hub;
        ASSERT_TRUE(hub.link.open());
        ASSERT_TRUE((hub.*c.arrange)());
        hub.link.board.clearLog();
        RealTimeDiffLogic logic(directRunner(*hub.link.receiver), {});
        AppSettings input;
        input.networkProtocol = c.protocolIn;
        logic.setInput(input);
        logic.start();
        EXPECT_EQ(hub.link.received(), c.sent);
        EXPECT_EQ(logic.connection(), c.connection);
        EXPECT_EQ(logic.networkProtocol(), c.protocol);
        EXPECT_EQ(logic.selectedRow(), c.row);
        EXPECT_EQ(logic.caption(), c.caption);
        const AppSettings out = logic.output();
        EXPECT_EQ(out.dialGsm + out.connectNtrip + out.connectIp,
                  c.connection == DiffConnection::None ? 0 : 1);
    }
}

namespace {

// What the sheets give back: the values they were given, changed as the user did.
struct Answers {
    GsmValues gsm;
    NetworkValues network;
    PortValues port;
};
using Edit = std::function<void(Answers&, const HubBoard&)>;
enum class Sheet { Accept, Cancel, Missing };

// Sheets that record their opening and answer as the case says; the dialling monitor waits
// for the board's modem without asking the receiver.
DiffLinkSheets answeringSheets(Sheet answer, const Edit& edit, const HubBoard& hub,
                               QStringList& opened) {
    if (answer == Sheet::Missing) return {};
    const bool accept = answer == Sheet::Accept;
    const auto respond = [accept, edit, &hub](Answers answers) -> std::optional<Answers> {
        if (!accept) return std::nullopt;
        if (edit) edit(answers, hub);
        return answers;
    };
    DiffLinkSheets sheets;
    sheets.uhf = [accept, &opened](bool) {
        opened << "uhf";
        return accept;
    };
    sheets.gsm = [respond, &opened](const GsmValues& given, bool) -> std::optional<GsmValues> {
        opened << "gsm";
        const auto answers = respond({given, {}, {}});
        return answers ? std::optional(answers->gsm) : std::nullopt;
    };
    sheets.dialing = [&hub, &opened](const QString&) {
        opened << "dialing";
        return hub.waitForDialling();
    };
    sheets.network = [respond, &opened](const NetworkValues& given,
                                        bool) -> std::optional<NetworkValues> {
        opened << "network";
        const auto answers = respond({{}, given, {}});
        return answers ? std::optional(answers->network) : std::nullopt;
    };
    sheets.otherDevice = [respond, &opened](const PortValues& given) -> std::optional<PortValues> {
        opened << "port";
        const auto answers = respond({{}, {}, given});
        return answers ? std::optional(answers->port) : std::nullopt;
    };
    return sheets;
}

struct RowCase {
    const char* legend;
    AppSettings input;
    int row;
    Sheet sheet;
    Edit edit;
    Sentences sent;  // "%CASTER%" and "%SERVER%" stand for the servers' ports
    DiffConnection connection;
    StringId caption;
    QString message;                       // empty: none
    QStringList opened;                    // the sheets opened, in order
    void (*arrange)(HubBoard&) = nullptr;  // faults of the board
};

AppSettings withProtocol(std::int32_t protocol, bool external = false) {
    AppSettings input;
    input.networkProtocol = protocol;
    input.isExternalGps = external;
    return input;
}

Edit phone(const char* number, const char* pin = "") {
    return [number, pin](Answers& a, const HubBoard&) {
        a.gsm = {QString::fromLatin1(pin), QString::fromLatin1(number)};
    };
}

Edit caster(const char* mountPoint, bool sendPosition = false, const char* password = "") {
    return [=](Answers& a, const HubBoard& hub) {
        a.network.protocol = kProtocolNtrip;
        a.network.ntripAddress = QStringLiteral("127.0.0.1");
        a.network.ntripPort = hub.caster.port();
        a.network.ntripPassword = QString::fromLatin1(password);
        a.network.ntripMountPoint = QString::fromLatin1(mountPoint);
        a.network.sendPosition = sendPosition;
    };
}

Edit server(bool withPort = true) {
    return [withPort](Answers& a, const HubBoard& hub) {
        a.network.protocol = kProtocolDirectIp;
        a.network.ipAddress = QStringLiteral("127.0.0.1");
        a.network.ipPort = withPort ? hub.server.port() : 0;
    };
}

Edit port(const char* name, int baudIndex) {
    return [=](Answers& a, const HubBoard&) { a.port = {QString::fromLatin1(name), baudIndex}; };
}

QString refusal(StringId fault, StringId value, int limit = 0) {
    const QString text = resText(fault).arg(resText(value));
    return limit ? text.arg(limit) : text;
}

void neverAnswered(HubBoard& hub) {
    hub.link.board.setDialAnswers(false);
}

void autoDialRefused(HubBoard& hub) {
    hub.link.board.nak("PQVXS,MDM,DAL");
}

const Sentences kRadioTearDown = kRoverAndIpOff + Sentences{"$PQVXS,MDM,DAL,0", "$PQVXS,MDM,OFF"};
const Sentences kCsdStart = kModemQuery + kRoverAndIpOff +
                            Sentences{"$PQVXS,RDP,OFF", "$PQVXS,MDM,PAR,PTC,0"} + kModemStart;
const Sentences kGprsStart = Sentences{"$PQVXS,CPD,MOD,ROV", "$PQVXS,MDM,DAL,0", "$PQVXS,RDP,OFF",
                                       "$PQVXS,MDM,PAR,PTC,1,IPT,0,ADL,N"} +
                             kModemStart;
const Sentences kCasterQueries = {"$PQVXQ,NTR", "$PQVXQ,NTR,MTP"};
const std::string kCasterParameters = "$PQVXS,NTR,PAR,ADD,127.0.0.1,PRT,%CASTER%,LGN,,PWD,,TYP,0";
const Sentences kPortTearDown =
    Sentences{"$PQVXQ,PRT,B"} + kRadioTearDown + Sentences{"$PQVXS,RDP,OFF"};
const AppSettings kIdle;
const Edit kAsGiven;
const QString kNoMessage;
const QString kMissing = resText(kStrLinkSettingsMissing);
const QString kCannotDial = resText(kStrUnableToDial);
const QString kCannotConnect = resText(kStrUnableToConnect);
const QStringList kNoSheet;
const QStringList kGsmOnly = {"gsm"};
const QStringList kGsmAndDialing = {"gsm", "dialing"};
const QStringList kNetworkOnly = {"network"};

void runRowCase(const RowCase& c) {
    HubBoard hub;
    ASSERT_TRUE(hub.link.open());
    if (c.arrange) c.arrange(hub);
    QStringList opened;
    RealTimeDiffLogic logic(directRunner(*hub.link.receiver),
                            answeringSheets(c.sheet, c.edit, hub, opened));
    logic.setInput(c.input);
    logic.start();
    hub.link.board.clearLog();
    logic.select(c.row);
    const std::optional<QString> message = logic.act();
    EXPECT_EQ(hub.link.received(), hub.expand(c.sent));
    EXPECT_EQ(logic.connection(), c.connection);
    EXPECT_EQ(logic.caption(), c.caption);
    EXPECT_EQ(message.value_or(QString()), c.message);
    EXPECT_EQ(opened, c.opened);
}

}  // namespace

TEST(DiffModeRows, RadioAndOtherDeviceTearDownEveryLinkThenSetTheirOwn) {
    const RowCase cases[] = {
        {"UHF accepted: rover, every other link off, modem off", kIdle, kUhfRow, Sheet::Accept,
         kAsGiven, kRadioTearDown, DC::None, kStrSettingsButton, kNoMessage, QStringList{"uhf"}},
        {"UHF cancelled: nothing sent", kIdle, kUhfRow, Sheet::Cancel, kAsGiven, kNothing, DC::None,
         kStrSettingsButton, kNoMessage, QStringList{"uhf"}},
        {"UHF sheet not built: only the message", kIdle, kUhfRow, Sheet::Missing, kAsGiven,
         kNothing, DC::None, kStrSettingsButton, kMissing, kNoSheet},
        {"COM5 kept: the port's baud rate (38400) set again", kIdle, kOtherDeviceRow, Sheet::Accept,
         kAsGiven, kPortTearDown + Sentences{"$PQVXS,PRT,B,7,ON"}, DC::None, kStrSettingsButton,
         kNoMessage, QStringList{"port"}},
        {"COM3 at 19200 baud", kIdle, kOtherDeviceRow, Sheet::Accept, port("COM3", 6),
         kPortTearDown + Sentences{"$PQVXS,PRT,B,6,ON"}, DC::None, kStrSettingsButton, kNoMessage,
         QStringList{"port"}},
        {"COM1: a Bluetooth port, not a baud rate", kIdle, kOtherDeviceRow, Sheet::Accept,
         port("COM1", 6), kPortTearDown + Sentences{"$PQVXS,BTH,PRT,COM1", "$PQVXS,PRT,C,,ON"},
         DC::None, kStrSettingsButton, kNoMessage, QStringList{"port"}},
        {"external receiver: port A", withProtocol(0, true), kOtherDeviceRow, Sheet::Accept,
         kAsGiven,
         Sentences{"$PQVXQ,PRT,A"} + kRadioTearDown +
             Sentences{"$PQVXS,RDP,OFF", "$PQVXS,PRT,A,8,ON"},
         DC::None, kStrSettingsButton, kNoMessage, QStringList{"port"}},
        {"port sheet cancelled: only the port query", kIdle, kOtherDeviceRow, Sheet::Cancel,
         kAsGiven, Sentences{"$PQVXQ,PRT,B"}, DC::None, kStrSettingsButton, kNoMessage,
         QStringList{"port"}},
        {"no row selected: nothing at all", kIdle, kNoLinkRow, Sheet::Accept, kAsGiven, kNothing,
         DC::None, kStrSettingsButton, kNoMessage, kNoSheet},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.legend);
        runRowCase(c);
    }
}

TEST(DiffModeRows, GsmPreparesTheModemAndDialsOnlyWithANumber) {
    const Sentences dialled =
        kCsdStart + Sentences{"$PQVXS,MDM,PAR,PTC,0,PHN,0891234567,ADL,N", "$PQVXS,MDM,DAL,1"};
    const RowCase cases[] = {
        {"number and PIN: prepared, dialled, online", kIdle, kGsmRow, Sheet::Accept,
         phone("0891234567", "1234"),
         kCsdStart +
             Sentences{"$PQVXS,MDM,PAR,PIN,1234,PTC,0,PHN,0891234567,ADL,N", "$PQVXS,MDM,DAL,1"},
         DC::GsmDialled, kStrHangUp, kNoMessage, kGsmAndDialing},
        {"empty number: prepared, nothing dialled, no message", kIdle, kGsmRow, Sheet::Accept,
         kAsGiven, kCsdStart, DC::None, kStrDial, kNoMessage, kGsmOnly},
        {"the call is never answered: Unable to dial!", kIdle, kGsmRow, Sheet::Accept,
         phone("0891234567"), dialled, DC::None, kStrDial, kCannotDial, kGsmAndDialing,
         neverAnswered},
        {"auto-dial refused: Unable to dial!, no monitor", kIdle, kGsmRow, Sheet::Accept,
         phone("0891234567"), dialled, DC::None, kStrDial, kCannotDial, kGsmOnly, autoDialRefused},
        {"cancelled: only the modem query", kIdle, kGsmRow, Sheet::Cancel, kAsGiven, kModemQuery,
         DC::None, kStrDial, kNoMessage, kGsmOnly},
        {"GSM sheet not built: the modem query, then the message", kIdle, kGsmRow, Sheet::Missing,
         kAsGiven, kModemQuery, DC::None, kStrDial, kMissing, kNoSheet},
        {"\"*\" in the number: refused, nothing sent", kIdle, kGsmRow, Sheet::Accept,
         phone("*31#0891"), kModemQuery, DC::None, kStrDial,
         refusal(kStrTextFieldCharacter, kStrValuePhoneNumber), kGsmOnly},
        {"a number the receiver cannot take: refused", kIdle, kGsmRow, Sheet::Accept,
         phone("089123456789012345678901"), kModemQuery, DC::None, kStrDial,
         refusal(kStrTextTooLong, kStrValuePhoneNumber, 23), kGsmOnly},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.legend);
        runRowCase(c);
    }
}

TEST(DiffModeRows, NetworkConnectsWhatTheSheetChose) {
    const Sentences casterSent = kCasterQueries + kGprsStart + Sentences{kCasterParameters};
    const RowCase cases[] = {
        {"NTRIP mount point: caster parameters, GGA off, connected", withProtocol(1), kNetworkRow,
         Sheet::Accept, caster("MNT1"),
         casterSent + Sentences{"$PQVXS,NME,GGA,E,OFF", "$PQVXS,NTR,MTP,MNT1"}, DC::NtripConnected,
         kStrDisconnect, kNoMessage, kNetworkOnly},
        {"sending the position: GGA every 5 s", withProtocol(1), kNetworkRow, Sheet::Accept,
         caster("MNT1", true),
         casterSent + Sentences{"$PQVXS,NME,GGA,E,ON,5.00", "$PQVXS,NTR,MTP,MNT1"},
         DC::NtripConnected, kStrDisconnect, kNoMessage, kNetworkOnly},
        {"no mount point: parameters only, no message", withProtocol(1), kNetworkRow, Sheet::Accept,
         caster(""), casterSent, DC::None, kStrConnect, kNoMessage, kNetworkOnly},
        {"mount point refused: Unable to connect!, GGA off again", withProtocol(1), kNetworkRow,
         Sheet::Accept, caster("NOPE", true),
         casterSent +
             Sentences{"$PQVXS,NME,GGA,E,ON,5.00", "$PQVXS,NTR,MTP,NOPE", "$PQVXS,NME,GGA,E,OFF"},
         DC::None, kStrConnect, kCannotConnect, kNetworkOnly},
        {"direct IP chosen over NTRIP in the sheet", withProtocol(1), kNetworkRow, Sheet::Accept,
         server(), kCasterQueries + kGprsStart + Sentences{"$PQVXS,DIP,RIP,127.0.0.1,PRT,%SERVER%"},
         DC::DirectIpConnected, kStrDisconnect, kNoMessage, kNetworkOnly},
        {"direct IP without a port: no attempt, no message", withProtocol(0), kNetworkRow,
         Sheet::Accept, server(false), Sentences{"$PQVXQ,DIP"} + kGprsStart, DC::None, kStrConnect,
         kNoMessage, kNetworkOnly},
        {"external receiver: the GPRS data read and sent", withProtocol(1, true), kNetworkRow,
         Sheet::Accept, caster("MNT1"),
         kModemQuery + kCasterQueries + kGprsStart +
             Sentences{"$PQVXS,MDM,PAR,PTC,1,APN,internet,LGN,,PWD,", kCasterParameters,
                       "$PQVXS,NME,GGA,E,OFF", "$PQVXS,NTR,MTP,MNT1"},
         DC::NtripConnected, kStrDisconnect, kNoMessage, kNetworkOnly},
        {"cancelled: only the queries", withProtocol(1), kNetworkRow, Sheet::Cancel, kAsGiven,
         kCasterQueries, DC::None, kStrConnect, kNoMessage, kNetworkOnly},
        {"network sheet not built: the queries, then the message", withProtocol(1), kNetworkRow,
         Sheet::Missing, kAsGiven, kCasterQueries, DC::None, kStrConnect, kMissing, kNoSheet},
        {"a comma in the mount point: refused, nothing sent", withProtocol(1), kNetworkRow,
         Sheet::Accept, caster("MNT,1"), kCasterQueries, DC::None, kStrConnect,
         refusal(kStrTextFieldCharacter, kStrValueMountPoint), kNetworkOnly},
        {"a line break in the password: refused", withProtocol(1), kNetworkRow, Sheet::Accept,
         caster("MNT1", false, "pw\r\n$PQVXS,PWR,OFF"), kCasterQueries, DC::None, kStrConnect,
         refusal(kStrTextControlCharacter, kStrValueCasterPassword), kNetworkOnly},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.legend);
        runRowCase(c);
    }
}

namespace {

struct UpCase {
    const char* legend;
    bool (HubBoard::*connect)();
    const char* refused;  // a command the board refuses, or null
    Sentences sent;
    DiffConnection connection;
    StringId caption;
};

}  // namespace

TEST(DiffModeRows, HangUpAndDisconnectActAtOnceWithoutASheet) {
    const UpCase cases[] = {
        {"Hang Up: the number read, auto-dial cleared", &HubBoard::startCsdCall, nullptr,
         kModemQuery + Sentences{"$PQVXS,MDM,DAL,0"}, DC::None, kStrDial},
        {"Hang Up refused: still dialled, no message", &HubBoard::startCsdCall, "PQVXS,MDM,DAL",
         kModemQuery + Sentences{"$PQVXS,MDM,DAL,0"}, DC::GsmDialled, kStrHangUp},
        {"Disconnect NTRIP: GGA off, mount point off", &HubBoard::connectMountPoint, nullptr,
         Sentences{"$PQVXS,NME,GGA,E,OFF", "$PQVXS,NTR,MTP,OFF"}, DC::None, kStrConnect},
        {"Disconnect direct IP", &HubBoard::connectDirectIp, nullptr, Sentences{"$PQVXS,DIP,OFF"},
         DC::None, kStrConnect},
        {"Disconnect refused: still connected, no message", &HubBoard::connectDirectIp, "PQVXS,DIP",
         Sentences{"$PQVXS,DIP,OFF"}, DC::DirectIpConnected, kStrDisconnect},
    };
    for (const UpCase& c : cases) {
        SCOPED_TRACE(c.legend);
        HubBoard hub;
        ASSERT_TRUE(hub.link.open());
        ASSERT_TRUE((hub.*c.connect)());
        QStringList opened;
        RealTimeDiffLogic logic(directRunner(*hub.link.receiver),
                                answeringSheets(Sheet::Accept, {}, hub, opened));
        logic.start();
        if (c.refused) hub.link.board.nak(c.refused);
        hub.link.board.clearLog();
        EXPECT_FALSE(logic.act().has_value());
        EXPECT_EQ(hub.link.received(), c.sent);
        EXPECT_EQ(logic.connection(), c.connection);
        EXPECT_EQ(logic.caption(), c.caption);
        EXPECT_TRUE(opened.isEmpty());
    }
}

TEST(DiffModeRows, SheetsAreGivenWhatTheReceiverHoldsForEmptyValues) {
    HubBoard hub;
    ASSERT_TRUE(hub.link.open());
    CGnssReceiver& receiver = *hub.link.receiver;
    ASSERT_TRUE(receiver.SetNtripParameters(u"caster.example", 2101, u"me", u"secret", 0));
    ASSERT_TRUE(receiver.SetModemCsdParameters(u"4711", u"0891234567"));
    NetworkValues network;
    GsmValues gsm;
    std::vector<PortValues> ports;
    DiffLinkSheets sheets;
    sheets.network = [&](const NetworkValues& given, bool) -> std::optional<NetworkValues> {
        network = given;
        return std::nullopt;
    };
    sheets.gsm = [&](const GsmValues& given, bool) -> std::optional<GsmValues> {
        gsm = given;
        return std::nullopt;
    };
    sheets.dialing = [](const QString&) { return 0; };
    sheets.otherDevice = [&](const PortValues& given) -> std::optional<PortValues> {
        ports.push_back(given);
        return std::nullopt;
    };
    RealTimeDiffLogic logic(directRunner(receiver), sheets);
    AppSettings input = withProtocol(kProtocolNtrip, true);
    input.ntripMountPoint = QStringLiteral("KEPT");
    logic.setInput(input);

    logic.select(kNetworkRow);
    logic.act();
    EXPECT_EQ(network.ntripAddress, "caster.example");
    EXPECT_EQ(network.ntripPort, 2101);
    EXPECT_EQ(network.ntripLogin, "me");
    EXPECT_EQ(network.ntripPassword, "secret");
    EXPECT_EQ(network.ntripMountPoint, "KEPT") << "a value the page holds is not read again";
    EXPECT_EQ(network.gprsAccessPoint, "internet");
    EXPECT_EQ(network.gprsPin, "4711");
    EXPECT_EQ(logic.output().ntripAddress, "caster.example") << "what was read goes back on OK";

    logic.select(kGsmRow);
    logic.act();
    EXPECT_EQ(gsm, (GsmValues{"4711", "0891234567"}));

    logic.select(kOtherDeviceRow);
    logic.act();
    hub.link.board.ignore("PQVXQ,PRT");
    logic.act();
    EXPECT_EQ(ports, (std::vector<PortValues>{{"COM5", 8}, {"COM5", 0}}))
        << "the port's baud code, then the sheet's defaults when the query fails";
}
