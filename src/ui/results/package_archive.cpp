#include "ui/results/package_archive.h"

#include "core/check/package_history.h"
#include "io/files/project_file.h"
#include "ui/common/job_report.h"
#include "ui/common/program_places.h"
#include "ui/common/session.h"
#include "ui/common/work_guards.h"
#include "ui/project/project_document.h"
#include "ui/results/draw_check_window.h"
#include "ui/results/history_window.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace kav::ui {

namespace {

const char* const kArchiveCaption = kav::Text::tr("Архив тиражей");

} // namespace

PackageArchive::PackageArchive(Session& session, ProjectDocument& project, JobRunner& jobs,
                               QWidget* window)
    : QObject(window), session_(session), project_(project), jobs_(jobs), window_(window) {}

PackageArchive::~PackageArchive() = default;

void PackageArchive::fillMenu(QMenu* menu) {
    QAction* check = menu->addAction(tr("Проверить пакет по результату"));
    check->setObjectName(QStringLiteral("drawCheckAction"));
    check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(check, &QAction::triggered, this, [this] { showDrawCheck(); });
    QAction* save = menu->addAction(tr("Сохранить пакет в архив"));
    save->setObjectName(QStringLiteral("savePackageAction"));
    connect(save, &QAction::triggered, this, [this] { savePackageToArchive(); });
    QAction* history = menu->addAction(tr("История пакетов"));
    history->setObjectName(QStringLiteral("historyAction"));
    connect(history, &QAction::triggered, this, [this] { showHistory(); });
}

kav::io::DrawArchive* PackageArchive::drawArchive(bool quiet) {
    if (archive_)
        return archive_.get();
    if (archivePath().isEmpty()) {
        if (!quiet)
            showMessage(window_, {kav::Text::tr("Архив тиражей не задан."), kArchiveCaption});
        return nullptr;
    }
    auto opened = kav::io::DrawArchive::open(archivePath().toStdString());
    if (!opened.archive) {
        // Said once when the program keeps a draw on its own; every time the
        // player asks for the archive.
        if (!quiet || !archiveProblemShown_)
            showMessage(window_, {tr("%1\nПрограмма работает без архива.")
                                      .arg(coreText(opened.problem))
                                      .toStdString(),
                                  kArchiveCaption});
        archiveProblemShown_ = true;
        return nullptr;
    }
    archive_ = std::move(opened.archive);
    return archive_.get();
}

kav::io::ArchivedDraw PackageArchive::sessionDraw() const {
    kav::io::ArchivedDraw d;
    d.loadedAt = kav::io::archiveTimestamp();
    const kav::DrawModel& m = session_.draw();
    d.drawCountry = m.drawCountry == kav::kUkraine ? kav::kUkraine : kav::kRussia;
    d.title = (session_.drawTitle().isEmpty() ? window_->windowTitle() : session_.drawTitle())
                  .toStdString();
    d.eventTitles = m.eventTitles;
    d.quotes = m.quotes;
    d.poolShares = m.poolShares;
    d.totals = session_.totals();
    return d;
}

void PackageArchive::keepLoadedDraw() {
    kav::io::DrawArchive* archive = drawArchive(true);
    if (!archive)
        return;
    const auto id = archive->addDraw(sessionDraw());
    if (id.value)
        archivedDrawId_ = *id.value;
    else if (!archiveProblemShown_) {
        archiveProblemShown_ = true;
        showMessage(window_, {id.problem, kArchiveCaption});
    }
}

void PackageArchive::savePackageToArchive() {
    if (session_.betList().empty()) {
        showMessage(window_, {kav::Text::tr("Список ставок пуст."), kArchiveCaption});
        return;
    }
    if (!session_.betList().inSync()) {
        showMessage(window_, {session_.betFault(), kArchiveCaption});
        return;
    }
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return;
    const auto drawId = archive->addDraw(sessionDraw());
    if (!drawId.value) {
        showMessage(window_, {drawId.problem, kArchiveCaption});
        return;
    }
    archivedDrawId_ = *drawId.value;
    kav::io::ArchivedPackage p;
    p.drawId = archivedDrawId_;
    p.savedAt = kav::io::archiveTimestamp();
    p.betText = session_.betList().text();
    p.bets = session_.betList().count();
    p.stake = session_.betList().total();
    p.projectJson = kav::io::projectJson(project_.projectState());
    const auto packageId = archive->addPackage(p);
    if (!packageId.value) {
        showMessage(window_, {packageId.problem, kArchiveCaption});
        return;
    }
    showStatus(window_, tr("Пакет сохранён в архив: %1").arg(coreText(session_.betStatus())));
    refreshHistory();
    showMessage(
        window_,
        {tr("Пакет сохранён в архив: %1.").arg(coreText(session_.betStatus())).toStdString(),
         kArchiveCaption, kav::Buttons::Ok});
}

