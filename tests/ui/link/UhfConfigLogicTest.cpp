// The UHF radio sheet's logic against the simulated board's radio: what each page reads and
// the sentences it sends, for every radio type.
#include <gtest/gtest.h>

#include <QStringList>

#include "UhfTestSupport.h"
#include "support/QtPrinting.h"
#include "ui/link/UhfConfigLogic.h"
#include "ui/link/UhfRadioLists.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

using Sentences = std::vector<std::string>;

constexpr int kFlag0 = 0;  // radio on port B, no Corvalen
constexpr int kFlag1 = 1;  // port follows the type

UhfConfigLogic logicFor(int radioFlag, int radioEnabled = 1) {
    return UhfConfigLogic(radioFlag, radioEnabled, RadioBoard::kDetectWaitMs);
}

}  // namespace

TEST(UhfRadioLists, TypeRowsLeaveCorvalenOutWithoutTheRadioFlag) {
    EXPECT_EQ(UhfRadioLists::typeRows(true),
              QStringList({"Pacific Crest PDL", "Pacific Crest ADL", "Corvalen", "Ostrel",
                           "License Free Europe", "License Free America", "None"}));
    EXPECT_EQ(UhfRadioLists::typeRows(false).size(), 6);
    EXPECT_FALSE(UhfRadioLists::typeRows(false).contains("Corvalen"));
    EXPECT_EQ(UhfRadioLists::typeRows(false)[2], "Ostrel");
    EXPECT_EQ(UhfRadioLists::typeOfRow(2, false), kRadioMdl) << "the rows below move up";
    EXPECT_EQ(UhfRadioLists::typeOfRow(3, true), kRadioMdl);
    EXPECT_EQ(UhfRadioLists::typeOfRow(2, true), kRadioCvl);
    EXPECT_EQ(UhfRadioLists::typeOfRow(5, false), kRadioNone);
    EXPECT_EQ(UhfRadioLists::typeOfRow(6, false), -1);
    EXPECT_EQ(UhfRadioLists::rowOfType(kRadioCvl, false), -1);
    for (const bool corvalen : {false, true})
        for (int row = 0; row < UhfRadioLists::typeRows(corvalen).size(); ++row)
            EXPECT_EQ(UhfRadioLists::rowOfType(UhfRadioLists::typeOfRow(row, corvalen), corvalen),
                      row);
}

TEST(UhfRadioPort, FollowsTheRadioFlagTheEnabledFlagAndTheType) {
    struct Case {
        int flag, enabled, type, port;
    } const cases[] = {
        {0, 1, kRadioAdl, kPortB}, {0, 0, kRadioPdl, kPortB}, {1, 0, kRadioPdl, kPortA},
        {1, 1, kRadioPdl, kPortD}, {1, 1, kRadioMdl, kPortD}, {1, 1, kRadioNone, kPortD},
        {1, 1, kRadioAdl, kPortA}, {1, 1, kRadioCvl, kPortA}, {1, 1, kRadioLfa, kPortA},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UhfConfigLogic(c.flag, c.enabled).port(c.type), c.port)
            << "flag " << c.flag << " enabled " << c.enabled << " type " << c.type;
}

