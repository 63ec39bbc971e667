#include <QCoreApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "ctl/CtlOptions.h"
#include "ctl/CtlProgram.h"
#include "ctl/CtlUsage.h"
#include "ctl/InterruptWatcher.h"

using namespace quorrel;

int main(int argc, char** argv) {
    // Before any other thread exists, so that every thread leaves Ctrl-C to the watcher.
    InterruptWatcher interrupts;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorrelctl"));

    CtlOptions options;
    std::string problem;
    if (!parseCtlOptions(std::vector<std::string>(argv + 1, argv + argc), options, problem))
        return printBadUsage(stderr, problem);
    CtlEnvironment environment;
    environment.programDir = QCoreApplication::applicationDirPath();
    // Tests against the simulators shorten every wait; not for real receivers.
    const char* shortWaits = std::getenv("QUORREL_CTL_SHORT_WAITS");
    environment.shortWaits = shortWaits && std::string(shortWaits) == "1";
    environment.interrupts = &interrupts;
    return runCtl(options, environment);
}
