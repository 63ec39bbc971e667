#pragma once

#include <string>
#include <vector>

#include "receiver/CInternalReceiver.h"
#include "support/SimulatedReceivers.h"

namespace quorrel::test {

// Where the board's radio sits, what it is, the channel it is on and how many channels it
// reports (-1: as many as its type has).
struct RadioAt {
    char port;
    const char* type;
    int channel = 0;
    int channels = -1;
};

// The board with its radio somewhere, detecting its type in hundredths of the real time,
// and a driver that waits long enough for a loaded machine.
struct RadioBoard {
    // Detection takes 20 ms on this board; the page waits this long for it.
    static constexpr int kDetectWaitMs = 200;

    static BoardConfig config(const RadioAt& radio) {
        BoardConfig c;
        c.timeScale = 0.01;
        c.ownPort = 'C';  // the radio ports' baud rates must not move the program's own
        c.radioPort = radio.port;
        c.radioType = radio.type;
        c.radioChannel = radio.channel;
        c.radioChannels = radio.channels;
        return c;
    }

    explicit RadioBoard(const RadioAt& radio) : link(config(radio)) {
        LinkTimeouts timeouts = shortLinkTimeouts();
        timeouts.replyMs = 1500;
        static_cast<CInternalReceiver&>(*link.receiver).setTimeouts(timeouts);
        opened = link.open();
    }

    std::vector<std::string> received() const { return link.received(); }

    BoardLink link;
    bool opened = false;
};

}  // namespace quorrel::test
