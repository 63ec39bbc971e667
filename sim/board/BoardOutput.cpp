#include "sim/board/BoardOutput.h"

#include "sim/board/NmeaChecksum.h"

namespace quorrel {

void BoardOutput::sentence(const std::string& body, OutputKind kind) {
    send(sealSentence(body), kind);
}

}  // namespace quorrel
