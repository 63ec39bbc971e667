// GSM/GPRS modem commands of the receiver board.
#include "receiver/CInternalReceiver.h"
#include "receiver/SentenceText.h"

namespace quorrel {

bool CInternalReceiver::ModemOn() {
    return runSetCommand("$PQVXS,MDM,ON\r\n", m_timeouts.longReplyMs);
}

bool CInternalReceiver::ModemOff() {
    return runSetCommand("$PQVXS,MDM,OFF\r\n", m_timeouts.longReplyMs);
}

// OFF → ON → INIT. A modem already in INIT is only asked for its state again; one that is
// dialling, online or missing is left alone.
bool CInternalReceiver::InitializeModem() {
    ModemReply modem;
    if (!queryModem(modem)) return false;
    const int state = modem.modemState;
    if (state == kModemOff) {
        if (!ModemOn()) return false;
    } else if (state != kModemOn && state != kModemInit) {
        return false;
    }
    if (state != kModemInit &&
        !runCommandWithResult("$PQVXS,MDM,INI\r\n", ResultSource::Modem, m_timeouts.longReplyMs,
                              m_timeouts.longReplyMs))
        return false;
    return queryModem(modem) && modem.modemState == kModemInit;
}

bool CInternalReceiver::SetModemAutoDial() {
    return runSetCommand("$PQVXS,MDM,DAL,1\r\n");
}

bool CInternalReceiver::ClearModemAutoDial() {
    return runSetCommand("$PQVXS,MDM,DAL,0\r\n");
}

bool CInternalReceiver::SetModemCsd() {
    return runSetCommand("$PQVXS,MDM,PAR,PTC,0\r\n");
}

bool CInternalReceiver::SetModemGprsProtocol(int protocol) {
    return runSetCommand(std::string("$PQVXS,MDM,PAR,PTC,1,IPT,") + (protocol == 1 ? "1" : "0") +
                         ",ADL,N\r\n");
}

bool CInternalReceiver::SetModemCsdParameters(const std::u16string& pin,
                                              const std::u16string& phoneNumber) {
    std::string pinText;
    std::string phoneText;
    if (!toSentenceText(pin, kModemPinLength, pinText) ||
        !toSentenceText(phoneNumber, kPhoneNumberLength, phoneText))
        return false;
    std::string sentence = "$PQVXS,MDM,PAR,";
    if (!pinText.empty()) sentence += "PIN," + pinText + ",";
    return runSetCommand(sentence + "PTC,0,PHN," + phoneText + ",ADL,N\r\n");
}

bool CInternalReceiver::SetModemGprsParameters(const std::u16string& pin,
                                               const std::u16string& accessPoint,
                                               const std::u16string& login,
                                               const std::u16string& password) {
    std::string pinText;
    std::string apnText;
    std::string loginText;
    std::string passwordText;
    if (!toSentenceText(pin, kModemPinLength, pinText) ||
        !toSentenceText(accessPoint, kLinkTextLength, apnText) ||
        !toSentenceText(login, kLinkTextLength, loginText) ||
        !toSentenceText(password, kLinkTextLength, passwordText))
        return false;
    std::string sentence = "$PQVXS,MDM,PAR,";
    if (!pinText.empty()) sentence += "PIN," + pinText + ",";
    return runSetCommand(sentence + "PTC,1,APN," + apnText + ",LGN," + loginText + ",PWD," +
                         passwordText + "\r\n");
}

bool CInternalReceiver::queryModem(ModemReply& modem) {
    if (!runQuery("$PQVXQ,MDM\r\n", ReplyKind::Mdm)) return false;
    modem = status().modem.get();
    return true;
}

bool CInternalReceiver::QueryModemState(int& state) {
    ModemReply modem;
    if (!queryModem(modem)) return false;
    state = modem.modemState;
    return true;
}

bool CInternalReceiver::QueryModemIsGprs(bool& gprs) {
    ModemReply modem;
    if (!queryModem(modem)) return false;
    gprs = modem.protocol == '1';
    return true;
}

bool CInternalReceiver::QueryModemStateEx(bool& gprs, int& state) {
    ModemReply modem;
    if (!queryModem(modem)) return false;
    gprs = modem.protocol == '1';
    state = modem.modemState;
    return true;
}

bool CInternalReceiver::QueryModemCsd(std::u16string& pin, std::u16string& phoneNumber) {
    ModemReply modem;
    if (!queryModem(modem)) return false;
    pin = fromReceiverText(modem.pin);
    phoneNumber = fromReceiverText(modem.phoneNumber);
    return true;
}

bool CInternalReceiver::QueryModemGprs(std::u16string& pin, std::u16string& accessPoint,
                                       std::u16string& login, std::u16string& password) {
    ModemReply modem;
    if (!queryModem(modem)) return false;
    pin = fromReceiverText(modem.pin);
    accessPoint = fromReceiverText(modem.accessPoint);
    login = fromReceiverText(modem.login);
    password = fromReceiverText(modem.password);
    return true;
}

}  // namespace quorrel
