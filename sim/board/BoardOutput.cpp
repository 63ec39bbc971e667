#include "sim/board/BoardOutput.h"

#include "receiver/link/Checksum.h"

namespace quorrel {

void BoardOutput::sentence(const std::string& body, OutputKind kind) {
    send(withChecksum(body), kind);
}

}  // namespace quorrel
