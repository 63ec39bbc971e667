#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "../AppTestSupport.h"
#include "app/shell/DeviceIdentity.h"
#include "app/shell/PlatformSettings.h"

using namespace quorrel;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("product_serial"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

}  // namespace

TEST(DeviceIdentity, FirstFourCharactersPickTheClassAndThePort) {
    const struct {
        const char* id;
        DeviceClass deviceClass;
        const char* port;
    } cases[] = {
        {"0143A7X9", DeviceClass::Code0143, "COM1:"}, {"0143", DeviceClass::Code0143, "COM1:"},
        {"0204-77", DeviceClass::Code0204, "COM3:"},  {"0205", DeviceClass::OtherCode, "COM3:"},
        {"014", DeviceClass::OtherCode, "COM3:"},     {"", DeviceClass::OtherCode, "COM3:"},
        {" 0143", DeviceClass::OtherCode, "COM3:"},   {"X0204", DeviceClass::OtherCode, "COM3:"},
    };
    for (const auto& c : cases) {
        const DeviceClass deviceClass = deviceClassFor(QString::fromLatin1(c.id));
        EXPECT_EQ(deviceClass, c.deviceClass) << '"' << c.id << '"';
        EXPECT_EQ(portNameFor(deviceClass), QLatin1String(c.port)) << '"' << c.id << '"';
    }
}

TEST(DeviceIdentity, SourcesAreTriedInOrderAndTheIdKeepsThirtyTwoCharacters) {
    QTemporaryDir dir;
    const QString dmi = writeFile(dir, "0204SERIAL\n");
    QString id;

    EXPECT_TRUE(ReadDeviceId({QStringLiteral("0143CMD"), QStringLiteral("SETTING"), dmi}, id));
    EXPECT_EQ(id, "0143CMD");
    EXPECT_TRUE(ReadDeviceId({std::nullopt, QStringLiteral("SETTING"), dmi}, id));
    EXPECT_EQ(id, "SETTING");
    EXPECT_TRUE(ReadDeviceId({std::nullopt, std::nullopt, dmi}, id));
    EXPECT_EQ(id, "0204SERIAL");

    EXPECT_TRUE(ReadDeviceId({QString(40, QLatin1Char('7')), std::nullopt, dmi}, id));
    EXPECT_EQ(id, QString(32, QLatin1Char('7')));
    // An empty identification given on purpose is still an identification.
    EXPECT_TRUE(ReadDeviceId({QString(), QStringLiteral("SETTING"), dmi}, id));
    EXPECT_TRUE(id.isEmpty());
}

TEST(DeviceIdentity, UnreadableOrBlankMachineSerialGivesNoIdentification) {
    QTemporaryDir dir;
    QString id = QStringLiteral("stale");
    EXPECT_FALSE(ReadDeviceId({std::nullopt, std::nullopt, dir.filePath("missing")}, id));
    EXPECT_TRUE(id.isEmpty());
    EXPECT_FALSE(ReadDeviceId({std::nullopt, std::nullopt, writeFile(dir, " \n")}, id));
    EXPECT_TRUE(ReadDeviceId(
        {std::nullopt, std::nullopt, writeFile(dir, QByteArray("0143\0rest", 9))}, id));
    EXPECT_EQ(id, "0143");
}

TEST(PortMapping, OverrideThenSettingThenTheSerialPortOfTheSameNumber) {
    test::TemporarySettings temp;
    const PlatformSettings platform(QStringLiteral("GNSS Quorrel"));
    EXPECT_EQ(devicePathFor("COM1:", {}, platform), "/dev/ttyS0");
    EXPECT_EQ(devicePathFor("COM3:", {}, platform), "/dev/ttyS2");
    EXPECT_EQ(devicePathFor("COM3:", "/dev/pts/7", platform), "/dev/pts/7");

    temp.writeFile(QStringLiteral("[Platform]\nCOM3=/dev/ttyUSB0\nCOM1=\nDeviceId=0143XY\n"));
    EXPECT_EQ(devicePathFor("COM3:", {}, platform), "/dev/ttyUSB0");
    EXPECT_EQ(devicePathFor("COM1:", {}, platform), "/dev/ttyS0") << "a blank setting is no device";
    EXPECT_EQ(devicePathFor("COM3:", "/dev/pts/7", platform), "/dev/pts/7");
    EXPECT_EQ(platform.deviceId(), QStringLiteral("0143XY"));
}
