#pragma once
// The question draw's linear congruential generator:
// seed <- seed * 134775813 + 1 (mod 2^32), stepped before use; a draw in 0..n-1
// is floor(n * seed / 2^32).
#include <cstdint>
#include <functional>
#include <optional>

namespace kvarnel {

class Random {
public:
    // A clock reading for seeding: the high-resolution counter when it can be read.
    using CounterSource = std::function<std::optional<std::uint64_t>()>;
    using MillisecondSource = std::function<std::uint32_t()>;

    explicit Random(std::uint32_t seed = 0) : seed_(seed) {}

    // Overwrites the seed with the low 32 bits of the counter, or with the
    // milliseconds since boot when the counter cannot be read.
    void seedFromClock();
    void seedFrom(const CounterSource& counter, const MillisecondSource& milliseconds);

    void setSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t seed() const { return seed_; }
    // n >= 1; returns 0..n-1.
    std::uint32_t draw(std::uint32_t n);

private:
    std::uint32_t seed_;
};

}  // namespace kvarnel
