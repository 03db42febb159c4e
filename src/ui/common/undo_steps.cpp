#include "ui/common/undo_steps.h"
#include "ui/common/ui_text.h"

#include <algorithm>

namespace kav::ui {

namespace {

StepClock stepClock = nullptr;

std::chrono::steady_clock::time_point now() {
    return stepClock ? stepClock() : std::chrono::steady_clock::now();
}

// Keys typed closer together than this are one step.
constexpr std::chrono::seconds kTypingPause{1};
constexpr int kTypingStepId = 1;

} // namespace

void setStepClock(StepClock clock) {
    stepClock = clock;
}

// --- PackedLines ---

std::shared_ptr<const PackedLines> PackedLines::pack(const kav::Lines& lines) {
    auto packed = std::make_shared<PackedLines>();
    std::size_t chars = 0;
    for (const auto& line : lines)
        chars += line.size();
    packed->chars_.reserve(chars);
    packed->ends_.reserve(lines.size());
    for (const auto& line : lines) {
        packed->chars_ += line;
        packed->ends_.push_back(packed->chars_.size());
    }
    return packed;
}

std::string_view PackedLines::line(std::size_t i) const {
    const std::size_t from = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(chars_).substr(from, ends_[i] - from);
}

kav::Lines PackedLines::unpack() const {
    kav::Lines lines;
    lines.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        lines.emplace_back(line(i));
    return lines;
}

std::size_t PackedLines::bytes() const {
    return sizeof(*this) + chars_.capacity() + ends_.capacity() * sizeof(std::size_t);
}

std::shared_ptr<const PackedLines> PackedLines::withLine(std::size_t i,
                                                         std::string_view text) const {
    auto packed = std::make_shared<PackedLines>();
    const std::size_t from = i == 0 ? 0 : ends_[i - 1];
    const std::size_t oldSize = ends_[i] - from;
    packed->chars_.reserve(chars_.size() - oldSize + text.size());
    packed->chars_.append(chars_, 0, from);
    packed->chars_ += text;
    packed->chars_.append(chars_, ends_[i]);
    packed->ends_ = ends_;
    for (std::size_t k = i; k < ends_.size(); ++k)
        packed->ends_[k] = ends_[k] - oldSize + text.size();
    return packed;
}

void UndoBytes::add(const std::shared_ptr<const PackedLines>& lines) {
    if (lines && seen_.insert(lines.get()).second)
        total_ += lines->bytes();
}

// --- SessionStep ---

void SessionStep::undo() {
    if (dead()) {
        setObsolete(true);
        return;
    }
    undoNow();
}

void SessionStep::redo() {
    if (dead()) {
        setObsolete(true);
        return;
    }
    redoNow();
}

void SessionStep::hollowOut() {
    hollow_ = true;
    release();
}

void SessionStep::countBytes(UndoBytes& bytes) const {
    if (!hollow_)
        countHeld(bytes);
}

// --- AppendBetsStep ---

AppendBetsStep::AppendBetsStep(Session& session, const kav::Lines& lines)
    : BetStep(session, UiText::tr("Добавление ставок")), lines_(PackedLines::pack(lines)),
      given_(&lines) {}

void AppendBetsStep::undoNow() {
    const std::size_t size = bets().size();
    const std::size_t count = std::min(lines_->size(), size);
    spliceNow(size - count, count, {}, true);
}

void AppendBetsStep::redoNow() {
    if (given_) {
        appendNow(*given_);
        given_ = nullptr;
        return;
    }
    appendNow(lines_->unpack());
}

// --- ReplaceBetsStep ---

ReplaceBetsStep::ReplaceBetsStep(Session& session, const QString& text,
                                 std::shared_ptr<const PackedLines> before,
                                 std::shared_ptr<const PackedLines> after, const kav::Lines* given,
                                 bool clears)
    : BetStep(session, text), before_(std::move(before)), after_(std::move(after)), given_(given),
      clears_(clears) {}

void ReplaceBetsStep::undoNow() {
    replaceNow(before_->unpack(), before_);
}

void ReplaceBetsStep::redoNow() {
    if (clears_)
        clearNow(after_);
    else if (given_)
        replaceNow(*given_, after_);
    else
        replaceNow(after_->unpack(), after_);
    given_ = nullptr;
}

void ReplaceBetsStep::release() {
    before_.reset();
    after_.reset();
}

void ReplaceBetsStep::countHeld(UndoBytes& bytes) const {
    bytes.add(before_);
    bytes.add(after_);
}

// --- TypeBetsStep ---

TypeBetsStep::TypeBetsStep(Session& session, std::size_t first, const kav::Lines& removed,
                           kav::Lines inserted, bool shown)
    : BetStep(session, UiText::tr("Ввод в списке ставок")), first_(first),
      removed_(PackedLines::pack(removed)), inserted_(PackedLines::pack(inserted)),
      lastEdit_(now()) {
    if (shown)
        given_ = std::move(inserted);
}

int TypeBetsStep::id() const {
    return kTypingStepId;
}

// Typing inside one line of what this step typed, without a pause, carries
// on this step: it keeps the lines it removed and takes the new line.
bool TypeBetsStep::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const TypeBetsStep*>(other);
    if (!next || hollow() || next->hollow())
        return false;
    if (next->lastEdit_ < lastEdit_ || next->lastEdit_ - lastEdit_ >= kTypingPause)
        return false;
    if (next->removed_->size() != 1 || next->inserted_->size() != 1)
        return false;
    if (next->first_ < first_ || next->first_ >= first_ + inserted_->size())
        return false;
    inserted_ = inserted_->withLine(next->first_ - first_, next->inserted_->line(0));
    lastEdit_ = next->lastEdit_;
    // Typed back to what it was: the step has nothing left to undo.
    if (*inserted_ == *removed_)
        setObsolete(true);
    return true;
}

