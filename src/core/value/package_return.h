// The expected return of a package whose variants share each category's fund
// with each other. For a result r and a category k, the m_k(r) variants of the
// package with exactly k hits are each paid the variant analysis's payout of r
// with the other m_k(r) - 1 of them added to the co-winners, one unit stake
// share each beside the estimated rival winners; the jackpot is shared the
// same way. A package of one bet is the variant analysis itself, and no
// package at the unit stake takes more than the fund plus the jackpot.
#pragma once

#include "core/value/expected_return.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace kav {

// How the package's counts at each distance of a result are found: by its
// coupons (each coupon's count is a product over the events, carried down a
// walk of the results near the package), or over the field (the package's
// variants counted at each exact distance, carried event by event through
// slices of the field). Automatic takes the cheaper for the package.
enum class ShareMethod { Automatic, ByCoupons, OverField };

struct SharedCoefficients {
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem;
    // Per coupon, the sum over its variants of the payout coefficient each
    // earns in the package (each coupon played once at the unit stake share).
    std::vector<double> perCoupon;
    // Some result is won by two variants of the package in one category;
    // without that the package is worth the sum of its variants alone.
    bool shared = false;
};

// `in.variant` is not read; an empty coupon adds nothing and is worth 0.
SharedCoefficients sharedCoefficients(const AnalysisInput& in, const std::vector<Coupon>& coupons,
                                      const std::atomic<bool>* cancel = nullptr,
                                      const ValueProgress& progress = {},
                                      ShareMethod method = ShareMethod::Automatic);

// The bet list valued as one package: each line's value is its share of the
// package's return (its per-variant stake times the sum over its variants of
// their payout in the package), the total the package's return. A list in
// which no two variants meet at a result is valued exactly as alone.
PackageReturn packageSharedReturn(const AnalysisInput& in, const Lines& lines, Fixed4 stakeTotal,
                                  const std::atomic<bool>* cancel = nullptr,
                                  const ValueProgress& progress = {},
                                  ShareMethod method = ShareMethod::Automatic);

} // namespace kav
