// The program's one random generator: a 32-bit linear congruential generator
// (seed <- seed * 134775813 + 1). Passed by reference to every action that draws.
#pragma once

#include <cstdint>

namespace kav {

class Rng {
public:
    explicit Rng(std::uint32_t seed = 0) : seed_(seed) {}

    void setSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t seed() const { return seed_; }

    // One step of the generator.
    std::uint32_t step() {
        seed_ = seed_ * kMultiplier + 1u;
        return seed_;
    }
    // An integer draw below n: the upper 32 bits of seed * n after the step.
    std::uint32_t below(std::uint32_t n) {
        step();
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * n) >> 32);
    }
    // A real draw in [0, 1): seed / 2^32 after the step.
    double real() {
        step();
        return static_cast<double>(seed_) / 4294967296.0;
    }

    // The seed `steps` steps after `seed`, without taking them one by one, and
    // the seed one step before it: a long run of draws can be skipped and then
    // read from its end.
    static std::uint32_t seedAfter(std::uint32_t seed, std::uint64_t steps);
    static std::uint32_t seedBefore(std::uint32_t seed);

    // A seed taken from the clock, for the start of the program.
    static std::uint32_t clockSeed();

private:
    static constexpr std::uint32_t kMultiplier = 134775813u;
    std::uint32_t seed_;
};

} // namespace kav
