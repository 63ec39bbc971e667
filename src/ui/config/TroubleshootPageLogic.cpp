#include "ui/config/TroubleshootPageLogic.h"

#include <chrono>
#include <iterator>
#include <thread>

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"

namespace quorrel {
namespace {

constexpr int kStorageIds[] = {kStrInternalMemory, kStrStorageCard};

}  // namespace

QStringList TroubleshootPageLogic::storageNames() {
    QStringList names;
    for (const int id : kStorageIds)
        names << resText(id);
    return names;
}

TroubleshootValues TroubleshootPageLogic::load(CGnssReceiver& receiver) const {
    TroubleshootValues values;
    AtlState state;
    if (receiver.QueryAtlState(state) && state.on) {
        if (receiver.QueryAtlRecording()) {
            values.debugOutput = true;
            values.storageEnabled = false;
        } else {
            receiver.SetAtlRecording(false);
        }
    }
    int memory = 0;
    if (receiver.QueryMemory(memory) && memory >= 0 && memory < int(std::size(kStorageIds)))
        values.storage = memory;
    return values;
}

std::optional<StringId> TroubleshootPageLogic::apply(CGnssReceiver& receiver,
                                                     const TroubleshootValues& values) const {
    if (!values.debugOutput) {
        receiver.SetAtlRecording(false);
        receiver.SetMemory(values.storage);
        return std::nullopt;
    }
    receiver.SetMemory(values.storage);
    receiver.SetAtlRecording(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(m_confirmWaitMs));
    AtlState state;
    if (receiver.QueryAtlState(state) && state.recording) return std::nullopt;
    // Not confirmed, whether the receiver said so or said nothing (powered off, unplugged):
    // the user asked for a recording and must not leave believing one runs.
    receiver.SetAtlRecording(false);
    return kStrErrorRecordingDebug;
}

}  // namespace quorrel
