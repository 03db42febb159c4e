// A draw typed or pasted as a table: one match a line, its title, three odds
// or quotes in percent and optionally three pool shares; and the bookmaker's
// odds turned into quotes with his margin removed.
#pragma once

#include "core/draw/draw_page.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// What the three numbers after a title are.
enum class TableValues { Guess, Odds, Percent };

struct DrawTableRow {
    std::string title;
    std::array<Fixed4, kOutcomes> values{};              // odds, or quotes in percent
    std::optional<std::array<Fixed4, kOutcomes>> shares; // pool shares in percent
};

struct DrawTable {
    std::vector<DrawTableRow> rows; // one to fifteen
    bool percent = false;           // the values are quotes in percent, not odds
};

// A line that does not read: its number (from 1) and why; line 0 for a text
// that holds no match at all.
struct DrawTableFault {
    int line = 0;
    std::string reason;
};

struct DrawTableRead {
    std::optional<DrawTable> table; // only when every line reads
    std::vector<DrawTableFault> faults;
};

// Reads a pasted table. Fields are separated by tabs, ";" or blanks; numbers
// take "," or "." as the decimal separator and may end in "%". A leading
// number of up to two digits ("3", "3.", "3)") is the line's numbering, empty
// lines are skipped and so is a first line that does not read (a header).
// A title spread over several tab or ";" fields is joined with " - ". Guess
// takes the values as percent when one of them ends in "%" or every line's
// three sum to 100 within 2, else as odds.
DrawTableRead readDrawTable(std::string_view text, TableValues values = TableValues::Guess);

// The faults as the message names them, one line each: "Строка 3: ...".
std::string drawTableFaultText(const std::vector<DrawTableFault>& faults);

// The table written back, one numbered line per match, tab-separated, "."
// decimals, percent values with "%"; it reads back as the same table.
std::string formatDrawTable(const DrawTable& table);

enum class MarginMethod { Proportional, Shin };

struct OddsQuotes {
    std::array<Fixed4, kOutcomes> quotes{};
    double margin = 0; // the bookmaker's margin: the sum of the reciprocal odds less one
};

// Quotes in percent from decimal odds with the margin removed. Proportional
// is the rule of the downloaded draw (each quote 100 / (odds x overround),
// the overround rounded to four decimals first); Shin's method takes the
// margin as the bookmaker's guard against insiders and removes more of it
// from the outsiders. Each quote is rounded to four decimals, halves to even.
// Nothing when an odds value is not above 1 or the numbers overflow.
std::optional<OddsQuotes> quotesFromOdds(const std::array<Fixed4, kOutcomes>& odds,
                                         MarginMethod method);

// The table as the events of a draw (quotes in percent; missing shares zero;
// the events after the table's empty), with the mean margin of its odds
// (zero for a percent table). Nothing when a line's odds give no quotes.
struct TableDraw {
    EventListDraw events;
    double meanMargin = 0;
};
std::optional<TableDraw> drawFromTable(const DrawTable& table, MarginMethod method);

} // namespace kav
