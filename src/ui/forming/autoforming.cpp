#include "ui/forming/autoforming.h"

#include "core/forming/autoform.h"
#include "ui/common/job_report.h"
#include "ui/common/job_runner.h"
#include "ui/common/session.h"
#include "ui/common/ui_text.h"
#include "ui/forming/autoform_panel.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace kav::ui {

namespace {

// What the search hands back: its result and the generator after its draws.
struct AutoformOutcome {
    kav::AutoformResult result;
    kav::Rng rng;
};

} // namespace

Autoforming::Autoforming(Session& session, AutoformPanel& panel, JobRunner& jobs, QWidget* window)
    : QObject(window), session_(session), panel_(panel), jobs_(jobs), window_(window) {
    connect(&panel_, &AutoformPanel::startRequested, this, [this] { startAutoform(); });
    connect(&jobs_, &JobRunner::finished, this, [this] { running_ = false; });
    qApp->installEventFilter(this);
}

bool Autoforming::autoformRunning() const {
    return running_ && jobs_.running();
}

void Autoforming::cancelAutoform() {
    if (autoformRunning())
        jobs_.cancel();
}

void Autoforming::startAutoform() {
    if (jobs_.running())
        return;
    dropFound_ = false;
    kav::AutoformSettings settings;
    settings.category = panel_.category();
    settings.betLimit = panel_.betLimit();
    settings.coverageTarget = static_cast<float>(panel_.coverageTarget() / 100.0);
    settings.method = panel_.searchMethod();
    settings.stakeText = session_.stakeText();
    settings.totals = session_.totals();
    settings.totals.poolText = kav::plainNumberText(settings.totals.poolText);
    settings.totals.jackpotText = kav::plainNumberText(settings.totals.jackpotText);

    JobOptions options;
    options.title = tr("Автоформирование");
    options.progressInCaption = true;
    options.progressInTaskBar = true;
    options.progressIntervalMs = 40;
    QPointer<QWidget> window(window_);
    auto work = [window, model = session_.draw(), lines = session_.betLines(), settings,
                 rng = session_.rng()](JobControl& job) mutable {
        kav::AutoformHooks hooks;
        hooks.cancel = job.cancelFlag();
        hooks.progress = [&job](const kav::AutoformProgress& p) {
            job.progress(static_cast<int>(p.percent), QString::fromStdString(p.caption),
                         p.title ? QString::fromStdString(*p.title) : QString());
        };
        hooks.confirm = [&job, window](const kav::Message& question) {
            return job.ask([window, question] { return window && showMessage(window, question); });
        };
        kav::AutoformResult result = kav::autoForm(model, lines, settings, rng, hooks);
        return AutoformOutcome{std::move(result), rng};
    };
    auto done = [this](AutoformOutcome outcome) {
        // The draws the search made are the program's draws, as if it had run here.
        session_.rng() = outcome.rng;
        finishAutoform(outcome.result);
    };
    running_ = jobs_.run(options, std::move(work), std::move(done));
}

namespace {

QString percentText(float share) {
    return QString::number(100.0 * static_cast<double>(share), 'f', 1)
               .replace(QLatin1Char('.'), QLatin1Char(',')) +
           QLatin1Char('%');
}

QString stopText(kav::AutoformStop stop) {
    switch (stop) {
    case kav::AutoformStop::Target:
        return UiText::tr("цель достигнута");
    case kav::AutoformStop::BetLimit:
        return UiText::tr("достигнут предел ставок");
    case kav::AutoformStop::NoGain:
        return UiText::tr("новые ставки больше ничего не покрывают");
    case kav::AutoformStop::Cancelled:
        break;
    }
    return UiText::tr("прервано");
}

} // namespace

// Cancelled while choosing, the bets found so far are kept if the player says
// so; the status line then tells what was added, the coverage and why the
// search stopped.
void Autoforming::finishAutoform(const kav::AutoformResult& res) {
    if (res.message) {
        showMessage(window_, *res.message);
        return;
    }
    if (res.declined || (res.cancelled && dropFound_))
        return;
    const kav::Lines* lines = &res.added;
    if (res.cancelled) {
        const LineTally found = tallyLines(res.chosenBeforeCancel);
        const bool keep =
            found.variants > 0 &&
            showMessage(
                window_,
                kav::Message{
                    tr("Автоформирование прервано. Найдено ставок: %1 (%2), покрытие %3. "
                       "Оставить их в списке?")
                        .arg(found.variants)
                        .arg(moneyText(session_, found.amount), percentText(res.coveredWeight))
                        .toStdString(),
                    tr("Автоформирование").toStdString(), kav::Buttons::YesNo});
        if (!keep) {
            showStatus(window_, tr("Автоформирование прервано, список не изменился"));
            return;
        }
        lines = &res.chosenBeforeCancel;
    } else if (!confirmLargeAppend(window_, session_, tr("Автоформирование"),
                                   tr("Найдено %1 вариантов на %2 Добавить их все в список?"),
                                   tallyLines(res.added))) {
        return;
    }
    const ListChange change(session_);
    session_.appendBets(*lines);
    showStatus(window_,
               tr("Автоформирование: %1, покрытие %2 — %3")
                   .arg(change.change(), percentText(res.coveredWeight), stopText(res.stop)));
}

bool Autoforming::eventFilter(QObject* watched, QEvent* e) {
    if (!autoformRunning())
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != window_)
        return false;
    switch (e->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
            cancelAutoform();
        return true;
    case QEvent::ShortcutOverride:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace kav::ui
