#include "ui/common/job_runner.h"

#include "ui/common/program_language.h"
#include "ui/common/progress_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace kav::ui {

void JobControl::progress(int percent, const QString& text, const QString& title) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastProgress_ < interval_)
        return;
    lastProgress_ = now;
    JobRunner* runner = &runner_;
    QMetaObject::invokeMethod(
        runner, [runner, percent, text, title] { runner->showProgress(percent, text, title); },
        Qt::QueuedConnection);
}

bool JobControl::ask(std::function<bool()> question) {
    {
        std::lock_guard lock(mutex_);
        answer_.reset();
    }
    QMetaObject::invokeMethod(
        &runner_,
        [this, question = std::move(question)] {
            const bool yes = !cancelled() && question();
            std::lock_guard lock(mutex_);
            answer_ = yes;
            answered_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [this] { return answer_.has_value() || cancelled(); });
    return answer_.value_or(false) && !cancelled();
}

void JobControl::wake() {
    std::lock_guard lock(mutex_);
    answered_.notify_all();
}

// While a job's box is up, input to every other window waits, as a modal box
// would have it; but a close request still reaches the windows, so that the
// main window can ask whether to stop the job. Questions asked meanwhile are
// modal and get their input.
class InputGuard final : public QObject {
public:
    // `wholeProgram`: every window waits, not only the box's own window with
    // the windows it owns and those that own it.
    InputGuard(QProgressDialog* box, bool wholeProgram)
        : QObject(box), box_(box), wholeProgram_(wholeProgram) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::Drop:
            break;
        default:
            return false;
        }
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || !box_ || !box_->isVisible())
            return false;
        // Escape stops the job wherever it is pressed.
        if ((e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride ||
             e->type() == QEvent::KeyRelease) &&
            static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
            return false;
        const QWidget* window = w->window();
        if (window == box_ || window->isModal() || window->inherits("QMenu"))
            return false;
        const QWidget* own = box_->parentWidget() ? box_->parentWidget()->window() : nullptr;
        if (!wholeProgram_ && own && window != own && !own->isAncestorOf(window) &&
            !window->isAncestorOf(own))
            return false;
        // A key taken here triggers no shortcut either.
        e->accept();
        return true;
    }

private:
    QPointer<QProgressDialog> box_;
    bool wholeProgram_;
};

JobRunner::JobRunner(QWidget* owner) : QObject(owner), owner_(owner) {}

JobRunner::~JobRunner() {
    cancel();
    if (worker_.joinable())
        worker_.join();
    delete box_.data();
}

bool JobRunner::start(const JobOptions& options, std::function<void(JobControl&)> work,
                      std::function<void()> deliver) {
    if (running())
        return false;
    control_.reset(new JobControl(*this, options.progressIntervalMs));
    deliver_ = std::move(deliver);
    onProgress_ = options.onProgress;
    if (!options.title.isEmpty()) {
        // The box itself is not modal: the guard holds the other windows' input.
        box_ = newProgressBox(owner_, options.title, Qt::NonModal, options.minimumDurationMs);
        if (!options.label.isEmpty())
            box_->setLabelText(options.label);
        connect(box_, &QProgressDialog::canceled, this, &JobRunner::cancel);
        if (options.modality != Qt::NonModal)
            new InputGuard(box_, options.modality == Qt::ApplicationModal);
    }
    inCaption_ = options.progressInCaption;
    inTaskBar_ = options.progressInTaskBar;
    if (inCaption_) {
        captionBefore_ = owner_->windowTitle();
        if (!options.label.isEmpty())
            owner_->setWindowTitle(options.label);
    }
    if (inTaskBar_) {
        const QString title = QGuiApplication::applicationDisplayName();
        titleBefore_ = title == QCoreApplication::applicationName() ? QString() : title;
    }
    JobControl* control = control_.get();
    worker_ = std::thread([this, control, work = std::move(work)]() mutable {
        work(*control);
        QMetaObject::invokeMethod(
            this, [this] { finish(); }, Qt::QueuedConnection);
    });
    return true;
}

void JobRunner::cancel() {
    if (!control_)
        return;
    control_->cancel_ = true;
    control_->wake();
}

// Window systems that show the task-bar title after every window caption
// ("caption — title") compose it when the caption is set, and leave it out
// where the caption already ends with it: so the title goes first, and the
// caption then shows one figure, not this update's beside the last one's.
void JobRunner::showProgress(int percent, const QString& text, const QString& title) {
    if (!running())
        return;
    if (inTaskBar_ && !title.isEmpty())
        QGuiApplication::setApplicationDisplayName(title);
    // The work's own words, in the program's language.
    const QString shown = coreText(text);
    if (inCaption_ && !text.isEmpty())
        setOwnerCaption(shown);
    if (box_) {
        if (!text.isEmpty())
            box_->setLabelText(shown);
        // Last: a shown modal box may run the event loop in setValue.
        box_->setValue(std::clamp(percent, 0, 100));
    }
    if (onProgress_)
        onProgress_(percent, text);
}

void JobRunner::finish() {
    if (!worker_.joinable())
        return;
    worker_.join();
    delete box_.data();
    // The title first, for the same reason as in showProgress: a caption put
    // back under the last progress title would keep showing its figure.
    if (inTaskBar_)
        QGuiApplication::setApplicationDisplayName(titleBefore_);
    if (inCaption_ || inTaskBar_)
        setOwnerCaption(inCaption_ ? captionBefore_ : owner_->windowTitle());
    inCaption_ = inTaskBar_ = false;
    // The job is over before its result is handed on, so `done` may start the next one.
    auto deliver = std::move(deliver_);
    deliver_ = nullptr;
    onProgress_ = nullptr;
    control_.reset();
    deliver();
    Q_EMIT finished();
}

// QWidget::setWindowTitle skips an unchanged caption; the window's own
// setTitle always hands the caption to the window system again, so it is
// composed with the task-bar title of now.
void JobRunner::setOwnerCaption(const QString& caption) {
    owner_->setWindowTitle(caption);
    if (QWindow* window = owner_->windowHandle())
        window->setTitle(caption);
}

void JobRunner::wait() {
    while (running()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace kav::ui
