// "Ручной набор": the coupon of all marked outcomes ("Взять все варианты") and
// single bets drawn at random with one of five distributions ("Случайный выбор").
#pragma once

#include "core/base/rng.h"
#include "core/draw/draw_model.h"
#include "core/forming/form_result.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kav {

// Item indices of "Распределение".
enum Distribution : int {
    kByQuotes = 0,    // "По котировкам"
    kByPool = 1,      // "По пулу"
    kUniform = 2,     // "Произвольно"
    kAgainstPool = 3, // "Против пула"
    kFavourites = 4,  // "Кол. фаворитов"
};

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
    int distribution = kByQuotes; // 0..4; other values make no attempt
    std::int64_t repeat = 1;      // bets to add; <= 0 adds nothing
    int favourites = 7;           // favourite events for kFavourites, 0..15
};

// "Случайный выбор": up to `repeat` new single bets, each drawn again (up to 31
// attempts) while it is already in the list. The duplicate test uses a hash
// index of the list, so the cost does not grow with the list.
FormResult randomBets(const DrawModel& m, std::string_view stakeText, const Lines& existing,
                      const RandomRequest& request, Rng& rng);

// The draw r = 1..10000 of one event: a real draw rounded to 1/10000, repeated while 0.
int drawShare(Rng& rng);

// Weights of "1", "X", "2" used by one draw; a drawn outcome never has weight 0.
using Weights = std::array<Fixed4, kOutcomes>;

// The weights of event0's outcomes under distribution d (0..3; 4 uses the pool
// shares): unmarked outcomes weigh 0, and so do negative values.
Weights randomBetWeights(const DrawModel& m, int event0, int d);

// Outcome index of a draw for distributions 0..3: "1" below p1, "2" from p1 + pX on.
int pickOutcome(int r, std::int64_t p1, std::int64_t pX, const Weights& w);
// Outcome index of a draw in a non-favourite event: "2" above p1 + pX, "1" up to p1.
int pickFavouritesOutcome(int r, std::int64_t p1, std::int64_t pX, const Weights& w);

// A weight as a share of 10000 of the sum s (s != 0), rounded halves to even.
std::int64_t normalisedShare(Fixed4 w, Fixed4 s);

} // namespace kav
