// Positioning, site and tracking commands of the receiver board.
#include <cmath>

#include "receiver/CInternalReceiver.h"
#include "receiver/CommandText.h"
#include "receiver/SentenceText.h"

namespace quorrel {
namespace {

constexpr std::size_t kOccupationTextLength = 255;
constexpr int kHighestTrackingMode = 4;

const char* onOff(bool on) {
    return on ? "ON" : "OFF";
}

bool isPosition(double latitude, double longitude, double height) {
    return std::isfinite(latitude) && std::isfinite(longitude) && std::isfinite(height) &&
           std::fabs(latitude) <= 90.0 && std::fabs(longitude) <= 180.0;
}

}  // namespace

bool CInternalReceiver::QuerySiteName(std::u16string& name) {
    if (!runQuery("$PQVXQ,STI\r\n", ReplyKind::Sti)) return false;
    name = fromReceiverText(status().siteName.get());
    return true;
}

bool CInternalReceiver::SetSiteName(const std::u16string& name) {
    std::string text;
    if (!toSentenceText(name, text)) return false;
    return runSetCommand("$PQVXS,STI," + text + "\r\n");
}

bool CInternalReceiver::QueryBasePosition(double& latitude, double& longitude, double& height) {
    if (!runQuery("$PQVXQ,CPD,POS\r\n", ReplyKind::Cpd)) return false;
    const CpdReply cpd = status().cpd.get();
    latitude = cpd.latitude;
    longitude = cpd.longitude;
    height = cpd.height;
    return true;
}

// "$PQVXS,POS,..." and "$PQVXS,KPI,...": a position that is not a place on the earth is
// refused without sending.
bool CInternalReceiver::setPositionCommand(const char* head, double latitude, double longitude,
                                           double height, const char* reference) {
    if (!isPosition(latitude, longitude, height)) return false;
    std::string sentence =
        std::string(head) + positionText(latitude, longitude) + "," + fixedText(height, 6);
    if (reference != nullptr) sentence += std::string(",") + reference;
    return runSetCommand(sentence + "\r\n");
}

bool CInternalReceiver::SetPosition(double latitude, double longitude, double height) {
    return setPositionCommand("$PQVXS,POS,", latitude, longitude, height, nullptr);
}

bool CInternalReceiver::SetKnownPoint(double latitude, double longitude, double height,
                                      int reference) {
    const char* text = reference == 0 ? "PC1" : reference == 1 ? "ARP" : "SPT";
    return setPositionCommand("$PQVXS,KPI,", latitude, longitude, height, text);
}

bool CInternalReceiver::GetVectorLength(float& length) {
    PositionRecord position;
    if (!GetPosition(position)) return false;
    length =
        float(std::sqrt(position.vectorX * position.vectorX + position.vectorY * position.vectorY +
                        position.vectorZ * position.vectorZ));
    return true;
}

bool CInternalReceiver::ResetCpd() {
    return runSetCommand("$PQVXS,CPD,RST\r\n");
}

bool CInternalReceiver::SetArrowLength(double length) {
    if (!std::isfinite(length)) return false;
    return runSetCommand("$PQVXS,CPD,ARR,LEN," + fixedText(length, 6) + "\r\n");
}

bool CInternalReceiver::SetArrowMode(bool on) {
    return runSetCommand(std::string("$PQVXS,CPD,ARR,MOD,") + onOff(on) + "\r\n");
}

bool CInternalReceiver::SetDynamics(int dynamics) {
    return runSetCommand("$PQVXS,DYN," + std::to_string(dynamics) + "\r\n");
}

bool CInternalReceiver::setOccupation(int number, int phase, const std::u16string& text1,
                                      const std::u16string& text2) {
    std::string first;
    std::string second;
    if (text1.size() > kOccupationTextLength || text2.size() > kOccupationTextLength ||
        !toSentenceText(text1, first) || !toSentenceText(text2, second))
        return false;
    return runSetCommand("$PQVXS,OCC," + std::to_string(number) + "," + std::to_string(phase) +
                         "," + first + "," + second + "\r\n");
}

bool CInternalReceiver::SetOccupationStart(int number, const std::u16string& text1,
                                           const std::u16string& text2) {
    return setOccupation(number, 0, text1, text2);
}

bool CInternalReceiver::SetOccupationEnd(int number, const std::u16string& text1,
                                         const std::u16string& text2) {
    return setOccupation(number, 1, text1, text2);
}

bool CInternalReceiver::SetSbas(bool on) {
    return runSetCommand(std::string("$PQVXS,SBA,") + onOff(on) + "\r\n");
}

bool CInternalReceiver::QuerySbas(bool& on) {
    if (!runQuery("$PQVXQ,SBA\r\n", ReplyKind::Sba)) return false;
    on = status().sbas.get() != 0;
    return true;
}

bool CInternalReceiver::SetGlonass(bool on) {
    return runSetCommand(std::string("$PQVXS,GLO,") + onOff(on) + "\r\n");
}

bool CInternalReceiver::QueryGlonass(bool& on) {
    if (!runQuery("$PQVXQ,GLO\r\n", ReplyKind::Glo)) return false;
    on = status().glonass.get() != 0;
    return true;
}

bool CInternalReceiver::QueryTrackingMode(int& mode) {
    if (!runQuery("$PQVXQ,GNS,CFG\r\n", ReplyKind::Gns)) return false;
    // A mode the program does not know leaves the caller's value alone, yet succeeds.
    const int reported = status().trackingMode.get();
    if (reported >= 0 && reported <= kHighestTrackingMode) mode = reported;
    return true;
}

bool CInternalReceiver::SetTrackingMode(int mode) {
    return runSetCommand("$PQVXS,GNS,CFG," + std::to_string(mode) + "\r\n");
}

bool CInternalReceiver::QueryElevationMask(int& degrees) {
    if (!runQuery("$PQVXQ,PEM\r\n", ReplyKind::Pem)) return false;
    degrees = status().elevationMask.get();
    return true;
}

bool CInternalReceiver::SetElevationMask(int degrees) {
    return runSetCommand("$PQVXS,PEM," + std::to_string(degrees) + "\r\n");
}

}  // namespace quorrel
