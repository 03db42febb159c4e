// The bet list as a table for the spreadsheet exports: per line the outcome
// texts of its 15 groups and its amount, and the worksheet's name.
#pragma once

#include "core/base/message.h"
#include "core/bets/bet_list.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kav {

constexpr int kTableCells = 16; // 15 outcome texts and the amount

struct BetRecord {
    std::array<std::string, kEvents> outcomes{}; // "1", "X", "1,X", "1,X,2"...; empty when missing
    double amount = 0;
};

// One record per memo line; an empty line or one without ";" gives none.
struct BetTable {
    std::vector<std::optional<BetRecord>> records;
};

// The table, or the message for a line whose amount is no number.
std::variant<BetTable, Message> buildBetTable(const Lines& lines);

// doublesCount "_" shownTriplesCount "_" number of lines, e.g. "3_1_48".
std::string exportSheetName(int doubles, int shownTriples, std::size_t lineCount);

// The one-bet-per-column layout holds at most this many lines.
constexpr std::size_t kMaxColumnExportLines = 16384;
constexpr std::size_t kMaxRowExportLines = 1048576;

// The refusal of a layout for this many lines, if any.
MaybeMessage exportLineLimitMessage(std::size_t lineCount, bool byColumns);

} // namespace kav
