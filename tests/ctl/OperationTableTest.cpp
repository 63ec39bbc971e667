#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "ctl/OperationRunner.h"
#include "ctl/OperationTable.h"
#include "ctl/ReceiverConnection.h"
#include "sim/board/BoardSimulator.h"
#include "sim/module/ModuleSimulator.h"

using namespace quorrel;

namespace {

// Settings and raw data files of these tests stay in a temporary home.
class TemporaryHome : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("HOME", m_home.path().toLocal8Bit().constData(), 1);
        setenv("XDG_CONFIG_HOME", m_home.filePath(".config").toLocal8Bit().constData(), 1);
    }

private:
    QTemporaryDir m_home;
};

[[maybe_unused]] ::testing::Environment* const kHome =
    ::testing::AddGlobalTestEnvironment(new TemporaryHome);

// A word every argument of its kind takes. Ports are "B": a change to port A would cut the
// link the walk runs on.
std::string sampleWord(const ArgSpec& spec) {
    switch (spec.kind) {
        case ArgKind::Integer:
            return "1";
        case ArgKind::Flag:
            return "on";
        case ArgKind::Number:
            return "1.5";
        case ArgKind::Text:
            return "TEST";
        case ArgKind::Port:
            return "B";
        case ArgKind::Baud:
            return "115200";
        case ArgKind::Choice:
            return spec.choices.back().name;
    }
    return {};
}

// Runs every row of the table once, power-off last; returns the calls the receiver refused.
std::set<std::string> walk(CGnssReceiver& receiver, bool json) {
    std::vector<const Operation*> rows;
    for (const Operation& operation : operationTable())
        rows.push_back(&operation);
    std::stable_partition(rows.begin(), rows.end(), [](const Operation* operation) {
        return std::string(operation->call) != "PowerOff";
    });
    std::set<std::string> refused;
    for (const Operation* operation : rows) {
        std::vector<std::string> words{operation->name};
        for (const ArgSpec& spec : operation->arguments)
            words.push_back(sampleWord(spec));
        PreparedCall call;
        std::string problem;
        EXPECT_TRUE(prepareCall(operation->kind, words, call, problem)) << problem;
        const CallOutcome outcome = runCall(receiver, call, json);
        if (outcome.exitCode != 0) {
            EXPECT_EQ(outcome.exitCode, 1);
            EXPECT_NE(outcome.err.find(operation->call), std::string::npos) << outcome.err;
            EXPECT_TRUE(outcome.out.empty());
            refused.insert(operation->call);
            continue;
        }
        if (!json) {
            for (const char* result : operation->results)
                EXPECT_NE(outcome.out.find(std::string(result) + ": "), std::string::npos)
                    << operation->call << " shows " << result;
            continue;
        }
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(outcome.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << outcome.out;
        EXPECT_EQ(document.object().value("operation").toString(), operation->call);
        for (const char* result : operation->results)
            EXPECT_TRUE(document.object().contains(result)) << operation->call << " " << result;
    }
    return refused;
}

// Opens the receiver on `device` as the command line does, and walks the table on it.
std::set<std::string> walkOn(const std::string& device, const char* deviceId, bool json) {
    ConnectRequest request;
    request.port = QString::fromStdString(device);
    request.deviceId = QString::fromLatin1(deviceId);
    request.shortWaits = true;
    ReceiverConnection connection(request);
    std::string problem;
    EXPECT_TRUE(connection.open(nullptr, problem)) << problem;
    return walk(connection.receiver(), json);
}

}  // namespace

TEST(OperationTable, EveryRowIsCompleteAndFoundByEitherName) {
    std::set<std::string> names[2];
    for (const Operation& operation : operationTable()) {
        EXPECT_TRUE(names[int(operation.kind)].insert(operation.name).second) << operation.name;
        EXPECT_TRUE(operation.run) << operation.name;
        EXPECT_EQ(operation.kind == OperationKind::Get, !operation.results.empty())
            << operation.name << ": queries show results, settings none";
        std::string lower = operation.call;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        EXPECT_EQ(findOperation(operation.kind, lower), &operation);
        EXPECT_EQ(findOperation(operation.kind, operation.name), &operation);
    }
    EXPECT_EQ(findOperation(OperationKind::Get, "SetElevationMask"), nullptr);
}

// The simulated board does every operation, except where the sample words or its state give
// it a reason to refuse.
TEST(OperationTableWalk, EveryOperationRunsOnTheBoard) {
    const std::set<std::string> expectedRefusals = {
        "QueryCurrentFile",      "GetCurrentFileName",      // no recording file
        "InitializeMemory",                                 // 1 is no memory the board knows
        "SetRadioParameters",                               // no sentence for radio type NONE
        "SetModemCsdParameters", "SetModemGprsParameters",  // "TEST" is no PIN
        "SetDirectIp",           "SetDirectIpEx",          "ConnectMountPoint",  // no server "TEST"
    };
    for (const bool json : {false, true}) {
        BoardConfig config;
        config.startWithFix = true;
        config.timeScale = 0.01;
        BoardSimulator board(config);
        ASSERT_TRUE(board.start());
        EXPECT_EQ(walkOn(board.devicePath(), "9999TEST", json), expectedRefusals)
            << "json " << json;
    }
}

TEST(OperationTableWalk, OnTheModuleOnlyWhatItImplementsSucceeds) {
    ModuleSimConfig config;
    config.baudRate = 9600;
    config.epochMs = 200;
    ModuleSimulator module(config);
    ASSERT_TRUE(module.start());
    const std::set<std::string> refused = walkOn(module.devicePath(), "0143TEST", true);
    std::set<std::string> done;
    for (const Operation& operation : operationTable())
        if (!refused.count(operation.call)) done.insert(operation.call);
    const std::set<std::string> implemented = {
        "GetPosition", "QueryMemory", "IsRecording", "PollRecordingStopped",
        "QueryRecordingInterval", "QueryAtlRecording", "QuerySbas", "QueryTrackingMode",
        "QueryElevationMask", "GetWti", "GetA2dValue0", "GetA2dValue1", "GetA2dValue2",
        "QueryAntennaHeight", "QueryAntennaReduction",
        // Settings; SetRecording fails, as storage choice 1 finds no storage card.
        "SetMemory", "ClearRecordingStopped", "SetRecordingInterval", "SetSbas", "SetElevationMask",
        "SetAntennaHeight", "SetAntennaReduction", "ResetReceiver", "InitializeMemory"};
    EXPECT_EQ(done, implemented);
}
