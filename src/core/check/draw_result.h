// The result of a draw: one outcome per event, or a void event that counts as
// a hit for every bet; read from what the player types or pastes.
#pragma once

#include "core/bets/bets.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// Outcome index 0..2 ("1", "X", "2") per event, event 1 first; kVoidEvent for
// an event that was not played.
constexpr std::int8_t kVoidEvent = -1;
using DrawResult = std::array<std::int8_t, kEvents>;

// Fifteen outcomes "1", "X" (also "x" and the Cyrillic "Х"/"х"), "2" or "-"
// for a void event, either in a row ("1X21-...") or separated by commas,
// semicolons or blanks ("1, X, 2, ..."); blanks around the whole are allowed.
// Nothing for any other text.
std::optional<DrawResult> parseDrawResult(std::string_view text);

// The fifteen letters, "-" for a void event: "1X2-11X2X21X2X1".
std::string drawResultText(const DrawResult& result);

} // namespace kav
