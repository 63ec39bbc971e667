#include "receiver/external/ExternalSession.h"

#include <cstring>

#include "platform/InterruptibleSource.h"
#include "receiver/external/SirfCommands.h"
#include "receiver/external/SirfFrame.h"
#include "receiver/link/Checksum.h"

namespace quorrel {
namespace {

// The NMEA sentences the module outputs, in the order of its output switches.
constexpr const char* kModuleSentences[] = {"GGA", "GLL", "GSA", "GSV", "RMC", "VTG", "MSS", "ZDA"};

bool isModuleSentence(const std::uint8_t* line, std::size_t length) {
    if (length < 7 || line[1] != 'G') return false;
    for (const char* name : kModuleSentences)
        if (std::memcmp(line + 3, name, 3) == 0) return true;
    return false;
}

}  // namespace

ExternalSession::ExternalSession(ByteSource& source, ExternalStatus& status,
                                 RawDataRecorder& recorder, FrameSender sendFrame,
                                 int readTimeoutMs)
    : m_source(source),
      m_status(status),
      m_recorder(recorder),
      m_sendFrame(std::move(sendFrame)),
      m_readTimeoutMs(readTimeoutMs) {}

std::uint32_t ExternalSession::run() {
    InterruptibleSource source(m_source, m_stop);
    SirfFrameAssembler assembler(source, m_readTimeoutMs);
    const auto pollEphemeris = [this] {
        if (m_sendFrame) m_sendFrame(pollEphemerisPayload());
    };
    bool failed = false;
    while (!m_stop) {
        const SirfFrameAssembler::Result result = assembler.next();
        failed = result == SirfFrameAssembler::Result::Failed;
        if (failed) break;
        if (result == SirfFrameAssembler::Result::Idle) {
            // A silent module must not keep a finished recording's file open.
            m_recorder.service(nullptr, pollEphemeris);
            continue;
        }
        const std::vector<std::uint8_t>& unit = assembler.unit();
        if (assembler.kind() == SirfUnitKind::NmeaLine) {
            handleLine(unit.data(), unit.size());
            m_recorder.service(nullptr, pollEphemeris);
            continue;
        }
        const std::uint8_t* payload = assembler.payload();
        const bool validFix = handleFrame(payload, assembler.payloadLength());
        const RecordedFrame frame{unit.data(), unit.size(), payload[0] == kSirfGeodeticNavigation,
                                  validFix};
        m_recorder.service(&frame, pollEphemeris);
    }
    m_recorder.closeFile();
    closeEvents();
    if (failed && !m_stop && m_linkLost) m_linkLost();
    return 0;
}

void ExternalSession::handleUnit(SirfUnitKind kind, const std::uint8_t* bytes, std::size_t length) {
    if (kind == SirfUnitKind::NmeaLine)
        handleLine(bytes, length);
    else if (length > kSirfFrameOverhead)
        handleFrame(bytes + 4, length - kSirfFrameOverhead);
}

void ExternalSession::expectAnswer(std::uint8_t commandId) {
    m_expectedCommand = commandId;
    m_acknowledged = false;
    m_acknowledgement.reset();
}

void ExternalSession::handleLine(const std::uint8_t* line, std::size_t length) {
    const char* text = reinterpret_cast<const char*>(line);
    if (length < 3 || line[0] != '$' || (line[1] != 'P' && line[1] != 'G')) return;
    if (!checksumOk(text, length)) return;
    if (isModuleSentence(line, length)) m_protocol = DetectedProtocol::Nmea;
    m_dataSeen.set();
}

bool ExternalSession::handleFrame(const std::uint8_t* payload, std::size_t length) {
    m_protocol = DetectedProtocol::Binary;
    m_dataSeen.set();
    bool validFix = false;
    switch (payload[0]) {
        case kSirfMeasuredTracker:
            handleTracker(payload, length);
            break;
        case kSirfSoftwareVersion: {
            std::string text;
            if (parseSoftwareVersion(payload, length, text)) m_status.publishSoftwareVersion(text);
            break;
        }
        case kSirfAcknowledgement:
        case kSirfRefusal:
            handleAnswer(payload, length, payload[0] == kSirfAcknowledgement);
            break;
        case kSirfOkToSend:
            handleOkToSend(payload, length);
            break;
        case kSirfNavigationParameters:
            handleParameters(payload, length);
            break;
        case kSirfGeodeticNavigation:
            handleGeodetic(payload, length, validFix);
            break;
        default:
            break;
    }
    return validFix;
}

void ExternalSession::handleTracker(const std::uint8_t* payload, std::size_t length) {
    SatelliteTable table;
    int count = 0;
    if (parseMeasuredTracker(payload, length, m_used, table, count))
        m_status.publishSatellites(table, count);
}

void ExternalSession::handleOkToSend(const std::uint8_t* payload, std::size_t length) {
    bool ok = false;
    if (!parseOkToSend(payload, length, ok)) return;
    m_isOkToSend = ok;
    if (ok) m_okToSend.set();
}

void ExternalSession::handleParameters(const std::uint8_t* payload, std::size_t length) {
    NavigationParameters parameters;
    if (!parseNavigationParameters(payload, length, parameters)) return;
    m_status.publishNavigationParameters(parameters);
    m_navigationParameters.set();
}

void ExternalSession::handleAnswer(const std::uint8_t* payload, std::size_t length,
                                   bool acknowledged) {
    std::uint8_t commandId = 0;
    if (!parseCommandAnswer(payload, length, commandId)) return;
    // A late answer to an earlier command (or to the reader's own ephemeris poll) must not
    // pass for the answer to the one now waiting.
    const int expected = m_expectedCommand;
    if (commandId != 0 && commandId != expected) return;
    m_acknowledged = acknowledged;
    m_acknowledgement.set();
}

void ExternalSession::handleGeodetic(const std::uint8_t* payload, std::size_t length,
                                     bool& validFix) {
    GeodeticFix fix;
    if (!parseGeodeticNavigation(payload, length, m_antennaHeightM, fix)) return;
    m_used = fix.used;
    m_status.publishPosition(fix.position);
    validFix = fix.valid;
    if (validFix) m_navigation.set();
}

void ExternalSession::closeEvents() {
    m_dataSeen.close();
    m_acknowledgement.close();
    m_navigationParameters.close();
    m_navigation.close();
    m_okToSend.close();
}

}  // namespace quorrel
