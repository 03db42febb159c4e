// Session: what the windows share. The draw with the player's marks, the bet
// list with its derived counts, the draw totals (pool, jackpot, uniform-bet
// counts), the events' row titles, the stake per bet and the category the
// player works at. A window changes it through these calls and follows its
// signals; no window reaches into another one for this state.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/analysis/analysis.h"
#include "core/bets/bet_list_model.h"
#include "core/draw/draw_model.h"
#endif

#include <QObject>
#include <QString>

#include <array>
#include <string>
#include <string_view>

namespace kav::ui {

class Session final : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);

    kav::DrawModel& draw() { return draw_; }
    const kav::DrawModel& draw() const { return draw_; }

    // --- bet list ---
    // The lines with their masks, count and total; the draw's bet fields
    // follow every change.
    const kav::BetList& betList() const { return bets_; }
    const kav::Lines& betLines() const { return bets_.lines(); }
    // Lines added at the end (only they are parsed): betsAppended, then betListChanged.
    void appendBets(const kav::Lines& lines);
    // The whole list rewritten: betsReplaced, then betListChanged.
    void replaceBets(const kav::Lines& lines);
    // The bet-list editor's own text after the player changed it: the list
    // follows without echoing the text back (betListChanged only).
    void setBetTextFromEditor(std::string_view text);
    // An empty list and empty counts: betsReplaced, then betListChanged.
    void clearBets();
    // "Ставок в списке 48 (960 руб.)", empty while the list does not parse.
    const std::string& betStatus() const { return betStatus_; }
    // While the list does not parse: which line breaks it and why, for the
    // status line; empty otherwise.
    const std::string& betFault() const { return betFault_; }

    // --- draw totals ---
    const kav::DrawTotals& totals() const { return totals_; }
    void setTotals(const kav::DrawTotals& totals);

    // --- row titles of the events in the side windows ---
    QString rowTitle(int event0) const;
    void setRowTitle(int event0, const QString& title);

    // --- the main window's fields others read ---
    // The stake per bet as bet lines need it ("20", "20.5"); empty while the
    // stake field holds no valid amount.
    const std::string& stakeText() const { return stakeText_; }
    void setStakeText(const std::string& text) { stakeText_ = text; }
    // The category of the current packet mode.
    int activeCategory() const { return activeCategory_; }
    void setActiveCategory(int category);

Q_SIGNALS:
    // Before the whole list is rewritten or cleared: betLines() still holds
    // the old list (kept for undo).
    void betsAboutToBeReplaced();
    void betsAppended(const kav::Lines& lines);
    void betsReplaced();
    void betListChanged();
    void totalsChanged();
    void rowTitleChanged(int event0, const QString& title);
    void activeCategoryChanged(int category);

private:
    void deriveBetData();

    kav::DrawModel draw_;
    kav::BetList bets_;
    std::string betStatus_;
    std::string betFault_;
    kav::DrawTotals totals_;
    std::array<QString, kav::kEvents> rowTitles_{};
    std::string stakeText_;
    int activeCategory_ = 13;
};

} // namespace kav::ui
