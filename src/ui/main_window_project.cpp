// MainWindow: the player's work as a project file — "Файл" with its commands and
// recent files, the file name and the unsaved-changes marker in the title, the
// questions before work is replaced or the window closed, the undo of bet-list
// replacements, the autosave with its recovery after a crash, and the program
// settings that outlive a session.
#include "ui/main_window.h"

#include "io/project_file.h"
#include "ui/autoform_panel.h"
#include "ui/brief_system_panel.h"
#include "ui/conditions_panel.h"
#include "ui/coverage_map_window.h"
#include "ui/draw_downloader.h"
#include "ui/file_dialogs.h"
#include "ui/help_window.h"
#include "ui/job_runner.h"
#include "ui/manual_choice_panel.h"
#include "ui/message_box.h"
#include "ui/money_edit.h"
#include "ui/nearest_systems_window.h"
#include "ui/outcome_grid.h"
#include "ui/sensation_panel.h"
#include "ui/variant_analysis_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

namespace kav::ui {

namespace {

MainWindow::Persistence& persistence() {
    static MainWindow::Persistence p;
    return p;
}

constexpr int kRecentFiles = 8;
constexpr int kAutosaveDelayMs = 3000;
constexpr std::size_t kUndoDepth = 20;
const QString kAutosaveName = QStringLiteral("autosave.kvp");
const QString kAutosaveOriginName = QStringLiteral("autosave.origin");
const QString kProjectFilter = QStringLiteral("Проекты Kavendix (*.kvp)");

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

void MainWindow::setPersistence(const Persistence& p) {
    persistence() = p;
}

const MainWindow::Persistence& MainWindow::persistenceSettings() {
    return persistence();
}

// --- the state ---

kav::ProjectState MainWindow::projectState() {
    flushPendingLines();
    kav::ProjectState s;
    s.draw = model();
    s.draw.betMasks.clear();
    s.drawTitle = drawTitle_.toStdString();
    for (int e = 0; e < kav::kEvents; ++e)
        s.rowTitles[e] = session_.rowTitle(e).toStdString();
    s.totals = session_.totals();
    s.mode = mode();
    s.brief = briefSystemPanel_->settings();
    s.sensation = sensationPanel_->settings();
    s.random = manualChoicePanel_->settings();
    s.autoform = autoformPanel_->settings();
    s.conditions = conditionsPanel_->conditions();
    s.stakeText = stakeEdit_->value().moneyText();
    s.stakeMinimum = stakeEdit_->minimum();
    s.betText = betListEdit_->toPlainText().toStdString();
    return s;
}

void MainWindow::applyProjectState(const kav::ProjectState& s) {
    const bool wasRestoring = restoring_;
    restoring_ = true;
    // A draw still on its way belongs to the work being replaced.
    cancelDrawLoad();
    drawShown_ = true;

    kav::DrawModel& m = model();
    kav::assignDrawAndMarks(m, s.draw);
    for (int e = 0; e < kav::kEvents; ++e)
        setRowTitle(e, qs(s.rowTitles[e]));
    session_.setTotals(s.totals);

    briefSystemPanel_->applySettings(s.brief);
    sensationPanel_->applySettings(s.sensation);
    manualChoicePanel_->applySettings(s.random);
    autoformPanel_->applySettings(s.autoform);
    conditionsPanel_->applyConditions(s.conditions);
    modeCombo_->setCurrentIndex(static_cast<int>(s.mode));
    briefSystemPanel_->showForcedBet(qs(m.forcedBet));

    stakeEdit_->setMinimum(kav::Fixed4());
    stakeEdit_->setValue(*kav::Fixed4::parse(s.stakeText));
    stakeEdit_->setMinimum(s.stakeMinimum);
    stakeEdit_->setSuffix(qs(m.currencySuffix));

    pendingText_.clear();
    undoStack_.clear();
    undoBetListAction_->setEnabled(false);
    betListEdit_->setPlainText(qs(s.betText)); // the list follows the text
    parseBetList();

    showDraw();
    outcomeGrid_->show();
    couponSummaryLabel_->clear();
    systemSummaryLabel_->clear();
    switchMode();
    updateSelectionSummary();
    repaintGrid();
    setDrawTitle(qs(s.drawTitle));
    restoring_ = wasRestoring;
}

// --- modified marker and title ---

bool MainWindow::hasWork() const {
    if (!session_.betList().empty())
        return true;
    for (int e = 0; e < kav::kEvents; ++e)
        if (model().markedCount(e) > 0)
            return true;
    return false;
}

void MainWindow::markModified() {
    if (restoring_)
        return;
    if (!modified_) {
        modified_ = true;
        updateWindowTitle();
    }
    if (autosaveTimer_ && !persistence().autosaveFolder.isEmpty())
        autosaveTimer_->start();
}

void MainWindow::setModified(bool modified) {
    modified_ = modified;
    updateWindowTitle();
}

void MainWindow::setDrawTitle(const QString& title) {
    drawTitle_ = title;
    updateWindowTitle();
}

// The draw's caption alone while there is nothing to keep; with a project
// file or with work, the file name ("Без имени" before the first save), a "*"
// for unsaved changes, then the draw's caption.
void MainWindow::updateWindowTitle() {
    if (jobs_ && jobs_->running())
        return; // the running job shows its progress there; it calls back when done
    if (projectPath_.isEmpty() && !hasWork()) {
        setWindowTitle(drawTitle_);
        return;
    }
    const QString name =
        projectPath_.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(projectPath_).fileName();
    setWindowTitle(name + (modified_ ? QStringLiteral("*") : QString()) + QStringLiteral(" — ") +
                   drawTitle_);
}

// Every change of the player's work marks the project modified: the bet list,
// the marks and quotes, the forced bet, the mode and each mode's fields, the stake.
void MainWindow::connectProject() {
    autosaveTimer_ = new QTimer(this);
    autosaveTimer_->setSingleShot(true);
    autosaveTimer_->setInterval(kAutosaveDelayMs);
    connect(autosaveTimer_, &QTimer::timeout, this, [this] { writeAutosave(); });
    connect(&session_, &Session::betListChanged, this, [this] { markModified(); });
    connect(&session_, &Session::betsAboutToBeReplaced, this, [this] { noteReplacedList(); });
    connect(jobs_.get(), &JobRunner::finished, this, [this] { updateWindowTitle(); });
    connect(outcomeGrid_, &OutcomeGrid::selectCell, this, [this] { markModified(); });
    connect(outcomeGrid_, &OutcomeGrid::quoteEntered, this, [this] { markModified(); });
    connect(stakeEdit_, &MoneyEdit::stakeChanged, this, [this] { markModified(); });
    connect(modeCombo_, &QComboBox::currentIndexChanged, this, [this] { markModified(); });
    connect(conditionsPanel_, &ConditionsPanel::conditionsChanged, this,
            [this] { markModified(); });
    connect(conditionsPanel_, &ConditionsPanel::conditionsChanged, this,
            [this] { markModified(); });
    for (QFrame* panel : std::initializer_list<QFrame*>{briefSystemPanel_, sensationPanel_,
                                                        manualChoicePanel_, autoformPanel_}) {
        for (auto* spin : panel->findChildren<QAbstractSpinBox*>())
            if (auto* s = qobject_cast<QSpinBox*>(spin))
                connect(s, &QSpinBox::valueChanged, this, [this] { markModified(); });
            else if (auto* d = qobject_cast<QDoubleSpinBox*>(spin))
                connect(d, &QDoubleSpinBox::valueChanged, this, [this] { markModified(); });
        for (auto* combo : panel->findChildren<QComboBox*>())
            connect(combo, &QComboBox::currentIndexChanged, this, [this] { markModified(); });
        for (auto* button : panel->findChildren<QAbstractButton*>())
            connect(button, &QAbstractButton::toggled, this, [this] { markModified(); });
    }
}

// --- the "Файл" menu ---

void MainWindow::createFileMenu(QMenu* file) {
    auto add = [this, file](const char* name, const QString& caption, const QKeySequence& keys,
                            void (MainWindow::*handler)()) {
        QAction* a = file->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    newProjectAction_ = add("newProjectAction", QStringLiteral("Создать"),
                            QKeySequence(Qt::CTRL | Qt::Key_N), &MainWindow::newProject);
    openProjectAction_ = add("openProjectAction", QStringLiteral("Открыть..."),
                             QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::openProject);
    // Ctrl+S has long been "Сохранить для Excell построчно"; saving the
    // project takes F2, the save key of many Russian programs.
    saveProjectAction_ = add("saveProjectAction", QStringLiteral("Сохранить"),
                             QKeySequence(Qt::Key_F2), &MainWindow::saveProject);
    saveProjectAsAction_ =
        add("saveProjectAsAction", QStringLiteral("Сохранить как..."),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &MainWindow::saveProjectAs);
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("Недавние файлы"));
    recentMenu_->setObjectName(QStringLiteral("recentProjectsMenu"));
    file->addSeparator();
    undoBetListAction_ = add("undoBetListAction", QStringLiteral("Отменить изменение списка"),
                             QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::undoBetListChange);
    undoBetListAction_->setEnabled(false);
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("Выход"));
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    rebuildRecentMenu();
}

bool MainWindow::maybeSave() {
    if (!modified_ || (projectPath_.isEmpty() && !hasWork()))
        return true;
    const QString name =
        projectPath_.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(projectPath_).fileName();
    const QString list =
        session_.betStatus().empty()
            ? QStringLiteral("Строк в списке ставок: %1.").arg(session_.betList().size())
            : qs(session_.betStatus()) + QLatin1Char('.');
    switch (askToSave(
        this, QStringLiteral("Сохранить изменения в проекте \"%1\"?\n%2").arg(name, list))) {
    case SaveAnswer::Save:
        saveProject();
        return !modified_; // a cancelled or failed save keeps the work open
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::newProject() {
    if (jobRunningRefusal() || !maybeSave())
        return;
    projectPath_.clear();
    applyProjectState(kav::defaultProjectState(model().drawCountry));
    setModified(false);
    removeAutosave();
    switchCountry(model().drawCountry != kav::kNoCountry ? model().drawCountry
                                                         : std::uint8_t{kav::kRussia});
    setModified(false);
}

void MainWindow::openProject() {
    if (jobRunningRefusal() || !maybeSave())
        return;
    const QString chosen = openFileName(this, QStringLiteral("Открыть проект"), kProjectFilter);
    if (!chosen.isEmpty())
        openProjectFile(chosen);
}

bool MainWindow::openProjectFile(const QString& path) {
    const kav::io::ProjectRead read = kav::io::loadProjectFile(path.toStdString());
    if (!read.state) {
        showMessage(this, {read.error});
        return false;
    }
    applyProjectState(*read.state);
    projectPath_ = QFileInfo(path).absoluteFilePath();
    setModified(false);
    addRecentFile(projectPath_);
    removeAutosave();
    return true;
}

void MainWindow::saveProject() {
    if (projectPath_.isEmpty())
        saveProjectAs();
    else
        saveProjectTo(projectPath_);
}

void MainWindow::saveProjectAs() {
    QString chosen = saveFileName(this, QStringLiteral("Сохранить проект"), kProjectFilter,
                                  QStringLiteral("kvp"));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QString::fromLatin1(kav::io::kProjectExtension);
    saveProjectTo(chosen);
}

bool MainWindow::saveProjectTo(const QString& path) {
    if (const kav::MaybeMessage m = kav::io::saveProjectFile(path.toStdString(), projectState())) {
        showMessage(this, *m);
        return false;
    }
    projectPath_ = QFileInfo(path).absoluteFilePath();
    setModified(false);
    addRecentFile(projectPath_);
    removeAutosave();
    return true;
}

void MainWindow::addRecentFile(const QString& path) {
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > kRecentFiles)
        recentFiles_.removeLast();
    if (auto settings = openSettings())
        settings->setValue(QStringLiteral("recentProjects"), recentFiles_);
    rebuildRecentMenu();
}

void MainWindow::rebuildRecentMenu() {
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    int n = 0;
    for (const QString& path : recentFiles_) {
        QAction* a = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(++n).arg(QDir::toNativeSeparators(path)));
        connect(a, &QAction::triggered, this, [this, path] {
            if (!jobRunningRefusal() && maybeSave())
                openProjectFile(path);
        });
    }
    recentMenu_->setEnabled(!recentFiles_.isEmpty());
}

// --- questions before work is lost ---

bool MainWindow::confirmBetListLoss(const QString& action) {
    if (session_.betList().empty())
        return true;
    const QString what = session_.betStatus().empty()
                             ? QStringLiteral("Строк в списке %1.").arg(session_.betList().size())
                             : qs(session_.betStatus()) + QLatin1Char('.');
    return showMessage(this, {QStringLiteral("%1 очистит список ставок.\n%2\nПродолжить?")
                                  .arg(action, what)
                                  .toStdString(),
                              "Подтверждение", kav::Buttons::YesNo});
}

bool MainWindow::jobRunningRefusal() {
    if (!jobs_->running())
        return false;
    showMessage(this, {"Дождитесь окончания расчёта или прервите его (Esc)."});
    return true;
}

// The list before each program-made replacement, so that Ctrl+Z brings it back.
void MainWindow::noteReplacedList() {
    if (restoring_ || undoing_ || session_.betList().empty())
        return;
    undoStack_.push_back(session_.betLines());
    if (undoStack_.size() > kUndoDepth)
        undoStack_.erase(undoStack_.begin());
    undoBetListAction_->setEnabled(true);
}

void MainWindow::undoBetListChange() {
    if (undoStack_.empty() || jobs_->running())
        return;
    const kav::Lines lines = std::move(undoStack_.back());
    undoStack_.pop_back();
    undoing_ = true;
    session_.replaceBets(lines);
    undoing_ = false;
    undoBetListAction_->setEnabled(!undoStack_.empty());
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (jobs_->running()) {
        const bool stop = showMessage(this, {"Идёт расчёт. Прервать его и закрыть программу?",
                                             "Подтверждение", kav::Buttons::YesNo});
        if (!stop) {
            e->ignore();
            return;
        }
        jobs_->cancel();
        jobs_->wait();
    }
    if (!maybeSave()) {
        e->ignore();
        return;
    }
    saveSettings();
    removeAutosave();
    for (QWidget* w :
         std::initializer_list<QWidget*>{nearestSystems_, coverageMap_, variantAnalysis_, help_})
        if (w)
            w->close();
    QMainWindow::closeEvent(e);
}

// --- autosave and recovery ---

QString MainWindow::autosavePath() const {
    const QString folder = persistence().autosaveFolder;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(kAutosaveName);
}

void MainWindow::writeAutosave() {
    if (!autosaveLock_ || !modified_)
        return;
    if (projectPath_.isEmpty() && !hasWork()) {
        removeAutosave(); // nothing to offer back
        return;
    }
    if (jobs_->running()) {
        autosaveTimer_->start(); // the list is about to change; save after the run
        return;
    }
    const QString path = autosavePath();
    if (kav::io::saveProjectFile(path.toStdString(), projectState()))
        return; // a failed autosave is retried at the next change
    QFile origin(QDir(persistence().autosaveFolder).filePath(kAutosaveOriginName));
    if (origin.open(QIODevice::WriteOnly | QIODevice::Truncate))
        origin.write(projectPath_.toUtf8());
}

void MainWindow::removeAutosave() {
    if (autosaveTimer_)
        autosaveTimer_->stop();
    if (!autosaveLock_)
        return;
    const QDir folder(persistence().autosaveFolder);
    QFile::remove(folder.filePath(kAutosaveName));
    QFile::remove(folder.filePath(kAutosaveOriginName));
}

// An autosave that outlived its program (a crash, a killed process) is offered
// back; one of another running copy of the program is left to it.
void MainWindow::offerRecovery() {
    const QString folder = persistence().autosaveFolder;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("autosave.lock")));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return;
    autosaveLock_ = std::move(lock);
    const QString path = autosavePath();
    if (!QFileInfo::exists(path))
        return;
    const kav::io::ProjectRead read = kav::io::loadProjectFile(path.toStdString());
    if (!read.state) {
        removeAutosave();
        return;
    }
    if (!showMessage(this, {"Программа была закрыта аварийно. Восстановить несохранённую работу?",
                            "Восстановление", kav::Buttons::YesNo})) {
        removeAutosave();
        return;
    }
    QFile origin(QDir(folder).filePath(kAutosaveOriginName));
    QString originPath;
    if (origin.open(QIODevice::ReadOnly))
        originPath = QString::fromUtf8(origin.readAll());
    applyProjectState(*read.state);
    projectPath_ = originPath;
    setModified(true);
    markModified();
}

