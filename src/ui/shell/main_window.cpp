#include "ui/shell/main_window.h"

#include "ui/analysis/variant_analysis_window.h"
#include "ui/bets/bet_list_actions.h"
#include "ui/bets/bet_list_editor.h"
#include "ui/common/job_runner.h"
#include "ui/common/program_places.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/draw/draw_source.h"
#include "ui/forming/autoform_panel.h"
#include "ui/forming/autoforming.h"
#include "ui/forming/brief_systems.h"
#include "ui/forming/conditions_forming.h"
#include "ui/forming/conditions_panel.h"
#include "ui/forming/mode_bar.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/forming/selection_editor.h"
#include "ui/forming/variant_forming.h"
#include "ui/project/project_document.h"
#include "ui/results/package_archive.h"
#include "ui/shell/access_keys.h"
#include "ui/shell/help_window.h"
#include "ui/shell/key_preview.h"
#include "ui/shell/project_parts.h"
#include "ui/shell/settings_dialog.h"
#include "ui/shell/update_prompt.h"
#include "ui/value/package_value.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/mode_panel.h"
#include "ui/widgets/outcome_grid.h"
#include "ui/widgets/side_windows.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

namespace kav::ui {

namespace {

// "06.12.2026 12:34:56" on a Russian system: the short date and the long time
// without a time zone.
QString snapshotTime() {
    const QLocale loc = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    QString timeFormat = loc.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return loc.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           loc.toString(now.time(), timeFormat.trimmed());
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), jobs_(std::make_unique<JobRunner>(this)) {
    setObjectName(QStringLiteral("mainWindow"));
    session_.setDrawTitle(QStringLiteral("Kavendix V1.4.2"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
    // "." is the decimal separator of every number text.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(c);
    createLayout();
    // The status line tells what the last long job did.
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    createFeatures();
    createMenu();
    // After the key preview: the filter installed last sees the input first,
    // and a running search drops all of it.
    autoforming_ = new Autoforming(session_, modeBar_->autoformPanel(), *jobs_, this);
    connectFeatures();
    resize(defaultWidth(), 830 + menuBar()->sizeHint().height());
    loadSettings();
    setWindowTitle(project_->windowTitle());
    checkForUpdateAtStart(this);
    modeBar_->setStakeForCountry(kav::kRussia);
}

// ~QWidget closes the window, and the focus leaving the stake field then
// commits a half-typed stake: by that time the session is gone, so no control
// may reach it any more.
MainWindow::~MainWindow() {
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
}

// Wide enough for the bar of every mode and the conditions' editor, so that
// no mode scrolls or clips at the default size.
int MainWindow::defaultWidth() const {
    int width = std::max({744, modeBar_->minimumSizeHint().width(),
                          modeBar_->conditionsPanel().editor()->minimumSizeHint().width()});
    if (const QScreen* s = screen())
        width = std::min(width, s->availableGeometry().width());
    return width;
}

void MainWindow::createLayout() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    modeBar_ = new ModeBar(session_, central);
    // The bar and the conditions' editor (under the bar, in its mode only)
    // scroll sideways in a narrow window rather than widen it.
    outer->addWidget(new SideScrollArea(modeBar_, central));
    modeBar_->conditionsPanel().editor()->hide();
    outer->addWidget(new SideScrollArea(modeBar_->conditionsPanel().editor(), central));

    gridListSplitter_ = named(new QSplitter(Qt::Horizontal, central), "gridListSplitter");
    gridListSplitter_->setChildrenCollapsible(false);
    outcomeGrid_ = named(new OutcomeGrid(gridListSplitter_), "outcomeGrid");
    outcomeGrid_->hide(); // shown once a draw has loaded
    betListEditor_ = new BetListEditor(session_, gridListSplitter_);
    gridListSplitter_->addWidget(outcomeGrid_);
    gridListSplitter_->addWidget(betListEditor_);
    // A wider window widens the bet list; the grid keeps its width.
    gridListSplitter_->setStretchFactor(0, 0);
    gridListSplitter_->setStretchFactor(1, 1);
    outer->addWidget(gridListSplitter_, 1);
    outer->addWidget(createSummaryBar(central));
    setCentralWidget(central);
}

// The selection summary (two lines) and the bet list's status.
QWidget* MainWindow::createSummaryBar(QWidget* parent) {
    auto* bar = new QFrame(parent);
    styleAsPanel(bar, "summaryBar", true);
    bar->setFixedHeight(61);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 4, 8, 4);
    auto* summary = new QVBoxLayout;
    auto boldLabel = [bar](const char* name) {
        auto* l = named(new QLabel(bar), name);
        QFont bf = l->font();
        bf.setBold(true);
        l->setFont(bf);
        return l;
    };
    couponSummaryLabel_ = boldLabel("couponSummaryLabel");
    systemSummaryLabel_ = boldLabel("systemSummaryLabel");
    betListStatusLabel_ = boldLabel("betListStatusLabel");
    summary->addWidget(couponSummaryLabel_);
    summary->addWidget(systemSummaryLabel_);
    row->addLayout(summary, 1);
    // Under the counts, the lines they leave out (an elided line, more on hover).
    auto* status = new QVBoxLayout;
    status->addWidget(betListStatusLabel_, 0, Qt::AlignRight);
    skippedLinesLabel_ = named(new QLabel(bar), "skippedLinesLabel");
    skippedLinesLabel_->setStyleSheet(QStringLiteral("color: #a04000;"));
    skippedLinesLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    skippedLinesLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    status->addWidget(skippedLinesLabel_);
    row->addLayout(status, 1);
    return bar;
}

void MainWindow::createFeatures() {
    betListEditor_->setStatusLabel(betListStatusLabel_, skippedLinesLabel_);
    project_ = new ProjectDocument(session_, *jobs_, this);
    drawSource_ = new DrawSource(session_, *modeBar_, *jobs_, this);
    selectionEditor_ = new SelectionEditor(session_, *outcomeGrid_, *modeBar_, this);
    briefSystems_ = new BriefSystems(session_, *modeBar_, *jobs_, *couponSummaryLabel_,
                                     *systemSummaryLabel_, this);
    variantForming_ = new VariantForming(session_, *modeBar_, this);
    conditionsForming_ = new ConditionsForming(session_, *modeBar_, *jobs_, this);
    betListActions_ = new BetListActions(session_, *betListEditor_, this);
    packageArchive_ = new PackageArchive(session_, *project_, *jobs_, this);
    packageValue_ = new PackageValue(session_, *outcomeGrid_, this);
    joinProjectParts(*project_, session_, *drawSource_, *modeBar_, *betListEditor_);
}

void MainWindow::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu"));
    project_->createFileMenu(named(bar->addMenu(tr("Файл")), "fileMenu"));

