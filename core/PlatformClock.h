#pragma once
// The clocks the program reads, one implementation per platform
// (PlatformClockPosix.cpp, PlatformClockWindows.cpp).
#include <cstdint>
#include <ctime>
#include <optional>

namespace kvarnel {

// The high-resolution performance counter, or nothing when it cannot be read.
std::optional<std::uint64_t> highResolutionCounter();

// Milliseconds since the system started, wrapping like a 32-bit tick count.
std::uint32_t millisecondsSinceStart();

// The local date and time of a moment; false when it cannot be converted.
bool toLocalTime(std::time_t moment, std::tm& local);

}  // namespace kvarnel