void PackageArchive::keepCheckedResult(const kav::DrawResult& result,
                                       const kav::TypedPrizes& prizes) {
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return;
    if (archivedDrawId_ == 0) {
        const auto drawId = archive->addDraw(sessionDraw());
        if (!drawId.value) {
            showMessage(window_, {drawId.problem, kArchiveCaption});
            return;
        }
        archivedDrawId_ = *drawId.value;
    }
    const auto done = archive->setResult(archivedDrawId_, result, prizes);
    if (!done.value) {
        showMessage(window_, {done.problem, kArchiveCaption});
        return;
    }
    showStatus(window_, tr("Результат тиража сохранён в архив"));
    refreshHistory();
}

// An open history follows the archive without coming to the front.
void PackageArchive::refreshHistory() {
    if (history_ && history_->isVisible())
        fillHistory();
}

void PackageArchive::showDrawCheck() {
    if (!drawCheck_) {
        drawCheck_ = new DrawCheckWindow(session_, window_);
        connect(drawCheck_, &DrawCheckWindow::keepResultRequested, this,
                [this](const kav::DrawResult& r, const kav::TypedPrizes& p) {
                    keepCheckedResult(r, p);
                });
    }
    // A result already kept for this draw comes back into the fields.
    if (archivedDrawId_ != 0)
        if (kav::io::DrawArchive* archive = drawArchive(true))
            if (const auto kept = archive->draw(archivedDrawId_); kept.value && kept.value->result)
                drawCheck_->setKeptResult(kept.value->result, kept.value->prizes);
    drawCheck_->show();
    drawCheck_->raise();
    drawCheck_->activateWindow();
}

void PackageArchive::showHistory() {
    if (!fillHistory())
        return;
    history_->show();
    history_->raise();
}

bool PackageArchive::fillHistory() {
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return false;
    const auto packages = archive->packages();
    const auto draws = archive->draws();
    if (!packages.value || !draws.value) {
        showMessage(window_, {packages.value ? draws.problem : packages.problem, kArchiveCaption});
        return false;
    }
    std::vector<HistoryEntry> entries;
    for (const auto& p : *packages.value) {
        const auto draw = std::find_if(draws.value->begin(), draws.value->end(),
                                       [&p](const auto& d) { return d.id == p.drawId; });
        if (draw == draws.value->end())
            continue;
        entries.push_back(
            {p.id, draw->id, draw->loadedAt, draw->drawCountry,
             kav::historyRow(p.betText, draw->model(), draw->totals, draw->result, draw->prizes)});
    }
    if (!history_) {
        history_ = new HistoryWindow(window_);
        connect(history_, &HistoryWindow::packageOpenRequested, this,
                [this](std::int64_t id) { openArchivedPackage(id); });
    }
    history_->showHistory(entries);
    return true;
}

void PackageArchive::openArchivedPackage(std::int64_t packageId) {
    if (refuseWhileJobRuns(jobs_, window_) || !project_.maybeSave())
        return;
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return;
    const auto package = archive->package(packageId);
    if (!package.value) {
        showMessage(window_, {package.problem, kArchiveCaption});
        return;
    }
    const kav::io::ProjectRead read = kav::io::readProjectJson(package.value->projectJson);
    if (!read.state) {
        showMessage(window_, {read.error, kArchiveCaption});
        return;
    }
    project_.openUnnamed(*read.state);
    archivedDrawId_ = package.value->drawId;
    if (drawCheck_ && drawCheck_->isVisible())
        showDrawCheck();
    window_->raise();
    window_->activateWindow();
}

} // namespace kav::ui
