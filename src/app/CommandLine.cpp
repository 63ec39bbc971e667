#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>

namespace quorrel {

void applyCommandLine(const QStringList& arguments, AppConfig& config) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Control and status utility for a GNSS receiver board on a serial link.\n"
        "Without --port it opens /dev/ttyS2 for the board (/dev/ttyS0 for a module on COM1)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Run against the receiver simulator beside the program or on PATH "
                       "(quorrel-boardsim, or quorrel-modulesim for a module device id)."));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Serial device of the receiver."),
                                  QStringLiteral("path"));
    const QCommandLineOption deviceId(
        QStringLiteral("device-id"),
        QStringLiteral("Handheld identification; \"0143…\" or \"0204…\" select the SiRF module."),
        QStringLiteral("id"));
    const QCommandLineOption localCaster(
        QStringLiteral("local-caster"),
        QStringLiteral("With --simulate: the port of an NTRIP caster on 127.0.0.1 with mount "
                       "point QRL1 (./scripts/run starts one), offered as the network values "
                       "while none are stored."),
        QStringLiteral("port"));
    parser.addOptions({simulate, port, deviceId, localCaster});
    parser.process(arguments);
    config.simulate = parser.isSet(simulate);
    config.portOverride = parser.value(port);
    if (parser.isSet(deviceId)) config.deviceIdArg = parser.value(deviceId);
    if (config.simulate && !config.portOverride.isEmpty()) {
        std::fprintf(stderr, "gnss-quorrel: --simulate and --port exclude each other\n");
        std::exit(2);
    }
    if (parser.isSet(localCaster)) {
        bool ok = false;
        config.localCasterPort = parser.value(localCaster).toInt(&ok);
        if (!ok || config.localCasterPort < 1 || config.localCasterPort > 65535 ||
            !config.simulate) {
            std::fprintf(stderr,
                         "gnss-quorrel: --local-caster needs --simulate and a port "
                         "1-65535\n");
            std::exit(2);
        }
    }
}

bool checkDisplay() {
    auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return true;
    std::fprintf(stderr,
                 "gnss-quorrel: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Start it from a desktop session, or on a virtual display with\n"
                 "  xvfb-run -a gnss-quorrel --simulate\n");
    return false;
}

}  // namespace quorrel
