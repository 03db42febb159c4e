// Long work off the user-interface thread: one job at a time per runner, with
// progress, cancel (the progress box's "Отмена", Esc, or the owner), questions
// asked on the user-interface thread, and the result handed back there. The
// runner joins its worker when it is destroyed, so no job outlives its window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class QProgressDialog;
class QWidget;

namespace kav::ui {

// How a job shows itself while it runs.
struct JobOptions {
    // Title of the progress box; empty: no box (the owner shows progress itself).
    QString title;
    // The first line of text: the box's, or the owner's caption with progressInCaption.
    QString label;
    Qt::WindowModality modality = Qt::WindowModal;
    // The box appears only when the job lasts this long.
    int minimumDurationMs = 400;
    // Progress updates closer together than this are dropped.
    int progressIntervalMs = 40;
    // The owner's caption shows every progress text while the job runs; it is
    // put back when the job ends, before its result is handed on.
    bool progressInCaption = false;
    // Likewise the task-bar title with every progress title. At the end it is
    // set to what it was, an empty one when it was never set, so the program's
    // name does not creep into the captions.
    bool progressInTaskBar = false;
    // Called on the user-interface thread with every progress update shown.
    std::function<void(int percent, const QString& text)> onProgress;
};

class JobRunner;

// What the work function sees on the worker thread.
class JobControl {
public:
    bool cancelled() const { return cancel_.load(); }
    // The flag itself, for core functions that poll a std::atomic<bool>.
    const std::atomic<bool>* cancelFlag() const { return &cancel_; }
    std::atomic<bool>* cancelFlag() { return &cancel_; }
    // Percent 0..100, an optional line of text and an optional task-bar title,
    // shown on the user-interface thread at a steady pace (updates in between
    // are dropped).
    void progress(int percent, const QString& text = {}, const QString& title = {});
    // Runs `question` on the user-interface thread and waits for its answer;
    // false when the job is cancelled before or while it is asked.
    bool ask(std::function<bool()> question);

private:
    friend class JobRunner;
    explicit JobControl(JobRunner& runner, int progressIntervalMs)
        : runner_(runner), interval_(progressIntervalMs) {}
    void wake();

    JobRunner& runner_;
    std::atomic<bool> cancel_{false};
    std::chrono::milliseconds interval_;
    std::chrono::steady_clock::time_point lastProgress_{};
    std::mutex mutex_;
    std::condition_variable answered_;
    std::optional<bool> answer_;
};

class JobRunner final : public QObject {
    Q_OBJECT
public:
    // `owner` is the window the progress box and the questions belong to.
    explicit JobRunner(QWidget* owner);
    // Cancels a running job and waits for it; its result is dropped.
    ~JobRunner() override;
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // Starts `work` on a worker thread and hands its result to `done` on the
    // user-interface thread, unless the runner is destroyed first. Returns
    // false, starting nothing, while another job of this runner runs.
    template <class Work, class Done> bool run(const JobOptions& options, Work work, Done done) {
        using Result = decltype(work(std::declval<JobControl&>()));
        auto result = std::make_shared<std::optional<Result>>();
        return start(
            options,
            [work = std::move(work), result](JobControl& job) mutable {
                result->emplace(work(job));
            },
            [done = std::move(done), result]() mutable { done(std::move(**result)); });
    }

    bool running() const { return worker_.joinable(); }
    // Asks the running job to stop; its result is still delivered, and the
    // work function decides what a cancelled result holds.
    void cancel();
    // Blocks until the running job has ended and its result has been delivered.
    void wait();

Q_SIGNALS:
    // After a job's result has been handed to its `done`.
    void finished();

private:
    friend class JobControl;
    bool start(const JobOptions& options, std::function<void(JobControl&)> work,
               std::function<void()> deliver);
    void showProgress(int percent, const QString& text, const QString& title);
    void setOwnerCaption(const QString& caption);
    void finish();

    QWidget* owner_;
    std::unique_ptr<JobControl> control_;
    std::thread worker_;
    std::function<void()> deliver_;
    std::function<void(int, const QString&)> onProgress_;
    QPointer<QProgressDialog> box_;
    // What to put back when the job ends.
    bool inCaption_ = false;
    bool inTaskBar_ = false;
    QString captionBefore_;
    QString titleBefore_;
};

} // namespace kav::ui
