// TForm2: manual and random selection ("Взять все варианты", "Случайный выбор")
// and the sensation filter's "Добавить в список".
#include "core/forming/manual_selection.h"
#include "core/forming/sensation_filter.h"
#include "ui/message_box.h"
#include "ui/tot_lin_web1.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

namespace kav::ui {

namespace {

// The lines go in first, in one append, then the message: lines added before
// the action stopped stay in the list.
void applyFormResult(TForm2& w, const kav::FormResult& r) {
    w.appendBetLines(r.added);
    if (r.message)
        showMessage(&w, *r.message);
}

} // namespace

void TForm2::Label16Click() {
    applyFormResult(*this, kav::takeAllVariants(model_, stakeText(), betLines()));
}

void TForm2::Label11Click() {
    kav::RandomRequest rq;
    rq.distribution = static_cast<kav::RandomDistribution>(ComboBox2->currentIndex());
    rq.repeat = RxSpinEdit5->value();
    rq.favourites = RxSpinEdit4->value();
    applyFormResult(*this, kav::randomBets(model_, stakeText(), betLines(), rq, rng_));
}

void TForm2::Label14Click() {
    kav::SensationRequest rq;
    rq.lo = RxSpinEdit1->value();
    rq.hi = RxSpinEdit2->value();
    rq.threshold = RxSpinEdit3->value();
    rq.criterion =
        RadioButton1->isChecked() ? kav::SensationCriterion::Quotes : kav::SensationCriterion::Pool;
    applyFormResult(*this, kav::addSensationVariants(model_, stakeText(), betLines(), rq));
}

} // namespace kav::ui
