#include "sim/board/RecordingCommands.h"

#include <cstdio>
#include <ctime>

namespace quorrel {
namespace {

// Kilobytes a recorder has written after `seconds`.
int writtenKb(double seconds, double kbPerSecond) {
    return seconds > 0 ? static_cast<int>(seconds * kbPerSecond) : 0;
}

}  // namespace

void RecordingCommands::registerWith(CommandDispatcher& d) {
    RecordingSettings& r = m_board.state.recording;
    d.onSet("MEM", [this](const Command& c) { setMemory(c); });
    d.onQuery("MEM", [this, &r](const Command&) {
        m_board.out.sentence("PQVXR,MEM," + std::to_string(r.memory));
    });
    d.onSet("REC", [this](const Command& c) { setRecording(c); });
    d.onQuery("REC", [this, &r](const Command&) {
        m_board.out.sentence(std::string("PQVXR,REC,") + (r.recording ? "R" : "S"));
    });
    d.onQuery("FIL", [this](const Command& c) { queryFile(c); });
    d.onSet("DRI", [this, &r](const Command& c) {
        double interval = 0;
        const bool ok = c.count() == 1 && parseNumber(c.field(0), interval) && interval >= 0.05 &&
                        interval <= 999;
        if (ok) r.intervalS = interval;
        acknowledge(c, ok);
    });
    d.onQuery("DRI", [this, &r](const Command&) {
        char body[32];
        std::snprintf(body, sizeof body, "PQVXR,DRI,%.2f", r.intervalS);
        m_board.out.sentence(body);
    });
    d.onSet("ATL", [this](const Command& c) { setAtl(c); });
    d.onQuery("ATL", [this](const Command&) { queryAtl(); });
    d.onSet("OBI", [this](const Command& c) {
        const bool ok = c.count() == 1 && c.is(0, "RST");
        if (ok) m_board.state.obiResetS = m_board.control.nowS();
        acknowledge(c, ok);
    });
}

void RecordingCommands::acknowledge(const Command& c, bool ok) {
    ok ? m_board.out.ack(c.code) : m_board.out.nak(c.code);
}

bool RecordingCommands::storageReady() const {
    return m_board.state.recording.memory == 0 || m_board.config.storageCardPresent;
}

// The storage cannot change under a running recorder.
void RecordingCommands::setMemory(const Command& c) {
    RecordingSettings& r = m_board.state.recording;
    int memory = 0;
    const bool ok =
        c.count() == 1 && parseInteger(c.field(0), 0, 1, memory) && !r.recording && !r.atlRecording;
    if (ok) r.memory = memory;
    acknowledge(c, ok);
}

// REC,Y starts raw data recording into a new file, REC,N stops it.
void RecordingCommands::setRecording(const Command& c) {
    RecordingSettings& r = m_board.state.recording;
    if (c.count() != 1 || !isOneOf(c.field(0), {"Y", "N"})) return acknowledge(c, false);
    if (c.is(0, "N")) {
        r.recording = false;
        r.currentFile = "NONE";
        return acknowledge(c, true);
    }
    if (!storageReady()) return acknowledge(c, false);
    if (!r.recording) {
        const std::time_t now = static_cast<std::time_t>(m_board.control.utcMs() / 1000);
        std::tm tm{};
        gmtime_r(&now, &tm);
        char name[96];
        std::snprintf(name, sizeof name, "%s/%s%03d%d.%02dR", r.memory ? "CARD" : "RAM",
                      m_board.state.siteName.c_str(), tm.tm_yday + 1, r.fileSerial % 10,
                      tm.tm_year % 100);
        r.currentFile = name;
        ++r.fileSerial;
        r.recording = true;
        r.recordingSinceS = m_board.control.nowS();
    }
    acknowledge(c, true);
}

// FIL,CUR: the file being written and its size in kilobytes, or NONE.
void RecordingCommands::queryFile(const Command& c) {
    if (c.count() != 1 || !c.is(0, "CUR")) return m_board.out.nak(c.code);
    const RecordingSettings& r = m_board.state.recording;
    const int kb = r.recording ? writtenKb(m_board.control.nowS() - r.recordingSinceS, 2.4) : 0;
    m_board.out.sentence("PQVXR,FIL,CUR," + r.currentFile + "," + std::to_string(kb));
}

// ATL,ON|OFF: the debug recorder; it needs a moment to start, and the chosen storage.
void RecordingCommands::setAtl(const Command& c) {
    RecordingSettings& r = m_board.state.recording;
    if (c.count() != 1 || !isOneOf(c.field(0), {"ON", "OFF"})) return acknowledge(c, false);
    r.atlOn = c.is(0, "ON");
    if (!r.atlOn) r.atlRecording = false;
    acknowledge(c, true);
    if (!r.atlOn || r.atlRecording) return;
    m_board.timers.after(m_board.control.scaledMs(kAtlStartS), [this] {
        RecordingSettings& rec = m_board.state.recording;
        if (!rec.atlOn || rec.atlRecording || !storageReady()) return;
        rec.atlRecording = true;
        rec.atlSinceS = m_board.control.nowS();
    });
}

// ATL,state,kilobytes,REC|IDLE|ERR
void RecordingCommands::queryAtl() {
    const RecordingSettings& r = m_board.state.recording;
    const char* activity = r.atlRecording ? "REC" : (r.atlOn && !storageReady() ? "ERR" : "IDLE");
    const int kb = r.atlRecording ? writtenKb(m_board.control.nowS() - r.atlSinceS, 12.0) : 0;
    m_board.out.sentence(std::string("PQVXR,ATL,") + (r.atlOn ? "ON," : "OFF,") +
                         std::to_string(kb) + "," + activity);
}

}  // namespace quorrel
