// The check of a bet list against the result of a draw: for every line the
// number of its variants that guess exactly k events (k = 9..15), counted
// without expanding the line, and the sums over the list.
#pragma once

#include "core/analysis/analysis.h"
#include "core/bets/bets.h"
#include "core/check/draw_result.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kav {

// Variants per category, index k - 9.
using CategoryCounts = std::array<std::uint64_t, kCategories>;

// Variants of a coupon guessing exactly k events, for k = 0..15: the
// coefficient of x^k in the product over events of (m + r x), r being the
// number of the coupon's outcomes of the event that hit (the result's outcome,
// or every outcome of a void event) and m the number of the others.
std::array<std::uint64_t, kEvents + 1> hitDistribution(const Coupon& coupon,
                                                       const DrawResult& result);

// The prize categories 9..15 of a bet-list line (its mask must be valid).
CategoryCounts lineCategoryCounts(const BetMask& mask, const DrawResult& result);

struct LineCheck {
    bool valid = false; // false for a line that is no coupon
    CategoryCounts counts{};
    int bestHits = 0; // the most events any of its variants guessed
};

struct PackageCheck {
    std::vector<LineCheck> lines; // one per bet-list line
    CategoryCounts totals{};
    int bestHits = 0;             // over the whole list; 0 for an empty one
    std::size_t winningLines = 0; // lines with a variant in category 9 or better
};

PackageCheck checkPackage(const std::vector<BetMask>& masks, const DrawResult& result);

} // namespace kav
