#pragma once

#include <string>

namespace quorrel {

// What a piece of output is, for the fault switches and the output queue: replies can be
// delayed, epoch output is dropped first when nobody reads the port.
enum class OutputKind { Epoch, Reply };

// Where the board's firmware puts what it sends on its own port.
class BoardOutput {
public:
    virtual ~BoardOutput() = default;
    virtual void send(std::string bytes, OutputKind kind) = 0;

    // "$" + body + "*HH" CR LF.
    void sentence(const std::string& body, OutputKind kind = OutputKind::Reply);
    void ack(const std::string& code) { sentence("PQVXR,ACK," + code); }
    void nak(const std::string& code) { sentence("PQVXR,NAK," + code); }
};

}  // namespace quorrel
