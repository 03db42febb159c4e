#include "core/project/project_state.h"

namespace kav {

ProjectState defaultProjectState(std::uint8_t drawCountry) {
    ProjectState s;
    s.draw.drawCountry = drawCountry;
    s.draw.currencySuffix = currencySuffixFor(drawCountry);
    applyDefaultDraw(s.draw);
    for (int e = 0; e < kEvents; ++e)
        s.rowTitles[e] = s.draw.eventTitles[e];
    s.stakeMinimum = minimumStake(drawCountry);
    s.stakeText = s.stakeMinimum.moneyText();
    return s;
}

bool sameWork(const ProjectState& a, const ProjectState& b) {
    const DrawModel& x = a.draw;
    const DrawModel& y = b.draw;
    return x.eventTitles == y.eventTitles && x.quotes == y.quotes && x.poolShares == y.poolShares &&
           x.selection == y.selection && x.forcedBet == y.forcedBet &&
           x.drawCountry == y.drawCountry && a.drawTitle == b.drawTitle &&
           a.rowTitles == b.rowTitles && a.totals == b.totals && a.mode == b.mode &&
           a.brief == b.brief && a.sensation == b.sensation && a.random == b.random &&
           a.autoform == b.autoform && a.conditions == b.conditions && a.stakeText == b.stakeText &&
           a.stakeMinimum == b.stakeMinimum && a.betText == b.betText;
}

} // namespace kav
