// Arbitrary bytes as lines the board receives on its port: the board's command parser and
// every handler must take them without crashing, and answer only with whole sentences.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sim/board/Board.h"

using namespace quorrel;

namespace {

class CheckedOutput : public BoardOutput {
public:
    void send(std::string bytes, OutputKind) override {
        if (bytes.empty() || bytes.size() > 64 * 1024 * 1024) std::abort();
        if (bytes.substr(bytes.size() - 2) != "\r\n") std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BoardConfig config;
    config.startWithFix = true;
    CheckedOutput out;
    Board board(config, out);
    // Time moves a millisecond a line and never reaches the seconds the modem needs to come
    // up, so no input can make the board open network connections.
    std::int64_t now = 0;
    const std::int64_t utc = 1773491696000LL;
    board.start(now, utc);
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        ++now;
        board.setClock(now, utc + now);
        board.handleLine(line);
        board.advance(now, utc + now);
        line.clear();
    }
    board.handleLine(line);
    board.advance(now + 1000, utc + now + 1000);
    return 0;
}
