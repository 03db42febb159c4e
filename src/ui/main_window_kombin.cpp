// MainWindow: a brief system computed on request when no template fits the
// selection. The generator runs on a worker thread; a modal progress box shows
// the rows reached and stops the run with "Отмена" or Esc, nothing saved.
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/nearest_systems_window.h"
#include "ui/progress_box.h"

#include "core/kombin/compute.h"

#include <QPointer>
#include <QProgressDialog>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace kav::ui {

struct MainWindow::KombinRun {
    kav::kombin::ComputeRequest request;
    kav::kombin::ComputeResult result;
    std::atomic<bool> cancel{false};
    std::thread worker;
    QPointer<QProgressDialog> dialog;
    std::chrono::steady_clock::time_point lastShown{};

    ~KombinRun() {
        cancel = true;
        if (worker.joinable())
            worker.join();
    }
};

void MainWindow::cancelSystemComputing() {
    if (kombinRun_)
        kombinRun_->cancel = true;
}

void MainWindow::computeBriefSystem() {
    if (kombinRun_ || !nearestSystems_ || !nearestSystems_->computableKey())
        return;
    const kav::kombin::Key key = *nearestSystems_->computableKey();
    auto run = std::make_shared<KombinRun>();
    run->request.key = key;
    run->request.folder = templateFolder_.string();
    run->request.cancel = &run->cancel;
    kombinRun_ = run;

    const QString name = QStringLiteral("%1-%2-%3").arg(key.doubles).arg(key.triples).arg(key.hits);
    // Every window waits: the selection must not change under the search.
    run->dialog = newProgressBox(this, QStringLiteral("Расчёт системы"), Qt::ApplicationModal, 300);
    run->dialog->setLabelText(QStringLiteral("Система %1: поиск…").arg(name));
    connect(run->dialog, &QProgressDialog::canceled, this, [this] { cancelSystemComputing(); });

    QPointer<MainWindow> self(this);
    KombinRun* r = run.get();
    run->request.progress = [self, r, name](const kav::kombin::SearchProgress& p) {
        const auto now = std::chrono::steady_clock::now();
        if (now - r->lastShown < std::chrono::milliseconds(50))
            return;
        r->lastShown = now;
        QMetaObject::invokeMethod(
            self,
            [self, r, p, name] {
                if (!self || self->kombinRun_.get() != r || !r->dialog)
                    return;
                r->dialog->setValue(std::clamp(static_cast<int>(p.done * 100), 0, 99));
                if (p.bestRows > 0)
                    r->dialog->setLabelText(
                        QStringLiteral("Система %1, ставок: %2").arg(name).arg(p.bestRows));
            },
            Qt::QueuedConnection);
    };
    run->worker = std::thread([self, r] {
        r->result = kav::kombin::computeSystem(r->request);
        QMetaObject::invokeMethod(
            self,
            [self] {
                if (self)
                    self->finishSystemComputing();
            },
            Qt::QueuedConnection);
    });
}

void MainWindow::finishSystemComputing() {
    std::shared_ptr<KombinRun> run = std::move(kombinRun_);
    if (!run)
        return;
    if (run->worker.joinable())
        run->worker.join();
    delete run->dialog.data();
    const kav::kombin::ComputeResult& res = run->result;
    if (res.cancelled)
        return;
    if (!res.error.empty()) {
        showMessage(this, kav::Message{res.error});
        return;
    }
    // The new file joins the index as if it had been there at start.
    indexTemplates();
    updateSelectionSummary();
}

} // namespace kav::ui
