#include "ui/project/project_document.h"

#include "io/files/project_file.h"
#include "ui/common/job_runner.h"
#include "ui/common/program_places.h"
#include "ui/common/session.h"
#include "ui/common/ui_text.h"
#include "ui/common/work_guards.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMenu>
#include <QSettings>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

namespace kav::ui {

namespace {

constexpr int kRecentFiles = 8;
constexpr int kAutosaveDelayMs = 3000;
constexpr qsizetype kKeptDeclinedAutosaves = 10;
const QString kAutosaveName = QStringLiteral("autosave.kvp");
const QString kAutosaveOriginName = QStringLiteral("autosave.origin");
QString projectFilter() {
    return ProjectDocument::tr("Проекты Kavendix (*.kvp)");
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

ProjectDocument::ProjectDocument(Session& session, JobRunner& jobs, QWidget* window)
    : QObject(window), session_(session), jobs_(jobs), window_(window) {
    autosaveTimer_ = new QTimer(this);
    autosaveTimer_->setSingleShot(true);
    autosaveTimer_->setInterval(kAutosaveDelayMs);
    connect(autosaveTimer_, &QTimer::timeout, this, [this] { writeAutosave(); });
    connect(&session_.undoStack(), &QUndoStack::indexChanged, this, [this] { onHistoryChanged(); });
    connect(&session_.undoStack(), &QUndoStack::cleanChanged, this,
            [this] { updateWindowTitle(); });
    connect(&session_, &Session::drawReplaced, this, [this] { markModified(); });
    connect(&session_, &Session::drawTitleChanged, this, [this] { updateWindowTitle(); });
    connect(&jobs_, &JobRunner::finished, this, [this] { updateWindowTitle(); });
}

ProjectDocument::~ProjectDocument() = default;

void ProjectDocument::setParts(StoreParts store, ApplyParts apply) {
    storeParts_ = std::move(store);
    applyParts_ = std::move(apply);
}

// --- the state ---

kav::ProjectState ProjectDocument::projectState() const {
    kav::ProjectState s;
    if (storeParts_)
        storeParts_(s);
    return s;
}

void ProjectDocument::applyProjectState(const kav::ProjectState& s) {
    const bool wasRestoring = restoring_;
    restoring_ = true;
    if (applyParts_)
        applyParts_(s);
    // The history of other work does not carry over.
    session_.undoStack().clear();
    restoring_ = wasRestoring;
}

// --- modified marker and title ---

bool ProjectDocument::hasWork() const {
    if (!session_.betList().empty())
        return true;
    for (int e = 0; e < kav::kEvents; ++e)
        if (session_.draw().markedCount(e) > 0)
            return true;
    return false;
}

bool ProjectDocument::isModified() const {
    return settingsChanged_ || !session_.undoStack().isClean();
}

void ProjectDocument::markModified() {
    if (restoring_)
        return;
    const bool was = isModified();
    settingsChanged_ = true;
    if (!was)
        updateWindowTitle();
    if (!persistence().autosaveFolder.isEmpty())
        autosaveTimer_->start();
}

void ProjectDocument::onHistoryChanged() {
    if (restoring_)
        return;
    updateWindowTitle(); // "*" comes with work, even when the history was clean before
    if (isModified() && !persistence().autosaveFolder.isEmpty())
        autosaveTimer_->start();
}

void ProjectDocument::setModified(bool modified) {
    settingsChanged_ = modified;
    if (!modified)
        session_.undoStack().setClean();
    updateWindowTitle();
}

QString ProjectDocument::windowTitle() const {
    // The title the program gives a draw names its country in Russian, as
    // the quotes files keep it; shown, it is in the windows' language.
    QString drawTitle = session_.drawTitle();
    for (const char* country :
         {kav::Text::tr(" - российский тираж"), kav::Text::tr(" - украинский тираж")})
        drawTitle.replace(QString::fromUtf8(country), coreText(country));
    if (projectPath_.isEmpty() && !hasWork())
        return drawTitle;
    const QString name =
        projectPath_.isEmpty() ? tr("Без имени") : QFileInfo(projectPath_).fileName();
    return name + (isModified() ? QStringLiteral("*") : QString()) + QStringLiteral(" — ") +
           drawTitle;
}

void ProjectDocument::updateWindowTitle() {
    if (jobs_.running())
        return; // the running job shows its progress there; its end calls back
    Q_EMIT titleChanged(windowTitle());
}

// --- the "Файл" menu ---

void ProjectDocument::createFileMenu(QMenu* file) {
    auto add = [this, file](const char* name, const QString& caption, const QKeySequence& keys,
                            auto handler) {
        QAction* a = file->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    add("newProjectAction", tr("Создать"), QKeySequence(Qt::CTRL | Qt::Key_N),
        [this] { newProject(); });
    add("openProjectAction", tr("Открыть..."), QKeySequence(Qt::CTRL | Qt::Key_O),
        [this] { openProject(); });
    // Ctrl+S has long been "Сохранить для Excell построчно"; saving the
    // project takes F2, the save key of many Russian programs.
    add("saveProjectAction", tr("Сохранить"), QKeySequence(Qt::Key_F2), [this] { saveProject(); });
    add("saveProjectAsAction", tr("Сохранить как..."),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveProjectAs(); });
    file->addSeparator();
    recentMenu_ = file->addMenu(tr("Недавние файлы"));
    recentMenu_->setObjectName(QStringLiteral("recentProjectsMenu"));
    file->addSeparator();
    add("quitAction", tr("Выход"), QKeySequence(Qt::CTRL | Qt::Key_Q),
        [this] { window_->close(); });
    rebuildRecentMenu();
}

void ProjectDocument::loadSettings(const QSettings& settings) {
    recentFiles_ = settings.value(QStringLiteral("recentProjects")).toStringList();
    setDialogFolder(settings.value(QStringLiteral("lastFolder")).toString());
    rebuildRecentMenu();
}

void ProjectDocument::saveSettings(QSettings& settings) const {
    settings.setValue(QStringLiteral("recentProjects"), recentFiles_);
    settings.setValue(QStringLiteral("lastFolder"), dialogFolder());
}

bool ProjectDocument::maybeSave() {
    if (!isModified() || (projectPath_.isEmpty() && !hasWork()))
        return true;
    const QString name =
        projectPath_.isEmpty() ? tr("Без имени") : QFileInfo(projectPath_).fileName();
    const QString list = session_.betStatus().empty()
                             ? tr("Строк в списке ставок: %1.").arg(session_.betList().size())
                             : qs(session_.betStatus()) + QLatin1Char('.');
    switch (askToSave(window_, tr("Сохранить изменения в проекте \"%1\"?\n%2").arg(name, list))) {
    case SaveAnswer::Save:
        saveProject();
        return !isModified(); // a cancelled or failed save keeps the work open
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void ProjectDocument::newProject() {
    if (refuseWhileJobRuns(jobs_, window_) || !maybeSave())
        return;
    projectPath_.clear();
    const std::uint8_t country = session_.draw().drawCountry;
    applyProjectState(kav::defaultProjectState(country));
    setModified(false);
    removeAutosave();
    Q_EMIT freshDrawRequested(country != kav::kNoCountry ? country : std::uint8_t{kav::kRussia});
    setModified(false);
}

void ProjectDocument::openProject() {
    if (refuseWhileJobRuns(jobs_, window_) || !maybeSave())
        return;
    const QString chosen = openFileName(window_, tr("Открыть проект"), projectFilter());
    if (!chosen.isEmpty())
        openProjectFile(chosen);
}

bool ProjectDocument::openProjectFile(const QString& path) {
    const kav::io::ProjectRead read = kav::io::loadProjectFile(path.toStdString());
    if (!read.state) {
        showMessage(window_, {read.error});
        return false;
    }
    applyProjectState(*read.state);
    projectPath_ = QFileInfo(path).absoluteFilePath();
    setModified(false);
    addRecentFile(projectPath_);
    removeAutosave();
    return true;
}

void ProjectDocument::openUnnamed(const kav::ProjectState& state) {
    applyProjectState(state);
    projectPath_.clear();
    setModified(false);
}

void ProjectDocument::saveProject() {
    if (projectPath_.isEmpty())
        saveProjectAs();
    else
        saveProjectTo(projectPath_);
}

void ProjectDocument::saveProjectAs() {
    QString chosen =
        saveFileName(window_, tr("Сохранить проект"), projectFilter(), QStringLiteral("kvp"));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QString::fromLatin1(kav::io::kProjectExtension);
    saveProjectTo(chosen);
}

bool ProjectDocument::saveProjectTo(const QString& path) {
    if (const kav::MaybeMessage m = kav::io::saveProjectFile(path.toStdString(), projectState())) {
        showMessage(window_, *m);
        return false;
    }
    projectPath_ = QFileInfo(path).absoluteFilePath();
    setModified(false);
    addRecentFile(projectPath_);
    removeAutosave();
    return true;
}

void ProjectDocument::addRecentFile(const QString& path) {
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > kRecentFiles)
        recentFiles_.removeLast();
    if (auto settings = openSettings())
        settings->setValue(QStringLiteral("recentProjects"), recentFiles_);
    rebuildRecentMenu();
}

void ProjectDocument::rebuildRecentMenu() {
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    int n = 0;
    for (const QString& path : recentFiles_) {
        QAction* a = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(++n).arg(QDir::toNativeSeparators(path)));
        connect(a, &QAction::triggered, this, [this, path] {
            if (!refuseWhileJobRuns(jobs_, window_) && maybeSave())
                openProjectFile(path);
        });
    }
    recentMenu_->setEnabled(!recentFiles_.isEmpty());
}

// --- autosave and recovery ---

QString ProjectDocument::autosavePath() const {
    const QString folder = persistence().autosaveFolder;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(kAutosaveName);
}

void ProjectDocument::writeAutosave() {
    if (!autosaveLock_ || !isModified())
        return;
    if (offering_ || jobs_.running()) {
        autosaveTimer_->start(); // after the question or the run
        return;
    }
    if (projectPath_.isEmpty() && !hasWork()) {
        removeAutosave(); // nothing to offer back
        return;
    }
    // The origin first: an autosave is never read beside an older origin.
    QFile origin(QDir(persistence().autosaveFolder).filePath(kAutosaveOriginName));
    if (origin.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        origin.write(projectPath_.toUtf8());
        origin.close();
    }
    // A failed autosave is retried at the next change.
    (void)kav::io::saveProjectFile(autosavePath().toStdString(), projectState());
}

void ProjectDocument::removeAutosave() {
    autosaveTimer_->stop();
    if (!autosaveLock_ || offering_)
        return;
    const QDir folder(persistence().autosaveFolder);
    QFile::remove(folder.filePath(kAutosaveName));
    QFile::remove(folder.filePath(kAutosaveOriginName));
}

QString ProjectDocument::declinedAutosaveFolder() const {
    const QString folder = persistence().autosaveFolder;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("declined"));
}

// A declined (or unreadable) autosave is not the player's to lose: it moves to
// "declined", named after its project and the time, the newest kept.
void ProjectDocument::setAutosaveAside() {
    const QDir folder(persistence().autosaveFolder);
    const QString aside = declinedAutosaveFolder();
    if (aside.isEmpty() || !QDir().mkpath(aside))
        return;
    QFile origin(folder.filePath(kAutosaveOriginName));
    QString base = tr("Без имени");
    if (origin.open(QIODevice::ReadOnly)) {
        const QString path = QString::fromUtf8(origin.readAll());
        if (!path.isEmpty())
            base = QFileInfo(path).completeBaseName();
    }
    const QString copy = QDir(aside).filePath(
        base + QLatin1Char('-') +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
        QStringLiteral(".kvp"));
    QFile::remove(copy);
    if (!QFile::rename(folder.filePath(kAutosaveName), copy))
        return; // kept where it is, offered again next time
    QFile::remove(folder.filePath(kAutosaveOriginName));
    QDir kept(aside, QStringLiteral("*.kvp"), QDir::Time, QDir::Files);
    const QFileInfoList copies = kept.entryInfoList();
    for (qsizetype i = kKeptDeclinedAutosaves; i < copies.size(); ++i)
        QFile::remove(copies[i].absoluteFilePath());
}

bool ProjectDocument::claimAutosave() {
    const QString folder = persistence().autosaveFolder;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    if (!autosaveLock_) {
        auto lock =
            std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("autosave.lock")));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            return false; // another running copy's autosave is its own
        autosaveLock_ = std::move(lock);
    }
    return QFileInfo::exists(autosavePath());
}

// An autosave that outlived its program (a crash, a killed process) is offered
// back; one of another running copy of the program is left to it.
bool ProjectDocument::offerRecovery() {
    if (!claimAutosave())
        return false;
    const kav::io::ProjectRead read = kav::io::loadProjectFile(autosavePath().toStdString());
    if (!read.state) {
        setAutosaveAside();
        return false;
    }
    offering_ = true;
    const bool restore = showMessage(
        window_,
        {kav::Text::tr("Программа была закрыта аварийно. Восстановить несохранённую работу?"),
         kav::Text::tr("Восстановление"), kav::Buttons::YesNo});
    offering_ = false;
    if (!restore) {
        setAutosaveAside();
        return false;
    }
    QFile origin(QDir(persistence().autosaveFolder).filePath(kAutosaveOriginName));
    QString originPath;
    if (origin.open(QIODevice::ReadOnly))
        originPath = QString::fromUtf8(origin.readAll());
    applyProjectState(*read.state);
    projectPath_ = originPath;
    if (!projectPath_.isEmpty())
        addRecentFile(projectPath_);
    setModified(true);
    markModified(); // autosaved anew; until then the old autosave stays
    return true;
}

} // namespace kav::ui
