// The steps of the session's one undo history: appended bets, a rewritten or
// cleared list, typing in the bet-list editor, marks and typed quotes. Steps
// keep their lines packed, share the lists they have in common, can be emptied
// when the history outgrows its budget, and leave the history by themselves
// once they can no longer be undone.
#pragma once

#include "core/bets/bet_list.h"
#include "ui/common/session.h"

#include <QString>
#include <QUndoCommand>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kav::ui {

// Lines as one block of characters and the end of each line in it: two
// allocations for any number of lines, every byte kept as it was.
class PackedLines {
public:
    static std::shared_ptr<const PackedLines> pack(const kav::Lines& lines);

    std::size_t size() const { return ends_.size(); }
    std::string_view line(std::size_t i) const;
    kav::Lines unpack() const;
    // The memory the packed form takes.
    std::size_t bytes() const;
    // A copy in which line `i` reads `text`.
    std::shared_ptr<const PackedLines> withLine(std::size_t i, std::string_view text) const;

    bool operator==(const PackedLines&) const = default;

private:
    std::string chars_;
    std::vector<std::size_t> ends_;
};

// Sums what the steps hold; a packed list several steps share counts once.
class UndoBytes {
public:
    void add(std::size_t bytes) { total_ += bytes; }
    void add(const std::shared_ptr<const PackedLines>& lines);
    std::size_t total() const { return total_; }

private:
    std::unordered_set<const PackedLines*> seen_;
    std::size_t total_ = 0;
};

// The clock typing steps measure the player's pauses with; tests set one of
// their own (nullptr puts the steady clock back).
using StepClock = std::chrono::steady_clock::time_point (*)();
void setStepClock(StepClock clock);

// What every step of the session can do besides undo and redo.
class SessionStep : public QUndoCommand {
public:
    explicit SessionStep(const QString& text) : QUndoCommand(text) {}

    // A dead step does nothing when reached and leaves the history (the
    // stack deletes a step that sets itself obsolete in undo or redo).
    void undo() final;
    void redo() final;
    bool dead() const { return hollow_ || outdated(); }
    bool hollow() const { return hollow_; }
    // Frees what the step holds; from now on it is dead.
    void hollowOut();
    void countBytes(UndoBytes& bytes) const;

protected:
    virtual void undoNow() = 0;
    virtual void redoNow() = 0;
    // Made on a draw that is no longer shown.
    virtual bool outdated() const { return false; }
    virtual void release() = 0;
    virtual void countHeld(UndoBytes& bytes) const = 0;

private:
    bool hollow_ = false;
};

// The steps of the bet list: the only ones that change the session's lines.
class BetStep : public SessionStep {
protected:
    BetStep(Session& session, const QString& text) : SessionStep(text), session_(session) {}

    const kav::BetList& bets() const { return session_.bets_; }
    void appendNow(const kav::Lines& lines) { session_.appendBetsNow(lines); }
    void spliceNow(std::size_t first, std::size_t removed, const kav::Lines& inserted, bool echo) {
        session_.spliceBetsNow(first, removed, inserted, echo);
    }
    // `packed` is the packed form of the new list, for the next rewrite to share.
    void replaceNow(kav::Lines lines, const std::shared_ptr<const PackedLines>& packed) {
        session_.replaceBetsNow(std::move(lines), packed);
    }
    void clearNow(const std::shared_ptr<const PackedLines>& packed) {
        session_.clearBetsNow(packed);
    }

private:
    Session& session_;
};

// Lines appended at the end: the step keeps only them.
class AppendBetsStep final : public BetStep {
public:
    AppendBetsStep(Session& session, const kav::Lines& lines);

protected:
    void undoNow() override;
    void redoNow() override;
    void release() override { lines_.reset(); }
    void countHeld(UndoBytes& bytes) const override { bytes.add(lines_); }

private:
    std::shared_ptr<const PackedLines> lines_;
    // The caller's lines while the stack runs the first redo: no unpacking.
    const kav::Lines* given_;
};

