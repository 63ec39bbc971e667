#include "SimulatedBoard.h"

#include "sim/board/BoardSimulator.h"

namespace quorrel::test {

SimulatedBoard::SimulatedBoard(const BoardConfig& config)
    : m_config(config), m_board(std::make_unique<BoardSimulator>(config)) {}

SimulatedBoard::~SimulatedBoard() = default;

bool SimulatedBoard::start() {
    return m_board->start();
}
void SimulatedBoard::stop() {
    m_board->stop();
}
const std::string& SimulatedBoard::devicePath() const {
    return m_board->devicePath();
}
std::uint32_t SimulatedBoard::listeningBaud() const {
    return m_board->status().listeningBaud;
}

void SimulatedBoard::nak(const std::string& command, int times) {
    m_board->nak(command, times);
}
void SimulatedBoard::ignore(const std::string& command, int times) {
    m_board->ignore(command, times);
}
void SimulatedBoard::corruptChecksum(const std::string& reply, int times) {
    m_board->corruptChecksum(reply, times);
}
void SimulatedBoard::delayReplies(int ms) {
    m_board->delayReplies(ms);
}
void SimulatedBoard::unplug() {
    m_board->unplug();
}

std::size_t SimulatedBoard::receivedCount(const std::string& prefix) const {
    return m_board->receivedCount(prefix);
}
bool SimulatedBoard::hasReceived(const std::string& prefix) const {
    return m_board->waitForReceived(prefix, 0).has_value();
}
std::string SimulatedBoard::lastReceived() const {
    const auto log = m_board->receivedLog();
    return log.empty() ? std::string() : log.back().text;
}
std::vector<std::string> SimulatedBoard::receivedLines() const {
    std::vector<std::string> lines;
    for (const auto& entry : m_board->receivedLog())
        lines.push_back(entry.text);
    return lines;
}
void SimulatedBoard::clearLog() {
    m_board->clearLog();
}

}  // namespace quorrel::test
