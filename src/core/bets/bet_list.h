// The bet notation: writing coupon lines, parsing the bet list into masks and
// counts, and removing the marked variants from it.
#pragma once

#include "core/base/fixed4.h"
#include "core/base/message.h"
#include "core/bets/bets.h"
#include "core/draw/draw_model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

using Lines = std::vector<std::string>;

// Splits memo text into lines: LF or CR LF; a final line break adds no empty line;
// empty text has no lines.
Lines splitLines(std::string_view text);
// Joins lines with LF, no trailing line break.
std::string joinLines(const Lines& lines);
// Removes leading and trailing blanks and control characters (bytes up to 0x20).
std::string_view trimLine(std::string_view s);

// Group text of an outcome set: "1", "X", "1,X", "2", "1,2", "X,2", "1,X,2"; empty for 0.
std::string groupText(OutcomeSet s);

// The coupon of the marked outcomes, amount n x stake in two-decimal form.
// An event without a marked outcome gives an empty group "k-()".
std::string formatSelectionCoupon(const DrawModel& m, std::uint64_t variants, Fixed4 stake);

// A coupon: events with an empty set are left out; amount = variants x s, plain money text.
std::string formatCoupon(const Coupon& c, Fixed4 perVariantStake);

// A single bet line: the stake text padded to two decimals, then one group per event.
std::string formatVariant(const Variant& v, std::string_view stakeText);

// The groups of a bet line (the text after its first ";"), last group in bit 0.
// `variants` is the product of the group sizes; `overflow` tells that a mask
// outgrew 16 bits, after which the masks mean nothing.
struct GroupScan {
    std::uint32_t ones = 0;
    std::uint32_t draws = 0;
    std::uint32_t twos = 0;
    std::uint64_t variants = 1;
    int groups = 0;
    bool overflow = false;
};
GroupScan scanGroups(std::string_view body);

// One parsed line of the bet list.
struct ParsedLine {
    BetMask mask = kInvalidMask;
    std::uint64_t variants = 0; // single bets of a valid line
    Fixed4 amount;              // amount of a valid line
    bool failed = false;        // the parse of the whole list fails on this line
};
ParsedLine parseBetLine(std::string_view line);

// Why the parse of a whole list fails, for the player: the first line that
// breaks it (0-based) and the reason in the program's words.
struct BetLineFault {
    std::size_t line = 0;
    std::string reason;
    // "Строка 3 списка ставок не читается: ..." (the line counted from 1).
    std::string text() const;
};
// The first line of `lines` on which parseBetList fails; nothing when it
// does not fail.
std::optional<BetLineFault> firstBetLineFault(const Lines& lines);

// Why a line that is not empty is no bet and is left out of the counts
// ("нет «;» перед исходами", "событий 12 из 15", ...).
std::string skippedLineReason(std::string_view line);
// The lines the counts leave out, for the player: "Не учтены строки: 128 —
// событий 12 из 15; 130 — нет «;» перед исходами" with at most `named` lines
// named and "и ещё N" for the rest; empty when every line that is not blank is
// a bet. `masks` are the lines' parsed masks (kInvalidMask for no bet).
std::string skippedLinesText(const Lines& lines, const std::vector<BetMask>& masks,
                             std::size_t named = 3);

struct BetListParse {
    std::vector<BetMask> masks;
    std::int64_t count = 0;
    Fixed4 total;
};
// Nothing when the parse fails (a complete line whose amount is no number, or a
// mask that no longer fits in 16 bits); the caller then empties the status line
// and keeps its previous counts.
std::optional<BetListParse> parseBetList(const Lines& lines);

// "Ставок в списке 48 (960 руб.)".
std::string betListStatus(std::int64_t count, Fixed4 total, std::string_view currencySuffix);

// Applies a parse to the model (masks, count, total); returns the status line, or
// an empty text when the parse failed (the counts then keep their previous values).
std::string applyBetListParse(DrawModel& m, const std::optional<BetListParse>& parse);

// A line that the parse counts as a complete coupon, read the same way: a line
// it does not count (missing or extra groups, a group without its brackets, an
// amount that is no number) gives nothing, so an action that rewrites lines can
// never write variants the list did not hold.
struct CompleteLine {
    Fixed4 amount;
    Coupon sets{};
};
std::optional<CompleteLine> readCompleteLine(std::string_view line);

// The stake of one variant of a line: amount / g rounded to 0.01, halves to even (exact).
Fixed4 perVariantStake(Fixed4 amount, std::uint64_t g);

struct RemovalResult {
    bool ran = false;
    Lines lines;
    MaybeMessage message;
};
// "Изъять варианты из списка": removes every single bet inside the box of marked
// outcomes, splitting coupons that lie partly inside.
RemovalResult removeMarkedVariants(const DrawModel& m, const Lines& lines);

} // namespace kav