// The whole list rewritten or cleared: the lists before and after, shared
// with the neighbouring rewrites.
class ReplaceBetsStep final : public BetStep {
public:
    // `after` of a clear is the empty list; `given` is the new list while the
    // stack runs the first redo.
    ReplaceBetsStep(Session& session, const QString& text,
                    std::shared_ptr<const PackedLines> before,
                    std::shared_ptr<const PackedLines> after, const kav::Lines* given, bool clears);

protected:
    void undoNow() override;
    void redoNow() override;
    void release() override;
    void countHeld(UndoBytes& bytes) const override;

private:
    std::shared_ptr<const PackedLines> before_;
    std::shared_ptr<const PackedLines> after_;
    const kav::Lines* given_;
    bool clears_;
};

// The player's typing: lines [first, first + removed) became `inserted`.
// Typing inside one line goes on in the same step until a pause.
class TypeBetsStep final : public BetStep {
public:
    // `shown`: the editor already shows the typed lines (a paste written by
    // the program is not).
    TypeBetsStep(Session& session, std::size_t first, const kav::Lines& removed,
                 kav::Lines inserted, bool shown = true);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void undoNow() override;
    void redoNow() override;
    void release() override;
    void countHeld(UndoBytes& bytes) const override;

private:
    std::size_t first_;
    std::shared_ptr<const PackedLines> removed_;
    std::shared_ptr<const PackedLines> inserted_;
    std::chrono::steady_clock::time_point lastEdit_;
    std::optional<kav::Lines> given_;
};

// The steps of the draw: they belong to the draw they were made on.
class DrawStep : public SessionStep {
protected:
    DrawStep(Session& session, const QString& text)
        : SessionStep(text), session_(session), generation_(session.drawGeneration_) {}

    bool outdated() const override { return generation_ != session_.drawGeneration_; }
    void setMarksNow(const Session::Selection& selection, const std::string& forcedBet) {
        session_.setMarksNow(selection, forcedBet);
    }
    void setQuoteRowNow(int event0, const Session::QuoteRow& quotes,
                        const Session::QuoteRow& poolShares) {
        session_.setQuoteRowNow(event0, quotes, poolShares);
    }

private:
    Session& session_;
    unsigned generation_;
};

class MarksStep final : public DrawStep {
public:
    struct Marks {
        Session::Selection selection;
        std::string forcedBet;
    };
    MarksStep(Session& session, const QString& text, Marks before, Marks after);

protected:
    void undoNow() override;
    void redoNow() override;
    // Two small rows: kept whole even when the budget empties the step.
    void release() override {}
    void countHeld(UndoBytes& bytes) const override;

private:
    Marks before_;
    Marks after_;
};

class QuoteStep final : public DrawStep {
public:
    // A row's quotes and pool shares.
    struct Row {
        Session::QuoteRow quotes;
        Session::QuoteRow poolShares;
    };
    QuoteStep(Session& session, int event0, const Row& before, const Row& after);

protected:
    void undoNow() override;
    void redoNow() override;
    void release() override {}
    void countHeld(UndoBytes& bytes) const override { bytes.add(sizeof(before_) + sizeof(after_)); }

private:
    int event0_;
    Row before_;
    Row after_;
};

// A draw the player entered in place of the one shown, with the list it
// cleared. It stays in the history while one of its two draws is shown.
class DrawEntryStep final : public SessionStep {
public:
    // `clearedList` is the list the entry empties; null when it keeps it.
    DrawEntryStep(Session& session, Session::DrawView before, Session::DrawView after,
                  unsigned generationBefore, unsigned generationAfter,
                  std::shared_ptr<const PackedLines> clearedList);

protected:
    void undoNow() override;
    void redoNow() override;
    bool outdated() const override;
    void release() override { clearedList_.reset(); }
    void countHeld(UndoBytes& bytes) const override;

private:
    Session& session_;
    Session::DrawView before_;
    Session::DrawView after_;
    unsigned generationBefore_;
    unsigned generationAfter_;
    std::shared_ptr<const PackedLines> clearedList_;
};

} // namespace kav::ui