TEST(UhfRadioOpening, FindsTheTypeAndTheBaudRateOfItsPort) {
    struct Case {
        const char* legend;
        RadioAt radio;
        int flag;
        int typeBefore;
        const char* silenced;  // a command the board ignores, or ""
        Sentences sent;
        int type, baudCode;
    } const cases[] = {
        {"flag 0 asks port B", RadioAt{'B', "ADL"}, kFlag0, kRadioPdl, "",
         Sentences{"$PQVXS,RDP,ON", "$PQVXQ,RDP,TYP,B", "$PQVXQ,PRT,B"}, kRadioAdl, 7},
        {"flag 1 detects on port D", RadioAt{'D', "MDL"}, kFlag1, kRadioPdl, "",
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,TYP,D,UNKNOWN", "$PQVXQ,RDP,PAR,D", "$PQVXQ,PRT,D"},
         kRadioMdl, 7},
        {"a detected LFE radio sits on port A", RadioAt{'D', "LFE"}, kFlag1, kRadioPdl, "",
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,TYP,D,UNKNOWN", "$PQVXQ,RDP,PAR,D", "$PQVXQ,PRT,A"},
         kRadioLfe, 8},
        {"no radio on D: None", RadioAt{'A', "ADL"}, kFlag1, kRadioPdl, "",
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,TYP,D,UNKNOWN", "$PQVXQ,RDP,PAR,D", "$PQVXQ,PRT,D"},
         kRadioNone, 7},
        {"UNKNOWN keeps the type before", RadioAt{'B', "UNKNOWN"}, kFlag0, kRadioLfa, "",
         Sentences{"$PQVXS,RDP,ON", "$PQVXQ,RDP,TYP,B", "$PQVXQ,PRT,B"}, kRadioLfa, 7},
        {"type unanswered: None", RadioAt{'B', "PDL"}, kFlag0, kRadioPdl, "PQVXQ,RDP,TYP",
         Sentences{"$PQVXS,RDP,ON", "$PQVXQ,RDP,TYP,B", "$PQVXQ,PRT,B"}, kRadioNone, 7},
        {"baud unanswered: 9600", RadioAt{'B', "PDL"}, kFlag0, kRadioPdl, "PQVXQ,PRT",
         Sentences{"$PQVXS,RDP,ON", "$PQVXQ,RDP,TYP,B", "$PQVXQ,PRT,B"}, kRadioPdl, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.legend);
        RadioBoard board(c.radio);
        ASSERT_TRUE(board.opened);
        if (*c.silenced) board.link.board.ignore(c.silenced);
        const UhfRadioChoice choice =
            logicFor(c.flag).openRadio(*board.link.receiver, c.typeBefore);
        EXPECT_EQ(board.received(), c.sent);
        EXPECT_EQ(choice.radioType, c.type);
        EXPECT_EQ(choice.baudCode, c.baudCode);
    }
}

