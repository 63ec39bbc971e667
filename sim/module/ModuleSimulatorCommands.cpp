// The module's side of the protocol: commands in, epochs out.
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "sim/module/ModuleFrame.h"
#include "sim/module/ModuleIds.h"
#include "sim/module/ModulePayload.h"
#include "sim/module/ModuleSimulator.h"

namespace quorrel {
namespace {

constexpr std::uint32_t kVersionEvery = 10;
constexpr std::uint32_t kClockEvery = 5;
constexpr std::uint32_t kMeasurementEvery = 3;
constexpr std::size_t kNoiseBytes = 96;
constexpr int kFirstGpsPrn = 1;
constexpr int kLastGpsPrn = 32;

// "$PSRF100,<protocol>,<baud>,8,1,0*HH\r\n" with a correct checksum.
bool parseProtocolSwitch(const std::string& line, int& protocol, unsigned& baud) {
    if (!hasCheckedNmeaTail(line)) return false;
    unsigned dataBits = 0, stopBits = 0, parity = 0;
    return std::sscanf(line.c_str(), "$PSRF100,%d,%u,%u,%u,%u*", &protocol, &baud, &dataBits,
                       &stopBits, &parity) == 5 &&
           dataBits == 8 && stopBits == 1 && parity == 0;
}

bool isKnownCommand(std::uint8_t id) {
    switch (id) {
        case ModuleId::kInitDataSource:
        case ModuleId::kSwitchToNmea:
        case ModuleId::kDgpsSource:
        case ModuleId::kDgpsControl:
        case ModuleId::kElevationMask:
        case ModuleId::kStaticNavigation:
        case ModuleId::kPollEphemeris:
        case ModuleId::kPollNavigationParameters:
        case ModuleId::kSetMessageRate:
        case ModuleId::kInitNavigation:
            return true;
        default:
            return false;
    }
}

}  // namespace

void ModuleSimulator::handleLine(const std::vector<std::uint8_t>& bytes) {
    log(ModuleProtocol::Nmea, bytes);
    int protocol = 0;
    unsigned baud = 0;
    if (!parseProtocolSwitch(std::string(bytes.begin(), bytes.end()), protocol, baud)) return;
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_protocol != ModuleProtocol::Nmea) return;
    m_protocol = protocol == 0 ? ModuleProtocol::Binary : ModuleProtocol::Nmea;
    m_baudRate = baud;
}

void ModuleSimulator::handleFrame(const std::vector<std::uint8_t>& payload) {
    log(ModuleProtocol::Binary, payload);
    const std::uint8_t id = payload[0];
    bool accept = true;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        // In NMEA the module does not listen for frames.
        if (m_protocol != ModuleProtocol::Binary || m_ignored.count(id)) return;
        accept = !m_refused.count(id) && isKnownCommand(id);
    }
    if (!accept || !applyCommand(payload)) {
        sendFrame(refusalPayload(id));
        return;
    }
    sendFrame(acknowledgementPayload(id));
    if (id == ModuleId::kPollNavigationParameters)
        sendFrame(navigationParametersPayload(settings()));
    if (id == ModuleId::kPollEphemeris) {
        const int only = payload.size() > 1 ? payload[1] : 0;
        for (int prn = kFirstGpsPrn; prn <= kLastGpsPrn; ++prn) {
            bool inView = false;
            for (const SimSatellite& s : m_config.scenario.satellites)
                inView = inView || s.prn == prn;
            if (inView && (only == 0 || only == prn)) sendFrame(ephemerisPayload(prn));
        }
    }
    if (id == ModuleId::kSwitchToNmea) applyNmeaSwitch(payload);
}

// Returns false for a command whose fields the module cannot take.
bool ModuleSimulator::applyCommand(const std::vector<std::uint8_t>& p) {
    std::lock_guard<std::mutex> guard(m_mutex);
    switch (p[0]) {
        case ModuleId::kDgpsSource:
            if (p.size() < 2) return false;
            m_settings.dgpsSource = p[1];
            return true;
        case ModuleId::kDgpsControl:
            if (p.size() < 3 || p[1] > 2) return false;
            m_settings.dgpsMode = p[1];
            m_settings.dgpsTimeoutS = p[2];
            return true;
        case ModuleId::kElevationMask:
            if (p.size() < 5) return false;
            m_settings.trackingMaskTenths = std::int16_t(commandWord(&p[1]));
            m_settings.navigationMaskTenths = std::int16_t(commandWord(&p[3]));
            return true;
        case ModuleId::kStaticNavigation:
            if (p.size() < 2) return false;
            m_settings.staticNavigation = p[1];
            return true;
        case ModuleId::kSetMessageRate:
            if (p.size() < 4) return false;
            m_messageRates[p[2]] = p[3];
            return true;
        case ModuleId::kInitNavigation:
            m_settings = SimSettings{};
            m_outageEpochs = m_config.resetOutageEpochs;
            return true;
        case ModuleId::kSwitchToNmea:
            return p.size() >= 24;
        default:
            return true;  // initialise data source and the polls change nothing
    }
}

