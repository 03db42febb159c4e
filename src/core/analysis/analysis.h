// The variant analysis: for one single bet, the chance of guessing exactly k
// events (k = 9..15) from the bookmaker's quotes, and the bet's expected payout
// per category from the pool shares, the pool, the jackpot and the counts of
// uniform bets. Plain numbers in, plain numbers and table texts out.
#pragma once

#include "core/draw/draw_model.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// The outcome of each event of the analysed bet: 1 = "1", 2 = "X", 3 = "2";
// 0 while nothing has been chosen (such an event is a miss whatever comes).
using AnalysedVariant = std::array<std::uint8_t, kEvents>;

constexpr int kFirstCategory = 9;
constexpr int kCategories = 7; // 9..15
constexpr int kMaxMisses = 6;
constexpr double kPopularitySlope = -5.52;

// Share of the pool paid in category k, as a Fixed4 raw value (index k - 9).
constexpr std::array<std::int64_t, kCategories> kPrizeShareRaw{4000, 2000, 1000, 500,
                                                               500,  500,  500};
// Results guessing exactly k events of a given variant: C(15, k) * 2^(15 - k).
constexpr std::array<std::int32_t, kCategories> kResultsWithHits{320320, 96096, 21840, 3640,
                                                                 420,    30,    1};

// The pool and jackpot fields' texts before any totals have been read. They are
// no numbers, so the analysis refuses them ("Пул не является числом"); a quotes
// file written before the totals arrive carries them as they are, and reading
// such a file gives them back.
inline constexpr std::string_view kPoolTextBeforeTotals = "Edit1";
inline constexpr std::string_view kJackpotTextBeforeTotals = "Edit2";

// What the draw totals put into the analysis window: the pool and jackpot texts
// as the fields hold them and the counts of the all-"1", all-"X", all-"2" bets.
struct DrawTotals {
    std::string poolText{kPoolTextBeforeTotals};
    std::string jackpotText{kJackpotTextBeforeTotals};
    std::array<std::int32_t, 3> uniformCounts{};
    std::int32_t uniformCountMean = 0;
    bool operator==(const DrawTotals&) const = default;
};

// (a + b + c) / 3 rounded to the nearest integer; nothing when the sum overflows.
std::optional<std::int32_t> uniformCountMeanOf(const std::array<std::int32_t, 3>& counts);

// Everything one analysis reads, copied so that it can run away from the window.
struct AnalysisInput {
    std::array<std::array<Fixed4, kOutcomes>, kEvents> quotes{};
    std::array<std::array<Fixed4, kOutcomes>, kEvents> poolShares{};
    AnalysedVariant variant{};
    std::uint8_t drawCountry = kNoCountry;
    DrawTotals totals;
};

AnalysisInput analysisInput(const DrawModel& model, const DrawTotals& totals,
                            const AnalysedVariant& variant);

// The bet the window pre-selects from the marked outcomes: per event "X" when
// marked, else "2" when marked, else "1".
AnalysedVariant preselectedVariant(const DrawModel& model);

// Fifteen letters "1", "X" ("x"), "2"; nothing for anything else.
std::optional<AnalysedVariant> parseAnalysedVariant(std::string_view text);

// A pool or jackpot text read as a decimal number ("." separator, optional
// exponent, blanks around allowed); nothing when it is not a number.
std::optional<double> parseAnalysisNumber(std::string_view text);

// The pool and the jackpot of the totals as numbers, or the message that names
// the one that is no number ("Пул не является числом: «…».").
struct PoolAndJackpot {
    double pool = 0;
    double jackpot = 0;
    std::string problem; // empty when both are numbers
};
PoolAndJackpot readPoolAndJackpot(const DrawTotals& totals);

struct CategoryValues {
    std::array<double, kCategories> chance{}; // categoryChance, index k - 9
    std::array<double, kCategories> payout{}; // categoryPayout, index k - 9
};

// The numbers of the walk that do not depend on the result being visited.
struct WalkSetup {
    double stakeShare = 0;   // w: the pool share one unit bet represents
    double jackpotUnits = 0; // Ju: the jackpot counted in unit stakes
    double favourite = 0;    // F: pool share of the most popular combination
    double countMean = 0;    // uniformCountMean
};

enum class AnalysisStatus {
    Done,
    NotANumber, // pool or jackpot cannot be used; nothing computed
    Fault,      // the inputs make the walk meaningless; nothing computed
    Cancelled,
};

struct AnalysisOutcome {
    AnalysisStatus status = AnalysisStatus::Done;
    CategoryValues values; // only with Done
    std::string problem;   // one line for the player when not Done
};

// Steps before the walk: reads pool and jackpot, converts to stake units,
// applies the uniform-variant rule and refuses inputs the walk cannot use
// (zero or negative pool share on an outcome the walk takes, zero count for a
// uniform variant). `outcome` is filled only when there is no setup.
std::optional<WalkSetup> prepareWalk(const AnalysisInput& in, AnalysisOutcome& outcome);

// The whole analysis. `cancel`, when given and set, stops the walk early.
AnalysisOutcome analyseVariant(const AnalysisInput& in, const std::atomic<bool>* cancel = nullptr);

// The result table: 9 rows of 3 cells, header first and "Всего" last.
using AnalysisTable = std::array<std::array<std::string, 3>, kCategories + 2>;
AnalysisTable analysisTable(const CategoryValues& values);

} // namespace kav
