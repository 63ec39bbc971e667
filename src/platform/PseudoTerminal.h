#pragma once

#include <string>

namespace quorrel {

// The master side of a new pseudo-terminal, whose slave is in raw mode so that bytes pass
// unchanged. Simulators and tests stand on the master; the program opens slavePath().
class PseudoTerminal {
public:
    PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }
    // The line speed the slave side was last set to (0 when unknown).
    unsigned slaveBaudRate() const;
    // Closing the master makes the device vanish for whoever holds the slave.
    void closeMaster();

private:
    int m_master = -1;
    int m_slaveKeeper = -1;  // keeps the slave's settings alive until the program opens it
    std::string m_slavePath;
};

}  // namespace quorrel
