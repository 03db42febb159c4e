// Local search for small covering codes: a tabu search on the uncovered results
// that, each time every result is covered, drops the row whose loss hurts least
// and searches on with one row fewer.
//
// The search runs on any product of two- and three-way groups with a set of
// generators: the plain layout of a key (a generator changes one position), or
// the syndrome space of the matrix construction (a generator adds a column of a
// check matrix). Work is measured in counted steps, not in wall time, so a run
// is reproducible from its seed; the threads meet after every fixed slice of
// work so that the outcome does not depend on how they were scheduled.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace kav::kombin {

// A group Z_r0 x Z_r1 x ... (every r 2 or 3) and its generators; the distance of
// two elements is the least number of generators that lead from one to the other.
struct SearchSpace {
    std::vector<std::uint8_t> radix;
    std::vector<std::vector<std::uint8_t>> generators; // as digit vectors, position 0 first
    int radius = 1;
};

// The plain layout of d doubles and t triples: a generator changes one position.
SearchSpace hammingSpace(int doubles, int triples, int radius);

struct SearchProgress {
    std::size_t bestRows = 0; // 0 while no covering code is known
    double done = 0;          // share of the work budget spent, 0..1
};

struct SearchOptions {
    std::uint64_t seed = 1;
    // Work budget in units of about one second of one thread on a desktop core.
    double seconds = 10;
    int threads = 2;
    // Stop as soon as a code with at most this many rows is found (0: never early).
    std::size_t target = 0;
    // A thread gives up after this much work without a smaller code (0: never).
    double patience = 0;
    // Exchange moves: a step may put any word that covers the chosen uncovered
    // element in place of any row, instead of moving a row one step towards it.
    // Each step costs more, but on radius two and above it reaches covers the
    // one-step moves do not.
    bool exchange = false;
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(const SearchProgress&)> progress;
};

struct SearchResult {
    std::vector<std::vector<std::uint8_t>> rows; // smallest covering code found; empty when none
    bool cancelled = false;
    double secondsOfWork = 0; // budget units spent by the thread that found the result
};

// Starts from `start` (which need not cover) and returns the smallest covering
// code found. Codes never go below the sphere-covering bound of the space.
SearchResult searchCover(const SearchSpace& space,
                         const std::vector<std::vector<std::uint8_t>>& start,
                         const SearchOptions& options);

// splitmix64: small, fast and the same on every platform.
class SearchRandom {
public:
    explicit SearchRandom(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Below n, for n < 2^32.
    std::uint32_t below(std::size_t n) {
        return static_cast<std::uint32_t>((next() >> 32) * n >> 32);
    }

private:
    std::uint64_t s_;
};

// Work units per budget second; one unit is one result looked at.
constexpr double kWorkPerSecond = 1.5e8;

} // namespace kav::kombin
