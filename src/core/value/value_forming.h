// Forming by value: from a field of single bets, the bet that raises the
// package's expected return most (the package's own winners among each
// other's co-winners), again and again. Every candidate's gain is kept exact
// as bets are added (one pass over the field at the start, then per bet a
// walk of its near results and a carry of what changed to all candidates), so
// the bets are those of the plain greedy that re-evaluates every bet at every
// step.
#pragma once

#include "core/analysis/analysis.h"
#include "core/bets/bets.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kav {

// The package's counts of variants at each number of misses of every result,
// and what one more variant adds to the package's total payout coefficient.
class ValueGains {
public:
    explicit ValueGains(const AnalysisInput& in, const WalkSetup& regular);
    ValueGains(const ValueGains&) = delete;
    ValueGains& operator=(const ValueGains&) = delete;
    ~ValueGains();

    // One more variant (outcomes 0..2) in the package.
    void add(const Variant& v);
    // The payout coefficient the package gains with `v`, given the coefficient
    // `v` earns when played alone.
    double gain(const Variant& v, double alone) const;
    // The counts by result and misses (result * 7 + misses), or null before
    // the first variant.
    const std::uint16_t* counts() const;

private:
    struct State;
    State* s_;
};

// Kept: every gain kept up to date; Plain: every candidate walked against the
// package at every step (the slow reference).
enum class ValueGreedy { Kept, Plain };

struct ValueFormInput {
    Coupon field{};             // the candidates: its variants but the uniform ones
    std::vector<Variant> start; // the package before, outcomes 0..2
    std::int64_t limit = 1;     // bets to add at most
    double minimumGain = 1;     // a bet must gain more than this (its own stake)
};

struct ValueFormOutcome {
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem;
    std::vector<Variant> chosen;  // in the order chosen
    std::vector<double> gains;    // each one's gain when chosen
    std::int64_t evaluations = 0; // passes over the field, or walks of a candidate
};

// Variants the package may start with: their walks cost a pass over the
// results near each.
constexpr std::size_t kValueStartLimit = 20000;

// `progress(chosen)` after each chosen bet; `cancel` stops with status Cancelled.
ValueFormOutcome formByValue(const AnalysisInput& in, const ValueFormInput& request,
                             ValueGreedy greedy = ValueGreedy::Kept,
                             const std::atomic<bool>* cancel = nullptr,
                             const std::function<void(std::int64_t)>& progress = {});

} // namespace kav
