#include <gtest/gtest.h>

#include "HistoryTestSupport.h"
#include "ui/link/HistoryChoices.h"

using namespace quorrel;
using quorrel::test::entry;

namespace {

const HistoryLayout& kGprs = HistoryLayout::gprs();

std::vector<HistoryEntry> accessPoints(std::initializer_list<std::string> keys) {
    std::vector<HistoryEntry> entries;
    for (const std::string& key : keys)
        entries.push_back(entry({"pin-" + key, key, "login-" + key, ""}));
    return entries;
}

struct ListCase {
    const char* legend;
    std::vector<HistoryEntry> entries;
    QStringList items;
};

}  // namespace

TEST(HistoryChoices, ListShowsEachKeyUnlessAnEarlierItemBeginsWithIt) {
    const std::vector<ListCase> cases = {
        {"inter after Internet is covered", accessPoints({"Internet", "inter"}), {"Internet"}},
        {"inter before Internet: both", accessPoints({"inter", "Internet"}), {"inter", "Internet"}},
        {"keys differing in case: the first met", accessPoints({"web", "WEB"}), {"web"}},
        {"empty keys are skipped", accessPoints({"", "b"}), {"b"}},
        {"alphabetical, letter case ignored",
         accessPoints({"zeta", "Beta", "alpha"}),
         {"alpha", "Beta", "zeta"}},
        {"no entries", {}, {}},
    };
    for (const ListCase& c : cases)
        EXPECT_EQ(historyListItems(c.entries, kGprs), c.items) << c.legend;
}

TEST(HistoryChoices, PickFindsTheFirstEntryWithExactlyThatKey) {
    const auto entries = accessPoints({"Web", "web", "web"});
    EXPECT_EQ(findHistoryEntry(entries, kGprs, "web"), &entries[1]);
    EXPECT_EQ(findHistoryEntry(entries, kGprs, "Web"), &entries[0]);
    EXPECT_EQ(findHistoryEntry(entries, kGprs, "WEB"), nullptr);
    EXPECT_EQ(findHistoryEntry(entries, kGprs, "we"), nullptr);
    EXPECT_EQ(findHistoryEntry(entries, kGprs, ""), nullptr);
}

TEST(HistoryChoices, ValuesThatWouldBreakTheColumnsAreRefusedWithAReason) {
    const std::vector<std::pair<QString, HistoryValueFault>> cases = {
        {"caster.example", HistoryValueFault::None},
        {"", HistoryValueFault::None},
        {"pa,ss*w$rd \u00FC\u20AC", HistoryValueFault::None},
        {"a;b", HistoryValueFault::ColumnSeparator},
        {"a\rb", HistoryValueFault::LineBreak},
        {"a\nb", HistoryValueFault::LineBreak},
    };
    for (const auto& [value, fault] : cases)
        EXPECT_EQ(historyValueFault(value), fault) << value.toStdString();
}
