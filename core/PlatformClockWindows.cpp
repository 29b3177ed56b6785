#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "PlatformClock.h"

namespace kvarnel {

std::optional<std::uint64_t> highResolutionCounter() {
    LARGE_INTEGER counter{};
    if (!QueryPerformanceCounter(&counter)) return std::nullopt;
    return static_cast<std::uint64_t>(counter.QuadPart);
}

std::uint32_t millisecondsSinceStart() { return static_cast<std::uint32_t>(GetTickCount()); }

bool toLocalTime(std::time_t moment, std::tm& local) { return localtime_s(&local, &moment) == 0; }

}  // namespace kvarnel
