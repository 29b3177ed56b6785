#include "Random.h"

#include <time.h>

namespace kvarnel {

namespace {

std::optional<std::uint64_t> monotonicNanoseconds() {
    timespec ts{};
    if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000000000u + static_cast<std::uint64_t>(ts.tv_nsec);
}

std::uint32_t millisecondsSinceBoot() {
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0) return 0;
    const std::uint64_t ms =
        static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);  // wraps like a 32-bit tick count
}

}  // namespace

void Random::seedFromClock() { seedFrom(monotonicNanoseconds, millisecondsSinceBoot); }

void Random::seedFrom(const CounterSource& counter, const MillisecondSource& milliseconds) {
    if (const std::optional<std::uint64_t> reading = counter())
        seed_ = static_cast<std::uint32_t>(*reading);
    else
        seed_ = milliseconds();
}

std::uint32_t Random::draw(std::uint32_t n) {
    seed_ = seed_ * 134775813u + 1u;  // uint32_t arithmetic wraps mod 2^32
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(n) * seed_) >> 32);
}

}  // namespace kvarnel
