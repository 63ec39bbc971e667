#include <gtest/gtest.h>

#include "support/QtPrinting.h"
#include "ui/link/PortSettingsLogic.h"

using namespace quorrel;

TEST(PortSettingsLogic, ANameSelectsTheFirstPortItBeginsFromTheSecondItemOn) {
    const struct {
        const char* name;
        int row;
    } cases[] = {
        {"COM5", 4}, {"com3", 2}, {"", 0},   {"COM1", 0},  // found last, after the wrap
        {"C", 1},    {"COM", 1},  {"X", -1}, {"COM10", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortSettingsLogic::portRow(QString::fromLatin1(c.name)), c.row) << c.name;
}

TEST(PortSettingsLogic, ListsAndTheValuesTheirRowsGiveBack) {
    EXPECT_EQ(PortSettingsLogic::portItems().size(), 9);
    EXPECT_EQ(PortSettingsLogic::baudItems(),
              QStringList({"300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
                           "115200"}));
    EXPECT_EQ(PortSettingsLogic::baudRow(6), 6);
    EXPECT_EQ(PortSettingsLogic::baudRow(10), -1);
    EXPECT_EQ(PortSettingsLogic::valuesFor(2, 9), (PortValues{"COM3", 9}));
    EXPECT_EQ(PortSettingsLogic::valuesFor(-1, -1), (PortValues{"", -1}));
}
