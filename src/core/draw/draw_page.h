// The data server's two pages as text: the event list (titles, odds, pool
// shares) and the draw totals (pool, jackpot, uniform-bet counts).
#pragma once

#include "core/analysis/analysis.h"
#include "core/draw/draw_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// The part of a title before its first " - "; empty when there is none.
std::string homeTitle(std::string_view title);

// A numeric field of a page or file: blanks and control characters trimmed at
// both ends, then read to four decimals.
std::optional<Fixed4> parseNumberField(std::string_view field);
// A decimal integer field that fits in 32 bits.
std::optional<std::int32_t> parseIntField(std::string_view field);

// Turns the three odds stored as quotes of an event into quotes in percent,
// the overround rounded to four decimals first. False on a zero odds value or
// an overflow; the quotes are then unchanged.
bool normalizeQuotes(DrawModel& m, int event0);

// Reads the event-list text into the model record by record. False on a
// broken page: the model then holds whatever was stored before the fault, and
// the caller is expected to fall back to the default draw. `titled`, when
// given, receives how many events (from the first) got a title from the page.
bool parseEventList(DrawModel& m, std::string_view text, int* titled = nullptr);

// The events of an event-list page read as a whole, to replace those of the
// draw shown: the page's records from the first event on, the events after
// them blank (no title, zero quotes and shares).
struct EventListDraw {
    std::array<std::string, kEvents> eventTitles{};
    std::array<std::array<Fixed4, kOutcomes>, kEvents> quotes{};
    std::array<std::array<Fixed4, kOutcomes>, kEvents> poolShares{};
    int events = 0; // how many records the page holds
};

// Nothing unless the page is a whole event list: one to fifteen records, each
// a title and six numbers closed by ";", odds that give quotes, and nothing
// after the last record.
std::optional<EventListDraw> readEventListDraw(std::string_view pageText);

// Puts the events of a page read whole into the model; the marks, the bet
// data and the country stay as they are.
void applyEventListDraw(DrawModel& m, const EventListDraw& events);

// The text before the first "|", removed with its "|". Without a "|" the
// field is empty and nothing is removed, so a trailing field never counts.
std::string_view takeBarField(std::string_view& rest);

// "pool|jackpot|" then the three uniform counts "a|b|c|" and their mean; on a
// page the counts follow the first ";". Nothing when a count is no integer.
std::optional<DrawTotals> readTotalsFields(std::string_view text, bool countsAfterSemicolon);

// Reads the totals text; nothing when it breaks the format.
std::optional<DrawTotals> parseTotals(std::string_view text);

// A jackpot of exactly "0" is shown as a million.
std::string jackpotFieldText(std::string_view trimmedJackpot);

// The document-complete steps for one page. The event list falls back to the
// default draw when it breaks the format; a broken totals page resets the
// events to the default draw and leaves the totals as they were. Both return
// whether the page was well formed.
bool applyEventListPage(DrawModel& m, std::string_view pageText, int* titled = nullptr);
bool applyTotalsPage(DrawModel& m, DrawTotals& totals, std::string_view pageText);

} // namespace kav
