// One row of the history of played packages: a kept bet list checked against
// its draw's result, with the prizes typed for the draw or, until then,
// estimated from its pool.
#pragma once

#include "core/analysis/analysis.h"
#include "core/check/draw_result.h"
#include "core/check/package_check.h"
#include "core/check/prizes.h"
#include "core/draw/draw_model.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kav {

struct HistoryRow {
    std::int64_t bets = 0; // single bets of the list
    Fixed4 stake;          // the list's total
    bool checked = false;  // the draw has a result
    int bestHits = 0;
    CategoryCounts winners{};
    // With a result and prizes (typed or estimated); nothing otherwise.
    std::optional<Fixed4> totalReturn;
    std::optional<Fixed4> profit;
    bool estimated = false; // some prizes are an estimate
};

// `draw` carries the quotes, pool shares and country of the package's draw.
HistoryRow historyRow(const std::string& betText, const DrawModel& draw, const DrawTotals& totals,
                      const std::optional<DrawResult>& result, const TypedPrizes& typedPrizes);

} // namespace kav
