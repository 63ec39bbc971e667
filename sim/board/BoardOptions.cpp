#include "sim/board/BoardOptions.h"

#include <cstdlib>
#include <functional>
#include <map>

#include "sim/board/Command.h"

namespace quorrel {
namespace {

using Setter = std::function<bool(BoardOptions&, const std::string&)>;

bool number(const std::string& text, double low, double high, double& out) {
    double value = 0;
    if (!parseNumber(text, value) || value < low || value > high) return false;
    out = value;
    return true;
}

bool integer(const std::string& text, int low, int high, int& out) {
    return parseInteger(text, low, high, out);
}

bool text(const std::string& value, std::string& out) {
    if (value.empty() || value.find_first_of(",*$\r\n") != std::string::npos) return false;
    out = value;
    return true;
}

bool baud(const std::string& value, std::uint32_t& out) {
    for (std::uint32_t rate :
         {300u, 600u, 1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u})
        if (value == std::to_string(rate)) {
            out = rate;
            return true;
        }
    return false;
}

bool radio(const std::string& value, BoardConfig& config) {
    if (value == "none") {
        config.radioPort = '\0';
        return true;
    }
    if (value.size() < 3 || value[1] != ':' || parsePort(value.substr(0, 1)) < 0) return false;
    const std::string type = value.substr(2);
    if (!isOneOf(type, {"PDL", "ADL", "CVL", "MDL", "LFE", "LFA"})) return false;
    config.radioPort = value[0];
    config.radioType = type;
    return true;
}

// Options that take a value.
const std::map<std::string, Setter>& valueOptions() {
    static const std::map<std::string, Setter> options = {
        {"--lat", [](BoardOptions& o,
                     const std::string& v) { return number(v, -90, 90, o.config.latitudeDeg); }},
        {"--lon", [](BoardOptions& o,
                     const std::string& v) { return number(v, -180, 180, o.config.longitudeDeg); }},
        {"--height", [](BoardOptions& o,
                        const std::string& v) { return number(v, -500, 9000, o.config.heightM); }},
        {"--baud",
         [](BoardOptions& o, const std::string& v) { return baud(v, o.config.baudRate); }},
        {"--port",
         [](BoardOptions& o, const std::string& v) {
             if (parsePort(v) < 0) return false;
             o.config.ownPort = v[0];
             return true;
         }},
        {"--time-scale",
         [](BoardOptions& o, const std::string& v) {
             return number(v, 0.001, 100, o.config.timeScale);
         }},
        {"--seed",
         [](BoardOptions& o, const std::string& v) {
             int seed = 0;
             if (!integer(v, 0, 2147483647, seed)) return false;
             o.config.seed = static_cast<std::uint32_t>(seed);
             return true;
         }},
        {"--output-rate",
         [](BoardOptions& o, const std::string& v) {
             int hz = 0;
             if (!integer(v, 0, 20, hz)) return false;
             o.config.outputRateHz = static_cast<std::uint32_t>(hz);
             return true;
         }},
        {"--radio", [](BoardOptions& o, const std::string& v) { return radio(v, o.config); }},
        {"--sim-pin",
         [](BoardOptions& o, const std::string& v) { return text(v, o.config.simPin); }},
        {"--serial",
         [](BoardOptions& o, const std::string& v) { return text(v, o.config.serialNumber); }},
        {"--receiver-version",
         [](BoardOptions& o, const std::string& v) { return text(v, o.config.receiverVersion); }},
        {"--system-fw",
         [](BoardOptions& o, const std::string& v) { return text(v, o.config.systemFirmware); }},
        {"--gnss-fw",
         [](BoardOptions& o, const std::string& v) { return text(v, o.config.gnssFirmware); }},
        {"--ip-timeout",
         [](BoardOptions& o, const std::string& v) {
             return integer(v, 50, 600000, o.config.ipTimeoutMs);
         }},
        {"--link",
         [](BoardOptions& o, const std::string& v) {
             o.linkPath = v;
             return !v.empty();
         }},
        {"--monitor", [](BoardOptions& o,
                         const std::string& v) { return number(v, 0.1, 3600, o.monitorSeconds); }},
        {"--duration", [](BoardOptions& o,
                          const std::string& v) { return number(v, 0.1, 1e7, o.durationSeconds); }},
        {"--nak",
         [](BoardOptions& o, const std::string& v) {
             o.nak.push_back(v);
             return !v.empty();
         }},
        {"--ignore",
         [](BoardOptions& o, const std::string& v) {
             o.ignore.push_back(v);
             return !v.empty();
         }},
        {"--corrupt",
         [](BoardOptions& o, const std::string& v) {
             o.corrupt.push_back(v);
             return !v.empty();
         }},
        {"--delay-replies",
         [](BoardOptions& o, const std::string& v) {
             return integer(v, 0, 600000, o.replyDelayMs);
         }},
        {"--unplug-after",
         [](BoardOptions& o, const std::string& v) {
             return number(v, 0, 1e7, o.unplugAfterSeconds);
         }},
    };
    return options;
}

// Switches without a value.
bool applyFlag(const std::string& name, BoardOptions& o) {
    if (name == "--help" || name == "-h")
        o.help = true;
    else if (name == "--no-modem")
        o.config.modemFitted = false;
    else if (name == "--dial-fails")
        o.config.dialAnswers = false;
    else if (name == "--no-external-antenna")
        o.config.externalAntenna = false;
    else if (name == "--no-storage-card")
        o.config.storageCardPresent = false;
    else if (name == "--start-with-fix")
        o.config.startWithFix = true;
    else if (name == "--correction-link")
        o.correctionLink = true;
    else if (name == "--silent")
        o.silent = true;
    else
        return false;
    return true;
}

}  // namespace

bool parseBoardOptions(int argc, const char* const* argv, BoardOptions& options,
                       std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i], value;
        bool inlineValue = false;
        if (const std::size_t eq = name.find('=');
            eq != std::string::npos && name.starts_with("--")) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        if (!inlineValue && applyFlag(name, options)) continue;
        const auto it = valueOptions().find(name);
        if (it == valueOptions().end()) {
            error = "unknown option " + name;
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!it->second(options, value)) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

std::string boardOptionsHelp(const std::string& program) {
    return "Usage: " + program + R"( [options]

Simulates the GNSS receiver board on a pseudo-terminal and prints the device to open.

Position and line:
  --lat DEG, --lon DEG     start point (default 48.137154, 11.576124)
  --height M               ellipsoidal height of the start point (default 560)
  --baud RATE              rate the board listens at (default 57600)
  --port LETTER            the board's port the program is on, A-F (default A)
  --output-rate HZ         start with GGA, GSA, GSV, GST, ZDA, VTG and VEC on, 1-20 Hz
                           (default 0: no output until asked for)
  --start-with-fix         skip the satellite search after start and reset
  --time-scale F           multiply modem, solution and search delays (default 1)
  --seed N                 seed of the position noise (default 1)

Fitted hardware:
  --no-modem               no GSM/GPRS modem (state NONE)
  --sim-pin PIN            the SIM asks for this PIN at modem initialisation
  --dial-fails             CSD calls never get through
  --radio PORT:TYPE|none   the UHF radio (default D:PDL; types PDL ADL CVL MDL LFE LFA)
  --no-external-antenna    report no external antenna (A2D)
  --no-storage-card        no storage card for recording
  --ip-timeout MS          silence after which a caster or server is given up (15000)

Identity:
  --receiver-version TEXT, --system-fw TEXT, --gnss-fw TEXT, --serial TEXT

Running:
  --link PATH              also make PATH a symbolic link to the device
  --monitor SECONDS        open the device itself, switch the standard output on, print
                           what the board sends for SECONDS, then end
  --duration SECONDS       end after SECONDS (default: run until interrupted)
  --correction-link        corrections flow from the start (as if a link were up)

Faults (PATTERN names a command or reply by its leading fields, e.g. PQVXS,MDM,ON or PRT):
  --nak PATTERN            answer matching commands with NAK (repeatable)
  --ignore PATTERN         leave matching commands unanswered (repeatable)
  --corrupt PATTERN        spoil the checksum of matching replies (repeatable)
  --silent                 send nothing and act on nothing
  --delay-replies MS       hold every reply back MS milliseconds
  --unplug-after SECONDS   close the device after SECONDS

  --help                   this text
)";
}

}  // namespace quorrel
