#include "ctl/CtlProgram.h"

#include <unistd.h>
#include <QDateTime>
#include <atomic>
#include <string>

#include "ctl/CtlUsage.h"
#include "ctl/InterruptWatcher.h"
#include "ctl/OperationRunner.h"
#include "ctl/RawRecording.h"
#include "ctl/ReceiverConnection.h"
#include "ctl/SourceTableCommand.h"
#include "ctl/StatusReport.h"
#include "ctl/TrafficLog.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {
namespace {

constexpr int kRefreshMs = 1000;
constexpr int kFirstEpochMs = 3000;

class CtlRun {
public:
    CtlRun(const CtlOptions& options, const CtlEnvironment& environment)
        : m_options(options), m_env(environment) {}
    ~CtlRun() {
        if (m_env.interrupts) m_env.interrupts->setOnInterrupt({});
    }
    CtlRun(const CtlRun&) = delete;
    CtlRun& operator=(const CtlRun&) = delete;

    int run();

private:
    int badUsage(const std::string& problem) const;
    ConnectRequest connectRequest() const;
    // Opens the receiver; prints why not and returns false when it cannot be had.
    bool connect(ReceiverConnection& connection);
    int getOrSet(OperationKind kind);
    int status();
    int sourceTable();
    int log();
    int record();
    // Right after the open the receiver has no position yet: its first epoch brings one.
    void waitForFirstEpoch(CGnssReceiver& receiver) const;
    // Runs until Ctrl-C (0) or until the link is lost (1), calling `tick` once a second.
    int untilInterrupted(CGnssReceiver& receiver, const std::function<bool()>& tick);
    bool interrupted() const { return m_env.interrupts && m_env.interrupts->interrupted(); }
    // The status of a single operation: cut short by a signal, or `code`.
    int singleOperation(int code) const {
        return interrupted() ? 128 + m_env.interrupts->signalNumber() : code;
    }
    void print(const std::string& text) const {
        std::fputs(text.c_str(), m_env.out);
        std::fflush(m_env.out);
    }
    void error(const std::string& line) const { std::fprintf(m_env.err, "%s\n", line.c_str()); }

