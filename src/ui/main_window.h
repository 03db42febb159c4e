// MainWindow: the main window. It owns the one DrawModel and the bet list
// (betListEdit_). Each packet mode's controls live in a panel of their own; the
// handlers of each feature live in their own main_window_*.cpp file, and each
// feature adds its members in its own marked section below.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/base/rng.h"
#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"
#include "core/forming/autoform.h"
#include "core/forming/brief_system.h"
#include "core/forming/packet_mode.h"
#include "core/forming/templates.h"
#include "core/project/project_state.h"
#include "io/draw_archive.h"
#include "io/draw_download.h"
#include "io/servers.h"
#endif

#include "ui/session.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLockFile;
class QMenu;
class QPlainTextEdit;
class QSettings;
class QSplitter;
class QStackedWidget;
class QTimer;

namespace kav::ui {

class AutoformPanel;
class BriefSystemPanel;
class ConditionsPanel;
class DrawDownloader;
class LinkLabel;
class ManualChoicePanel;
class MoneyEdit;
class OutcomeGrid;
class SensationPanel;
class NearestSystemsWindow;
class CoverageMapWindow;
class VariantAnalysisWindow;
class HelpWindow;
class JobRunner;
class DrawCheckWindow;
class HistoryWindow;
class ExpectedReturnWindow;
class SimulationWindow;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The side windows, created by the program's entry in this order.
    void setSideWindows(NearestSystemsWindow* nearestSystems, CoverageMapWindow* coverageMap,
                        VariantAnalysisWindow* variantAnalysis, HelpWindow* help);

    // The state the windows share: the draw, the bet list, the totals.
    Session& session() { return session_; }
    kav::DrawModel& model() { return session_.draw(); }
    const kav::DrawModel& model() const { return session_.draw(); }
    // The program's one random generator, seeded from the clock when the window is
    // first shown.
    kav::Rng& rng() { return rng_; }

    // The packet mode: modeCombo_'s item index (0 brief systems .. 4 conditions).
    kav::PacketMode mode() const;
    // The stake per bet as bet lines need it ("20", "20.5"); empty while the stake
    // field holds no valid amount, in which case an action needing it must refuse.
    std::string stakeText() const;
    // The category of the current mode: auto-forming's in auto-forming, otherwise
    // the brief systems' one.
    int activeCategory() const;
    // Stake field minimum, value and currency for a draw country.
    void setStakeForCountry(std::uint8_t drawCountry);

    // --- bet list ---
    // The session's bet lines, which the memo shows.
    const kav::Lines& betLines() const;
    // Appends lines to the session's list, parsing only the new lines. The text
    // reaches betListEdit_ when the event loop next runs; code that reads
    // betListEdit_ itself calls flushPendingLines() first.
    void appendBetLines(const kav::Lines& lines);
    void flushPendingLines();
    // Replaces the whole list as one change and parses once.
    void setBetLinesBulk(const kav::Lines& lines);
    // The memo's change handling: the session's list follows the memo's text.
    // Does nothing while the program itself writes the memo.
    void parseBetList();
    // Empties the list, the derived data and the status line (no parse).
    void clearBetList();

    // --- outcome grid ---
    // Writes the text of one outcome cell from the model (0-based indices).
    void showOutcomeCell(int event0, int outcome0);
    // Titles and all outcome cells from the model.
    void showDraw();
    void repaintGrid();

    // --- brief systems and selection summary (main_window_brief.cpp) ---
    // The template folder: "Kombin" beside the program, else the installed
    // share/kavendix/Kombin, else in the working folder. The index is built
    // from it when the window is first shown.
    void setTemplateFolder(const std::filesystem::path& folder) { templateFolder_ = folder; }
    const std::filesystem::path& templateFolder() const { return templateFolder_; }
    // The player's own folder of computed systems, read with the template
    // folder and written by "Рассчитать систему"; empty: the template folder is both.
    void setOwnTemplateFolder(const std::filesystem::path& folder) { ownTemplateFolder_ = folder; }
    const kav::TemplateIndex& templateIndex() const { return templateIndex_; }

    // --- a missing brief system computed on request (main_window_kombin.cpp) ---
    // "Рассчитать систему" of the nearest-systems window: the generator runs on
    // a worker thread behind a progress box with "Отмена"; the checked system is
    // saved into the template folder, the index refreshed, the summary redone.
    bool systemComputing() const;
    void cancelSystemComputing();

    // --- auto-forming (main_window_autoform.cpp) ---
    // True while a search runs; Esc or the progress box's "Отмена" stops it.
    bool autoformRunning() const;
    void cancelAutoform();

