#include <gtest/gtest.h>

#include <signal.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CtlProcess.h"
#include "sim/board/BoardSimulator.h"
#include "sim/module/ModuleSimulator.h"
#include "support/LoopbackCaster.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

// quorrelctl against the simulated board on a pseudo-terminal, which logs what it received.
class CtlBoardTest : public ::testing::Test {
protected:
    CtlBoardTest() : board(boardConfig()) {}
    void SetUp() override { ASSERT_TRUE(board.start()); }

    static BoardConfig boardConfig() {
        BoardConfig config;
        config.startWithFix = true;
        config.timeScale = 0.01;
        return config;
    }
    std::vector<std::string> withBoard(std::vector<std::string> words) const {
        words.insert(words.begin(), {"--port", board.devicePath(), "--device-id", "9999TEST"});
        return words;
    }
    CtlResult run(const std::vector<std::string>& words) const {
        return runCtl(withBoard(words), home.path().toStdString());
    }
    bool received(const std::string& prefix) const { return board.receivedCount(prefix) > 0; }

    QTemporaryDir home;
    BoardSimulator board;
};

QJsonDocument parsed(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return document;
}

}  // namespace

TEST_F(CtlBoardTest, BadUsageExitsTwoWithTheUsageAndNeverTouchesTheReceiver) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"get", "NoSuchOperation"},
        {"set", "ElevationMask"},
        {"set", "ElevationMask", "ten"},
        {"set", "SiteName", "A*B"},
        {"set", "NtripParameters", "caster", "2101", "me", "pa$$", "0"},
        {"set", "ConnectMountPoint", "MNT\r\n$PQVXS,PWR,OFF"},
        {"sourcetable", "127.0.0.1", "0"},
        {"sourcetable", "ca,ster", "2101"},
        {"status", "--bogus"},
    };
    for (const auto& words : cases) {
        const CtlResult result = run(words);
        EXPECT_EQ(result.exitCode, 2) << result.err;
        EXPECT_NE(result.err.find("Usage: quorrelctl"), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_TRUE(board.receivedLog().empty()) << board.receivedLog().front().text;
}

TEST_F(CtlBoardTest, SettingAndQueryingGoThroughTheReceiver) {
    CtlResult result = run({"set", "ElevationMask", "12"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(received("$PQVXS,PEM,12"));
    result = run({"get", "elevationmask"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "degrees: 12\n");
    result = run({"get", "PortBaud", "B", "--json"});
    EXPECT_EQ(parsed(result.out).object().value("operation").toString(), "QueryPortBaud");
    EXPECT_TRUE(received("$PQVXQ,PRT,B"));
}

TEST_F(CtlBoardTest, RefusedOperationExitsOneAndNamesIt) {
    board.nak("PQVXS,PEM");
    const CtlResult result = run({"set", "ElevationMask", "12"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("quorrelctl: SetElevationMask: the receiver refused it"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(result.out.empty());
}

TEST_F(CtlBoardTest, StatusReadsBackAsThePositionTheBoardReports) {
    const CtlResult result = run({"status"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::smatch match;
    ASSERT_TRUE(std::regex_search(result.out, match,
                                  std::regex(R"(Position: +(-?[0-9.]+) (-?[0-9.]+) ([0-9.]+) m)")))
        << result.out;
    EXPECT_NEAR(std::stod(match[1]), board.config().latitudeDeg, 0.001);
    EXPECT_NEAR(std::stod(match[2]), board.config().longitudeDeg, 0.001);
    ASSERT_TRUE(std::regex_search(result.out, match,
                                  std::regex(R"(Satellites: +([0-9]+) used, ([0-9]+) in view)")));
    const int inView = std::stoi(match[2]);
    EXPECT_GT(std::stoi(match[1]), 3);
    const std::regex row(R"(\n +[0-9]+ +-?[0-9]+ +[0-9]+ +[0-9]+ +(yes|no))");
    EXPECT_EQ(std::distance(std::sregex_iterator(result.out.begin(), result.out.end(), row),
                            std::sregex_iterator()),
              inView);
    EXPECT_NE(result.out.find("Solution:    "), std::string::npos);

    const QJsonObject json = parsed(run({"status", "--json"}).out).object();
    EXPECT_NEAR(json.value("latitudeDeg").toDouble(), board.config().latitudeDeg, 0.001);
    EXPECT_GT(json.value("satellites").toArray().size(), 3);
}

// Ctrl-C or SIGTERM while watching: the receiver is closed as at the program's close, its
// output switched off and its NPT setting put back.
TEST_F(CtlBoardTest, InterruptedWatchClosesTheReceiver) {
    for (const int signal : {SIGINT, SIGTERM}) {
        CtlProcess watch(withBoard({"status", "--watch"}), home.path().toStdString());
        ASSERT_TRUE(watch.waitForOut("Satellites:", 5000));
        board.clearLog();
        watch.signal(signal);
        const CtlResult result = watch.finish();
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(received("$PQVXS,NME,ALL,A,OFF")) << signal;
        EXPECT_TRUE(received("$PQVXS,NPT,1,0")) << signal;
    }
}

// Ctrl-C while no receiver answers ends the baud search; the single operation ends as cut
// short by the signal, without an open failure to report.
TEST_F(CtlBoardTest, CtrlCDuringTheBaudSearchEndsIt) {
    board.silence(true);
    CtlProcess get(withBoard({"get", "Version"}), home.path().toStdString());
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    get.signal(SIGINT);
    const CtlResult result = get.finish();
    EXPECT_EQ(result.exitCode, 128 + SIGINT);
    EXPECT_EQ(result.err, "");
}

TEST_F(CtlBoardTest, LogShowsBothDirectionsUntilCtrlC) {
    CtlProcess log(withBoard({"log"}), home.path().toStdString());
    ASSERT_TRUE(log.waitForOut(" in $GPGGA,", 5000));
    log.signal(SIGINT);
    const CtlResult result = log.finish();
    EXPECT_EQ(result.exitCode, 0);
    const std::regex sent(
        R"(\n[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3} out \$PQVXS,NME,GGA,A,ON,1\.00\n)");
    EXPECT_TRUE(std::regex_search(result.out, sent)) << result.out;
    EXPECT_NE(result.out.find(" in $PQVXR,ACK,NME"), std::string::npos);
    EXPECT_NE(result.out.find("out $PQVXS,NME,ALL,A,OFF"), std::string::npos) << "the close shows";
}

TEST_F(CtlBoardTest, SourceTableListsTheStationsNearestFirstAndRestoresTheCaster) {
    LoopbackCaster caster;
    const auto str = [](const char* mount, double latitude, double longitude) {
        std::ostringstream line;
        line << "STR;" << mount << ";" << mount << ";RTCM 3.2;1005(1);2;GPS;NET;DEU;" << latitude
             << ";" << longitude << ";0;0;sim;none;N;N;2400\r\n";
        return line.str();
    };
    // 48.14 N 11.58 E is the board's position.
    caster.setSourceTableLines(str("FAR", 52.52, 13.40) + str("NEAR", 48.20, 11.60) +
                               str("MID", 49.45, 11.08));
    ASSERT_TRUE(caster.start());
    const std::string port = std::to_string(caster.port());
    CtlResult result = run({"sourcetable", "127.0.0.1", port});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::size_t near = result.out.find("NEAR"), mid = result.out.find("MID"),
                      far = result.out.find("FAR");
    EXPECT_LT(near, mid);
    EXPECT_LT(mid, far) << result.out;
    std::smatch match;
    ASSERT_TRUE(std::regex_search(result.out, match, std::regex(R"(FAR .* ([0-9.]+) km\n)")));
    EXPECT_NEAR(std::stod(match[1]), 504.3, 1.0) << "Munich to Berlin";
    std::string lastCaster;
    for (const ReceivedSentence& line : board.receivedLog())
        if (line.text.rfind("$PQVXS,NTR,PAR", 0) == 0) lastCaster = line.text;
    EXPECT_EQ(lastCaster, "$PQVXS,NTR,PAR,ADD,,PRT,0,LGN,,PWD,,TYP,0")
        << "the board's own (empty) caster settings put back";

    result = run({"sourcetable", "127.0.0.1", port, "--json"});
    const QJsonArray stations = parsed(result.out).array();
    ASSERT_EQ(stations.size(), 3);
    EXPECT_EQ(stations[0].toObject().value("mountPoint").toString(), "NEAR");
    caster.stop();
    result = run({"sourcetable", "127.0.0.1", port});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("LoadSourceTable"), std::string::npos) << result.err;
}

TEST_F(CtlBoardTest, RecordingIsForTheModuleOnly) {
    const CtlResult result = run({"record", home.filePath("raw.grw").toStdString()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("raw data recording is for the SiRF module"), std::string::npos);
    EXPECT_TRUE(board.receivedLog().empty());
}

TEST(CtlProgram, NoReceiverOnTheDeviceExitsOneWithTheReason) {
    QTemporaryDir home;
    const CtlResult result =
        runCtl({"--port", "/dev/quorrel-no-such-tty", "get", "Version"}, home.path().toStdString());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "quorrelctl: cannot open /dev/quorrel-no-such-tty: no such device\n");
}

TEST(CtlProgram, SimulateRunsTheSimulatorBesideTheProgram) {
    QTemporaryDir home;
    const CtlResult result =
        runCtl({"--simulate", "--device-id", "9999", "get", "Version"}, home.path().toStdString());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("receiverVersion: "), std::string::npos) << result.out;
}

namespace {

class CtlModuleTest : public ::testing::Test {
protected:
    CtlModuleTest() : module(moduleConfig()) {}
    void SetUp() override { ASSERT_TRUE(module.start()); }
    static ModuleSimConfig moduleConfig() {
        ModuleSimConfig config;
        config.baudRate = 9600;
        config.epochMs = 200;
        return config;
    }
    std::vector<std::string> withModule(std::vector<std::string> words) const {
        words.insert(words.begin(), {"--port", module.devicePath(), "--device-id", "0143TEST"});
        return words;
    }
    // The module was switched back to NMEA: the driver's close.
    bool closed() const { return module.waitForMessage(0x81, 2000); }

    QTemporaryDir home;
    ModuleSimulator module;
};

}  // namespace

TEST_F(CtlModuleTest, UnsupportedOperationExitsOne) {
    const CtlResult result = runCtl(withModule({"get", "SiteName"}), home.path().toStdString());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("QuerySiteName"), std::string::npos);
    EXPECT_TRUE(closed());
}

TEST_F(CtlModuleTest, RecordWritesTheModulesFramesUntilCtrlC) {
    const QString path = home.filePath("field.grw");
    CtlProcess record(withModule({"record", path.toStdString()}), home.path().toStdString());
    ASSERT_TRUE(record.waitForErr("Ctrl-C ends it", 10000));
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    record.signal(SIGINT);
    const CtlResult result = record.finish();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xA0\xA2")) << bytes.size();
    EXPECT_TRUE(bytes.endsWith("\xB0\xB3"));
    EXPECT_NE(result.err.find(std::to_string(bytes.size()) + " bytes in "), std::string::npos)
        << result.err;
    EXPECT_TRUE(closed());

    // A file that holds data is never written over.
    const CtlResult again =
        runCtl(withModule({"record", path.toStdString()}), home.path().toStdString());
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_NE(again.err.find("already holds data"), std::string::npos);
    EXPECT_EQ(QFile(path).size(), bytes.size());
}
