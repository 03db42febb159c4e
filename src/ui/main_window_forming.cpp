// MainWindow: manual and random selection ("Взять все варианты", "Случайный выбор")
// and the sensation filter's "Добавить в список".
#include "core/forming/manual_selection.h"
#include "core/forming/sensation_filter.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

#include "ui/manual_choice_panel.h"
#include "ui/sensation_panel.h"

namespace kav::ui {

namespace {

// The lines go in first, in one append, then the message: lines added before
// the action stopped stay in the list.
void applyFormResult(MainWindow& w, const kav::FormResult& r) {
    w.appendBetLines(r.added);
    if (r.message)
        showMessage(&w, *r.message);
}

} // namespace

void MainWindow::takeAllVariants() {
    applyFormResult(*this, kav::takeAllVariants(model(), stakeText(), betLines()));
}

void MainWindow::addRandomBets() {
    kav::RandomRequest rq;
    rq.distribution = manualChoicePanel_->distribution();
    rq.repeat = manualChoicePanel_->repeat();
    rq.favourites = manualChoicePanel_->favourites();
    applyFormResult(*this, kav::randomBets(model(), stakeText(), betLines(), rq, rng_));
}

void MainWindow::addSensationVariants() {
    kav::SensationRequest rq;
    rq.lo = sensationPanel_->minSensations();
    rq.hi = sensationPanel_->maxSensations();
    rq.threshold = sensationPanel_->threshold();
    rq.criterion = sensationPanel_->byQuotes() ? kav::SensationCriterion::Quotes
                                               : kav::SensationCriterion::Pool;
    applyFormResult(*this, kav::addSensationVariants(model(), stakeText(), betLines(), rq));
}

} // namespace kav::ui
