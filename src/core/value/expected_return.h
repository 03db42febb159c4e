// The expected return of bets: the variant analysis's total payout coefficient
// (its categories 9..15 summed) for every variant of a field at once, for the
// lines of a bet list at their per-variant stakes, and the list reduced to its
// best bets by that value.
#pragma once

#include "core/analysis/analysis.h"
#include "core/bets/bet_list.h"
#include "core/bets/bets.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kav {

using ValueProgress = std::function<void(int percent)>;

// The total payout coefficient of one variant walked exactly as the variant
// analysis is written down (powers taken as powers, categories summed 9 to
// 15), for the setup prepareWalk gave for that same variant.
double exactVariantReturn(const AnalysisInput& in, const WalkSetup& setup);

// The total payout coefficient of every variant of a field (per event a set
// of outcomes). The payout of a result depends on the variant only through
// the number of hits, so the table is the result-by-result payout of each hit
// count carried through the fifteen events one at a time, a few passes over
// the results instead of one walk per variant. The bets made of one outcome
// in all fifteen events share their prize with the counted uniform bets and
// are walked on their own.
struct ExpectedReturnTableBuild;
class ExpectedReturnTable {
public:
    using Build = ExpectedReturnTableBuild;
    // `in.variant` is not read. A field with an empty event gives an empty
    // table. A uniform bet the analysis refuses leaves its refusal (below).
    // With `wanted`, only the variants of those coupons (inside the field)
    // are looked up afterwards, and only the payouts they reach are computed.
    static Build build(const AnalysisInput& in, const Coupon& field,
                       const std::atomic<bool>* cancel = nullptr,
                       const ValueProgress& progress = {},
                       const std::vector<Coupon>* wanted = nullptr);

    const Coupon& field() const { return field_; }
    bool contains(const Variant& v) const;
    // The total payout coefficient of a variant of the field.
    double at(const Variant& v) const;

    // Why the analysis refuses a uniform bet of the coupon (a count of 0
    // such bets in the draw); nothing when it refuses none.
    struct Refusal {
        AnalysisStatus status = AnalysisStatus::Fault;
        std::string problem;
    };
    const Refusal* refusal(const Coupon& c) const;

private:
    std::array<std::optional<Refusal>, kOutcomes> uniformRefusal_{};
    Coupon field_{};
    std::vector<double> totals_; // by result index, event 1 the most significant digit
    std::array<double, kOutcomes> uniform_{};
};

struct ExpectedReturnTableBuild {
    std::optional<ExpectedReturnTable> table;
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem; // the analysis's message when not Done
};

// Fixed-point decimal text of `value` with `digits` significant digits
// ("12.3456789", "0.000123456789"); "0" for zero.
std::string significantText(double value, int digits = 9);

struct LineReturn {
    bool valid = false; // false for a line that is no coupon
    double value = 0;   // money: per-variant stake x the sum over its variants
    std::uint64_t variants = 0;
};

struct PackageReturn {
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem;
    std::vector<LineReturn> lines; // one per bet-list line
    double total = 0;
    std::optional<double> returnPercent; // of the list's money total; nothing for 0
};

// The expected return of every line of `lines` (the parsed bet list), printed
// to nine significant digits exactly as the walk of each variant would give it:
// a value whose ninth digit the table's different order of summation could
// change is walked again variant by variant.
PackageReturn packageExpectedReturn(const AnalysisInput& in, const Lines& lines, Fixed4 stakeTotal,
                                    const std::atomic<bool>* cancel = nullptr,
                                    const ValueProgress& progress = {});

// The per-variant expected returns of the list's variants, for the reductions.
struct ReducedList {
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem;
    Lines lines;
    std::size_t removedVariants = 0;
};

// Keeps the `keep` variants of the list with the highest expected return
// (the earlier one on a tie), or (`minimum`) those whose expected return is
// at least the minimum; a coupon partly kept is replaced in place by its kept
// variants as single bets at its per-variant stake, lines that are no coupon
// stay as they are.
// With ValueRule::InPackage a variant's value is its payout in the whole
// list (the list's other winning variants among its co-winners).
enum class ValueRule { Alone, InPackage };
ReducedList keepBestVariants(const AnalysisInput& in, const Lines& lines, std::uint64_t keep,
                             const std::atomic<bool>* cancel = nullptr,
                             const ValueProgress& progress = {}, ValueRule rule = ValueRule::Alone);
ReducedList keepVariantsAtLeast(const AnalysisInput& in, const Lines& lines, double minimum,
                                const std::atomic<bool>* cancel = nullptr,
                                const ValueProgress& progress = {},
                                ValueRule rule = ValueRule::Alone);

// The bookmaker's probability over the public's share of one outcome
// (quote % / pool share %); nothing when the share is not positive.
std::optional<double> valueRatio(const Fixed4& quote, const Fixed4& poolShare);

} // namespace kav
