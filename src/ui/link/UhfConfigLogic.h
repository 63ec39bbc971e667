#pragma once

#include <optional>

#include "ui/kit/StringIds.h"

namespace quorrel {

class CGnssReceiver;

// What the Radio page opens with.
struct UhfRadioChoice {
    int radioType = 0;
    int baudCode = 5;  // a row of "Baud Rate"
};

// What the Settings page shows and sends back: positions in its lists, for `radioType`.
struct UhfSettings {
    bool read = false;  // false: the page stays closed and OK sends nothing
    int radioType = 0;
    int channelCount = 0;
    int channelPosition = 0;
    int speedPosition = 0;
    int protocolPosition = 0;
    int sensitivity = 0;
    int mode = 0;  // 0 automatic channel selection, 1 manual
    bool turnOnShown = false;
    bool turnOn = false;
    std::optional<StringId> message;  // to tell once the worker is done
};

// The UHF radio sheet without its widgets. Every receiver call of the two pages is in these
// functions, in the order the pages make them; they run on the receiver worker.
class UhfConfigLogic {
public:
    // How long a radio on port D gets to find out what it is.
    static constexpr int kDetectWaitMs = 5000;

    // `radioFlag` 0: the radio hangs on port B and Corvalen is not offered; 1: the port
    // follows the radio type. `radioEnabled` 0 puts every radio on port A.
    UhfConfigLogic(int radioFlag, int radioEnabled, int detectWaitMs = kDetectWaitMs)
        : m_radioFlag(radioFlag), m_radioEnabled(radioEnabled), m_detectWaitMs(detectWaitMs) {}

    bool offersCorvalen() const { return m_radioFlag != 0; }
    // The receiver port every radio command names for a radio of `radioType`.
    int port(int radioType) const;

    // Radio page opening: powers the radio, finds its type (keeping `radioType` when the
    // radio says UNKNOWN) and reads the baud rate of its port.
    UhfRadioChoice openRadio(CGnssReceiver& receiver, int radioType) const;
    // Leaving the Radio page for the Settings page: port standard, type and, when it
    // changed, the baud rate.
    void leaveRadio(CGnssReceiver& receiver, int radioType, std::optional<int> changedBaud) const;
    // OK on the Radio page: only a changed baud rate.
    void applyRadio(CGnssReceiver& receiver, int radioType, std::optional<int> changedBaud) const;

    // Settings page activation: the radio's parameters as list positions. Not read for a
    // radio of type None, and with message 195 when the radio does not answer.
    UhfSettings readSettings(CGnssReceiver& receiver, int radioType) const;
    // OK on the Settings page (only after a read): sends the parameters, switching the radio
    // on or off as "Turn on" says; message 196 when the receiver refuses them.
    std::optional<StringId> applySettings(CGnssReceiver& receiver, int radioType,
                                          const UhfSettings& settings) const;

    int detectWaitMs() const { return m_detectWaitMs; }

private:
    int m_radioFlag;
    int m_radioEnabled;
    int m_detectWaitMs;
};

}  // namespace quorrel
