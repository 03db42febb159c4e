// DrawModel: the current draw (titles, quotes, pool shares), the player's
// marked outcomes, the forced bet, the draw country and the parsed bet list.
#pragma once

#include "core/base/fixed4.h"
#include "core/bets/bets.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kav {

enum DrawCountry : std::uint8_t { kNoCountry = 0, kUkraine = 1, kRussia = 2 };

struct DrawModel {
    std::array<std::string, kEvents> eventTitles{};
    std::array<std::array<Fixed4, kOutcomes>, kEvents> quotes{};
    std::array<std::array<Fixed4, kOutcomes>, kEvents> poolShares{};
    std::array<std::array<std::uint8_t, kOutcomes>, kEvents> selection{};
    std::string forcedBet = std::string(kEvents, ' ');
    std::uint8_t drawCountry = kNoCountry;
    std::string currencySuffix;
    std::uint8_t doublesCount = 0;
    std::uint8_t triplesCount = 0;
    std::uint8_t shownTriplesCount = 0;
    std::vector<BetMask> betMasks;
    std::int64_t betCount = 0;
    Fixed4 betTotal;

    // Indices are 0-based here: event 0..14, outcome 0..2.
    bool marked(int event0, int outcome0) const { return selection[event0][outcome0] != 0; }
    int markedCount(int event0) const;
    OutcomeSet markedSet(int event0) const;
    // The marked outcomes as a coupon (events without a mark give an empty set).
    Coupon selectionCoupon() const;
};

// " руб." unless the draw is the Ukrainian one (" грн.").
std::string currencySuffixFor(std::uint8_t drawCountry);

// Text of an outcome cell: rounded quote "/" rounded pool share, e.g. "47/38".
std::string outcomeCellText(const DrawModel& m, int event0, int outcome0);

// Stores a hand-typed quote and sets the cyclically next outcome so the event sums to 100.
void setQuote(DrawModel& m, int event0, int outcome0, Fixed4 value);

// Stores a hand-typed pool share by the same rule as setQuote.
void setPoolShare(DrawModel& m, int event0, int outcome0, Fixed4 value);

// An outcome cell as the player types it: the quote alone or "quote/pool
// share", "," or "." as the decimal separator ("20,5/10").
struct TypedCell {
    Fixed4 quote;
    std::optional<Fixed4> poolShare; // when typed after the "/"
};
// The typed cell of outcome (event0, outcome0), or why it is refused, naming
// the part: a part that is no number, a negative one, or one that would leave
// the event's next outcome below zero (the three make 100).
std::variant<TypedCell, std::string> readTypedCell(const DrawModel& m, int event0, int outcome0,
                                                   std::string_view cellText);

// Copies the draw and the player's marks (titles, quotes, pool shares, marks,
// forced bet, country and its currency); the derived bet fields stay.
void assignDrawAndMarks(DrawModel& to, const DrawModel& from);

// Clears every marked outcome; forcedBet stays.
void resetSelection(DrawModel& m);

// Empties the derived bet-list data.
void clearBetList(DrawModel& m);

// The stake field's text as a number; nothing when it is empty or no number.
std::optional<Fixed4> stakePerBet(std::string_view stakeText);

// Quotes 40/25/35, pool 50/15/35, titles "Матч 1".."Матч 15".
void applyDefaultDraw(DrawModel& m);

// The start value and minimum of the stake for a country: 3.00 for the
// Ukrainian draw, 20.00 otherwise.
Fixed4 minimumStake(std::uint8_t drawCountry);

} // namespace kav
