// Small tools of the value computations: results and variants as indices of
// the field of 3^15 results, the variants of a coupon in order, the numbers a
// walk carries down to a result and the analysis's payout of that result, and
// work split over the machine's two cores.
#pragma once

#include "core/analysis/analysis.h"
#include "core/bets/bets.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <optional>
#include <thread>

namespace kav::value {

constexpr std::size_t kResults = 14348907; // 3^15
constexpr int kSlots = kMaxMisses + 1;     // misses 0..6 of one result

constexpr std::array<std::size_t, kEvents + 1> powersOfThree() {
    std::array<std::size_t, kEvents + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= kEvents; ++i)
        p[i] = p[i - 1] * 3;
    return p;
}
constexpr auto kPow3 = powersOfThree();

// The place of event e's digit in a result index.
constexpr std::size_t stride(int e) {
    return kPow3[kEvents - 1 - e];
}

inline std::size_t resultIndex(const Variant& v) {
    std::size_t i = 0;
    for (int e = 0; e < kEvents; ++e)
        i = i * 3 + v[e];
    return i;
}

// Every variant of a coupon, event 1 first, outcomes in the order "1", "X", "2".
template <class Visit> void forEachVariant(const Coupon& c, Visit visit) {
    Variant v{};
    std::array<int, kEvents> at{};
    std::array<std::array<std::uint8_t, kOutcomes>, kEvents> outcomes{};
    std::array<int, kEvents> size{};
    for (int e = 0; e < kEvents; ++e) {
        for (int o = 0; o < kOutcomes; ++o)
            if (c[e] & outcomeBit(o))
                outcomes[e][size[e]++] = static_cast<std::uint8_t>(o);
        if (size[e] == 0)
            return;
        v[e] = outcomes[e][0];
    }
    while (true) {
        visit(v);
        int e = kEvents - 1;
        while (e >= 0 && ++at[e] == size[e]) {
            at[e] = 0;
            v[e] = outcomes[e][0];
            --e;
        }
        if (e < 0)
            return;
        v[e] = outcomes[e][at[e]];
    }
}

inline bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

// The analysis's input with `v` (outcomes 0..2) as the analysed variant.
inline AnalysisInput withVariant(const AnalysisInput& in, const Variant& v) {
    AnalysisInput out = in;
    for (int e = 0; e < kEvents; ++e)
        out.variant[e] = static_cast<std::uint8_t>(v[e] + 1);
    return out;
}

// The setup of every bet that is not uniform: its checks of the pool, jackpot
// and shares come before any other.
inline std::optional<WalkSetup> regularSetup(const AnalysisInput& in, AnalysisOutcome& refused) {
    Variant probe{};
    probe[kEvents - 1] = 1;
    return prepareWalk(withVariant(in, probe), refused);
}

// What one outcome of one event adds to the numbers a walk carries.
struct Terms {
    double quote = 0, share = 0, inverse = 0, logShare = 0;
};
using EventTerms = std::array<std::array<Terms, kOutcomes>, kEvents>;

inline EventTerms eventTerms(const AnalysisInput& in) {
    EventTerms terms{};
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o) {
            Terms& t = terms[e][o];
            t.quote = static_cast<double>(in.quotes[e][o].raw()) / 10000;
            t.share = static_cast<double>(in.poolShares[e][o].raw()) / 10000;
            t.inverse = 100 / t.share;
            t.logShare = std::log(t.share / 100);
        }
    return terms;
}

// The numbers a walk carries down to a result: its chance d, its pool product
// c, its inverse-share sum b and log c.
struct Path {
    double d = 1, c = 1, b = 0, logC = 0;
    Path then(const Terms& t) const {
        return {d * t.quote / 100, c * t.share / 100, b + t.inverse, logC + t.logShare};
    }
};

// The analysis's payout of one result to a variant with `a` misses, with
// `others` more stake share among the co-winners. With others = 0 it is the
// analysis's payout term for term.
class SharedPayout {
public:
    explicit SharedPayout(const WalkSetup& s) : s_(s) {
        for (int i = 0; i < kCategories; ++i) {
            prizeShare_[i] = static_cast<double>(kPrizeShareRaw[i]) / 10000;
            exponent_[i] = 15.0 / (kFirstCategory + i);
        }
        // Past this ratio F / c the popularity term is below 2^-60 of 1.
        negligible_ =
            s.countMean == 0
                ? -HUGE_VAL
                : 1 + (60 * std::log(2.0) + std::log(std::abs(s.countMean))) / -kPopularitySlope;
    }

    // L: the stake share of the result's own combination.
    double ownShare(double c) const {
        const double ratio = s_.favourite / c;
        return ratio > negligible_
                   ? s_.stakeShare
                   : (std::exp(kPopularitySlope * (ratio - 1)) * s_.countMean + 1) * s_.stakeShare;
    }

    // One result's payout to a variant with `a` misses as a function of the
    // stake share of the more co-winners: the exponentials taken once.
    struct Slot {
        double top = 0, rivals = 0, jackpot = 0, c = 0, l = 1;
        bool all = false; // fifteen hits: the jackpot's term too
        double at(double others) const {
            return all ? top / (rivals + others) + jackpot / ((c + others) / l + 1)
                       : top / (rivals + others);
        }
    };
    Slot slot(int a, const Path& p, double logSpread, double l) const {
        const int i = kCategories - 1 - a;
        if (a == 0)
            return {p.d * prizeShare_[i], l + p.c, p.d * s_.jackpotUnits, p.c, l, true};
        return {p.d * prizeShare_[i],
                std::exp(exponent_[i] * (p.logC + a * logSpread)) * kResultsWithHits[i] + l};
    }

    double pay(int a, const Path& p, double logSpread, double l, double others) const {
        return slot(a, p, logSpread, l).at(others);
    }

    double unitShare() const { return s_.stakeShare; }

private:
    WalkSetup s_;
    std::array<double, kCategories> prizeShare_{};
    std::array<double, kCategories> exponent_{};
    double negligible_ = 0;
};

// Carries one digit of a table of rows by misses (row a at data + a * row):
// `blocks` blocks of three runs of `run` entries, the digit's three outcomes.
// A variant outcome o with a misses so far collects the result's own entry
// at a and the other two outcomes' at a + 1; rows 0..rows-1 are carried, the
// blocks [hiFrom, hiTo) and in each the entries [loFrom, loTo) of a run.
inline void carryPayouts(double* data, std::size_t row, std::size_t run, std::size_t hiFrom,
                         std::size_t hiTo, std::size_t loFrom, std::size_t loTo,
                         int rows = kMaxMisses) {
    for (std::size_t hi = hiFrom; hi < hiTo; ++hi)
        for (int a = 0; a < rows; ++a) {
            double* p = data + static_cast<std::size_t>(a) * row + hi * 3 * run;
            const double* q = p + row; // one miss more, not yet carried
            for (std::size_t lo = loFrom; lo < loTo; ++lo) {
                const double x0 = q[lo], x1 = q[run + lo], x2 = q[2 * run + lo];
                p[lo] += x1 + x2;
                p[run + lo] += x0 + x2;
                p[2 * run + lo] += x0 + x1;
            }
        }
}

// Runs `work(part)` for part = 0..parts-1 on two threads.
template <class Work> inline void onTwoThreads(int parts, Work work) {
    std::atomic<int> next{0};
    auto loop = [&] {
        for (int p; (p = next.fetch_add(1)) < parts;)
            work(p);
    };
    std::thread helper(loop);
    loop();
    helper.join();
}

} // namespace kav::value
