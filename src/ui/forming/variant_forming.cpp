#include "ui/forming/variant_forming.h"

#include "core/forming/manual_selection.h"
#include "core/forming/sensation_filter.h"
#include "ui/common/job_report.h"
#include "ui/common/session.h"
#include "ui/forming/manual_choice_panel.h"
#include "ui/forming/mode_bar.h"
#include "ui/forming/sensation_panel.h"
#include "ui/widgets/message_box.h"

namespace kav::ui {

namespace {

// The lines go in first, in one append, then the message: lines added before
// the action stopped stay in the list. More than kLargeAppend variants are
// added only when the player says so.
void applyFormResult(Session& session, QWidget* window, const QString& title,
                     const kav::FormResult& r) {
    if (!confirmLargeAppend(
            window, session, title,
            VariantForming::tr("Будет добавлено %1 вариантов на %2 Добавить их все в список?"),
            tallyLines(r.added)))
        return;
    const ListChange change(session);
    session.appendBets(r.added);
    showStatus(window, VariantForming::tr("%1: %2").arg(title, change.change()));
    if (r.message)
        showMessage(window, *r.message);
}

} // namespace

VariantForming::VariantForming(Session& session, ModeBar& modeBar, QWidget* window)
    : QObject(window), session_(session), modeBar_(modeBar), window_(window) {
    connect(&modeBar_.manualPanel(), &ManualChoicePanel::takeAllRequested, this,
            [this] { takeAllVariants(); });
    connect(&modeBar_.manualPanel(), &ManualChoicePanel::randomRequested, this,
            [this] { addRandomBets(); });
    connect(&modeBar_.sensationPanel(), &SensationPanel::addRequested, this,
            [this] { addSensationVariants(); });
}

void VariantForming::takeAllVariants() {
    applyFormResult(
        session_, window_, tr("Ручной набор"),
        kav::takeAllVariants(session_.draw(), session_.stakeText(), session_.betLines()));
}

void VariantForming::addRandomBets() {
    const ManualChoicePanel& panel = modeBar_.manualPanel();
    kav::RandomRequest rq;
    rq.distribution = panel.distribution();
    rq.repeat = panel.repeat();
    rq.favourites = panel.favourites();
    applyFormResult(session_, window_, tr("Случайный выбор"),
                    kav::randomBets(session_.draw(), session_.stakeText(), session_.betLines(), rq,
                                    session_.rng()));
}

void VariantForming::addSensationVariants() {
    const SensationPanel& panel = modeBar_.sensationPanel();
    kav::SensationRequest rq;
    rq.lo = panel.minSensations();
    rq.hi = panel.maxSensations();
    rq.threshold = panel.threshold();
    rq.criterion =
        panel.byQuotes() ? kav::SensationCriterion::Quotes : kav::SensationCriterion::Pool;
    applyFormResult(
        session_, window_, tr("По сенсациям"),
        kav::addSensationVariants(session_.draw(), session_.stakeText(), session_.betLines(), rq));
}

} // namespace kav::ui