void TypeBetsStep::undoNow() {
    spliceNow(first_, inserted_->size(), removed_->unpack(), true);
}

void TypeBetsStep::redoNow() {
    if (given_) {
        // The editor already shows what the player typed.
        spliceNow(first_, removed_->size(), *given_, false);
        given_.reset();
        return;
    }
    spliceNow(first_, removed_->size(), inserted_->unpack(), true);
}

void TypeBetsStep::release() {
    removed_.reset();
    inserted_.reset();
    given_.reset();
}

void TypeBetsStep::countHeld(UndoBytes& bytes) const {
    bytes.add(removed_);
    bytes.add(inserted_);
}

// --- MarksStep ---

MarksStep::MarksStep(Session& session, const QString& text, Marks before, Marks after)
    : DrawStep(session, text), before_(std::move(before)), after_(std::move(after)) {}

void MarksStep::undoNow() {
    setMarksNow(before_.selection, before_.forcedBet);
}

void MarksStep::redoNow() {
    setMarksNow(after_.selection, after_.forcedBet);
}

void MarksStep::countHeld(UndoBytes& bytes) const {
    bytes.add(2 * sizeof(Marks) + before_.forcedBet.capacity() + after_.forcedBet.capacity());
}

// --- QuoteStep ---

QuoteStep::QuoteStep(Session& session, int event0, const Row& before, const Row& after)
    : DrawStep(session, UiText::tr("Ввод котировки")), event0_(event0), before_(before),
      after_(after) {}

void QuoteStep::undoNow() {
    setQuoteRowNow(event0_, before_.quotes, before_.poolShares);
}

void QuoteStep::redoNow() {
    setQuoteRowNow(event0_, after_.quotes, after_.poolShares);
}

// --- DrawEntryStep ---

DrawEntryStep::DrawEntryStep(Session& session, Session::DrawView before, Session::DrawView after,
                             unsigned generationBefore, unsigned generationAfter,
                             std::shared_ptr<const PackedLines> clearedList)
    : SessionStep(UiText::tr("Ввод тиража")), session_(session), before_(std::move(before)),
      after_(std::move(after)), generationBefore_(generationBefore),
      generationAfter_(generationAfter), clearedList_(std::move(clearedList)) {}

void DrawEntryStep::undoNow() {
    session_.showDrawViewNow(before_, generationBefore_);
    if (clearedList_)
        session_.replaceBetsNow(clearedList_->unpack(), clearedList_);
}

void DrawEntryStep::redoNow() {
    session_.showDrawViewNow(after_, generationAfter_);
    if (clearedList_)
        session_.clearBetsNow(PackedLines::pack({}));
}

bool DrawEntryStep::outdated() const {
    return session_.drawGeneration_ != generationBefore_ &&
           session_.drawGeneration_ != generationAfter_;
}

void DrawEntryStep::countHeld(UndoBytes& bytes) const {
    bytes.add(2 * sizeof(Session::DrawView));
    bytes.add(clearedList_);
}

} // namespace kav::ui
