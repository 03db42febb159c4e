// What the player does on the coverage map: pointing at a result, adding it as
// a single bet, removing the coupons that cover it, marking it.
#pragma once

#include "core/bets/bet_list.h"
#include "core/coverage/coverage.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// The results whose hover state is not none, ascending; kept by the window.
using HoveredList = std::vector<int>;

// Points at result p: p becomes current, every result that p taken as a single
// bet reaches at the category becomes near, every other result none. The
// player's marker is kept. Returns the indices whose cell must be repainted.
std::vector<int> hoverResult(Zone& zone, int p, int category, HoveredList& hovered);
// The pointer left the map: every hover state goes back to none.
std::vector<int> clearHover(Zone& zone, HoveredList& hovered);

// Toggles the player's marker of result i, keeping its hover state.
inline void toggleMarker(ZoneResult& r) {
    r.flags ^= kMarkerBit;
}

// For categories 9..15: how many single variants of the package inside the zone
// would guess exactly that many events if result p came up.
using CategoryTally = std::array<std::int64_t, 7>;
CategoryTally categoryTally(const Zone& zone, const std::vector<BetMask>& coupons, int p);

// "Категорий в пакете\r\nпри 1X2...:\r\n15 - 0;   14 - 1;   13 - 4;\r\n...".
std::string categoryTallyText(const std::string& resultText, const CategoryTally& tally);

// The statistics line while pointing: the plain text, or with the share the
// pointed result would add by count and by probability on lines of their own.
std::string hoverStatisticsText(const Zone& zone, const HoveredList& hovered);

// The line a left click appends: result p as a single bet at the stake text.
std::string singleBetLine(const Zone& zone, int p, std::string_view stakeText);

// The coupon as the removal looks for it: ";1-(1,X);2-(2);...;15-(1).".
std::string couponText(const BetMask& coupon);

struct CoverRemoval {
    Lines lines;
    int removed = 0;
};
// A right click: deletes every bet-list line holding the text of a coupon that
// guesses at least `category` events of result p. Coupons are taken from the
// list as it stands when clicked, so deleting a duplicate earlier in the list
// never shifts which coupons are looked at.
CoverRemoval removeCoveringCoupons(const Lines& lines, const Zone& zone, int p, int category);

} // namespace kav
