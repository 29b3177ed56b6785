#include <gtest/gtest.h>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <time.h>
#endif

#include "core/Random.h"

using namespace kvarnel;

namespace {

struct DrawVector {
    std::uint32_t seedBefore;
    std::uint32_t draw;
    std::uint32_t seedAfter;
};

void PrintTo(const DrawVector& v, std::ostream* os) { *os << "seed " << v.seedBefore; }

class RandomVectors : public ::testing::TestWithParam<DrawVector> {};

TEST_P(RandomVectors, DrawOf39StepsTheSeedFirst) {
    Random random(GetParam().seedBefore);
    EXPECT_EQ(random.draw(39), GetParam().draw);
    EXPECT_EQ(random.seed(), GetParam().seedAfter);
}

INSTANTIATE_TEST_SUITE_P(Known, RandomVectors,
                         ::testing::Values(DrawVector{0, 0, 1}, DrawVector{12345, 15, 1655067934u},
                                           DrawVector{4294967295u, 37, 4160191484u}));

TEST(Random, DrawIsTheHighHalfOfTheProduct) {
    Random random(0x9E3779B9u);
    for (std::uint32_t n : {1u, 2u, 39u, 1000u, 4294967295u}) {
        const std::uint32_t before = random.seed();
        const std::uint32_t value = random.draw(n);
        const std::uint32_t stepped = before * 134775813u + 1u;
        EXPECT_EQ(random.seed(), stepped);
        EXPECT_EQ(value, static_cast<std::uint32_t>((std::uint64_t{n} * stepped) >> 32)) << n;
        EXPECT_LT(value, n);
    }
}

TEST(Random, SeedTakesTheLow32BitsOfTheCounter) {
    Random random(7);
    random.seedFrom([] { return std::optional<std::uint64_t>(0x123456789ABCDEF0ull); },
                    [] { return std::uint32_t{42}; });
    EXPECT_EQ(random.seed(), 0x9ABCDEF0u);
}

TEST(Random, SeedFallsBackToMillisecondsWithoutACounter) {
    Random random(7);
    random.seedFrom([] { return std::optional<std::uint64_t>(); }, [] { return std::uint32_t{86400123}; });
    EXPECT_EQ(random.seed(), 86400123u);
}

TEST(Random, SameCounterReadingGivesTheSameSeed) {
    Random a(1), b(2);
    auto counter = [] { return std::optional<std::uint64_t>(5555555555ull); };
    auto ms = [] { return std::uint32_t{0}; };
    a.seedFrom(counter, ms);
    b.seedFrom(counter, ms);
    b.seedFrom(counter, ms);
    EXPECT_EQ(a.seed(), b.seed());
}

// The platform's high-resolution counter, read here independently of the product code.
std::uint32_t monotonicLow32() {
#if defined(_WIN32)
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<std::uint32_t>(counter.QuadPart);
#else
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000000000u +
                                      static_cast<std::uint64_t>(ts.tv_nsec));
#endif
}

TEST(Random, SeedFromClockReadsTheHighResolutionCounter) {
    Random random(0);
    const std::uint32_t before = monotonicLow32();
    random.seedFromClock();
    const std::uint32_t after = monotonicLow32();
    // Unsigned differences keep the check right across a wrap of the low 32 bits.
    EXPECT_LE(random.seed() - before, after - before);
}

}  // namespace
