#include "platform/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <cstdlib>

#include "platform/SerialPort.h"

namespace quorrel {

PseudoTerminal::PseudoTerminal() {
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) return;
    char name[128];
    if (grantpt(master) != 0 || unlockpt(master) != 0 ||
        ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return;
    }
    // Raw before anyone opens the slave: otherwise the line discipline echoes and turns
    // CR into LF.
    int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        ::close(master);
        return;
    }
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    m_master = master;
    m_slaveKeeper = slave;
    m_slavePath = name;
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
}

unsigned PseudoTerminal::slaveBaudRate() const {
    if (m_master < 0) return 0;
    termios tio{};
    if (tcgetattr(m_master, &tio) != 0) return 0;
    const speed_t speed = cfgetospeed(&tio);
    for (unsigned rate : {300u, 600u, 1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u})
        if (SerialPort::speedConstant(rate) == speed) return rate;
    return 0;
}

void PseudoTerminal::closeMaster() {
    if (m_slaveKeeper >= 0) ::close(m_slaveKeeper);
    if (m_master >= 0) ::close(m_master);
    m_slaveKeeper = -1;
    m_master = -1;
}

}  // namespace quorrel
