#include <time.h>

#include "PlatformClock.h"

namespace kvarnel {

std::optional<std::uint64_t> highResolutionCounter() {
    timespec ts{};
    if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000000000u + static_cast<std::uint64_t>(ts.tv_nsec);
}

std::uint32_t millisecondsSinceStart() {
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0) return 0;
    const std::uint64_t ms =
        static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

bool toLocalTime(std::time_t moment, std::tm& local) { return localtime_r(&moment, &local) != nullptr; }

}  // namespace kvarnel