    QMenu* edit = named(bar->addMenu(tr("Правка")), "editMenu");
    QAction* undo = session_.undoStack().createUndoAction(this, tr("Отменить"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = session_.undoStack().createRedoAction(this, tr("Повторить"));
    redo->setObjectName(QStringLiteral("redoAction"));
    // Ctrl+Y has long removed the marked variants from the list.
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    QAction* settings = edit->addAction(tr("Настройки…"));
    settings->setObjectName(QStringLiteral("settingsAction"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    connect(settings, &QAction::triggered, this, [this] {
        auto* dialog = new SettingsDialog(this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });

    QMenu* currency = named(bar->addMenu(tr("Валюта")), "currencyMenu");
    drawSource_->fillCountryMenu(currency);
    currency->addSeparator();
    drawSource_->addEntryAction(currency);
    QMenu* actions = named(bar->addMenu(tr("Действия")), "actionsMenu");
    betListActions_->addActions(actions);
    drawSource_->addQuotesActions(actions);
    windowsMenu_ = named(bar->addMenu(tr("Окна")), "windowsMenu");
    QAction* map = windowsMenu_->addAction(tr("Показать карту покрытия"));
    map->setObjectName(QStringLiteral("coverageMapAction"));
    QAction* analysis = windowsMenu_->addAction(tr("Показать анализ вариантов"));
    analysis->setObjectName(QStringLiteral("variantAnalysisAction"));
    packageArchive_->fillMenu(named(bar->addMenu(tr("Итоги")), "archiveMenu"));
    packageValue_->fillMenu(named(bar->addMenu(tr("Ценность")), "valueMenu"));
    // "Помощь" has no items: the top entry itself is the command.
    QAction* help = named(bar->addAction(tr("Помощь")), "helpAction");
    connect(help, &QAction::triggered, this, [this] {
        if (help_ && !help_->isVisible())
            help_->show();
    });

    new KeyPreview(this, {actions->actions(), undo, [this] { betListActions_->copyBetList(); },
                          [this] {
                              if (coverageMap_)
                                  coverageMap_->repaintMap();
                          }});
    giveAccessKeys(*this);
}

void MainWindow::connectFeatures() {
    connect(project_, &ProjectDocument::titleChanged, this, &QWidget::setWindowTitle);
    connect(project_, &ProjectDocument::freshDrawRequested, drawSource_,
            &DrawSource::switchCountry);
    connect(modeBar_, &ModeBar::edited, project_, &ProjectDocument::markModified);
    connect(drawSource_, &DrawSource::loadingChanged, this, &MainWindow::showDrawLoading);
    connect(outcomeGrid_, &OutcomeGrid::pasteTableRequested, drawSource_,
            [this] { drawSource_->openDrawEntry(true); });
    connect(drawSource_, &DrawSource::drawDownloaded, packageArchive_,
            &PackageArchive::keepLoadedDraw);
    // The analysis is of the draw as shown: downloaded, entered or opened
    // with a project.
    connect(&session_, &Session::drawReplaced, this, [this] {
        if (variantAnalysis_)
            variantAnalysis_->showSnapshotTime(snapshotTime());
    });
    // The map counts with auto-forming's category while it changes.
    connect(&modeBar_->autoformPanel(), &AutoformPanel::categoryChanged, this, [this](int c) {
        if (coverageMap_)
            coverageMap_->setCategory(c);
    });
    // After the splitter has taken the grid's new state into account.
    connect(
        outcomeGrid_, &OutcomeGrid::fittedWidthChanged, this, [this] { fitGridToTitles(); },
        Qt::QueuedConnection);
}

void MainWindow::setSideWindows(NearestSystemsWindow* nearestSystems,
                                CoverageMapWindow* coverageMap,
                                VariantAnalysisWindow* variantAnalysis, HelpWindow* help) {
    nearestSystems_ = nearestSystems;
    coverageMap_ = coverageMap;
    variantAnalysis_ = variantAnalysis;
    help_ = help;
    // Once a burst of moves has ended.
    sideWindowsTimer_ = new QTimer(this);
    sideWindowsTimer_->setSingleShot(true);
    sideWindowsTimer_->setInterval(50);
    connect(sideWindowsTimer_, &QTimer::timeout, this, &MainWindow::placeSideWindows);
    if (variantAnalysis_)
        variantAnalysis_->showSnapshotTime(snapshotTime()); // the draw shown at start
    briefSystems_->setNearestSystemsWindow(nearestSystems_);
    // Each menu item opens its window; its caption follows the window.
    auto follow = [this](auto* window, auto visibilityChanged, const char* actionName,
                         const QString& show, const QString& hide, auto open) {
        auto* action = findChild<QAction*>(QString::fromLatin1(actionName));
        connect(action, &QAction::triggered, window, open);
        connect(window, visibilityChanged, action,
                [action, show, hide](bool shown) { action->setText(shown ? hide : show); });
        // An opened window goes beside the main window with the others.
        connect(window, visibilityChanged, sideWindowsTimer_, [this](bool shown) {
            if (shown)
                sideWindowsTimer_->start();
        });
    };
    if (coverageMap_)
        follow(coverageMap_, &CoverageMapWindow::visibilityChanged, "coverageMapAction",
               tr("Показать карту покрытия"), tr("Скрыть карту покрытия"),
               &CoverageMapWindow::openCoverageMap);
    if (variantAnalysis_)
        follow(variantAnalysis_, &VariantAnalysisWindow::visibilityChanged, "variantAnalysisAction",
               tr("Показать анализ вариантов"), tr("Скрыть анализ вариантов"),
               &VariantAnalysisWindow::openVariantAnalysis);
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!shown_) {
        shown_ = true;
        onFirstShow();
    }
}

void MainWindow::onFirstShow() {
    session_.draw().betMasks.clear();
    briefSystems_->indexTemplates();
    session_.rng().setSeed(kav::Rng::clockSeed());
    // The mode the player left the program in.
    modeBar_->restoreSavedMode();
    if (project_->claimAutosave()) {
        // The work of a session that did not end is offered first, on top,
        // before a download and its messages can come in between.
        QTimer::singleShot(0, this, [this] { startWork(project_->offerRecovery()); });
        return;
    }
    startWork(false);
}

// The draw of the saved country, or the project the program was started with,
// unless recovered work holds the draw already.
void MainWindow::startWork(bool recovered) {
    if (!recovered && startProject_.isEmpty())
        drawSource_->switchCountry(drawSource_->savedCountry());
    if (!recovered)
        project_->setModified(false);
    if (!startProject_.isEmpty())
        QTimer::singleShot(0, this, [this, recovered] {
            // Recovered work is not dropped for the file without a question.
            if (recovered && !project_->maybeSave())
                return;
            if (!project_->openProjectFile(startProject_) && !recovered)
                drawSource_->switchCountry(drawSource_->savedCountry());
        });
}

// Any job, this window's or a side window's, is stopped only when the player
// says so.
void MainWindow::closeEvent(QCloseEvent* e) {
    const QList<JobRunner*> runners = findChildren<JobRunner*>();
    if (std::any_of(runners.begin(), runners.end(), [](JobRunner* r) { return r->running(); })) {
        const bool stop =
            showMessage(this, {kav::Text::tr("Идёт расчёт. Прервать его и закрыть программу?"),
                               kav::Text::tr("Подтверждение"), kav::Buttons::YesNo});
        if (!stop) {
            e->ignore();
            return;
        }
        autoforming_->dropFoundOnCancel();
        for (JobRunner* r : runners) {
            r->cancel();
            r->wait();
        }
    }
    if (!project_->maybeSave()) {
        e->ignore();
        return;
    }
    saveSettings();
    project_->removeAutosave();
    for (QWidget* w :
         std::initializer_list<QWidget*>{nearestSystems_, coverageMap_, variantAnalysis_, help_})
        if (w)
            w->close();
    QMainWindow::closeEvent(e);
}

void MainWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    if (sideWindowsTimer_)
        sideWindowsTimer_->start();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (sideWindowsTimer_)
        sideWindowsTimer_->start();
}

void MainWindow::placeSideWindows() {
    const int gridRight = outcomeGrid_->isVisible()
                              ? outcomeGrid_->mapToGlobal(QPoint(outcomeGrid_->width(), 0)).x()
                              : -1;
    placeBeside(this, {nearestSystems_, coverageMap_, variantAnalysis_, help_}, gridRight);
}

void MainWindow::fitGridToTitles() {
    if (!outcomeGrid_->isVisible())
        return;
    const QList<int> sizes = gridListSplitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int grid =
        std::max(std::min(outcomeGrid_->fittedWidth(), total - betListEditor_->minimumWidth()),
                 outcomeGrid_->minimumSizeHint().width());
    gridListSplitter_->setSizes({grid, total - grid});
}

void MainWindow::showDrawLoading(bool loading) {
    if (!loading && !drawLoadingLabel_)
        return;
    if (!drawLoadingLabel_) {
        drawLoadingLabel_ = new QLabel(tr("Загрузка тиража…"), menuBar());
        drawLoadingLabel_->setObjectName(QStringLiteral("drawLoadingLabel"));
        drawLoadingLabel_->setContentsMargins(0, 0, 8, 0);
        menuBar()->setCornerWidget(drawLoadingLabel_, Qt::TopRightCorner);
    }
    drawLoadingLabel_->setVisible(loading);
}

void MainWindow::loadSettings() {
    const auto settings = openSettings();
    if (!settings)
        return;
    restoreGeometry(settings->value(QStringLiteral("geometry")).toByteArray());
    project_->loadSettings(*settings);
}

void MainWindow::saveSettings() {
    const auto settings = openSettings();
    if (!settings)
        return;
    settings->setValue(QStringLiteral("geometry"), saveGeometry());
    modeBar_->saveSettings(*settings);
    drawSource_->saveSettings(*settings);
    project_->saveSettings(*settings);
}

} // namespace kav::ui