    const CtlOptions& m_options;
    const CtlEnvironment& m_env;
    std::atomic<bool> m_quit{false};
};

int CtlRun::run() {
    switch (m_options.command) {
        case CtlCommand::Help:
            print(helpText());
            return 0;
        case CtlCommand::Version:
            print(std::string("quorrelctl ") + QUORREL_VERSION + "\n");
            return 0;
        case CtlCommand::Get:
            return getOrSet(OperationKind::Get);
        case CtlCommand::Set:
            return getOrSet(OperationKind::Set);
        case CtlCommand::Status:
            return status();
        case CtlCommand::SourceTable:
            return sourceTable();
        case CtlCommand::Log:
            return log();
        case CtlCommand::Record:
            return record();
        case CtlCommand::None:
            break;
    }
    return badUsage("no command given");
}

int CtlRun::badUsage(const std::string& problem) const {
    return printBadUsage(m_env.err, problem);
}

ConnectRequest CtlRun::connectRequest() const {
    ConnectRequest request;
    request.deviceId = m_options.deviceId;
    request.port = m_options.port;
    request.simulate = m_options.simulate;
    request.programDir = m_env.programDir;
    request.shortWaits = m_env.shortWaits;
    return request;
}

bool CtlRun::connect(ReceiverConnection& connection) {
    // Ctrl-C during the baud search ends the search; the hook sees the connection only while
    // it opens.
    if (m_env.interrupts)
        m_env.interrupts->setOnInterrupt([this, &connection] {
            m_quit = true;
            connection.cancelOpen();
        });
    std::string problem;
    const bool connected = !interrupted() && connection.open(&m_quit, problem);
    if (m_env.interrupts) m_env.interrupts->setOnInterrupt([this] { m_quit = true; });
    if (!connected && !problem.empty()) error(problem);
    return connected;
}

int CtlRun::getOrSet(OperationKind kind) {
    PreparedCall call;
    std::string problem;
    if (!prepareCall(kind, m_options.arguments, call, problem))
        return call.operation ? printBadUsage(m_env.err, problem, operationUsage(*call.operation))
                              : badUsage(problem);
    ReceiverConnection connection(connectRequest());
    if (!connect(connection)) return singleOperation(1);
    const CallOutcome outcome = runCall(connection.receiver(), call, m_options.json);
    print(outcome.out);
    std::fputs(outcome.err.c_str(), m_env.err);
    connection.close();
    return singleOperation(outcome.exitCode);
}

int CtlRun::status() {
    ReceiverConnection connection(connectRequest());
    if (!connect(connection)) return singleOperation(1);
    CGnssReceiver& receiver = connection.receiver();
    const auto show = [this, &receiver] {
        const StatusSnapshot snapshot = readStatus(receiver);
        if (m_options.json) return print(statusJson(snapshot));
        if (m_options.watch && isatty(fileno(m_env.out))) print("\033[H\033[2J");
        print(formatStatus(snapshot) + (m_options.watch ? "\n" : ""));
    };
    if (!m_options.watch) {
        waitForFirstEpoch(receiver);
        show();
        connection.close();
        return singleOperation(0);
    }
    show();
    const int code = untilInterrupted(receiver, [&show] {
        show();
        return true;
    });
    connection.close();
    return code;
}

void CtlRun::waitForFirstEpoch(CGnssReceiver& receiver) const {
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + kFirstEpochMs;
    while (!receiver.IsEpochAvailable() && !interrupted() &&
           QDateTime::currentMSecsSinceEpoch() < deadline) {
    }
}

int CtlRun::untilInterrupted(CGnssReceiver& receiver, const std::function<bool()>& tick) {
    const auto wait = [this] {
        if (m_env.interrupts) return m_env.interrupts->sleep(kRefreshMs);
        ::usleep(kRefreshMs * 1000);
        return true;
    };
    for (;;) {
        if (!wait()) return 0;
        if (!receiver.IsConnected()) {
            error("quorrelctl: the link to the receiver was lost");
            return 1;
        }
        if (!tick()) return 1;
    }
}

int CtlRun::sourceTable() {
    CasterAccess caster;
    std::string problem;
    if (!readCasterAccess(m_options.arguments, caster, problem)) return badUsage(problem);
    ReceiverConnection connection(connectRequest());
    if (!connect(connection)) return singleOperation(1);
    waitForFirstEpoch(connection.receiver());
    const SourceTableResult result =
        loadStations(connection.receiver(), caster, connection.isExternalGps());
    connection.close();
    if (!result.loaded) {
        error(
            "quorrelctl: LoadSourceTable: unable to load the source table from the NTRIP "
            "caster");
        return singleOperation(1);
    }
    if (!result.hasPosition) error("quorrelctl: the receiver has no position: distances unknown");
    print(m_options.json ? stationsJson(result.stations) : formatStations(result.stations));
    return singleOperation(0);
}

int CtlRun::log() {
    TrafficLog traffic(m_env.out);
    ConnectRequest request = connectRequest();
    request.traffic = traffic.observer();
    ReceiverConnection connection(std::move(request));
    if (!connect(connection)) return singleOperation(1);
    const int code = untilInterrupted(connection.receiver(), [] { return true; });
    connection.close();
    connection.receiver().setTrafficObserver({});
    return code;
}

int CtlRun::record() {
    const QString path = QString::fromStdString(m_options.arguments.front());
    ReceiverConnection connection(connectRequest());
    std::string problem;
    if (!isExternalModule(connection.target().deviceClass)) {
        error(
            "quorrelctl: record: raw data recording is for the SiRF module; the receiver "
            "board records into its own memory (quorrelctl set Recording on)");
        return 1;
    }
    if (!checkRecordingFile(path, problem)) return badUsage(problem);
    if (!connect(connection)) return singleOperation(1);
    RawRecording recording(connection.receiver(), path);
    if (!recording.start(problem)) {
        error(problem);
        connection.close();
        return singleOperation(1);
    }
    error("quorrelctl: recording raw data into " + recording.path().toStdString() +
          "; Ctrl-C ends it");
    int code = untilInterrupted(connection.receiver(), [&] {
        if (recording.healthy(problem)) return true;
        error(problem);
        return false;
    });
    if (!recording.stop(problem)) {
        error(problem);
        code = 1;
    }
    connection.close();
    error("quorrelctl: " + std::to_string(recording.bytesWritten()) + " bytes in " +
          recording.path().toStdString());
    return code;
}

}  // namespace

int runCtl(const CtlOptions& options, const CtlEnvironment& environment) {
    return CtlRun(options, environment).run();
}

}  // namespace quorrel
