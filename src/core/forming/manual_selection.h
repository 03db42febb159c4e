// "Ручной набор": the coupon of all marked outcomes ("Взять все варианты") and
// single bets drawn at random with one of five distributions ("Случайный выбор").
#pragma once

#include "core/base/rng.h"
#include "core/draw/draw_model.h"
#include "core/forming/form_result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// The distributions of "Распределение", in list order.
enum class RandomDistribution : int {
    ByQuotes = 0,    // "По котировкам"
    ByPool = 1,      // "По пулу"
    Uniform = 2,     // "Произвольно"
    AgainstPool = 3, // "Против пула"
    Favourites = 4,  // "Кол. фаворитов"
};
constexpr std::array<RandomDistribution, 5> kRandomDistributions{
    RandomDistribution::ByQuotes, RandomDistribution::ByPool, RandomDistribution::Uniform,
    RandomDistribution::AgainstPool, RandomDistribution::Favourites};

// The distribution at position `index` of the list; nothing outside it.
std::optional<RandomDistribution> randomDistributionAt(int index);

constexpr int kRandomAttempts = 31;

// The counts the selection summary keeps: doubles and triples of the events
// before the first event without a marked outcome.
struct SelectionCounts {
    int doubles = 0;
    int triples = 0;
};
SelectionCounts selectionCounts(const DrawModel& m);

// "Взять все варианты": the coupon of the marked outcomes, unless a line of the
// list already has exactly its text. An event without a mark gives an empty group.
FormResult takeAllVariants(const DrawModel& m, std::string_view stakeText, const Lines& existing);

struct RandomRequest {
    // A value outside the list (a window list without a current item) makes no attempt.
    RandomDistribution distribution = RandomDistribution::ByQuotes;
    std::int64_t repeat = 1; // bets to add; <= 0 adds nothing
    int favourites = 7;      // favourite events for Favourites, 0..15
};

// "Случайный выбор": up to `repeat` new single bets, each drawn again (up to 31
// attempts) while it is already in the list. The duplicate test uses a hash
// index of the list, so the cost does not grow with the list.
FormResult randomBets(const DrawModel& m, std::string_view stakeText, const Lines& existing,
                      const RandomRequest& request, Rng& rng);

// Every single bet is one of 3^15 codes: event 1 the most significant ternary digit.
constexpr std::uint32_t kVariantCodes = 14'348'907;

// The text of a single bet as "Случайный выбор" writes it: the stake text, then
// one group per event.
std::string singleBetLine(const std::string& stakeText, const Variant& v);
// The code of a line that reads exactly as a single bet written with this stake
// text would; nothing for every other line, which no such bet can equal.
std::optional<std::uint32_t> singleBetCode(std::string_view line, std::string_view stakeText);

// The draw r = 1..10000 of one event: a real draw rounded to 1/10000, repeated while 0.
int drawShare(Rng& rng);

// Weights of "1", "X", "2" used by one draw; a drawn outcome never has weight 0.
using Weights = std::array<Fixed4, kOutcomes>;

// The weights of event0's outcomes under distribution d (Favourites uses the
// pool shares): unmarked outcomes weigh 0, and so do negative values.
Weights randomBetWeights(const DrawModel& m, int event0, RandomDistribution d);

// Outcome index of a draw for every distribution but Favourites: "1" below p1, "2" from p1 + pX on.
int pickOutcome(int r, std::int64_t p1, std::int64_t pX, const Weights& w);
// Outcome index of a draw in a non-favourite event: "2" above p1 + pX, "1" up to p1.
int pickFavouritesOutcome(int r, std::int64_t p1, std::int64_t pX, const Weights& w);

// A weight as a share of 10000 of the sum s (s != 0), rounded halves to even.
std::int64_t normalisedShare(Fixed4 w, Fixed4 s);

} // namespace kav
