// The result of a draw and its prizes pasted as one block, as the official
// announcement gives them: the fifteen outcomes in any form the result field
// takes (on one line, after a label such as "Результат:", or one per line),
// and prize lines "15 — 1 234 567,00", "14: 12 345,50".
#pragma once

#include "core/analysis/analysis.h"
#include "core/base/fixed4.h"
#include "core/check/draw_result.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

struct ResultBlock {
    DrawResult result{};
    // Per category 9..15 (index k - 9); a category the block does not name stays empty.
    std::array<std::optional<Fixed4>, kCategories> prizes{};
    bool operator==(const ResultBlock&) const = default;
};

struct ResultBlockRead {
    std::optional<ResultBlock> block;
    std::string fault; // why the block does not read, for the player
};

ResultBlockRead readResultBlock(std::string_view text);

// The result on its first line, then one "k: amount" line per prize named;
// it reads back as the same block.
std::string resultBlockText(const ResultBlock& block);

} // namespace kav
