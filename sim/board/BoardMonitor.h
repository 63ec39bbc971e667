#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace quorrel {

// Plays the program's part for a few seconds: opens the device at `baud`, asks for the
// port, the version and the standard output on port `port`, and prints every sentence it
// reads with its arrival time. False when the device cannot be opened.
bool monitorBoard(const std::string& device, std::uint32_t baud, char port, double seconds,
                  std::ostream& out);

}  // namespace quorrel
