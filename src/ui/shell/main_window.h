// MainWindow: the frame of the program. It builds the window (the menus, the
// mode bar over the outcome grid and the bet list, the summary under them),
// creates the features, each of which owns its own state and handlers, and
// connects them. The state the features share lives in the Session.
#pragma once

#include "ui/common/session.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class QLabel;
class QTimer;
class QMenu;
class QSplitter;

namespace kav::ui {

class Autoforming;
class BetListActions;
class BetListEditor;
class BriefSystems;
class ConditionsForming;
class CoverageMapWindow;
class DrawSource;
class HelpWindow;
class JobRunner;
class ModeBar;
class NearestSystemsWindow;
class OutcomeGrid;
class PackageArchive;
class PackageValue;
class ProjectDocument;
class SelectionEditor;
class VariantAnalysisWindow;
class VariantForming;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The side windows, created by the program's entry in this order.
    void setSideWindows(NearestSystemsWindow* nearestSystems, CoverageMapWindow* coverageMap,
                        VariantAnalysisWindow* variantAnalysis, HelpWindow* help);
    // The project the program was started with: opened once the window is
    // on screen, in place of loading the current draw (which is loaded only
    // when the project cannot be read).
    void setStartProject(const QString& path) { startProject_ = path; }

    // The shared state and the features, for the program's entry and for tests.
    Session& session() { return session_; }
    ProjectDocument& project() { return *project_; }
    DrawSource& drawSource() { return *drawSource_; }
    ModeBar& modeBar() { return *modeBar_; }
    BriefSystems& briefSystems() { return *briefSystems_; }
    Autoforming& autoforming() { return *autoforming_; }
    BetListEditor& betListEditor() { return *betListEditor_; }
    PackageArchive& packageArchive() { return *packageArchive_; }

protected:
    void showEvent(QShowEvent* e) override;
    // Asks before a running job or unsaved work is dropped.
    void closeEvent(QCloseEvent* e) override;
    // The side windows follow the window when it is moved, resized or maximised.
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void createLayout();
    int defaultWidth() const;
    void placeSideWindows();
    QWidget* createSummaryBar(QWidget* parent);
    void createFeatures();
    void createMenu();
    void connectFeatures();
    void onFirstShow();
    void startWork(bool recovered);
    // The grid takes the width its titles need (OutcomeGrid::fittedWidth), the
    // bet list the rest; the player may move the splitter between them.
    void fitGridToTitles();
    // The menu bar's "Загрузка тиража…" while a page is on its way.
    void showDrawLoading(bool loading);
    void loadSettings();
    void saveSettings();

    Session session_;
    // --- the frame's widgets ---
    ModeBar* modeBar_ = nullptr;
    QSplitter* gridListSplitter_ = nullptr;
    OutcomeGrid* outcomeGrid_ = nullptr;
    BetListEditor* betListEditor_ = nullptr;
    QLabel* couponSummaryLabel_ = nullptr;
    QLabel* systemSummaryLabel_ = nullptr;
    QLabel* betListStatusLabel_ = nullptr;
    QLabel* skippedLinesLabel_ = nullptr;
    QLabel* drawLoadingLabel_ = nullptr;
    QMenu* windowsMenu_ = nullptr;
    // --- the features ---
    ProjectDocument* project_ = nullptr;
    DrawSource* drawSource_ = nullptr;
    SelectionEditor* selectionEditor_ = nullptr;
    BriefSystems* briefSystems_ = nullptr;
    VariantForming* variantForming_ = nullptr;
    ConditionsForming* conditionsForming_ = nullptr;
    Autoforming* autoforming_ = nullptr;
    BetListActions* betListActions_ = nullptr;
    PackageArchive* packageArchive_ = nullptr;
    PackageValue* packageValue_ = nullptr;
    // --- the side windows ---
    NearestSystemsWindow* nearestSystems_ = nullptr;
    QTimer* sideWindowsTimer_ = nullptr;
    CoverageMapWindow* coverageMap_ = nullptr;
    VariantAnalysisWindow* variantAnalysis_ = nullptr;
    HelpWindow* help_ = nullptr;
    QString startProject_;
    bool shown_ = false;
    // Last, so destroyed first: the job is stopped and joined before the
    // state it was started from goes.
    std::unique_ptr<JobRunner> jobs_;
};

} // namespace kav::ui
