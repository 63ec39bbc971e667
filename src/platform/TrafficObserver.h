#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace quorrel {

// Which way bytes crossed a port.
enum class TrafficDirection { In, Out };

// Sees every byte a port reads or writes, on the thread that read or wrote it.
using TrafficObserver =
    std::function<void(TrafficDirection direction, const std::uint8_t* bytes, std::size_t length)>;

}  // namespace quorrel
