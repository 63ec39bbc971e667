#include "ui/link/DialingLogic.h"

#include "receiver/CGnssReceiver.h"
#include "receiver/ReceiverTypes.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

constexpr int kDotSteps = 4;
int g_dotCounter = 0;

}  // namespace

int DialingLogic::dotCounter() {
    return g_dotCounter;
}

QString DialingLogic::openingText() const {
    if (m_phoneNumber.isEmpty()) return resText(kStrDialing);
    return resText(kStrDialingNumberStart).arg(m_phoneNumber);
}

QString DialingLogic::dialingText() {
    const QString text =
        resText(kStrDialingNumber).arg(m_phoneNumber) + QString(g_dotCounter, QChar(u'.'));
    g_dotCounter = (g_dotCounter + 1) % kDotSteps;
    return text;
}

DialingLogic::Step DialingLogic::onState(int state) {
    m_lastState = state;
    switch (state) {
        case kModemOn:
        case kModemInit:
        case kModemDialing:
            if (m_phoneNumber.isEmpty()) return {};
            return {dialingText(), false};
        case kModemOnline:
            return {resText(kStrDialingSucceed), true};
        default:
            return {resText(kStrDialingFailed), true};
    }
}

std::optional<int> DialingLogic::readState(CGnssReceiver& receiver) {
    int state = 0;
    if (!receiver.QueryModemState(state)) return std::nullopt;
    return state;
}

std::optional<int> DialingLogic::cancelDialling(CGnssReceiver& receiver) {
    if (!receiver.ClearModemAutoDial()) return std::nullopt;
    return readState(receiver);
}

}  // namespace quorrel
