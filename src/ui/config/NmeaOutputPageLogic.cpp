#include "ui/config/NmeaOutputPageLogic.h"

#include "receiver/CGnssReceiver.h"
#include "ui/config/NmeaMessagesPageLogic.h"

namespace quorrel {
namespace {

constexpr int kPortsBehindRows[NmeaOutputPageLogic::kPortCount] = {
    kPortC, kPortA, kPortF, kPortC, kPortB, kPortC, kPortC, kPortC, kPortC};
constexpr int kBluetoothPort = kPortC;
constexpr int kSwitchPortOn = 0;  // output mode of SetPortBaud
constexpr char16_t kNoBluetoothPort[] = u"NONE";

}  // namespace

QStringList NmeaOutputPageLogic::portNames() {
    QStringList names;
    for (int i = 1; i <= kPortCount; ++i)
        names << QStringLiteral("COM%1").arg(i);
    return names;
}

QStringList NmeaOutputPageLogic::baudRates() {
    QStringList rates;
    for (const std::uint32_t rate : kBaudRates)
        rates << QString::number(rate);
    return rates;
}

int NmeaOutputPageLogic::receiverPort(int portIndex) {
    return portIndex >= 0 && portIndex < kPortCount ? kPortsBehindRows[portIndex] : kBluetoothPort;
}

NmeaOutputValues NmeaOutputPageLogic::load(CGnssReceiver& receiver, NmeaOutputValues values) const {
    int baudCode = -1;
    if (receiver.QueryPortBaud(receiverPort(values.portIndex), baudCode) && baudCode >= 0 &&
        baudCode < int(kBaudRates.size()))
        values.baudIndex = baudCode;
    return values;
}

void NmeaOutputPageLogic::apply(CGnssReceiver& receiver, const NmeaOutputValues& values,
                                std::optional<bool> messagesOn) const {
    const int port = receiverPort(values.portIndex);
    if (port == kBluetoothPort) {
        if (!messagesOn) {
            NmeaOutputRecord output;
            messagesOn =
                receiver.QueryNmeaOutput(port, output) && NmeaMessagesPageLogic::anyRowOn(output);
        }
        receiver.SetBluetoothName(*messagesOn ? portNames().value(values.portIndex).toStdU16String()
                                              : std::u16string(kNoBluetoothPort));
    } else {
        receiver.SetPortBaud(port, values.baudIndex, kSwitchPortOn);
    }
    int baudCode = 0;
    receiver.QueryPortBaud(port, baudCode);  // as the receiver has it now; nothing shows it
}

}  // namespace quorrel