// --- settings ---

std::unique_ptr<QSettings> MainWindow::openSettings() const {
    const QString file = persistence().settingsFile;
    if (file.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

void MainWindow::loadSettings() {
    const auto settings = openSettings();
    if (!settings)
        return;
    restoreGeometry(settings->value(QStringLiteral("geometry")).toByteArray());
    recentFiles_ = settings->value(QStringLiteral("recentProjects")).toStringList();
    setDialogFolder(settings->value(QStringLiteral("lastFolder")).toString());
    rebuildRecentMenu();
}

int MainWindow::savedMode() const {
    const auto settings = openSettings();
    const int index = settings ? settings->value(QStringLiteral("mode"), 0).toInt() : 0;
    return kav::packetModeAt(index) ? index : 0;
}

// The country and stake are read when the first draw is requested.
std::uint8_t MainWindow::savedCountry() const {
    const auto settings = openSettings();
    if (!settings)
        return kav::kRussia;
    return settings->value(QStringLiteral("country")).toString() == QStringLiteral("ua")
               ? kav::kUkraine
               : kav::kRussia;
}

void MainWindow::restoreSavedStake() {
    const auto settings = openSettings();
    if (!settings)
        return;
    const auto stake =
        kav::Fixed4::parse(settings->value(QStringLiteral("stake")).toString().toStdString());
    if (stake)
        stakeEdit_->setValue(*stake);
}

void MainWindow::saveSettings() {
    const auto settings = openSettings();
    if (!settings)
        return;
    settings->setValue(QStringLiteral("geometry"), saveGeometry());
    settings->setValue(QStringLiteral("mode"), modeCombo_->currentIndex());
    settings->setValue(QStringLiteral("country"), model().drawCountry == kav::kUkraine
                                                      ? QStringLiteral("ua")
                                                      : QStringLiteral("ru"));
    settings->setValue(QStringLiteral("stake"), qs(stakeEdit_->value().moneyText()));
    settings->setValue(QStringLiteral("recentProjects"), recentFiles_);
    settings->setValue(QStringLiteral("lastFolder"), dialogFolder());
}

} // namespace kav::ui
