#include "ui/session.h"

#include <algorithm>

namespace kav::ui {

Session::Session(QObject* parent) : QObject(parent) {
    draw_.forcedBet = std::string(kav::kEvents, ' ');
}

void Session::deriveBetData() {
    betStatus_ = bets_.applyTo(draw_);
    const auto fault = bets_.fault();
    betFault_ = fault ? fault->text() : std::string();
}

void Session::appendBets(const kav::Lines& lines) {
    if (lines.empty())
        return;
    bets_.appendLines(lines);
    deriveBetData();
    Q_EMIT betsAppended(lines);
    Q_EMIT betListChanged();
}

void Session::replaceBets(const kav::Lines& lines) {
    Q_EMIT betsAboutToBeReplaced();
    bets_.setLines(lines);
    deriveBetData();
    Q_EMIT betsReplaced();
    Q_EMIT betListChanged();
}

void Session::setBetTextFromEditor(std::string_view text) {
    bets_.setText(text);
    deriveBetData();
    Q_EMIT betListChanged();
}

void Session::clearBets() {
    Q_EMIT betsAboutToBeReplaced();
    bets_.clear();
    kav::clearBetList(draw_);
    betStatus_.clear();
    betFault_.clear();
    Q_EMIT betsReplaced();
    Q_EMIT betListChanged();
}

void Session::setTotals(const kav::DrawTotals& totals) {
    totals_ = totals;
    Q_EMIT totalsChanged();
}

QString Session::rowTitle(int event0) const {
    if (event0 < 0 || event0 >= kav::kEvents)
        return {};
    return rowTitles_[static_cast<std::size_t>(event0)];
}

void Session::setRowTitle(int event0, const QString& title) {
    if (event0 < 0 || event0 >= kav::kEvents)
        return;
    rowTitles_[static_cast<std::size_t>(event0)] = title;
    Q_EMIT rowTitleChanged(event0, title);
}

void Session::setActiveCategory(int category) {
    if (category == activeCategory_)
        return;
    activeCategory_ = category;
    Q_EMIT activeCategoryChanged(category);
}

} // namespace kav::ui
