// Autoforming: "Добавить в список" of the auto-forming mode. The search runs
// through the job runner with its own copy of the random generator; the main
// window keeps painting and shows the progress in its caption and the
// task-bar title, takes no other input meanwhile (so the result is the one a
// blocking run gives). Esc or "Отмена" stops the search and asks whether to keep
// the bets found so far. The status line tells the result.
#pragma once

#include <QObject>

namespace kav {
struct AutoformResult;
}

class QEvent;
class QWidget;

namespace kav::ui {

class AutoformPanel;
class JobRunner;
class Session;

class Autoforming final : public QObject {
    Q_OBJECT
public:
    Autoforming(Session& session, AutoformPanel& panel, JobRunner& jobs, QWidget* window);

    void startAutoform();
    // True while a search runs; Esc or the progress box's "Отмена" stops it.
    bool autoformRunning() const;
    void cancelAutoform();
    // The window closes: a search cancelled now drops what it found, unasked.
    void dropFoundOnCancel() { dropFound_ = true; }

protected:
    // Input to the window while a search runs: Esc stops it, the rest is dropped.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void finishAutoform(const kav::AutoformResult& res);

    Session& session_;
    AutoformPanel& panel_;
    JobRunner& jobs_;
    QWidget* window_;
    bool running_ = false; // the running job is this feature's
    bool dropFound_ = false;
};

} // namespace kav::ui
