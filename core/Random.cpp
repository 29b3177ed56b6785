#include "Random.h"

#include "PlatformClock.h"

namespace kvarnel {

void Random::seedFromClock() { seedFrom(highResolutionCounter, millisecondsSinceStart); }

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
