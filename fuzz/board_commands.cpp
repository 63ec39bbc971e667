// Arbitrary bytes as the board receives them on its port: its framer, its command parser
// and every handler must take them without crashing, and answer only with whole sentences.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/board/Board.h"
#include "sim/board/CommandFramer.h"

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
    // Time moves a millisecond a sentence and never reaches the seconds the modem needs to come
    // up, so no input can make the board open network connections.
    std::int64_t now = 0;
    const std::int64_t utc = 1773491696000LL;
    board.start(now, utc);
    CommandFramer framer;
    framer.push(
        std::string_view(reinterpret_cast<const char*>(data), size), [&](std::string sentence) {
            if (sentence.empty() || sentence[0] != '$' || sentence.size() > CommandFramer::kLimit ||
                sentence.find_first_of("\r\n") != std::string::npos)
                std::abort();
            ++now;
            board.setClock(now, utc + now);
            board.handleLine(sentence);
            board.advance(now, utc + now);
        });
    board.advance(now + 1000, utc + now + 1000);
    return 0;
}
