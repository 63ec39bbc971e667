#include <QApplication>

#include "app/CGnssApp.h"
#include "app/CommandLine.h"
#include "app/ProgramVersion.h"
#include "app/shell/InstanceLock.h"

using namespace quorrel;

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("gnss-quorrel"));
    QCoreApplication::setApplicationVersion(GetProgramFileVersion());
    AppConfig config;
    {
        // Options first, so that --help and --version work without a display.
        QCoreApplication options(argc, argv);
        applyCommandLine(QCoreApplication::arguments(), config);
        config.programDir = QCoreApplication::applicationDirPath();
    }
    if (!checkDisplay()) return 1;
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("GNSS Quorrel"));
    // Desktops match the window with its entry (and icon) by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("gnss-quorrel"));
    config.lockPath = QString::fromStdString(InstanceLock::defaultPath());
    config.serviceLayer = ServiceLayerConfig::installed();
    config.features = programFeatures();
    CGnssApp gnssApp(std::move(config));
    return gnssApp.run();
}
