// Session: what the windows share. The draw with the player's marks, the bet
// list with its derived counts, the draw totals (pool, jackpot, uniform-bet
// counts), the events' row titles, the draw's caption, the stake per bet, the
// category the player works at, the program's one random generator, and the
// one undo history of the player's work. A window changes it through these
// calls and follows its signals; no window reaches into another one for this
// state.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/analysis/analysis.h"
#include "core/base/rng.h"
#include "core/bets/bet_list_model.h"
#include "core/draw/draw_model.h"
#endif

#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class QUndoStack;

namespace kav::ui {

class PackedLines;
class SessionStep;

class Session final : public QObject {
    Q_OBJECT
public:
    // The marks of every event, as the draw keeps them.
    using Selection = decltype(kav::DrawModel::selection);
    using QuoteRow = std::array<kav::Fixed4, kav::kOutcomes>;
    // A whole draw as the windows show it: the events, marks and country, the
    // side windows' row titles, the totals and the caption.
    struct DrawView {
        kav::DrawModel draw;
        std::array<QString, kav::kEvents> rowTitles{};
        kav::DrawTotals totals;
        QString drawTitle;
    };

    // What the undo history may hold at most; the oldest steps go first.
    static constexpr std::size_t kUndoBudgetBytes = std::size_t{512} << 20;

    explicit Session(QObject* parent = nullptr);
    ~Session() override;

    kav::DrawModel& draw() { return draw_; }
    const kav::DrawModel& draw() const { return draw_; }
    // The program's one random generator.
    kav::Rng& rng() { return rng_; }

    // --- the undo history ---
    // Every change of the bet list, the marks, the forced bet and a typed
    // quote is a step here; its clean state is the saved project.
    QUndoStack& undoStack() { return *undoStack_; }
    // The bytes the steps hold; beyond the budget the oldest steps are
    // emptied (they can no longer be undone) until it fits again.
    std::size_t undoBytes() const;
    void setUndoBudget(std::size_t bytes);

    // --- bet list: each call one undo step ---
    // The lines with their masks, count and total; the draw's bet fields
    // follow every change.
    const kav::BetList& betList() const { return bets_; }
    const kav::Lines& betLines() const { return bets_.lines(); }
    // Lines added at the end (only they are parsed): betsAppended, then betListChanged.
    void appendBets(const kav::Lines& lines);
    // The whole list rewritten: betsReplaced, then betListChanged. An equal
    // list is no step. `step` names the step in the history.
    void replaceBets(const kav::Lines& lines, const QString& step = tr("Изменение списка ставок"));
    // An empty list and empty counts: betsReplaced, then betListChanged. An
    // empty list stays as it is.
    void clearBets();
    // The bet-list editor's own text after the player changed it: the list
    // follows without echoing the text back (betListChanged only). Typing in
    // one line is one step until a pause or another line.
    void typeBetText(std::string_view text);
    // The same for an editor that knows where the player typed: lines
    // [first, first + count) now read `typed`. Unless `editorShows`, the
    // editor is told of the change as of an undo (a long paste it leaves to
    // the list).
    void typeBetLines(std::size_t first, std::size_t count, kav::Lines typed,
                      bool editorShows = true);
    // The list of an opened project: no step (the history starts afresh).
    void loadBets(std::string_view text);
    // "Ставок в списке 48 (960 руб.)", empty while the list does not parse.
    const std::string& betStatus() const { return betStatus_; }
    // While the list does not parse: which line breaks it and why, for the
    // status line; empty otherwise.
    const std::string& betFault() const { return betFault_; }

    // --- marks, forced bet and typed quotes: each call one undo step ---
    // The marks and the forced bet; `step` names the step ("Отметка исхода").
    void setMarks(const Selection& selection, const std::string& forcedBet, const QString& step);
    // A quote typed by the player, and the pool share when he typed one (the
    // core's rule sets the row's other quote and share).
    void setQuote(int event0, int outcome0, kav::Fixed4 quote,
                  std::optional<kav::Fixed4> poolShare = std::nullopt);
    // Another draw replaced the one shown (a download, a quotes file, a
    // project): steps of marks and quotes made on the old draw are no longer
    // undone; bet-list steps stay. drawReplaced.
    void noteDrawReplaced();
    // The draw shown, and a draw the player entered replacing it as one undo
    // step: its marks cleared, and the bet list too when `clearList`.
    // drawReplaced (and drawCountryChanged when the country changes).
    DrawView drawView() const;
    void enterDraw(DrawView view, bool clearList);