    // --- draw data, quotes file and export (main_window_draw.cpp) ---
    // Where draws and updates come from; the program's entry sets them before
    // the window is created, since the update check runs during its creation.
    static void setServers(const kav::io::ServerSettings& servers);
    static const kav::io::ServerSettings& servers();
    // 0 before the first request, 1 event list, 2 totals.
    int pageKind() const { return pageKind_; }
    // True while a draw page is on its way.
    bool drawLoading() const;
    // Row title of an event in the coverage map and the analysis window: the
    // home team of a loaded title, the whole title of the default draw.
    QString eventRowTitle(int event0) const { return session_.rowTitle(event0); }

    // --- project files, autosave and settings (main_window_project.cpp) ---
    // Where the program keeps what outlives a session. Empty fields turn the
    // autosave or the settings off (as in tests); the program's entry sets them.
    struct Persistence {
        QString autosaveFolder; // the autosave and its lock
        QString settingsFile;   // an INI file of QSettings
    };
    static void setPersistence(const Persistence& p);
    static const Persistence& persistenceSettings();
    // The player's work as a project, and back (the list, marks, draw, mode
    // settings and stake; a page still loading is dropped).
    kav::ProjectState projectState();
    void applyProjectState(const kav::ProjectState& state);
    // Reads and applies a project file; a file that cannot be read changes
    // nothing and says why. True when it was opened.
    bool openProjectFile(const QString& path);
    // The project the program was started with: opened once the window is
    // on screen, in place of loading the current draw (which is loaded only
    // when the project cannot be read).
    void setStartProject(const QString& path) { startProject_ = path; }
    // Saves the work into `path` and makes it the project's file.
    bool saveProjectTo(const QString& path);
    const QString& projectPath() const { return projectPath_; }
    bool isModified() const { return modified_; }
    // After start: the autosave of a session that did not end is offered back.
    void offerRecovery();

protected:
    void showEvent(QShowEvent* e) override;
    // Asks before a running job or unsaved work is dropped.
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // --- controls (main_window.cpp) ---
    void createLayout();
    QFrame* createControlBar(QWidget* parent);
    QFrame* createSummaryBar(QWidget* parent);
    void createMenu();
    void connectLayout();
    void onFirstShow();
    // "Сбросить исходы": clears the marks, rewrites the cells, empties the summary lines.
    void resetOutcomes();
    void switchMode();
    void selectOutcomeCell(int col, int row);
    void editQuote(int col, int row, const QString& text);
    // A brief category or sensation bound changed.
    void onSummaryInputChanged();
    void toggleStartWith();
    void onStakeChanged();
    // "Скопировать для переноса": the whole memo to the clipboard.
    void copyBetList();
    // "Изъять варианты из списка".
    void removeMarkedVariants();
    // "Очистить список ставок".
    void clearBetListAndRecount();

    LinkLabel* resetOutcomesLink_ = nullptr;
    QComboBox* modeCombo_ = nullptr;
    BriefSystemPanel* briefSystemPanel_ = nullptr;
    SensationPanel* sensationPanel_ = nullptr;
    ManualChoicePanel* manualChoicePanel_ = nullptr;
    AutoformPanel* autoformPanel_ = nullptr;
    MoneyEdit* stakeEdit_ = nullptr;
    OutcomeGrid* outcomeGrid_ = nullptr;
    QPlainTextEdit* betListEdit_ = nullptr;
    QLabel* couponSummaryLabel_ = nullptr;
    QLabel* systemSummaryLabel_ = nullptr;
    QLabel* betListStatusLabel_ = nullptr;
    QAction* russianDrawAction_ = nullptr;
    QAction* ukrainianDrawAction_ = nullptr;
    QAction* copyBetListAction_ = nullptr;
    QAction* exportByColumnsAction_ = nullptr;
    QAction* exportByRowsAction_ = nullptr;
    QAction* saveTextFileAction_ = nullptr;
    QAction* removeMarkedAction_ = nullptr;
    QAction* clearBetListAction_ = nullptr;
    QAction* saveQuotesAction_ = nullptr;
    QAction* loadQuotesAction_ = nullptr;
    QAction* coverageMapAction_ = nullptr;
    QAction* variantAnalysisAction_ = nullptr;
    QAction* helpAction_ = nullptr;

    // --- manual and random selection, sensations (main_window_forming.cpp) ---
    void takeAllVariants();
    void addRandomBets();
    void addSensationVariants();

