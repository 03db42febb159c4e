// After the draw: the check of the package against the result, the draw
// archive (every loaded draw, the packages kept, the results typed) and the
// history of played packages.
#include "ui/draw_check_window.h"
#include "ui/history_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

#include "core/check/package_history.h"
#include "io/project_file.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace kav::ui {

namespace {

QString& archivePath() {
    static QString path;
    return path;
}

const char* const kArchiveCaption = "Архив тиражей";

} // namespace

void MainWindow::setArchivePath(const QString& path) {
    archivePath() = path;
}

void MainWindow::createArchiveMenu(QMenu* menu) {
    drawCheckAction_ = menu->addAction(QStringLiteral("Проверить пакет по результату"));
    drawCheckAction_->setObjectName(QStringLiteral("drawCheckAction"));
    drawCheckAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(drawCheckAction_, &QAction::triggered, this, [this] { showDrawCheck(); });
    savePackageAction_ = menu->addAction(QStringLiteral("Сохранить пакет в архив"));
    savePackageAction_->setObjectName(QStringLiteral("savePackageAction"));
    connect(savePackageAction_, &QAction::triggered, this, [this] { savePackageToArchive(); });
    historyAction_ = menu->addAction(QStringLiteral("История пакетов"));
    historyAction_->setObjectName(QStringLiteral("historyAction"));
    connect(historyAction_, &QAction::triggered, this, [this] { showHistory(); });
}

kav::io::DrawArchive* MainWindow::drawArchive(bool quiet) {
    if (archive_)
        return archive_.get();
    if (archivePath().isEmpty()) {
        if (!quiet)
            showMessage(this, {"Архив тиражей не задан.", kArchiveCaption});
        return nullptr;
    }
    auto opened = kav::io::DrawArchive::open(archivePath().toStdString());
    if (!opened.archive) {
        // Said once when the program keeps a draw on its own; every time the
        // player asks for the archive.
        if (!quiet || !archiveProblemShown_)
            showMessage(this,
                        {opened.problem + "\nПрограмма работает без архива.", kArchiveCaption});
        archiveProblemShown_ = true;
        return nullptr;
    }
    archive_ = std::move(opened.archive);
    return archive_.get();
}

kav::io::ArchivedDraw MainWindow::sessionDraw() const {
    kav::io::ArchivedDraw d;
    d.loadedAt = kav::io::archiveTimestamp();
    const kav::DrawModel& m = session_.draw();
    d.drawCountry = m.drawCountry == kav::kUkraine ? kav::kUkraine : kav::kRussia;
    d.title = (drawTitle_.isEmpty() ? windowTitle() : drawTitle_).toStdString();
    d.eventTitles = m.eventTitles;
    d.quotes = m.quotes;
    d.poolShares = m.poolShares;
    d.totals = session_.totals();
    return d;
}

void MainWindow::keepLoadedDraw() {
    kav::io::DrawArchive* archive = drawArchive(true);
    if (!archive)
        return;
    const auto id = archive->addDraw(sessionDraw());
    if (id.value)
        archivedDrawId_ = *id.value;
    else if (!archiveProblemShown_) {
        archiveProblemShown_ = true;
        showMessage(this, {id.problem, kArchiveCaption});
    }
}

void MainWindow::savePackageToArchive() {
    flushPendingLines();
    if (session_.betList().empty()) {
        showMessage(this, {"Список ставок пуст.", kArchiveCaption});
        return;
    }
    if (!session_.betList().inSync()) {
        showMessage(this, {session_.betFault(), kArchiveCaption});
        return;
    }
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return;
    const auto drawId = archive->addDraw(sessionDraw());
    if (!drawId.value) {
        showMessage(this, {drawId.problem, kArchiveCaption});
        return;
    }
    archivedDrawId_ = *drawId.value;
    kav::io::ArchivedPackage p;
    p.drawId = archivedDrawId_;
    p.savedAt = kav::io::archiveTimestamp();
    p.betText = session_.betList().text();
    p.bets = session_.betList().count();
    p.stake = session_.betList().total();
    p.projectJson = kav::io::projectJson(projectState());
    const auto packageId = archive->addPackage(p);
    if (!packageId.value) {
        showMessage(this, {packageId.problem, kArchiveCaption});
        return;
    }
    showMessage(this, {"Пакет сохранён в архив: " + session_.betStatus() + ".", kArchiveCaption,
                       kav::Buttons::Ok});
}

void MainWindow::keepCheckedResult(const kav::DrawResult& result,
                                   const std::optional<kav::PrizeList>& prizes) {
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return;
    if (archivedDrawId_ == 0) {
        const auto drawId = archive->addDraw(sessionDraw());
        if (!drawId.value) {
            showMessage(this, {drawId.problem, kArchiveCaption});
            return;
        }
        archivedDrawId_ = *drawId.value;
    }
    const auto done = archive->setResult(archivedDrawId_, result, prizes);
    if (!done.value)
        showMessage(this, {done.problem, kArchiveCaption});
    else if (history_ && history_->isVisible())
        showHistory();
}

void MainWindow::showDrawCheck() {
    if (!drawCheck_) {
        drawCheck_ = new DrawCheckWindow(session_, this);
        connect(drawCheck_, &DrawCheckWindow::keepResultRequested, this,
                [this](const kav::DrawResult& r, const std::optional<kav::PrizeList>& p) {
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

void MainWindow::showHistory() {
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return;
    const auto packages = archive->packages();
    const auto draws = archive->draws();
    if (!packages.value || !draws.value) {
        showMessage(this, {packages.value ? draws.problem : packages.problem, kArchiveCaption});
        return;
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
        history_ = new HistoryWindow(this);
        connect(history_, &HistoryWindow::packageOpenRequested, this,
                [this](std::int64_t id) { openArchivedPackage(id); });
    }
    history_->showHistory(entries);
    history_->show();
    history_->raise();
}

void MainWindow::openArchivedPackage(std::int64_t packageId) {
    if (jobRunningRefusal() || !maybeSave())
        return;
    kav::io::DrawArchive* archive = drawArchive();
    if (!archive)
        return;
    const auto package = archive->package(packageId);
    if (!package.value) {
        showMessage(this, {package.problem, kArchiveCaption});
        return;
    }
    const kav::io::ProjectRead read = kav::io::readProjectJson(package.value->projectJson);
    if (!read.state) {
        showMessage(this, {read.error, kArchiveCaption});
        return;
    }
    applyProjectState(*read.state);
    projectPath_.clear();
    setModified(false);
    archivedDrawId_ = package.value->drawId;
    if (drawCheck_ && drawCheck_->isVisible())
        showDrawCheck();
    raise();
    activateWindow();
}

} // namespace kav::ui