    // --- draw totals ---
    const kav::DrawTotals& totals() const { return totals_; }
    void setTotals(const kav::DrawTotals& totals);

    // --- row titles of the events in the side windows ---
    QString rowTitle(int event0) const;
    void setRowTitle(int event0, const QString& title);

    // --- the draw's caption ("Kavendix V1.4.2 — тираж ...") ---
    const QString& drawTitle() const { return drawTitle_; }
    void setDrawTitle(const QString& title);

    // --- the fields of the main window others read ---
    // The stake per bet as bet lines need it ("20", "20.5"); empty while the
    // stake field holds no valid amount.
    const std::string& stakeText() const { return stakeText_; }
    void setStakeText(const std::string& text);
    // The category of the current packet mode.
    int activeCategory() const { return activeCategory_; }
    void setActiveCategory(int category);

Q_SIGNALS:
    void betsAppended(const kav::Lines& lines);
    void betsReplaced();
    // Lines [first, first + removed) were replaced by `inserted` (an undo or
    // redo of an append or of typing).
    void betsSpliced(std::size_t first, std::size_t removed, const kav::Lines& inserted);
    void betListChanged();
    // The marks or the forced bet changed (by a step, its undo or redo).
    void marksChanged();
    void quotesChanged(int event0);
    void drawReplaced();
    void drawCountryChanged(std::uint8_t drawCountry);
    void totalsChanged();
    void rowTitleChanged(int event0, const QString& title);
    void drawTitleChanged(const QString& title);
    void stakeTextChanged();
    void activeCategoryChanged(int category);

private:
    friend class BetStep;
    friend class DrawStep;
    friend class DrawEntryStep;

    void deriveBetData();
    // The changes the steps make, with their signals.
    void appendBetsNow(const kav::Lines& lines);
    void spliceBetsNow(std::size_t first, std::size_t removed, const kav::Lines& inserted,
                       bool echo);
    // `packed` is the new list's packed form, kept for the next rewrite to share.
    void replaceBetsNow(kav::Lines lines, std::shared_ptr<const PackedLines> packed = {});
    void clearBetsNow(std::shared_ptr<const PackedLines> packed = {});
    void setMarksNow(const Selection& selection, const std::string& forcedBet);
    void setQuoteRowNow(int event0, const QuoteRow& quotes, const QuoteRow& poolShares);
    void showDrawViewNow(const DrawView& view, unsigned generation);
    // The packed form of the list shown, made once for consecutive rewrites.
    std::shared_ptr<const PackedLines> packedList();
    SessionStep* stepAt(int index) const;
    void pushStep(SessionStep* step);
    void fitUndoBudget();
    void skipDeadSteps();

    kav::DrawModel draw_;
    kav::BetList bets_;
    std::string betStatus_;
    std::string betFault_;
    kav::DrawTotals totals_;
    std::array<QString, kav::kEvents> rowTitles_{};
    QString drawTitle_;
    std::string stakeText_;
    int activeCategory_ = 13;
    kav::Rng rng_;
    // Counts the draws shown, so a step of marks or quotes knows its draw.
    unsigned drawGeneration_ = 0;
    // Every draw shown gets a new number; an undone entry brings an old one back.
    unsigned generationsMade_ = 0;
    std::size_t undoBudget_ = kUndoBudgetBytes;
    // At least what the steps hold; counted exactly once it passes the budget.
    std::size_t undoBytesBound_ = 0;
    bool skipping_ = false;
    // Set while the list shown is the one a rewrite step packed.
    std::weak_ptr<const PackedLines> packedList_;
    std::unique_ptr<QUndoStack> undoStack_;
};

} // namespace kav::ui
