// ProjectDocument: the player's work as a file. Its name and whether it
// changed since it was saved (the history's clean state, or a setting changed),
// "Файл" with open, save and the recent files, the question before unsaved
// work is dropped, the autosave with its recovery after a crash, and the lock
// that keeps a second copy of the program off the autosave. The parts of the
// work (the draw, the mode bar, the list) are stored and applied through the
// two functions the window gives it.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/project/project_state.h"
#endif

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class QLockFile;
class QMenu;
class QSettings;
class QTimer;
class QWidget;

namespace kav::ui {

class JobRunner;
class Session;

class ProjectDocument final : public QObject {
    Q_OBJECT
public:
    ProjectDocument(Session& session, JobRunner& jobs, QWidget* window);
    ~ProjectDocument() override;

    // How the work's parts go into a project and come back from one.
    using StoreParts = std::function<void(kav::ProjectState&)>;
    using ApplyParts = std::function<void(const kav::ProjectState&)>;
    void setParts(StoreParts store, ApplyParts apply);

    // "Создать", "Открыть...", "Сохранить", "Сохранить как...", the recent
    // files and "Выход".
    void createFileMenu(QMenu* menu);
    void loadSettings(const QSettings& settings);
    void saveSettings(QSettings& settings) const;

    // The player's work as a project, and back (a page still loading is dropped).
    kav::ProjectState projectState() const;
    void applyProjectState(const kav::ProjectState& state);
    // Reads and applies a project file; a file that cannot be read changes
    // nothing and says why. True when it was opened.
    bool openProjectFile(const QString& path);
    // Work that belongs to no file (a package from the archive).
    void openUnnamed(const kav::ProjectState& state);
    // Saves the work into `path` and makes it the project's file.
    bool saveProjectTo(const QString& path);
    const QString& projectPath() const { return projectPath_; }
    bool isModified() const;
    // Saved (false), or changed though no file says so (true, a recovered work).
    void setModified(bool modified);
    // A change of the work that is no step of the history (a setting, another draw).
    void markModified();
    // "Сохранить изменения?" when there is unsaved work: false when the
    // player cancelled (or the save failed).
    bool maybeSave();
    // At start: takes the autosave for this copy of the program (another
    // running copy keeps its own) and tells whether one of a session that did
    // not end waits to be offered back.
    bool claimAutosave();
    // Offers that work back, before anything else happens: true when the
    // player took it. The autosave stays until the restored work is kept
    // again; a declined one is kept aside in declinedAutosaveFolder().
    bool offerRecovery();
    QString declinedAutosaveFolder() const;
    // The autosave goes with a session that ended well.
    void removeAutosave();
    // The caption: the file name ("Без имени" before the first save) with "*"
    // for unsaved changes and the draw's caption, or the draw's caption alone
    // while there is nothing to keep.
    QString windowTitle() const;

Q_SIGNALS:
    void titleChanged(const QString& title);
    // "Создать": a fresh draw of the country is wanted.
    void freshDrawRequested(std::uint8_t drawCountry);

private:
    void newProject();
    void openProject();
    void saveProject();
    void saveProjectAs();
    bool hasWork() const;
    void updateWindowTitle();
    void onHistoryChanged();
    void addRecentFile(const QString& path);
    void rebuildRecentMenu();
    QString autosavePath() const;
    void writeAutosave();
    void setAutosaveAside();

    Session& session_;
    JobRunner& jobs_;
    QWidget* window_;
    StoreParts storeParts_;
    ApplyParts applyParts_;
    QMenu* recentMenu_ = nullptr;
    QStringList recentFiles_;
    QString projectPath_;
    // A change that is no step of the history since the last save.
    bool settingsChanged_ = false;
    // While a project is applied, its changes are not the player's.
    bool restoring_ = false;
    QTimer* autosaveTimer_ = nullptr;
    std::unique_ptr<QLockFile> autosaveLock_;
    // While the recovery question is open, the autosave is the only copy of
    // the work: nothing writes or removes it.
    bool offering_ = false;
};

} // namespace kav::ui