    // --- brief systems and selection summary (main_window_brief.cpp) ---
    void addBriefSystem();
    void updateSelectionSummary();
    // Runs once when the window is first shown, before the first draw.
    void indexTemplates();
    // True when a clipboard key pressed in `watched` belongs to that text field
    // (it has a selection to copy or cut), not to the bet-list commands.
    bool textFieldOwnsKey(QObject* watched, const QKeyEvent* e) const;
    // The session's bet list changed: the memo and the status line follow.
    void showAppendedBets(const kav::Lines& lines);
    void showReplacedBets();
    void showBetStatus();
    void insertAtEnd(const QString& text);

    // Auto-forming (main_window_autoform.cpp).
    void startAutoform();
    // Input to this window while a search runs: Esc stops it, the rest is dropped.
    bool autoformFiltersInput(QObject* watched, QEvent* e);

    // A brief system computed on request (main_window_kombin.cpp).
    void computeBriefSystem();

    Session session_;
    kav::Rng rng_;
    std::filesystem::path templateFolder_;
    std::filesystem::path ownTemplateFolder_;
    kav::TemplateIndex templateIndex_;
    kav::BriefState briefState_;
    NearestSystemsWindow* nearestSystems_ = nullptr;
    CoverageMapWindow* coverageMap_ = nullptr;
    VariantAnalysisWindow* variantAnalysis_ = nullptr;
    HelpWindow* help_ = nullptr;
    bool shown_ = false;
    // --- draw data, quotes file and export (main_window_draw.cpp) ---
    void loadRussianDraw();
    void loadUkrainianDraw();
    void saveQuotesFile();
    void loadQuotesFile();
    void exportWorkbookByColumns();
    void exportWorkbookByRows();
    void saveTextFile();
    void showHelp();
    // The update check of the window's creation; may end the program.
    void checkForUpdate();
    // Request the event-list and the totals page of the current draw.
    void requestEventList();
    void requestTotals();
    // A page has arrived (or failed): the event list is read whole and kept
    // until the totals have arrived too; then both replace the draw shown.
    void onDrawPageLoaded(const kav::io::PageDownload& page);
    // A page that cannot be used: the draw shown stays (the default draw
    // while none is shown yet) and one message says why.
    void failDrawLoad(const kav::io::PageDownload& page);
    // The loaded draw's country, events and totals replace the draw shown;
    // without events, the default draw of the loading country.
    void showLoadedDraw(const kav::EventListDraw* events, const kav::DrawTotals* totals);
    // The menu bar's "Загрузка тиража…" while a page is on its way.
    void showDrawLoading(bool loading);
    // A draw from elsewhere (a quotes file) wins over the one on its way.
    void cancelDrawLoad();
    void setRowTitle(int event0, const QString& title);
    void setHomeRowTitles(int events);
    void setDefaultRowTitles();
    void switchCountry(std::uint8_t drawCountry);
    void requestPage(int kind, const std::string& url);
    void saveWorkbook(bool byColumns);
    int pageKind_ = 0;
    DrawDownloader* downloader_ = nullptr;
    std::uint8_t loadingCountry_ = kav::kRussia;
    std::string pageUrl_;
    std::optional<kav::EventListDraw> loadedEvents_;
    bool drawLoading_ = false;
    bool drawShown_ = false; // a draw (loaded, from a file or the default) is on the grid
    unsigned drawLoad_ = 0;  // counts the loads started, so a superseded one applies nothing
    QLabel* drawLoadingLabel_ = nullptr;
    // While set, memo changes are not parsed (bulk rewrite or incremental append).
    bool bulk_ = false;
    // Appended lines not yet written into betListEdit_ (already parsed), with their breaks.
    std::string pendingText_;
    QTimer* flushTimer_ = nullptr;

    // --- coverage map (main_window_coverage.cpp) ---
    void toggleCoverageMap();
    // F11.
    void repaintCoverageMap();
    // The map counts with auto-forming's category while it changes.
    void syncCoverageMapCategory(int category);
    // The menu item's caption follows the map.
    void connectCoverageMap();

    // --- variant analysis (main_window_analysis.cpp) ---
    // Shows the analysis window with the bet pre-selected from the marks, or hides it.
    void toggleVariantAnalysis();
    // The menu item's caption follows the window.
    void connectVariantAnalysis();

    // --- project files, autosave and settings (main_window_project.cpp) ---
    void createFileMenu(QMenu* file);
    void connectProject();
    void newProject();
    void openProject();
    void saveProject();
    void saveProjectAs();
    // "Сохранить изменения?" when there is unsaved work: false when the
    // player cancelled (or the save failed).
    bool maybeSave();
    // Yes/No before `action` empties a non-empty bet list.
    bool confirmBetListLoss(const QString& action);
    // True (and says so) while a long job runs.
    bool jobRunningRefusal();
    bool hasWork() const;
    void markModified();
    void setModified(bool modified);
    void setDrawTitle(const QString& title);
    void updateWindowTitle();
    void noteReplacedList();
    void undoBetListChange();
    void addRecentFile(const QString& path);
    void rebuildRecentMenu();
    QString autosavePath() const;
    void writeAutosave();
    void removeAutosave();
    std::unique_ptr<QSettings> openSettings() const;
    void loadSettings();
    void saveSettings();
    std::uint8_t savedCountry() const;
    int savedMode() const;
    void restoreSavedStake();

