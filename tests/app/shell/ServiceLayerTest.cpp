#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <thread>

#include "../AppTestSupport.h"
#include "app/shell/ServiceLayer.h"

using namespace quorrel;

namespace {

// A stand-in service: a script under "<program files>/GNSS Service Layer/<name>" that
// records its arguments, and a long-running process carrying the same name. Each test uses
// its own name so that tests running side by side cannot see each other's service.
class ServiceLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        name = QStringLiteral("SvcQ%1").arg(QCoreApplication::applicationPid() % 1000000);
        config.processName = name;
        config.programFilesDir = dir.path();
        config.startWaitMs = 300;
        QDir(dir.path()).mkpath(config.folder);
        const QString script = dir.filePath(config.folder + QLatin1Char('/') + name);
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/started\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void TearDown() override {
        if (running.state() != QProcess::NotRunning) {
            running.kill();
            running.waitForFinished();
        }
    }

    // Runs `sleep` under the service's name, lower-cased to show the match ignores case.
    void startRunningService() {
        const QString link = dir.filePath(name.toLower());
        ASSERT_TRUE(QFile::link(QStringLiteral("/bin/sleep"), link));
        running.start(link, {QStringLiteral("30")});
        ASSERT_TRUE(running.waitForStarted());
    }
    QString startedMarker() const { return dir.filePath(config.folder + "/started"); }
    QByteArray waitForMarker() const {
        for (int i = 0; i < 200 && !QFile::exists(startedMarker()); ++i)
            QThread::msleep(10);
        QFile file(startedMarker());
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }

    QTemporaryDir dir;
    QString name;
    ServiceLayerConfig config;
    QProcess running;
};

}  // namespace

TEST_F(ServiceLayerTest, FindsARunningProcessByNameIgnoringCase) {
    const ServiceLayer service(config);
    EXPECT_FALSE(service.IsServiceLayerRunning());
    startRunningService();
    EXPECT_TRUE(service.IsServiceLayerRunning());
    running.kill();
    running.waitForFinished();
    EXPECT_FALSE(service.IsServiceLayerRunning());
}

TEST_F(ServiceLayerTest, StartsAMissingServiceWithDashFAndWaits) {
    const ServiceLayer service(config);
    EXPECT_EQ(service.executablePath(), dir.path() + "/GNSS Service Layer/" + name);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(service.EnsureServiceLayer());
    EXPECT_GE(clock.elapsed(), config.startWaitMs);
    EXPECT_EQ(waitForMarker(), "-f");
}

TEST_F(ServiceLayerTest, RunningServiceIsNeitherStartedAgainNorWaitedFor) {
    startRunningService();
    config.startWaitMs = 5000;
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(ServiceLayer(config).EnsureServiceLayer());
    EXPECT_LT(clock.elapsed(), 2000);
    QThread::msleep(100);
    EXPECT_FALSE(QFile::exists(startedMarker()));
}

TEST_F(ServiceLayerTest, UnknownProgramFilesLocationFailsAtOnce) {
    config.programFilesDir.clear();
    config.startWaitMs = 5000;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(ServiceLayer(config).EnsureServiceLayer());
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST_F(ServiceLayerTest, MissingExecutableIsNeitherStartedNorWaitedFor) {
    QFile::remove(dir.filePath(config.folder + QLatin1Char('/') + name));
    config.startWaitMs = 5000;
    const ServiceLayer service(config);
    EXPECT_FALSE(service.wouldStart());
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(service.EnsureServiceLayer());
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST_F(ServiceLayerTest, CancelCutsTheStartWaitShort) {
    config.startWaitMs = 5000;
    const ServiceLayer service(config);
    EXPECT_TRUE(service.wouldStart());
    std::atomic<bool> cancel{false};
    QElapsedTimer clock;
    clock.start();
    std::thread quit([&] {
        QThread::msleep(200);
        cancel = true;
    });
    EXPECT_TRUE(service.EnsureServiceLayer(&cancel));
    quit.join();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(waitForMarker(), "-f");
}

TEST(ServiceLayerConfig, InstalledServiceLivesUnderTheInstallPrefix) {
    const ServiceLayer service(ServiceLayerConfig::installed());
    EXPECT_TRUE(
        service.executablePath().endsWith("/lib/gnss-quorrel/GNSS Service Layer/ServiceLayer"))
        << service.executablePath().toStdString();
}
