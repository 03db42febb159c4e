// A package over many simulated draws: each event's outcome drawn from the
// bookmaker's quotes as probabilities, the package checked against every
// drawn result, and what it would have brought; beside the counts, the exact
// chances of the package's best hit, so that the player sees the draws
// converge.
#pragma once

#include "core/analysis/analysis.h"
#include "core/bets/bet_list.h"
#include "core/check/prizes.h"
#include "core/value/expected_return.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kav {

constexpr std::uint64_t kMinSimulatedDraws = 1000;
constexpr std::uint64_t kMaxSimulatedDraws = 1000000;

struct SimulationSettings {
    std::uint64_t draws = 100000;
    std::uint32_t seed = 0;
    // Money per winning variant, category 9 first; without them each winning
    // variant brings the analysis's payout coefficient of the drawn result
    // times its stake.
    std::optional<PrizeList> prizes;
    // Each winning variant paid as if played alone; by default the package's
    // other winning variants of a category share its fund (as packageSharedReturn).
    bool alone = false;
};

// The draws' returns in multiples of the list's stake: bin i holds the draws
// with kReturnBinEdges[i - 1] <= return / stake < kReturnBinEdges[i]; bin 0 the
// draws that brought nothing at all.
inline constexpr std::array<double, 7> kReturnBinEdges{0.25, 0.5, 1, 2, 5, 10, 100};
constexpr int kReturnBins = static_cast<int>(kReturnBinEdges.size()) + 2;

struct SimulationResult {
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem; // why nothing was simulated
    std::uint64_t draws = 0;
    std::uint64_t drawsWithPrize = 0;  // at least one variant in category 9 or better
    std::uint64_t drawsWithProfit = 0; // a return above the list's stake
    double meanReturn = 0;             // money per draw
    double meanError = 0;              // the standard error of meanReturn
    double stake = 0;                  // the list's money total
    std::array<std::uint64_t, kEvents + 1> bestHits{}; // draws by the best line's hits
    std::array<std::uint64_t, kReturnBins> returnBins{};
    // The chance that the best line hits exactly k, over every result; empty
    // when the list has too many variants to spread over the field.
    std::optional<std::array<double, kEvents + 1>> exactBestHits;
};

// `in.variant` is not read; pool, jackpot and counts matter only without
// typed prizes.
SimulationResult simulateDraws(const AnalysisInput& in, const Lines& lines, Fixed4 stakeTotal,
                               const SimulationSettings& settings,
                               const std::atomic<bool>* cancel = nullptr,
                               const ValueProgress& progress = {});

// The exact chances of the best hits of a list over all results, with each
// event's outcome drawn from the quotes; nothing when the list holds more
// than `maxVariants` variants in all.
std::optional<std::array<double, kEvents + 1>>
exactBestHitChances(const std::array<std::array<Fixed4, kOutcomes>, kEvents>& quotes,
                    const Lines& lines, std::uint64_t maxVariants = 20000000);

} // namespace kav
