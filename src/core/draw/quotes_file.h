// The quotes file: a draw on disk as 20 text lines (titles with quotes and
// pool shares, the stake settings, the country, the window title, the totals).
// Lines here are UTF-8 without line ends; io converts them to the file's code
// page. A file is parsed as a whole before anything of it is applied.
#pragma once

#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"
#include "core/draw/draw_page.h"

#include <array>
#include <optional>
#include <string>

namespace kav {

constexpr int kQuotesFileLines = 20;

// What a quotes file holds besides the model's tables.
struct DrawSettings {
    std::string stakeText;   // the stake field as shown, e.g. "20.00 руб."
    Fixed4 stakeMinimum;     // the stake field's minimum
    std::string windowTitle; // the main window's caption
};

struct QuotesFileContent {
    std::array<std::string, kEvents> titles{};
    // A pair missing from an event line keeps the draw's current values.
    std::array<std::array<std::optional<Fixed4>, kOutcomes>, kEvents> quotes{};
    std::array<std::array<std::optional<Fixed4>, kOutcomes>, kEvents> poolShares{};
    std::uint8_t drawCountry = kNoCountry;
    DrawSettings settings;
    DrawTotals totals;
};

// The 20 lines "Котировки в файл" writes. Tabs and line breaks inside texts,
// and "|" inside the pool and jackpot texts, become blanks so that the file
// always reads back.
Lines formatQuotesFile(const DrawModel& m, const DrawSettings& s, const DrawTotals& t);

// Nothing when the lines break the format (missing lines read as empty ones);
// a negative quote or pool share is named in `problem`.
std::optional<QuotesFileContent> parseQuotesFile(const Lines& lines,
                                                 std::string* problem = nullptr);

// Replaces the draw with the file's: clears the selection and the bet list's
// derived data, stores titles, quotes, pool shares and the country.
void applyQuotesFile(DrawModel& m, const QuotesFileContent& f);

// The stake field's value read from its text as shown ("1 000.00 руб." or
// "1,000.00 руб." read as 1000, "20,50 руб." as 20.5): nothing when the text
// holds no number.
std::optional<Fixed4> parseStakeText(std::string_view text);
// The stake field's display form: thousands separated by a blank, two
// decimals and the currency, e.g. "1 000.00 руб.".
std::string stakeDisplayText(Fixed4 value, std::uint8_t drawCountry);

// The stake field after a quotes file: its text is taken as typed input while
// the old minimum still holds, then the file's minimum replaces it.
struct StakeField {
    Fixed4 value;
    Fixed4 minimum;
    bool operator==(const StakeField&) const = default;
};
StakeField stakeAfterFile(StakeField current, const DrawSettings& s);

// "Kavendix V1.4.2 - российский тираж" / "... украинский тираж".
std::string drawWindowTitle(std::uint8_t drawCountry);

} // namespace kav
