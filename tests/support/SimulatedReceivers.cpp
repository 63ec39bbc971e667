#include "support/SimulatedReceivers.h"

namespace quorrel::test {
namespace {

ModuleSimConfig quickModule() {
    ModuleSimConfig config;
    config.epochMs = 100;
    return config;
}

}  // namespace

std::vector<std::string> receivedLines(const BoardSimulator& board, const std::string& prefix) {
    std::vector<std::string> lines;
    for (const ReceivedSentence& line : board.receivedLog())
        if (line.text.rfind(prefix, 0) == 0) lines.push_back(line.text);
    return lines;
}

BoardLink::BoardLink(const BoardConfig& config)
    : board(config), receiver(quickReceiver(DeviceClass::OtherCode, {})) {
    board.start();
    receiver->SetDeviceClass(static_cast<int>(DeviceClass::OtherCode));
    receiver->SetStopOutputOnClose(true);
}

BoardLink::~BoardLink() {
    receiver->Close();
}

bool BoardLink::open() {
    if (!receiver->Open(devicePath().toStdU16String())) return false;
    board.clearLog();
    return true;
}

ModuleLink::ModuleLink()
    : module(quickModule()), receiver(quickReceiver(DeviceClass::Code0143, "0143TEST")) {
    module.start();
    receiver->SetDeviceClass(static_cast<int>(DeviceClass::Code0143));
}

ModuleLink::~ModuleLink() {
    receiver->Close();
    module.stop();
}

bool ModuleLink::open() {
    return receiver->Open(QString::fromStdString(module.devicePath()).toStdU16String());
}

}  // namespace quorrel::test
