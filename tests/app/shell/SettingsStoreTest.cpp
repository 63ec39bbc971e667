#include <gtest/gtest.h>

#include <QSettings>

#include "../AppTestSupport.h"
#include "app/shell/SettingsStore.h"

using namespace quorrel;
using quorrel::test::groupKeys;
using quorrel::test::TemporarySettings;

namespace {

const QString kTitle = QStringLiteral("GNSS Quorrel");

AppSettings sample() {
    AppSettings s;
    s.ntripPort = 2101;
    s.ntripAddress = QStringLiteral("caster.example.net");
    s.ntripUser = QStringLiteral("surveyor");
    s.ntripPassword = QStringLiteral("pa=ss;word");
    s.ntripMountPoint = QStringLiteral("MNT1");
    s.ipPort = 9000;
    s.ipAddress = QStringLiteral("192.0.2.7");
    s.dialGsm = 1;
    s.connectNtrip = 5;  // any non-zero flag is stored as 1
    s.connectIp = 0;
    s.networkProtocol = 1;
    return s;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    TemporarySettings temp;
    SettingsStore store{kTitle};
};

}  // namespace

TEST_F(SettingsStoreTest, SaveWritesExactlyTheProgramsValueNamesUnderTavrenk) {
    store.save(sample());
    const QString text = temp.fileText();
    ASSERT_FALSE(text.isEmpty()) << "expected " << temp.filePath().toStdString();
    QStringList keys = groupKeys(text, QStringLiteral("Settings"));
    keys.sort();
    const QStringList expected = {"ConnectIp",    "ConnectNtrip",   "DialGsm",
                                  "IpAddress",    "IpPort",         "NetworkProtocol",
                                  "NtripAddress", "NtripMountPoit", "NtripPassword",
                                  "NtripPort",    "NtripUser"};
    EXPECT_EQ(keys, expected);

    QSettings raw(QStringLiteral("Tavrenk"), kTitle);
    raw.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(raw.value("NtripPort").toString(), "2101");
    EXPECT_EQ(raw.value("NtripMountPoit").toString(), "MNT1");
    EXPECT_EQ(raw.value("NtripPassword").toString(), "pa=ss;word");
    EXPECT_EQ(raw.value("DialGsm").toString(), "1");
    EXPECT_EQ(raw.value("ConnectNtrip").toString(), "1");
    EXPECT_EQ(raw.value("ConnectIp").toString(), "0");
    EXPECT_EQ(raw.value("NetworkProtocol").toString(), "1");
}

TEST_F(SettingsStoreTest, RoundTripKeepsEveryValueButStartsWithConnectFlagsCleared) {
    AppSettings saved = sample();
    store.save(saved);
    const AppSettings loaded = store.load();
    AppSettings expected = saved;
    expected.dialGsm = expected.connectNtrip = expected.connectIp = 0;
    EXPECT_EQ(loaded, expected);
}

TEST_F(SettingsStoreTest, MissingOrUnreadableValuesGiveDefaults) {
    temp.writeFile(
        QStringLiteral("[Settings]\nNtripPort=not a number\nIpPort=99999999999\n"
                       "IpAddress=10.0.0.1\nNetworkProtocol=\n"));
    const AppSettings loaded = store.load();
    EXPECT_EQ(loaded.ntripPort, 0);
    EXPECT_EQ(loaded.ipPort, 0);
    EXPECT_EQ(loaded.networkProtocol, 0);
    EXPECT_EQ(loaded.ipAddress, "10.0.0.1");
    EXPECT_TRUE(loaded.ntripAddress.isEmpty());
    EXPECT_FALSE(loaded.isExternalGps);
}

TEST_F(SettingsStoreTest, NumbersAreThirtyTwoBitValues) {
    AppSettings s;
    s.ntripPort = -1;
    store.save(s);
    EXPECT_EQ(store.readDword(QStringLiteral("NtripPort"), 0), 0xFFFFFFFFu);
    EXPECT_EQ(store.load().ntripPort, -1);
}

TEST_F(SettingsStoreTest, EmptyTextsAreWrittenAsEmptyValues) {
    store.save(AppSettings{});
    const QStringList keys = groupKeys(temp.fileText(), QStringLiteral("Settings"));
    EXPECT_TRUE(keys.contains("NtripAddress"));
    EXPECT_TRUE(keys.contains("NtripMountPoit"));
    EXPECT_TRUE(keys.contains("IpAddress"));
}

TEST_F(SettingsStoreTest, ConnectFlagsAreNeverReadAndExternalFlagNeverWritten) {
    temp.writeFile(
        QStringLiteral("[Settings]\nDialGsm=1\nConnectNtrip=1\nConnectIp=1\n"
                       "IsExternalGps=1\n"));
    const AppSettings loaded = store.load();
    EXPECT_EQ(loaded.dialGsm, 0);
    EXPECT_EQ(loaded.connectNtrip, 0);
    EXPECT_EQ(loaded.connectIp, 0);
    EXPECT_TRUE(loaded.isExternalGps);

    AppSettings changed = loaded;
    changed.isExternalGps = false;
    store.save(changed);
    EXPECT_TRUE(store.readIsExternalGps()) << "only set from outside the program";
}

TEST_F(SettingsStoreTest, ExternalGpsIsSetOnlyByExactlyOne) {
    const struct {
        const char* value;
        bool expected;
    } cases[] = {{"1", true}, {"2", false}, {"0", false}, {"yes", false}, {nullptr, false}};
    for (const auto& c : cases) {
        QSettings raw(QStringLiteral("Tavrenk"), kTitle);
        raw.beginGroup(QStringLiteral("Settings"));
        if (c.value)
            raw.setValue("IsExternalGps", QString::fromLatin1(c.value));
        else
            raw.remove("IsExternalGps");
        raw.sync();
        EXPECT_EQ(store.readIsExternalGps(), c.expected) << (c.value ? c.value : "missing");
        EXPECT_EQ(store.load().isExternalGps, c.expected) << (c.value ? c.value : "missing");
    }
}

TEST_F(SettingsStoreTest, ScreenValuesLiveBesideTheProgramsSettings) {
    StoredScreenSettings screens(kTitle);
    EXPECT_EQ(screens.readDword(QStringLiteral("NMEAPortIndex"), 7), 7u);
    screens.writeDword(QStringLiteral("NMEAPortIndex"), 3);
    EXPECT_EQ(screens.readDword(QStringLiteral("NMEAPortIndex"), 7), 3u);
    EXPECT_EQ(screens.readDword(QStringLiteral("SendPosToNet"), 0), 0u);
    EXPECT_TRUE(groupKeys(temp.fileText(), QStringLiteral("Settings")).contains("NMEAPortIndex"));
}
