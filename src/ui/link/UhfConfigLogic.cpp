#include "ui/link/UhfConfigLogic.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "receiver/CGnssReceiver.h"
#include "receiver/ReceiverTypes.h"
#include "ui/link/UhfRadioLists.h"

namespace quorrel {
namespace {

// SetPortInterface modes.
constexpr int kRs232 = 0;
constexpr int kRs422 = 1;
// SetPortBaud without the output switch: "$PQVXS,PRT,port,code".
constexpr int kBaudOnly = -1;
constexpr int kPowerOn = 0;
constexpr int kModeAutomatic = 0;
constexpr int kModeManual = 1;
constexpr int kLastBaudCode = 9;
constexpr int kLastSensitivity = 3;

}  // namespace

int UhfConfigLogic::port(int radioType) const {
    if (m_radioFlag == 0) return kPortB;
    if (m_radioEnabled == 0) return kPortA;
    const bool onD = radioType == kRadioPdl || radioType == kRadioMdl || radioType == kRadioNone;
    return onD ? kPortD : kPortA;
}

UhfRadioChoice UhfConfigLogic::openRadio(CGnssReceiver& receiver, int radioType) const {
    receiver.RadioOn();
    int answered = kRadioNone;
    const int radioPort = port(radioType);
    if (radioPort == kPortD) {
        receiver.DetectRadioType();
        std::this_thread::sleep_for(std::chrono::milliseconds(m_detectWaitMs));
        RadioParameters parameters;
        if (receiver.QueryRadioParameters(kPortD, parameters)) answered = parameters.radioType;
    } else {
        int type = kRadioNone;
        if (receiver.QueryRadioType(radioPort, type)) answered = type;
    }
    UhfRadioChoice choice;
    choice.radioType = answered == kRadioUnknown ? radioType : answered;
    int baudCode = 0;
    if (receiver.QueryPortBaud(port(choice.radioType), baudCode) && baudCode >= 0 &&
        baudCode <= kLastBaudCode)
        choice.baudCode = baudCode;
    return choice;
}

void UhfConfigLogic::leaveRadio(CGnssReceiver& receiver, int radioType,
                                std::optional<int> changedBaud) const {
    const int radioPort = port(radioType);
    if (radioPort == kPortA) {
        const bool rs422 = radioType == kRadioCvl || radioType == kRadioMdl;
        receiver.SetPortInterface(radioPort, rs422 ? kRs422 : kRs232);
    }
    receiver.SetRadioType(radioPort, radioType);
    applyRadio(receiver, radioType, changedBaud);
}

void UhfConfigLogic::applyRadio(CGnssReceiver& receiver, int radioType,
                                std::optional<int> changedBaud) const {
    if (changedBaud) receiver.SetPortBaud(port(radioType), *changedBaud, kBaudOnly);
}

UhfSettings UhfConfigLogic::readSettings(CGnssReceiver& receiver, int radioType) const {
    UhfSettings settings;
    settings.radioType = radioType;
    if (radioType == kRadioNone) return settings;
    RadioParameters answer;
    if (!receiver.QueryRadioParameters(port(radioType), answer)) {
        settings.message = kStrCannotReadRadio;
        return settings;
    }
    settings.read = true;
    const int answered = answer.radioType;
    if (answered != kRadioNone && answered != kRadioUnknown) settings.radioType = answered;
    const int type = settings.radioType;
    settings.speedPosition = UhfRadioLists::positionOf(
        UhfRadioLists::speedCodes(answered, answer.protocolIndex), answer.speedIndex);
    settings.protocolPosition =
        UhfRadioLists::positionOf(UhfRadioLists::protocolCodes(answered), answer.protocolIndex);
    settings.sensitivity = std::clamp(answer.sensitivityIndex, 0, kLastSensitivity);
    settings.mode = answer.modeIndex;
    // ADL channels count from 1: the list position is one below the channel.
    settings.channelPosition = std::max(0, answer.channel - UhfRadioLists::firstChannel(type));
    settings.turnOnShown = (m_radioFlag == 0 || port(type) == kPortD) && answered != kRadioNone;
    settings.turnOn = answer.powerIndex == kPowerOn;

    int count = 0;
    if (!receiver.QueryRadioChannels(port(type), count) || count <= 0)
        count = UhfRadioLists::defaultChannelCount(type);
    settings.channelCount = count;
    settings.channelPosition = std::min(settings.channelPosition, count - 1);
    return settings;
}

std::optional<StringId> UhfConfigLogic::applySettings(CGnssReceiver& receiver, int radioType,
                                                      const UhfSettings& settings) const {
    if (!settings.read) return std::nullopt;
    int mode = settings.mode;
    if (settings.turnOnShown) {
        mode = settings.turnOn ? kModeAutomatic : kModeManual;
        if (settings.turnOn) receiver.RadioOn();
    }
    const std::vector<int> protocols = UhfRadioLists::protocolCodes(radioType);
    const int protocol = UhfRadioLists::codeAt(protocols, settings.protocolPosition);
    const int speed = UhfRadioLists::codeAt(UhfRadioLists::speedCodes(radioType, protocol),
                                            settings.speedPosition);
    const int channel = settings.channelPosition + UhfRadioLists::firstChannel(radioType);
    std::optional<StringId> message;
    if (!receiver.SetRadioParameters(port(radioType), radioType, speed, channel,
                                     settings.sensitivity, protocol, mode))
        message = kStrCannotSaveRadio;
    if (settings.turnOnShown && !settings.turnOn) receiver.RadioOff();
    return message;
}

}  // namespace quorrel
