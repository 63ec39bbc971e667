// Antenna commands of the receiver board and its unsolicited antenna report.
#include <cmath>

#include "receiver/CInternalReceiver.h"
#include "receiver/CommandText.h"
#include "receiver/SentenceText.h"

namespace quorrel {

bool CInternalReceiver::QueryAntennaHeight(double& height, int& type) {
    if (!runQuery("$PQVXQ,ANH\r\n", ReplyKind::Anh)) return false;
    const AntennaHeightReply reply = status().antennaHeight.get();
    height = reply.height;
    type = reply.slant;
    return true;
}

bool CInternalReceiver::SetAntennaOffsets(double offset1, double offset2, double offset3) {
    if (!std::isfinite(offset1) || !std::isfinite(offset2) || !std::isfinite(offset3)) return false;
    return runSetCommand("$PQVXS,ANT," + fixedText(offset1, 3) + "," + fixedText(offset2, 4) + "," +
                         fixedText(offset3, 4) + "\r\n");
}

bool CInternalReceiver::SetAntennaHeight(double height, int type) {
    if (!std::isfinite(height)) return false;
    return runSetCommand("$PQVXS,ANH," + fixedText(height, 6) + (type == 1 ? ",S" : ",V") + "\r\n");
}

bool CInternalReceiver::QueryAntennaReduction(int& reduction) {
    if (!runQuery("$PQVXQ,ANR\r\n", ReplyKind::Anr)) return false;
    reduction = status().antennaReduction.get();
    return true;
}

bool CInternalReceiver::SetAntennaReduction(int reduction) {
    const char* text = reduction == 0 ? "OFF" : reduction == 2 ? "ARP" : "ON";
    return runSetCommand(std::string("$PQVXS,ANR,") + text + "\r\n");
}

bool CInternalReceiver::SetAntennaName(const std::u16string& name) {
    std::string text;
    if (!toSentenceText(name, text)) return false;
    return runSetCommand("$PQVXS,ANP,OWN," + text + "\r\n");
}

bool CInternalReceiver::QueryAntennaName(std::u16string& name) {
    // The ANP flag survives the start of a transaction, so an earlier reply still counts
    // when some other reply ends the wait.
    if (!runQuery("$PQVXQ,ANP,OWN\r\n", ReplyKind::Anp)) return false;
    name = fromReceiverText(status().antennaName.get());
    return true;
}

bool CInternalReceiver::SetVirtualAntenna(bool on) {
    return runSetCommand(on ? "$PQVXS,ANP,OUT,ADVNULLANTENNA\r\n" : "$PQVXS,ANP,OUT,OFF\r\n");
}

std::uint8_t CInternalReceiver::GetA2dValue0() {
    return status().a2d.get().valid;
}

std::uint8_t CInternalReceiver::GetA2dValue1() {
    return status().a2d.get().first;
}

std::uint8_t CInternalReceiver::GetA2dValue2() {
    return status().a2d.get().second;
}

bool CInternalReceiver::EnableA2dOutput() {
    return SetNmeaMessage(m_nmeaPort, kMsgA2d, true, 1.0f);
}

}  // namespace quorrel