TEST(UhfRadioLeaving, SendsThePortStandardTheTypeAndAChangedBaudRate) {
    struct Case {
        int flag, enabled, type;
        std::optional<int> baud;
        Sentences sent;
    } const cases[] = {
        {kFlag1, 1, kRadioCvl, 7,
         Sentences{"$PQVXS,MDP,A,422", "$PQVXS,RDP,TYP,A,CVL", "$PQVXS,PRT,A,7"}},
        {kFlag1, 1, kRadioAdl, {}, Sentences{"$PQVXS,MDP,A,232", "$PQVXS,RDP,TYP,A,ADL"}},
        {kFlag1, 1, kRadioLfe, 5,
         Sentences{"$PQVXS,MDP,A,232", "$PQVXS,RDP,TYP,A,LFE", "$PQVXS,PRT,A,5"}},
        {kFlag1, 1, kRadioMdl, {}, Sentences{"$PQVXS,RDP,TYP,D,MDL"}},
        {kFlag1, 1, kRadioNone, {}, Sentences{"$PQVXS,RDP,TYP,D,NONE"}},
        {kFlag1, 0, kRadioMdl, {}, Sentences{"$PQVXS,MDP,A,422", "$PQVXS,RDP,TYP,A,MDL"}},
        {kFlag0, 1, kRadioLfa, 5, Sentences{"$PQVXS,RDP,TYP,B,LFA", "$PQVXS,PRT,B,5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent.front());
        RadioBoard board(RadioAt{'D', "PDL"});
        ASSERT_TRUE(board.opened);
        logicFor(c.flag, c.enabled).leaveRadio(*board.link.receiver, c.type, c.baud);
        EXPECT_EQ(board.received(), c.sent);
    }
}

TEST(UhfSettings, UnchangedOkSendsBackWhatTheRadioHolds) {
    struct Case {
        const char* legend;
        RadioAt radio;
        int flag, type;
        bool powerOn;
        const char* silenced;
        Sentences read;  // on activation
        int channelCount, channelPosition;
        bool turnOnShown;
        Sentences ok;
    } const cases[] = {
        {"PDL on D, radio off", RadioAt{'D', "PDL", 7}, kFlag1, kRadioPdl, false, "",
         Sentences{"$PQVXQ,RDP,PAR,D", "$PQVXQ,RDP,CHT,D"}, 16, 7, true,
         Sentences{"$PQVXS,RDP,PAR,D,PDL,7,MAN,1,9600,MED", "$PQVXS,RDP,OFF"}},
        {"PDL on D, radio on", RadioAt{'D', "PDL", 7}, kFlag1, kRadioPdl, true, "",
         Sentences{"$PQVXQ,RDP,PAR,D", "$PQVXQ,RDP,CHT,D"}, 16, 7, true,
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,PAR,D,PDL,7,AUT,1,9600,MED"}},
        {"ADL answering channel 5 gets channel 5 back", RadioAt{'B', "ADL", 5}, kFlag0, kRadioAdl,
         true, "", Sentences{"$PQVXQ,RDP,PAR,B", "$PQVXQ,RDP,CHT,B"}, 32, 4, true,
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,PAR,B,ADL,5,,1,9600,MED"}},
        {"ADL on A: no Turn on, mode as read", RadioAt{'A', "ADL", 12}, kFlag1, kRadioAdl, false,
         "", Sentences{"$PQVXQ,RDP,PAR,A", "$PQVXQ,RDP,CHT,A"}, 32, 11, false,
         Sentences{"$PQVXS,RDP,PAR,A,ADL,12,,1,9600,MED"}},
        {"Ostrel on D", RadioAt{'D', "MDL", 3}, kFlag1, kRadioMdl, false, "",
         Sentences{"$PQVXQ,RDP,PAR,D", "$PQVXQ,RDP,CHT,D"}, 16, 3, true,
         Sentences{"$PQVXS,RDP,PAR,D,MDL,3,MAN,1,9600,MED", "$PQVXS,RDP,OFF"}},
        {"Corvalen: channel only", RadioAt{'A', "CVL", 9}, kFlag1, kRadioCvl, false, "",
         Sentences{"$PQVXQ,RDP,PAR,A", "$PQVXQ,RDP,CHT,A"}, 16, 9, false,
         Sentences{"$PQVXS,RDP,PAR,A,CVL,9"}},
        {"LFE: three channels", RadioAt{'A', "LFE", 2}, kFlag1, kRadioLfe, false, "",
         Sentences{"$PQVXQ,RDP,PAR,A", "$PQVXQ,RDP,CHT,A"}, 3, 2, false,
         Sentences{"$PQVXS,RDP,PAR,A,LFE,2"}},
        {"LFA without a channel answer: 50 channels", RadioAt{'B', "LFA", 44}, kFlag0, kRadioLfa,
         false, "PQVXQ,RDP,CHT", Sentences{"$PQVXQ,RDP,PAR,B", "$PQVXQ,RDP,CHT,B"}, 50, 44, true,
         Sentences{"$PQVXS,RDP,PAR,B,LFA,44", "$PQVXS,RDP,OFF"}},
        {"LFA answering 0 channels: 50", RadioAt{'A', "LFA", 0, 0}, kFlag1, kRadioLfa, false, "",
         Sentences{"$PQVXQ,RDP,PAR,A", "$PQVXQ,RDP,CHT,A"}, 50, 0, false,
         Sentences{"$PQVXS,RDP,PAR,A,LFA,0"}},
        {"channel past the list: the last entry", RadioAt{'D', "PDL", 14, 10}, kFlag1, kRadioPdl,
         true, "", Sentences{"$PQVXQ,RDP,PAR,D", "$PQVXQ,RDP,CHT,D"}, 10, 9, true,
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,PAR,D,PDL,9,AUT,1,9600,MED"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.legend);
        RadioBoard board(c.radio);
        ASSERT_TRUE(board.opened);
        CGnssReceiver& receiver = *board.link.receiver;
        if (c.powerOn) {
            ASSERT_TRUE(receiver.RadioOn());
        }
        if (*c.silenced) board.link.board.ignore(c.silenced);
        board.link.board.clearLog();
        const UhfConfigLogic logic = logicFor(c.flag);
        const UhfSettings read = logic.readSettings(receiver, c.type);
        EXPECT_EQ(board.received(), c.read);
        ASSERT_TRUE(read.read);
        EXPECT_EQ(read.radioType, c.type);
        EXPECT_EQ(read.channelCount, c.channelCount);
        EXPECT_EQ(read.channelPosition, c.channelPosition);
        EXPECT_EQ(read.turnOnShown, c.turnOnShown);
        EXPECT_EQ(read.turnOn, c.powerOn);
        EXPECT_FALSE(read.message);
        board.link.board.clearLog();
        EXPECT_FALSE(logic.applySettings(receiver, read.radioType, read));
        EXPECT_EQ(board.received(), c.ok);
    }
}

TEST(UhfSettings, OkSendsTheChosenPositionsAsTheirCodes) {
    struct Case {
        const char* legend;
        RadioAt radio;
        int flag, type;
        int channel, speed, protocol, sensitivity;
        bool turnOn;
        Sentences ok;
    } const cases[] = {
        {"ADL position 4 is channel 5", RadioAt{'B', "ADL"}, kFlag0, kRadioAdl, 4, 4, 3, 2, true,
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,PAR,B,ADL,5,,3,19200,HIG"}},
        {"PDL 4800 Transparent", RadioAt{'D', "PDL"}, kFlag1, kRadioPdl, 15, 0, 0, 3, true,
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,PAR,D,PDL,15,AUT,0,4800,OFF"}},
        {"Ostrel KTRX at 4800", RadioAt{'D', "MDL"}, kFlag1, kRadioMdl, 1, 0, 2, 0, false,
         Sentences{"$PQVXS,RDP,PAR,D,MDL,1,MAN,2,4800,LOW", "$PQVXS,RDP,OFF"}},
        {"Ostrel Not used at 7600", RadioAt{'D', "MDL"}, kFlag1, kRadioMdl, 1, 1, 1, 1, true,
         Sentences{"$PQVXS,RDP,ON", "$PQVXS,RDP,PAR,D,MDL,1,AUT,1,7600,MED"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.legend);
        RadioBoard board(c.radio);
        ASSERT_TRUE(board.opened);
        CGnssReceiver& receiver = *board.link.receiver;
        const UhfConfigLogic logic = logicFor(c.flag);
        UhfSettings settings = logic.readSettings(receiver, c.type);
        ASSERT_TRUE(settings.read);
        settings.channelPosition = c.channel;
        settings.speedPosition = c.speed;
        settings.protocolPosition = c.protocol;
        settings.sensitivity = c.sensitivity;
        settings.turnOn = c.turnOn;
        board.link.board.clearLog();
        EXPECT_FALSE(logic.applySettings(receiver, c.type, settings));
        EXPECT_EQ(board.received(), c.ok);
    }
}

TEST(UhfSettings, AnAnswerOfUnknownOrNoneKeepsTheTypeTheRadioPageChose) {
    for (const char* answer : {"UNKNOWN", "NONE"}) {
        SCOPED_TRACE(answer);
        RadioBoard board(RadioAt{'A', answer});
        ASSERT_TRUE(board.opened);
        const UhfSettings read = logicFor(kFlag1).readSettings(*board.link.receiver, kRadioLfe);
        ASSERT_TRUE(read.read);
        EXPECT_EQ(read.radioType, kRadioLfe);
        EXPECT_EQ(read.channelCount, 3) << "LFE's own list";
    }
}

TEST(UhfSettings, UnreadableParametersKeepThePageClosedAndOkSilent) {
    RadioBoard board(RadioAt{'D', "PDL"});
    ASSERT_TRUE(board.opened);
    board.link.board.ignore("PQVXQ,RDP,PAR");
    const UhfConfigLogic logic = logicFor(kFlag1);
    const UhfSettings read = logic.readSettings(*board.link.receiver, kRadioPdl);
    EXPECT_FALSE(read.read);
    EXPECT_EQ(read.message, kStrCannotReadRadio);
    EXPECT_EQ(board.received(), Sentences({"$PQVXQ,RDP,PAR,D"}));
    board.link.board.clearLog();
    EXPECT_FALSE(logic.applySettings(*board.link.receiver, kRadioPdl, read));
    EXPECT_TRUE(board.received().empty());

    const UhfSettings none = logic.readSettings(*board.link.receiver, kRadioNone);
    EXPECT_FALSE(none.read);
    EXPECT_FALSE(none.message) << "a radio of type None is not asked";
    EXPECT_TRUE(board.received().empty());
}

TEST(UhfSettings, RefusedParametersAreToldAndTheRadioStillGoesOff) {
    RadioBoard board(RadioAt{'D', "PDL"});
    ASSERT_TRUE(board.opened);
    const UhfConfigLogic logic = logicFor(kFlag1);
    const UhfSettings read = logic.readSettings(*board.link.receiver, kRadioPdl);
    ASSERT_TRUE(read.read);
    board.link.board.nak("PQVXS,RDP,PAR");
    board.link.board.clearLog();
    EXPECT_EQ(logic.applySettings(*board.link.receiver, kRadioPdl, read), kStrCannotSaveRadio);
    EXPECT_EQ(board.received(),
              Sentences({"$PQVXS,RDP,PAR,D,PDL,0,MAN,1,9600,MED", "$PQVXS,RDP,OFF"}));
}
