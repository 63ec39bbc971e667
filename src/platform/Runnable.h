#pragma once

#include <cstdint>

namespace quorrel {

// A thread body that can be asked to finish.
class Runnable {
public:
    virtual std::uint32_t run() = 0;
    // Asks run() to return soon; it polls a flag this sets.
    virtual void requestStop() = 0;
    virtual ~Runnable() = default;
};

}  // namespace quorrel
