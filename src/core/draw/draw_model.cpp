#include "core/draw/draw_model.h"
#include "core/base/text.h"

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

namespace {

// Sets one of a row's three percentages and the cyclically next one so that
// the row sums to 100.
void setRowPercent(std::array<Fixed4, kOutcomes>& row, int outcome0, Fixed4 value) {
    const int next = (outcome0 + 1) % kOutcomes;
    const int nextNext = (outcome0 + 2) % kOutcomes;
    row[outcome0] = value;
    row[next] = Fixed4::fromInt(100) - value - row[nextNext];
}

// The typed percentage `part`, or why not.
std::variant<Fixed4, std::string> readRowPercent(const std::array<Fixed4, kOutcomes>& row,
                                                 int outcome0, std::string_view part,
                                                 const std::string& what) {
    const auto value = Fixed4::parseTyped(part);
    const std::string typed(trimBlanks(part));
    if (!value)
        return what + " «" + typed + "» — не число. Введите число, например 50 или 50/38.";
    if (*value < Fixed4{})
        return what + " не может быть отрицательной: «" + typed + "».";
    const Fixed4 room = Fixed4::fromInt(100) - row[(outcome0 + 2) % kOutcomes];
    if (*value > room)
        return what + " " + typed + " больше " + room.moneyText() +
               ": вместе с другими исходами события получится больше 100.";
    return *value;
}

} // namespace

void setQuote(DrawModel& m, int event0, int outcome0, Fixed4 value) {
    setRowPercent(m.quotes[event0], outcome0, value);
}

void setPoolShare(DrawModel& m, int event0, int outcome0, Fixed4 value) {
    setRowPercent(m.poolShares[event0], outcome0, value);
}

std::variant<TypedCell, std::string> readTypedCell(const DrawModel& m, int event0, int outcome0,
                                                   std::string_view cellText) {
    const auto slash = cellText.find('/');
    const auto quote =
        readRowPercent(m.quotes[event0], outcome0, cellText.substr(0, slash), "Котировка");
    if (const auto* why = std::get_if<std::string>(&quote))
        return *why;
    TypedCell cell{std::get<Fixed4>(quote), std::nullopt};
    if (slash != std::string_view::npos && !trimBlanks(cellText.substr(slash + 1)).empty()) {
        const auto share =
            readRowPercent(m.poolShares[event0], outcome0, cellText.substr(slash + 1), "Доля пула");
        if (const auto* why = std::get_if<std::string>(&share))
            return *why;
        cell.poolShare = std::get<Fixed4>(share);
    }
    return cell;
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
