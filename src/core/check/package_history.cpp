#include "core/check/package_history.h"

#include "core/bets/bet_list_model.h"

namespace kav {

HistoryRow historyRow(const std::string& betText, const DrawModel& draw, const DrawTotals& totals,
                      const std::optional<DrawResult>& result, const TypedPrizes& typedPrizes) {
    HistoryRow row;
    BetList list;
    list.setText(betText);
    row.bets = list.count();
    row.stake = list.total();
    if (!result)
        return row;
    row.checked = true;
    const PackageCheck check = checkPackage(list.masks(), *result);
    row.bestHits = check.bestHits;
    row.winners = check.totals;
    // Typed prizes win; the blank categories are estimated, as the check shows them.
    const bool blanks = !typedPrizes.complete();
    const std::optional<PrizeList> prizes = completedPrizes(
        typedPrizes, blanks ? estimatePrizes(draw, totals, *result).prizes : std::nullopt);
    if (!prizes)
        return row;
    row.estimated = blanks;
    const PackageTable table = packageTable(check.totals, *prizes, row.stake);
    if (table.overflow)
        return row;
    row.totalReturn = table.totalReturn;
    row.profit = table.profit;
    return row;
}

} // namespace kav
