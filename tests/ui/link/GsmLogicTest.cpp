// The GSM settings page's choices and the dialling monitor's texts, without a display.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "HistoryTestSupport.h"
#include "receiver/ReceiverTypes.h"
#include "ui/link/DialingLogic.h"
#include "ui/link/GsmSettingsLogic.h"
#include "ui/link/HistoryLayout.h"

using namespace quorrel;
using quorrel::test::entry;

namespace {

QString dots(int count) {
    return QString(count % 4, QChar(u'.'));
}

}  // namespace

TEST(DialingLogic, WorkingStatesAnimateTheDotsAndClosingStatesEnd) {
    struct Case {
        const char* legend;
        QString phone;
        std::vector<int> states;
        // The texts shown, with "#" for the number and "+k" for the k-th dot step from the
        // counter at the start; "-" for no change.
        std::vector<const char*> texts;
        bool finished;
    };
    const std::vector<Case> cases = {
        {"ON, INIT, DIALING, then ONLINE",
         "0891234567",
         {kModemOn, kModemInit, kModemDialing, kModemDialing, kModemDialing, kModemOnline},
         {"+0", "+1", "+2", "+3", "+4", "Dialing succeed!"},
         true},
        {"OFF on the first tick", "0891234567", {kModemOff}, {"Dialing failed!"}, true},
        {"NONE after dialling",
         "0891234567",
         {kModemDialing, kModemNone},
         {"+0", "Dialing failed!"},
         true},
        {"a state the table does not know", "0891234567", {9}, {"Dialing failed!"}, true},
        {"no number: working states change nothing",
         "",
         {kModemDialing, kModemInit},
         {"-", "-"},
         false},
        {"no number: ONLINE still ends",
         "",
         {kModemDialing, kModemOnline},
         {"-", "Dialing succeed!"},
         true},
    };
    for (const Case& c : cases) {
        DialingLogic logic(c.phone);
        const int start = DialingLogic::dotCounter();
        int step = 0;
        DialingLogic::Step last;
        for (std::size_t i = 0; i < c.states.size(); ++i) {
            last = logic.onState(c.states[i]);
            const QString want = QString::fromUtf8(c.texts[i]);
            if (want == "-") {
                EXPECT_FALSE(last.text) << c.legend << " #" << i;
            } else if (want.startsWith('+')) {
                EXPECT_EQ(last.text, "Dialing  " + c.phone + dots(start + step++))
                    << c.legend << " #" << i;
            } else {
                EXPECT_EQ(last.text, want) << c.legend << " #" << i;
            }
            EXPECT_EQ(logic.lastModemState(), c.states[i]) << c.legend;
        }
        EXPECT_EQ(last.finished, c.finished) << c.legend;
        EXPECT_EQ(DialingLogic::dotCounter(), (start + step) % 4) << c.legend;
    }
}

TEST(DialingLogic, OpensWithTheNumberAndTwoBlanksAndStartsAsDialling) {
    EXPECT_EQ(DialingLogic("0891234567").openingText(), "Dialing  0891234567 ...");
    EXPECT_EQ(DialingLogic().openingText(), "Dialing...");
    EXPECT_EQ(DialingLogic().lastModemState(), kModemDialing);
}

TEST(GsmSettingsLogic, PickedNumberBringsThePinOfItsFirstEntry) {
    const std::vector<HistoryEntry> history = {entry({"1111", "0891"}), entry({"", "0892"}),
                                               entry({"3333", "0892"}), entry({"4444", "A1"})};
    const std::vector<std::pair<QString, std::optional<QString>>> cases = {
        {"0891", "1111"},     {"0892", ""},  // the first entry has no PIN: the field is cleared
        {"a1", std::nullopt}, {"089", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [picked, pin] : cases)
        EXPECT_EQ(gsm_settings::pinFor(history, picked), pin) << picked.toStdString();
    EXPECT_EQ(
        gsm_settings::phoneItems({entry({"", "08912"}), entry({"", "0891"}), entry({"", "07"})}),
        QStringList({"07", "08912"}));
}

TEST(GsmSettingsLogic, OkStoresAHiddenPinAsEmptyAndRefusesWhatCannotGoOut) {
    EXPECT_EQ(gsm_settings::acceptedValues("1234", "0891", false), (GsmValues{"", "0891"}));
    EXPECT_EQ(gsm_settings::acceptedValues("1234", "0891", true), (GsmValues{"1234", "0891"}));

    struct Case {
        GsmValues values;
        const char* refusal;  // nullptr: accepted
    };
    const std::vector<Case> cases = {
        {{"1234", "+49 891 234567"}, nullptr},
        {{"", ""}, nullptr},
        {{"12;4", ""}, nullptr},  // without a number nothing is sent or remembered
        {{"", "0891;234"},
         "The phone number contains \";\", which the list of recent numbers cannot hold. "
         "Nothing was sent."},
        {{"12;4", "0891"},
         "The PIN contains \";\", which the list of recent numbers cannot hold. Nothing was "
         "sent."},
        {{"", "0891,234"},
         "The phone number contains \",\", \"*\" or \"$\", which cannot be sent to the "
         "receiver. Nothing was sent."},
        {{"", "0891\r\n"},
         "The phone number contains a line break or another control character, which cannot "
         "be sent to the receiver. Nothing was sent."},
    };
    for (const Case& c : cases) {
        const std::optional<QString> refused = gsm_settings::refusal(c.values);
        if (c.refusal)
            EXPECT_EQ(refused, QString::fromUtf8(c.refusal)) << c.values.phoneNumber.toStdString();
        else
            EXPECT_FALSE(refused) << refused->toStdString();
    }
    const HistoryEntry stored = gsm_settings::historyEntry({"", "0891"});
    EXPECT_EQ(stored.value(GsmField::Pin), "");
    EXPECT_EQ(stored.value(GsmField::PhoneNumber), "0891");
}
