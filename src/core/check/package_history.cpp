#include "core/check/package_history.h"

#include "core/bets/bet_list_model.h"

namespace kav {

HistoryRow historyRow(const std::string& betText, const DrawModel& draw, const DrawTotals& totals,
                      const std::optional<DrawResult>& result,
                      const std::optional<PrizeList>& typedPrizes) {
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
    std::optional<PrizeList> prizes = typedPrizes;
    if (!prizes) {
        prizes = estimatePrizes(draw, totals, *result).prizes;
        row.estimated = prizes.has_value();
    }
    if (!prizes)
        return row;
    const PackageTable table = packageTable(check.totals, *prizes, row.stake);
    if (table.overflow)
        return row;
    row.totalReturn = table.totalReturn;
    row.profit = table.profit;
    return row;
}

} // namespace kav
