// Zones, quotes and bet lists for the coverage tests, random but reproducible.
#pragma once

#include "core/coverage/coverage.h"

#include <algorithm>
#include <random>
#include <vector>

namespace kav::covtest {

// A zone with the given number of outcomes per event (0..3), taken at random.
inline ZoneCells randomCells(std::mt19937& rng, const std::array<int, kEvents>& counts) {
    ZoneCells cells{};
    for (int e = 0; e < kEvents; ++e) {
        std::array<int, 3> order{0, 1, 2};
        std::shuffle(order.begin(), order.end(), rng);
        for (int j = 0; j < counts[static_cast<std::size_t>(e)]; ++j)
            cells[e][static_cast<std::size_t>(order[static_cast<std::size_t>(j)])] = 1;
    }
    return cells;
}

// A zone of the first `counts[e]` outcomes of each event.
inline ZoneCells firstOutcomes(const std::array<int, kEvents>& counts) {
    ZoneCells c{};
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < counts[static_cast<std::size_t>(e)]; ++o)
            c[e][static_cast<std::size_t>(o)] = 1;
    return c;
}

// A zone of about `maxResults` results or fewer, the variable events scattered.
inline ZoneCells randomZone(std::mt19937& rng, std::int64_t maxResults) {
    std::array<int, kEvents> counts{};
    counts.fill(1);
    std::int64_t n = 1;
    for (int tries = 0; tries < 40; ++tries) {
        int e = static_cast<int>(rng() % kEvents);
        int k = counts[static_cast<std::size_t>(e)];
        if (k == 3 || n / k * (k + 1) > maxResults)
            continue;
        n = n / k * (k + 1);
        ++counts[static_cast<std::size_t>(e)];
    }
    return randomCells(rng, counts);
}

// Quotes of every event summing to 100, each at least 1.
inline QuoteTable randomQuotes(std::mt19937& rng) {
    QuoteTable q{};
    for (int e = 0; e < kEvents; ++e) {
        std::int64_t a = 10000 + static_cast<std::int64_t>(rng() % 600000);
        std::int64_t b = 10000 + static_cast<std::int64_t>(rng() % (980000 - a));
        q[e][0] = Fixed4::fromRaw(a);
        q[e][1] = Fixed4::fromRaw(b);
        q[e][2] = Fixed4::fromRaw(1000000 - a - b);
    }
    return q;
}

inline QuoteTable flatQuotes(double a, double x, double b) {
    QuoteTable q{};
    for (auto& row : q)
        row = {Fixed4::fromDouble(a), Fixed4::fromDouble(x), Fixed4::fromDouble(b)};
    return q;
}

// Coupons mostly near the zone: each event keeps the zone's outcomes, one of
// them, or any set; a few invalid lines are mixed in.
inline std::vector<BetMask> randomCoupons(std::mt19937& rng, const ZoneCells& cells, int count) {
    std::vector<BetMask> out;
    for (int c = 0; c < count; ++c) {
        if (rng() % 17 == 0) {
            out.push_back(kInvalidMask);
            continue;
        }
        Coupon cp{};
        for (int e = 0; e < kEvents; ++e) {
            OutcomeSet zoneSet = 0;
            for (int o = 0; o < 3; ++o)
                if (cells[e][o])
                    zoneSet |= outcomeBit(o);
            unsigned r = rng() % 10;
            if (r < 6) {
                int o;
                do
                    o = static_cast<int>(rng() % 3);
                while (!(zoneSet & outcomeBit(o)) && zoneSet);
                cp[e] = outcomeBit(o);
            } else if (r < 8) {
                cp[e] = static_cast<OutcomeSet>(1 + rng() % 7);
            } else {
                cp[e] = zoneSet ? zoneSet : OutcomeSet{1};
            }
        }
        out.push_back(toMask(cp));
    }
    return out;
}

} // namespace kav::covtest
