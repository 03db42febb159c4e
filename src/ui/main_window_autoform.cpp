// MainWindow: auto-forming ("Добавить в список" of mode 3). The search runs on a
// worker thread with its own copy of the random generator; the window keeps
// painting and shows the progress in its caption and the task-bar title, takes
// no other input meanwhile (so the result is the one a blocking run gives),
// and Esc or "Отмена" stops the search without adding anything.
#include "ui/autoform_panel.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/progress_box.h"

#include "core/forming/autoform.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QProgressDialog>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kav::ui {

struct MainWindow::AutoformRun {
    kav::DrawModel model;
    kav::Lines lines;
    kav::AutoformSettings settings;
    kav::Rng rng;
    kav::AutoformResult result;
    std::atomic<bool> cancel{false};
    std::thread worker;
    QString caption;     // the window's caption before the search
    QString displayName; // the task-bar title before, empty when never set
    QPointer<QProgressDialog> dialog;
    std::chrono::steady_clock::time_point lastShown{};

    // The time question: asked on the window's thread, awaited here.
    std::mutex mutex;
    std::condition_variable answered;
    std::optional<bool> answer;

    ~AutoformRun() {
        cancel = true;
        answered.notify_all();
        if (worker.joinable())
            worker.join();
    }
};

bool MainWindow::autoformRunning() const {
    return autoformRun_ != nullptr;
}

void MainWindow::cancelAutoform() {
    if (!autoformRun_)
        return;
    autoformRun_->cancel = true;
    autoformRun_->answered.notify_all();
}

void MainWindow::startAutoform() {
    if (autoformRun_)
        return;
    auto run = std::make_shared<AutoformRun>();
    run->model = model();
    run->lines = betLines();
    run->settings.category = autoformPanel_->category();
    run->settings.betLimit = autoformPanel_->betLimit();
    run->settings.coverageTarget = static_cast<float>(autoformPanel_->coverageTarget() / 100.0);
    run->settings.method = autoformPanel_->searchMethod();
    run->settings.stakeText = stakeText();
    run->rng = rng_;
    run->caption = windowTitle();
    const QString display = QGuiApplication::applicationDisplayName();
    run->displayName = display == QCoreApplication::applicationName() ? QString() : display;
    autoformRun_ = run;

    run->dialog = newProgressBox(this, QStringLiteral("Автоформирование"), Qt::WindowModal, 400);
    connect(run->dialog, &QProgressDialog::canceled, this, [this] { cancelAutoform(); });

    QPointer<MainWindow> self(this);
    AutoformRun* r = run.get();
    kav::AutoformHooks hooks;
    hooks.cancel = &r->cancel;
    hooks.progress = [self, r](const kav::AutoformProgress& p) {
        // A steady pace of captions is enough; the last one is replaced by the
        // restored caption anyway.
        const auto now = std::chrono::steady_clock::now();
        if (now - r->lastShown < std::chrono::milliseconds(40))
            return;
        r->lastShown = now;
        QMetaObject::invokeMethod(
            self,
            [self, p] {
                if (self && self->autoformRun_)
                    self->showAutoformProgress(p);
            },
            Qt::QueuedConnection);
    };
    hooks.confirm = [self, r](const kav::Message& question) {
        QMetaObject::invokeMethod(
            self,
            [self, r, question] {
                const bool ok = self && !r->cancel && showMessage(self, question);
                std::lock_guard lock(r->mutex);
                r->answer = ok;
                r->answered.notify_all();
            },
            Qt::QueuedConnection);
        std::unique_lock lock(r->mutex);
        r->answered.wait(lock, [r] { return r->answer.has_value() || r->cancel.load(); });
        return r->answer.value_or(false) && !r->cancel;
    };
    run->worker = std::thread([self, r, hooks] {
        r->result = kav::autoForm(r->model, r->lines, r->settings, r->rng, hooks);
        QMetaObject::invokeMethod(
            self,
            [self] {
                if (self)
                    self->finishAutoform();
            },
            Qt::QueuedConnection);
    });
}

void MainWindow::showAutoformProgress(const kav::AutoformProgress& p) {
    setWindowTitle(QString::fromStdString(p.caption));
    if (p.title)
        QGuiApplication::setApplicationDisplayName(QString::fromStdString(*p.title));
    if (QProgressDialog* d = autoformRun_->dialog) {
        d->setLabelText(QString::fromStdString(p.caption));
        d->setValue(std::clamp(static_cast<int>(p.percent), 0, 100));
    }
}

void MainWindow::finishAutoform() {
    std::shared_ptr<AutoformRun> run = std::move(autoformRun_);
    if (!run)
        return;
    if (run->worker.joinable())
        run->worker.join();
    delete run->dialog.data();
    // The ending, whatever happened: caption and task-bar title as they were.
    setWindowTitle(run->caption);
    QGuiApplication::setApplicationDisplayName(run->displayName);
    // The draws the search made are the program's draws, as if it had run here.
    rng_ = run->rng;
    const kav::AutoformResult& res = run->result;
    if (res.message)
        showMessage(this, *res.message);
    else if (!res.cancelled && !res.declined && !res.added.empty())
        appendBetLines(res.added);
}

bool MainWindow::autoformFiltersInput(QObject* watched, QEvent* e) {
    if (!autoformRun_)
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
