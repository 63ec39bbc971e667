#include "ui/link/DiffLinkTextCheck.h"

#include <initializer_list>

#include "receiver/ReceiverTypes.h"
#include "receiver/SentenceText.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/DiffLinkSequences.h"

namespace quorrel {
namespace {

struct CheckedText {
    int nameId;
    const QString& value;
    std::size_t maxLength;
};

std::optional<QString> firstMessage(std::initializer_list<CheckedText> texts) {
    for (const CheckedText& text : texts)
        if (auto message = sentenceTextMessage(text.nameId, text.value, text.maxLength))
            return message;
    return std::nullopt;
}

}  // namespace

std::optional<QString> sentenceTextMessage(int nameId, const QString& value,
                                           std::size_t maxLength) {
    const QString name = resText(nameId);
    switch (sentenceTextFault(value.toStdU16String(), maxLength)) {
        case TextFault::None:
            return std::nullopt;
        case TextFault::FieldCharacter:
            return resText(kStrTextFieldCharacter).arg(name);
        case TextFault::ControlCharacter:
            return resText(kStrTextControlCharacter).arg(name);
        case TextFault::NotLatin1:
            return resText(kStrTextNotLatin1).arg(name);
        case TextFault::TooLong:
            return resText(kStrTextTooLong).arg(name).arg(maxLength);
    }
    return std::nullopt;
}

std::optional<QString> gsmTextMessage(const GsmValues& values) {
    // Without a number the modem is only prepared: neither value is sent.
    if (values.phoneNumber.isEmpty()) return std::nullopt;
    return firstMessage({{kStrValuePhoneNumber, values.phoneNumber, kPhoneNumberLength},
                         {kStrValuePin, values.pin, kModemPinLength}});
}

std::optional<QString> networkTextMessage(const NetworkValues& values, bool externalReceiver) {
    if (sendsGprsParameters(values, externalReceiver)) {
        if (auto message = firstMessage({
                {kStrValueGprsPin, values.gprsPin, kModemPinLength},
                {kStrValueAccessPoint, values.gprsAccessPoint, kLinkTextLength},
                {kStrValueGprsLogin, values.gprsLogin, kLinkTextLength},
                {kStrValueGprsPassword, values.gprsPassword, kLinkTextLength},
            }))
            return message;
    }
    if (sendsNtripParameters(values)) {
        if (auto message = firstMessage({
                {kStrValueCasterHost, values.ntripAddress, kLinkTextLength},
                {kStrValueCasterLogin, values.ntripLogin, kLinkTextLength},
                {kStrValueCasterPassword, values.ntripPassword, kLinkTextLength},
            }))
            return message;
    }
    if (sendsMountPoint(values))
        return sentenceTextMessage(kStrValueMountPoint, values.ntripMountPoint, kLinkTextLength);
    if (sendsDirectIp(values))
        return sentenceTextMessage(kStrValueServerHost, values.ipAddress, kLinkTextLength);
    return std::nullopt;
}

std::optional<QString> portTextMessage(const PortValues& values) {
    if (setsPortBaud(values)) return std::nullopt;
    return sentenceTextMessage(kStrValuePortName, values.portName);
}

}  // namespace quorrel
