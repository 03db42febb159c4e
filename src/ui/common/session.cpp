#include "ui/common/session.h"

#include "ui/common/undo_steps.h"

#include <QUndoStack>

#include <algorithm>

namespace kav::ui {

Session::Session(QObject* parent) : QObject(parent), undoStack_(std::make_unique<QUndoStack>()) {
    draw_.forcedBet = std::string(kav::kEvents, ' ');
    connect(undoStack_.get(), &QUndoStack::indexChanged, this, [this] { skipDeadSteps(); });
}

// The stack empties itself on destruction and says so; nothing here may answer.
Session::~Session() {
    undoStack_->disconnect(this);
}

// --- the undo history ---

SessionStep* Session::stepAt(int index) const {
    // The stack hands out its steps as const, but they are ours: the budget
    // empties them in place.
    return dynamic_cast<SessionStep*>(const_cast<QUndoCommand*>(undoStack_->command(index)));
}

std::size_t Session::undoBytes() const {
    UndoBytes bytes;
    for (int i = 0; i < undoStack_->count(); ++i)
        if (const SessionStep* step = stepAt(i))
            step->countBytes(bytes);
    return bytes.total();
}

void Session::setUndoBudget(std::size_t bytes) {
    undoBudget_ = bytes;
    undoBytesBound_ = undoBytes();
    fitUndoBudget();
}

void Session::pushStep(SessionStep* step) {
    UndoBytes added;
    step->countBytes(added);
    undoBytesBound_ += added.total();
    undoStack_->push(step); // runs the step's first redo: the change itself
    fitUndoBudget();
}

// Counting shared lists exactly walks the whole history, so it waits until
// the running bound (which never undercounts) passes the budget.
void Session::fitUndoBudget() {
    if (undoBytesBound_ <= undoBudget_)
        return;
    std::size_t held = undoBytes();
    for (int i = 0; held > undoBudget_ && i < undoStack_->count(); ++i) {
        SessionStep* step = stepAt(i);
        if (!step || step->hollow())
            continue;
        if (i >= undoStack_->index()) {
            // A step still to be redone builds on the ones before it: when it
            // goes, every later one goes with it.
            for (int k = i; k < undoStack_->count(); ++k)
                if (SessionStep* later = stepAt(k))
                    later->hollowOut();
            held = undoBytes();
            break;
        }
        step->hollowOut();
        held = undoBytes();
    }
    undoBytesBound_ = held;
    skipDeadSteps();
}

// A dead step next to the current index would make Ctrl+Z do nothing
// visible; reaching it deletes it, so the next undo or redo is a real one.
void Session::skipDeadSteps() {
    if (skipping_)
        return;
    skipping_ = true;
    QUndoStack& stack = *undoStack_;
    while (stack.index() > 0 && stepAt(stack.index() - 1) && stepAt(stack.index() - 1)->dead())
        stack.undo();
    bool droppedRedo = false;
    while (stack.index() < stack.count() && stepAt(stack.index()) &&
           stepAt(stack.index())->dead()) {
        stack.redo();
        droppedRedo = true;
    }
    skipping_ = false;
    // The stack deletes a dead step it redoes without moving its index, and
    // then tells no one that the next redo changed.
    if (droppedRedo) {
        Q_EMIT stack.canRedoChanged(stack.canRedo());
        Q_EMIT stack.redoTextChanged(stack.redoText());
    }
}

// --- bet list ---

void Session::deriveBetData() {
    betStatus_ = bets_.applyTo(draw_);
    const auto fault = bets_.fault();
    betFault_ = fault ? fault->text() : std::string();
}

std::shared_ptr<const PackedLines> Session::packedList() {
    if (auto packed = packedList_.lock())
        return packed;
    auto packed = PackedLines::pack(bets_.lines());
    packedList_ = packed;
    return packed;
}

void Session::appendBets(const kav::Lines& lines) {
    if (lines.empty())
        return;
    if (&lines == &bets_.lines()) {
        const kav::Lines copy = lines; // the list grows while it is read
        appendBets(copy);
        return;
    }
    pushStep(new AppendBetsStep(*this, lines));
}

void Session::replaceBets(const kav::Lines& lines, const QString& step) {
    if (lines == bets_.lines())
        return;
    pushStep(
        new ReplaceBetsStep(*this, step, packedList(), PackedLines::pack(lines), &lines, false));
}

void Session::clearBets() {
    if (bets_.empty())
        return;
    pushStep(new ReplaceBetsStep(*this, tr("Очистка списка ставок"), packedList(),
                                 PackedLines::pack({}), nullptr, true));
}

// Only the lines between the common beginning and the common end changed:
// the step keeps them alone and only they are parsed.
void Session::typeBetText(std::string_view text) {
    typeBetLines(0, bets_.size(), kav::splitLines(text));
}

void Session::typeBetLines(std::size_t first, std::size_t count, kav::Lines typed,
                           bool editorShows) {
    const kav::Lines& shown = bets_.lines();
    first = std::min(first, shown.size());
    count = std::min(count, shown.size() - first);
    // Only the lines that differ make the step: the same lines at either end
    // of the window are left out of it.
    std::size_t head = 0;
    while (head < count && head < typed.size() && shown[first + head] == typed[head])
        ++head;
    if (head == count && head == typed.size())
        return;
    std::size_t tail = 0;
    while (tail < count - head && tail < typed.size() - head &&
           shown[first + count - 1 - tail] == typed[typed.size() - 1 - tail])
        ++tail;
    const auto at = [](const kav::Lines& l, std::size_t i) {
        return l.begin() + static_cast<std::ptrdiff_t>(i);
    };
    const kav::Lines removed(at(shown, first + head), at(shown, first + count - tail));
    kav::Lines inserted(std::make_move_iterator(at(typed, head)),
                        std::make_move_iterator(at(typed, typed.size() - tail)));
    pushStep(new TypeBetsStep(*this, first + head, removed, std::move(inserted), editorShows));
}

void Session::loadBets(std::string_view text) {
    bets_.setText(text);
    packedList_.reset();
    deriveBetData();
    Q_EMIT betsReplaced();
    Q_EMIT betListChanged();
}

void Session::appendBetsNow(const kav::Lines& lines) {
    bets_.appendLines(lines);
    packedList_.reset();
    deriveBetData();
    Q_EMIT betsAppended(lines);
    Q_EMIT betListChanged();
}

void Session::spliceBetsNow(std::size_t first, std::size_t removed, const kav::Lines& inserted,
                            bool echo) {
    first = std::min(first, bets_.size());
    removed = std::min(removed, bets_.size() - first);
    bets_.replaceLines(first, removed, inserted);
    packedList_.reset();
    deriveBetData();
    if (echo)
        Q_EMIT betsSpliced(first, removed, inserted);
    Q_EMIT betListChanged();
}

// The packed form is remembered before the signals: an editor that reads the
// text back changes the list again while they run.
void Session::replaceBetsNow(kav::Lines lines, std::shared_ptr<const PackedLines> packed) {
    bets_.setLines(std::move(lines));
    packedList_ = packed;
    deriveBetData();
    Q_EMIT betsReplaced();
    Q_EMIT betListChanged();
}

void Session::clearBetsNow(std::shared_ptr<const PackedLines> packed) {
    bets_.clear();
    packedList_ = packed;
    kav::clearBetList(draw_);
    betStatus_.clear();
    betFault_.clear();
    Q_EMIT betsReplaced();
    Q_EMIT betListChanged();
}

// --- marks, forced bet and typed quotes ---

void Session::setMarks(const Selection& selection, const std::string& forcedBet,
                       const QString& step) {
    if (selection == draw_.selection && forcedBet == draw_.forcedBet) {
        Q_EMIT marksChanged();
        return;
    }
    pushStep(
        new MarksStep(*this, step, {draw_.selection, draw_.forcedBet}, {selection, forcedBet}));
}

void Session::setQuote(int event0, int outcome0, kav::Fixed4 quote,
                       std::optional<kav::Fixed4> poolShare) {
    if (event0 < 0 || event0 >= kav::kEvents || outcome0 < 0 || outcome0 >= kav::kOutcomes)
        return;
    const auto row = static_cast<std::size_t>(event0);
    const QuoteRow before = draw_.quotes[row];
    const QuoteRow sharesBefore = draw_.poolShares[row];
    kav::setQuote(draw_, event0, outcome0, quote);
    if (poolShare)
        kav::setPoolShare(draw_, event0, outcome0, *poolShare);
    // The cell shows the quote as the program writes it, whatever was typed.
    if (draw_.quotes[row] == before && draw_.poolShares[row] == sharesBefore) {
        Q_EMIT quotesChanged(event0);
        return;
    }
    pushStep(new QuoteStep(*this, event0, {before, sharesBefore},
                           {draw_.quotes[row], draw_.poolShares[row]}));
}

void Session::noteDrawReplaced() {
    drawGeneration_ = ++generationsMade_;
    skipDeadSteps();
    Q_EMIT drawReplaced();
}

Session::DrawView Session::drawView() const {
    DrawView v;
    kav::assignDrawAndMarks(v.draw, draw_);
    v.rowTitles = rowTitles_;
    v.totals = totals_;
    v.drawTitle = drawTitle_;
    return v;
}

void Session::enterDraw(DrawView view, bool clearList) {
    kav::resetSelection(view.draw);
    const unsigned before = drawGeneration_;
    pushStep(new DrawEntryStep(*this, drawView(), std::move(view), before, ++generationsMade_,
                               clearList && !bets_.empty() ? packedList() : nullptr));
}

void Session::showDrawViewNow(const DrawView& view, unsigned generation) {
    const bool countryChanged = view.draw.drawCountry != draw_.drawCountry;
    kav::assignDrawAndMarks(draw_, view.draw);
    drawGeneration_ = generation;
    for (int e = 0; e < kav::kEvents; ++e)
        setRowTitle(e, view.rowTitles[static_cast<std::size_t>(e)]);
    setTotals(view.totals);
    setDrawTitle(view.drawTitle);
    if (countryChanged)
        Q_EMIT drawCountryChanged(draw_.drawCountry);
    Q_EMIT marksChanged();
    Q_EMIT drawReplaced();
}

void Session::setMarksNow(const Selection& selection, const std::string& forcedBet) {
    draw_.selection = selection;
    draw_.forcedBet = forcedBet;
    Q_EMIT marksChanged();
}

void Session::setQuoteRowNow(int event0, const QuoteRow& quotes, const QuoteRow& poolShares) {
    draw_.quotes[static_cast<std::size_t>(event0)] = quotes;
    draw_.poolShares[static_cast<std::size_t>(event0)] = poolShares;
    Q_EMIT quotesChanged(event0);
}

// --- the rest of the shared state ---

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

void Session::setDrawTitle(const QString& title) {
    if (title == drawTitle_)
        return;
    drawTitle_ = title;
    Q_EMIT drawTitleChanged(title);
}

void Session::setStakeText(const std::string& text) {
    if (text == stakeText_)
        return;
    stakeText_ = text;
    Q_EMIT stakeTextChanged();
}

void Session::setActiveCategory(int category) {
    if (category == activeCategory_)
        return;
    activeCategory_ = category;
    Q_EMIT activeCategoryChanged(category);
}

} // namespace kav::ui
