#include "core/draw/draw_model.h"

namespace kav {

int DrawModel::markedCount(int event0) const {
    return selection[event0][0] + selection[event0][1] + selection[event0][2];
}

OutcomeSet DrawModel::markedSet(int event0) const {
    OutcomeSet s = 0;
    for (int o = 0; o < kOutcomes; ++o)
        if (selection[event0][o])
            s |= outcomeBit(o);
    return s;
}

Coupon DrawModel::selectionCoupon() const {
    Coupon c{};
    for (int e = 0; e < kEvents; ++e)
        c[e] = markedSet(e);
    return c;
}

std::string currencySuffixFor(std::uint8_t drawCountry) {
    return drawCountry == kUkraine ? " грн." : " руб.";
}

std::string outcomeCellText(const DrawModel& m, int event0, int outcome0) {
    return std::to_string(m.quotes[event0][outcome0].roundToInt()) + "/" +
           std::to_string(m.poolShares[event0][outcome0].roundToInt());
}

void setQuote(DrawModel& m, int event0, int outcome0, Fixed4 value) {
    int next = (outcome0 + 1) % kOutcomes;
    int nextNext = (outcome0 + 2) % kOutcomes;
    auto& q = m.quotes[event0];
    q[outcome0] = value;
    q[next] = Fixed4::fromInt(100) - value - q[nextNext];
}

std::optional<Fixed4> typedQuote(std::string_view cellText) {
    const auto quote = Fixed4::parseTyped(cellText.substr(0, cellText.find('/')));
    const Fixed4 largest = Fixed4::fromInt(kLargestTypedQuote);
    if (!quote || *quote > largest || *quote < -largest)
        return std::nullopt;
    return quote;
}

void resetSelection(DrawModel& m) {
    for (auto& ev : m.selection)
        ev.fill(0);
}

void clearBetList(DrawModel& m) {
    m.betMasks.clear();
    m.betCount = 0;
    m.betTotal = Fixed4();
}

void assignDrawAndMarks(DrawModel& to, const DrawModel& from) {
    to.eventTitles = from.eventTitles;
    to.quotes = from.quotes;
    to.poolShares = from.poolShares;
    to.selection = from.selection;
    to.forcedBet = from.forcedBet;
    to.drawCountry = from.drawCountry;
    to.currencySuffix = currencySuffixFor(from.drawCountry);
}

std::optional<Fixed4> stakePerBet(std::string_view stakeText) {
    return Fixed4::parse(stakeText);
}

void applyDefaultDraw(DrawModel& m) {
    static const std::array<int, 3> q{40, 25, 35};
    static const std::array<int, 3> p{50, 15, 35};
    for (int e = 0; e < kEvents; ++e) {
        for (int o = 0; o < kOutcomes; ++o) {
            m.quotes[e][o] = Fixed4::fromInt(q[o]);
            m.poolShares[e][o] = Fixed4::fromInt(p[o]);
        }
        m.eventTitles[e] = "Матч " + std::to_string(e + 1);
    }
}

Fixed4 minimumStake(std::uint8_t drawCountry) {
    return Fixed4::fromInt(drawCountry == kUkraine ? 3 : 20);
}

} // namespace kav