void ModuleSimulator::applyNmeaSwitch(const std::vector<std::uint8_t>& p) {
    std::lock_guard<std::mutex> guard(m_mutex);
    // Rates of GGA, GLL, GSA, GSV, RMC in the pairs after the mode byte.
    m_nmeaOutput.gga = p[2] != 0;
    m_nmeaOutput.gsa = p[6] != 0;
    m_nmeaOutput.gsv = p[8] != 0;
    m_nmeaOutput.rmc = p[10] != 0;
    m_protocol = ModuleProtocol::Nmea;
    m_baudRate = commandWord(&p[22]);
}

void ModuleSimulator::sendEpoch() {
    SimEpochSky sky;
    ModuleProtocol protocol;
    SimNmeaOutput output;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        const bool sbas = m_settings.dgpsSource == 1 && m_settings.dgpsMode != 2;
        sky =
            epochSky(m_config.scenario, m_settings.navigationMaskTenths, sbas, m_outageEpochs > 0);
        if (m_outageEpochs > 0) --m_outageEpochs;
        protocol = m_protocol;
        output = m_nmeaOutput;
        ++m_epoch;
    }
    if (m_silent) return;
    if (!lineSpeedIsOwn()) {
        sendNoise(kNoiseBytes);
        return;
    }
    const SimTime time = SimTime::now();
    if (protocol == ModuleProtocol::Binary) {
        sendBinaryEpoch(sky, time);
    } else {
        const std::string text = nmeaEpoch(m_config.scenario, sky, time, output);
        writeOut(text.data(), text.size());
    }
}

void ModuleSimulator::sendBinaryEpoch(const SimEpochSky& sky, const SimTime& time) {
    std::uint32_t epoch;
    std::array<std::uint8_t, 256> rates;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        epoch = m_epoch;
        rates = m_messageRates;
    }
    const auto due = [&](std::uint8_t id, std::uint32_t every) {
        return rates[id] != 0 && epoch % every == 0;
    };
    if (due(ModuleId::kGeodeticNavigation, 1))
        sendFrame(geodeticNavigationPayload(m_config.scenario, sky, time));
    if (due(ModuleId::kMeasuredTracker, 1)) sendFrame(measuredTrackerPayload(sky, time));
    if (due(ModuleId::kClockStatus, kClockEvery)) sendFrame(clockStatusPayload(sky, time));
    if (due(ModuleId::kNavigationLibrary, kMeasurementEvery) && !sky.tracked.empty()) {
        const std::size_t channel = epoch % sky.tracked.size();
        sendFrame(navigationLibraryPayload(int(channel), sky.tracked[channel], time));
    }
    if (due(ModuleId::kSoftwareVersion, kVersionEvery) || epoch == 1)
        sendFrame(softwareVersionPayload(m_config.softwareVersion));
    if (due(ModuleId::kOkToSend, kVersionEvery)) sendFrame(okToSendPayload(true));
}

void ModuleSimulator::sendFrame(const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> frame = moduleFrame(payload);
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_corrupted.count(payload[0]))
            frame[frame.size() - 3] ^= 0x55;
        else
            m_sentFrames.push_back(frame);
    }
    writeOut(frame.data(), frame.size());
}

void ModuleSimulator::sendNoise(std::size_t length) {
    std::vector<std::uint8_t> noise;
    while (noise.size() < length) {
        m_noiseSeed = m_noiseSeed * 1103515245u + 12345u;
        const auto byte = std::uint8_t(m_noiseSeed >> 16);
        // Without "$" and 0xA0 no sentence or frame can start.
        if (byte != '$' && byte != kModuleFrameHead[0]) noise.push_back(byte);
    }
    m_noiseBytes += noise.size();
    writeOut(noise.data(), noise.size());
}

void ModuleSimulator::writeOut(const void* bytes, std::size_t length) {
    if (m_silent || !m_pty || !m_pty->isOpen()) return;
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    while (length > 0) {
        const ssize_t n = ::write(m_pty->masterFd(), p, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the line is full: the rest is lost
        p += n;
        length -= std::size_t(n);
    }
}

}  // namespace quorrel
