// MainWindow: a brief system computed on request when no template fits the
// selection. The generator runs through the window's job runner; a modal
// progress box shows the rows reached and stops the run with "Отмена" or Esc,
// nothing saved.
#include "ui/job_runner.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/nearest_systems_window.h"

#include "core/kombin/compute.h"

#include <algorithm>
#include <filesystem>

namespace kav::ui {

bool MainWindow::systemComputing() const {
    return jobs_->running() && longJob_ == LongJob::SystemComputing;
}

void MainWindow::cancelSystemComputing() {
    if (systemComputing())
        jobs_->cancel();
}

void MainWindow::computeBriefSystem() {
    if (jobs_->running() || !nearestSystems_ || !nearestSystems_->computableKey())
        return;
    const kav::kombin::Key key = *nearestSystems_->computableKey();
    const QString name = QStringLiteral("%1-%2-%3").arg(key.doubles).arg(key.triples).arg(key.hits);

    JobOptions options;
    options.title = QStringLiteral("Расчёт системы");
    options.label = QStringLiteral("Система %1: поиск…").arg(name);
    // Every window waits: the selection must not change under the search.
    options.modality = Qt::ApplicationModal;
    options.minimumDurationMs = 300;
    options.progressIntervalMs = 50;
    // A computed system goes into the player's own folder when there is one:
    // the shipped templates may lie where he cannot write.
    std::string folder = templateFolder_.string();
    std::vector<std::string> moreFolders;
    if (!ownTemplateFolder_.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(ownTemplateFolder_, ec);
        moreFolders.push_back(folder);
        folder = ownTemplateFolder_.string();
    }
    auto work = [key, folder, moreFolders, name](JobControl& job) {
        kav::kombin::ComputeRequest request;
        request.key = key;
        request.folder = folder;
        request.moreFolders = moreFolders;
        request.cancel = job.cancelFlag();
        request.progress = [&job, name](const kav::kombin::SearchProgress& p) {
            // The box reaches 100 only by closing.
            job.progress(std::clamp(static_cast<int>(p.done * 100), 0, 99),
                         p.bestRows > 0
                             ? QStringLiteral("Система %1, ставок: %2").arg(name).arg(p.bestRows)
                             : QString());
        };
        return kav::kombin::computeSystem(request);
    };
    auto done = [this, key](const kav::kombin::ComputeResult& res) {
        if (res.cancelled)
            return;
        if (!res.error.empty()) {
            // A search that found only too large a system finds no smaller one
            // when asked again: the key is not offered again in this session.
            const bool tooLarge = !res.path && res.rows > kav::kombin::kMaxComputedRows;
            if (tooLarge && nearestSystems_)
                nearestSystems_->rememberTooLarge(key);
            showMessage(this, kav::Message{res.error});
            if (tooLarge)
                updateSelectionSummary();
            return;
        }
        // The new file joins the index as if it had been there at start.
        indexTemplates();
        updateSelectionSummary();
    };
    longJob_ = LongJob::SystemComputing;
    jobs_->run(options, std::move(work), std::move(done));
}

} // namespace kav::ui
