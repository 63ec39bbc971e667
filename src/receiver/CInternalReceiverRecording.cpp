// Recording commands of the receiver board: memory, data recording, debug recording, OBI.
#include <cmath>

#include "platform/Clock.h"
#include "receiver/CInternalReceiver.h"
#include "receiver/CommandText.h"
#include "receiver/SentenceText.h"

namespace quorrel {

bool CInternalReceiver::SetMemory(int memory) {
    return runSetCommand("$PQVXS,MEM," + std::to_string(memory) + "\r\n");
}

bool CInternalReceiver::QueryMemory(int& memory) {
    if (!runQuery("$PQVXQ,MEM\r\n", ReplyKind::Mem)) return false;
    memory = status().memory.get();
    return true;
}

bool CInternalReceiver::SetRecording(bool on) {
    if (!runSetCommand(on ? "$PQVXS,REC,Y\r\n" : "$PQVXS,REC,N\r\n")) return false;
    if (on) {
        // The state reply comes unasked; the recording poll starts counting from here.
        sendWithoutWaiting("$PQVXQ,REC\r\n");
        m_recordingPollMs = tickCountMs();
    }
    return true;
}

bool CInternalReceiver::QueryCurrentFile(std::u16string& name) {
    if (!runQuery("$PQVXQ,FIL,CUR\r\n", ReplyKind::Fil)) return false;
    return GetCurrentFileName(name);
}

bool CInternalReceiver::GetCurrentFileName(std::u16string& name) {
    std::string current;
    if (!status().currentFileName(current)) return false;
    name = fromReceiverText(current);
    return true;
}

bool CInternalReceiver::PollRecordingStopped() {
    if (status().recordingStopped) return true;
    const std::uint32_t now = tickCountMs();
    if (!m_recordingPollMs ||
        now - *m_recordingPollMs > std::uint32_t(m_timeouts.recordingPollMs)) {
        sendWithoutWaiting("$PQVXQ,REC\r\n");
        m_recordingPollMs = now;
    }
    return false;
}

void CInternalReceiver::ClearRecordingStopped() {
    status().recordingStopped = false;
}

bool CInternalReceiver::SetRecordingInterval(double seconds) {
    if (!std::isfinite(seconds)) return false;
    return runSetCommand("$PQVXS,DRI," + fixedText(seconds, 6) + "\r\n");
}

bool CInternalReceiver::QueryRecordingInterval(double& seconds) {
    if (!runQuery("$PQVXQ,DRI\r\n", ReplyKind::Dri)) return false;
    seconds = status().recordingInterval.get();
    return true;
}

std::uint8_t CInternalReceiver::QueryAtlRecording() {
    if (!runQuery("$PQVXQ,ATL\r\n", ReplyKind::Atl)) return 0;
    return std::uint8_t(status().atl.get().recording);
}

bool CInternalReceiver::SetAtlRecording(bool on) {
    return runSetCommand(on ? "$PQVXS,ATL,ON\r\n" : "$PQVXS,ATL,OFF\r\n");
}

bool CInternalReceiver::QueryAtlState(AtlState& state) {
    if (!runQuery("$PQVXQ,ATL\r\n", ReplyKind::Atl)) return false;
    const AtlReply reply = status().atl.get();
    state.on = reply.on;
    state.value = reply.value;
    state.recording = reply.recording;
    return true;
}

bool CInternalReceiver::ResetObservationBuffer() {
    return runSetCommand("$PQVXS,OBI,RST\r\n");
}

bool CInternalReceiver::GetObiValues(float& value, int& count) {
    const ObiReply reply = status().obi.get();
    value = reply.value;
    count = reply.count;
    return true;
}

}  // namespace quorrel
