#include "sim/board/BoardOptions.h"

#include <cstdlib>
#include <optional>

#include "sim/board/Command.h"

namespace quorrel {
namespace {

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
    if (!isOneOf(type, {"PDL", "ADL", "CVL", "MDL", "LFE", "LFA", "UNKNOWN"})) return false;
    config.radioPort = value[0];
    config.radioType = type;
    return true;
}

bool unsignedInteger(const std::string& text, int high, std::uint32_t& out) {
    int value = 0;
    if (!parseInteger(text, 0, high, value)) return false;
    out = static_cast<std::uint32_t>(value);
    return true;
}

bool port(const std::string& text, char& out) {
    if (parsePort(text) < 0) return false;
    out = text[0];
    return true;
}

bool append(const std::string& text, std::vector<std::string>& out) {
    out.push_back(text);
    return !text.empty();
}

// Options of the board itself; nothing when `name` is not one of them.
std::optional<bool> applyBoardValue(const std::string& name, const std::string& v, BoardConfig& c) {
    if (name == "--lat") return number(v, -90, 90, c.latitudeDeg);
    if (name == "--lon") return number(v, -180, 180, c.longitudeDeg);
    if (name == "--height") return number(v, -500, 9000, c.heightM);
    if (name == "--baud") return baud(v, c.baudRate);
    if (name == "--port") return port(v, c.ownPort);
    if (name == "--time-scale") return number(v, 0.001, 100, c.timeScale);
    if (name == "--seed") return unsignedInteger(v, 2147483647, c.seed);
    if (name == "--output-rate") return unsignedInteger(v, 20, c.outputRateHz);
    if (name == "--radio") return radio(v, c);
    if (name == "--radio-channels") return integer(v, 0, 99, c.radioChannels);
    if (name == "--radio-channel") return integer(v, 0, 99, c.radioChannel);
    if (name == "--sim-pin") return text(v, c.simPin);
    if (name == "--serial") return text(v, c.serialNumber);
    if (name == "--receiver-version") return text(v, c.receiverVersion);
    if (name == "--system-fw") return text(v, c.systemFirmware);
    if (name == "--gnss-fw") return text(v, c.gnssFirmware);
    if (name == "--ip-timeout") return integer(v, 50, 600000, c.ipTimeoutMs);
    return std::nullopt;
}

// Options of the program around the board.
std::optional<bool> applyProgramValue(const std::string& name, const std::string& v,
                                      BoardOptions& o) {
    if (name == "--link") return !(o.linkPath = v).empty();
    if (name == "--monitor") return number(v, 0.1, 3600, o.monitorSeconds);
    if (name == "--duration") return number(v, 0.1, 1e7, o.durationSeconds);
    if (name == "--nak") return append(v, o.nak);
    if (name == "--ignore") return append(v, o.ignore);
    if (name == "--corrupt") return append(v, o.corrupt);
    if (name == "--delay-replies") return integer(v, 0, 600000, o.replyDelayMs);
    if (name == "--unplug-after") return number(v, 0, 1e7, o.unplugAfterSeconds);
    return std::nullopt;
}

std::optional<bool> applyValue(const std::string& name, const std::string& value, BoardOptions& o) {
    if (std::optional<bool> ok = applyBoardValue(name, value, o.config)) return ok;
    return applyProgramValue(name, value, o);
}

bool takesValue(const std::string& name) {
    BoardOptions scratch;
    return applyValue(name, "0", scratch).has_value();
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
    else if (name == "--no-line-rate")
        o.config.lineRatePacing = false;
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
        const std::size_t eq = name.starts_with("--") ? name.find('=') : std::string::npos;
        if (eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (applyFlag(name, options)) {
            continue;
        } else if (takesValue(name)) {
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        const std::optional<bool> ok = applyValue(name, value, options);
        if (!ok) {
            error = "unknown option " + name;
            return false;
        }
        if (!*ok) {
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
  --no-line-rate           send as fast as the pseudo-terminal takes it (default: no faster
                           than the line's baud rate, as a real serial line)
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
  --radio PORT:TYPE|none   the UHF radio (default D:PDL; types PDL ADL CVL MDL LFE LFA, and
                           UNKNOWN for one that never tells its type)
  --radio-channels N       channels the radio reports (default: as many as its type has)
  --radio-channel N        channel the radio starts on (default 0)
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
