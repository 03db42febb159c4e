// MainWindow: auto-forming ("Добавить в список" of mode 3). The search runs
// through the window's job runner with its own copy of the random generator;
// the window keeps painting and shows the progress in its caption and the
// task-bar title, takes no other input meanwhile (so the result is the one a
// blocking run gives), and Esc or "Отмена" stops the search without adding
// anything.
#include "ui/autoform_panel.h"
#include "ui/job_runner.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

#include "core/forming/autoform.h"

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

bool MainWindow::autoformRunning() const {
    return jobs_->running() && longJob_ == LongJob::Autoform;
}

void MainWindow::cancelAutoform() {
    if (autoformRunning())
        jobs_->cancel();
}

void MainWindow::startAutoform() {
    if (jobs_->running())
        return;
    kav::AutoformSettings settings;
    settings.category = autoformPanel_->category();
    settings.betLimit = autoformPanel_->betLimit();
    settings.coverageTarget = static_cast<float>(autoformPanel_->coverageTarget() / 100.0);
    settings.method = autoformPanel_->searchMethod();
    settings.stakeText = stakeText();

    JobOptions options;
    options.title = QStringLiteral("Автоформирование");
    options.progressInCaption = true;
    options.progressInTaskBar = true;
    options.progressIntervalMs = 40;
    QPointer<MainWindow> self(this);
    auto work = [self, model = model(), lines = betLines(), settings,
                 rng = rng_](JobControl& job) mutable {
        kav::AutoformHooks hooks;
        hooks.cancel = job.cancelFlag();
        hooks.progress = [&job](const kav::AutoformProgress& p) {
            job.progress(static_cast<int>(p.percent), QString::fromStdString(p.caption),
                         p.title ? QString::fromStdString(*p.title) : QString());
        };
        hooks.confirm = [&job, self](const kav::Message& question) {
            return job.ask([self, question] { return self && showMessage(self, question); });
        };
        kav::AutoformResult result = kav::autoForm(model, lines, settings, rng, hooks);
        return AutoformOutcome{std::move(result), rng};
    };
    auto done = [this](AutoformOutcome outcome) {
        // The draws the search made are the program's draws, as if it had run here.
        rng_ = outcome.rng;
        const kav::AutoformResult& res = outcome.result;
        if (res.message)
            showMessage(this, *res.message);
        else if (!res.cancelled && !res.declined && !res.added.empty())
            appendBetLines(res.added);
    };
    longJob_ = LongJob::Autoform;
    jobs_->run(options, std::move(work), std::move(done));
}

bool MainWindow::autoformFiltersInput(QObject* watched, QEvent* e) {
    if (!autoformRunning())
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
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
