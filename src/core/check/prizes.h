// Prizes per winning variant of the categories 9..15, as the player types
// them or estimated from the pool, and the package table of a checked list:
// winners, prize times winners, return, stake, profit.
#pragma once

#include "core/analysis/analysis.h"
#include "core/base/fixed4.h"
#include "core/check/draw_result.h"
#include "core/check/package_check.h"
#include "core/draw/draw_model.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// Money per winning variant, index k - 9.
using PrizeList = std::array<Fixed4, kCategories>;

// Seven amounts, category 9 first. Separated by ";" or blanks, each amount
// may take "," as its decimal separator ("1200,5; 300; ..."); separated by
// "," alone, the amounts are plain ("1200.5,300,...") or, when there are
// fourteen parts, pairs of whole and fraction ("1200,50,300,00,..."). Amounts
// are not negative. Nothing for any other text.
std::optional<PrizeList> parsePrizeList(std::string_view text);

// "P9,P10,...,P15" in the plain money form, which parsePrizeList reads back.
std::string prizeListText(const PrizeList& prizes);

// The prizes typed for a draw, category by category; a category left blank
// has no amount and is estimated from the draw's pool wherever it is used.
struct TypedPrizes {
    std::array<std::optional<Fixed4>, kCategories> amounts{};

    TypedPrizes() = default;
    // Every category typed, or none.
    TypedPrizes(const std::optional<PrizeList>& all); // NOLINT(google-explicit-constructor)
    TypedPrizes(const PrizeList& all) : TypedPrizes(std::optional<PrizeList>(all)) {} // NOLINT
    TypedPrizes(std::nullopt_t) {}                                                    // NOLINT
    bool any() const;
    bool complete() const;
    bool operator==(const TypedPrizes&) const = default;
};

// "P9,...,P15" as prizeListText writes it, with "-" for a blank category;
// nothing typed is the empty text. Read back by parseTypedPrizes, which also
// takes every form parsePrizeList reads.
std::string typedPrizesText(const TypedPrizes& prizes);
std::optional<TypedPrizes> parseTypedPrizes(std::string_view text);

struct PrizeEstimate {
    std::optional<PrizeList> prizes; // nothing when the draw's numbers do not allow one
    std::string problem;             // why not, for the player
};

// The expected prize per winning variant at the country's unit stake: each
// category's share of the pool divided among the expected winners of this
// result, with the pool shares, jackpot and uniform-bet counts as the variant
// analysis uses them (the jackpot goes to category 15). A void event is a hit
// for everyone. Rounded to kopecks.
PrizeEstimate estimatePrizes(const DrawModel& draw, const DrawTotals& totals,
                             const DrawResult& result);

struct PackageTableRow {
    int category = 0;
    std::uint64_t winners = 0; // winning variants of the list
    Fixed4 prize;              // per winning variant
    Fixed4 amount;             // prize x winners
};

struct PackageTable {
    std::array<PackageTableRow, kCategories> rows{};
    Fixed4 totalReturn;
    Fixed4 stake; // the list's total
    Fixed4 profit;
    // Return in percent of the stake; nothing for a stake of 0.
    std::optional<double> returnPercent;
    // True when an amount left the range of money the program counts in;
    // the amounts then mean nothing.
    bool overflow = false;
};

PackageTable packageTable(const CategoryCounts& winners, const PrizeList& prizes, Fixed4 stake);

// The typed prizes with the estimate in the blank categories (marked in
// `estimated`); nothing when a blank category has no estimate.
std::optional<PrizeList> completedPrizes(const TypedPrizes& typed,
                                         const std::optional<PrizeList>& estimate,
                                         std::array<bool, kCategories>* estimated = nullptr);

} // namespace kav