    QAction* newProjectAction_ = nullptr;
    QAction* openProjectAction_ = nullptr;
    QAction* saveProjectAction_ = nullptr;
    QAction* saveProjectAsAction_ = nullptr;
    QAction* undoBetListAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QStringList recentFiles_;
    QString projectPath_;
    QString startProject_;
    QString drawTitle_;
    bool modified_ = false;
    // While a project is applied, its changes are not the player's.
    bool restoring_ = false;
    bool undoing_ = false;
    // The bet list before each program-made replacement, most recent last.
    std::vector<kav::Lines> undoStack_;
    QTimer* autosaveTimer_ = nullptr;
    std::unique_ptr<QLockFile> autosaveLock_;

    // --- reduction by conditions (main_window_conditions.cpp) ---
    void connectConditions();
    // The live count follows every change of the conditions, marks, quotes
    // or stake, a moment after the last one.
    void scheduleConditionCount();
    void showConditionCount();
    void addConditionVariants();
    void applyConditionsToList();
    // Named sets: files in "conditions" beside the autosave; none without it.
    static QString conditionPresetFolder();
    static QStringList conditionPresetNames();
    void saveConditionPreset(const QString& name);
    void loadConditionPreset(const QString& name);
    ConditionsPanel* conditionsPanel_ = nullptr;
    QTimer* conditionCountTimer_ = nullptr;

    // --- layout: the mode panels' place, the grid beside the bet list (main_window_grid.cpp) ---
    // The grid takes the width its titles need (OutcomeGrid::fittedWidth), the
    // bet list the rest; the player may move the splitter between them.
    void fitGridToTitles();
    // One place for the five mode panels, as wide as the widest: a mode switch
    // never changes the window's size.
    QStackedWidget* modePanelStack_ = nullptr;
    QSplitter* gridListSplitter_ = nullptr;

    // --- long work: auto-forming and system computing, one at a time ---
    enum class LongJob { Autoform, SystemComputing };
    LongJob longJob_ = LongJob::Autoform; // the running job's kind
    // --- after the draw: check, draw archive, history (main_window_archive.cpp) ---
public:
    // The draw archive's file; empty (as in tests) keeps no archive. The
    // program's entry sets it before the window is created.
    static void setArchivePath(const QString& path);
    // The archive's record of the session's draw; 0 while it has none.
    std::int64_t archivedDrawId() const { return archivedDrawId_; }

private:
    void createArchiveMenu(QMenu* menu);
    // The open archive, opened on first use; null (after saying why, unless
    // `quiet`) when it cannot be used.
    kav::io::DrawArchive* drawArchive(bool quiet = false);
    kav::io::ArchivedDraw sessionDraw() const;
    // A draw has finished loading: it is kept in the archive.
    void keepLoadedDraw();
    void savePackageToArchive();
    void keepCheckedResult(const kav::DrawResult& result,
                           const std::optional<kav::PrizeList>& prizes);
    void showDrawCheck();
    void showHistory();
    void openArchivedPackage(std::int64_t packageId);

    std::unique_ptr<kav::io::DrawArchive> archive_;
    bool archiveProblemShown_ = false;
    std::int64_t archivedDrawId_ = 0;
    DrawCheckWindow* drawCheck_ = nullptr;
    HistoryWindow* history_ = nullptr;
    QAction* drawCheckAction_ = nullptr;
    QAction* savePackageAction_ = nullptr;
    QAction* historyAction_ = nullptr;

    // --- the value of the package: expected returns, simulation (main_window_value.cpp) ---
    void createValueMenu(QMenu* menu);
    void showExpectedReturns();
    void showSimulation();
    // The grid shows each outcome's quote over its pool share, coloured.
    void toggleValueView(bool on);
    ExpectedReturnWindow* expectedReturns_ = nullptr;
    SimulationWindow* simulation_ = nullptr;
    QAction* expectedReturnAction_ = nullptr;
    QAction* simulationAction_ = nullptr;
    QAction* valueViewAction_ = nullptr;
    // Last, so destroyed first: the job is stopped and joined before the
    // members it was started from go.
    std::unique_ptr<JobRunner> jobs_;
};

} // namespace kav::ui
