// MainWindow's construction: controls, layout, menu, signal wiring, start-up and
// the window-wide key handling.
#include "ui/main_window.h"

#include "ui/autoform_panel.h"
#include "ui/brief_system_panel.h"
#include "ui/conditions_panel.h"
#include "ui/coverage_map_window.h"
#include "ui/help_window.h"
#include "ui/job_runner.h"
#include "ui/link_label.h"
#include "ui/manual_choice_panel.h"
#include "ui/mode_panel.h"
#include "ui/money_edit.h"
#include "ui/nearest_systems_window.h"
#include "ui/outcome_grid.h"
#include "ui/sensation_panel.h"
#include "ui/variant_analysis_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>

namespace kav::ui {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), jobs_(std::make_unique<JobRunner>(this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setDrawTitle(QStringLiteral("Kavendix V1.4.2"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
    // "." is the decimal separator of every number text.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(c);
    createLayout();
    createMenu();
    connectLayout();
    connectProject();
    resize(744, 830 + menuBar()->sizeHint().height());
    loadSettings();
    model().forcedBet = std::string(kav::kEvents, ' ');
    checkForUpdate();
    setStakeForCountry(kav::kRussia);
    // Key preview: the window sees key presses before the focused control.
    qApp->installEventFilter(this);
}

// The filter goes first: the controls are destroyed after this body has run.
MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // ~QWidget closes the window, and the focus leaving the stake field then
    // commits a half-typed stake: by that time this window's members are gone,
    // so no control may reach it any more.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void MainWindow::createLayout() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(createControlBar(central));
    // The conditions' editor: under the bar, in its mode only.
    outer->addWidget(conditionsPanel_->editor());
    conditionsPanel_->editor()->hide();

    gridListSplitter_ = named(new QSplitter(Qt::Horizontal, central), "gridListSplitter");
    gridListSplitter_->setChildrenCollapsible(false);
    outcomeGrid_ = named(new OutcomeGrid(gridListSplitter_), "outcomeGrid");
    outcomeGrid_->hide(); // shown once a draw has loaded
    betListEdit_ = named(new QPlainTextEdit(gridListSplitter_), "betListEdit");
    betListEdit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    betListEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    betListEdit_->setToolTip(QStringLiteral("Список ставок"));
    betListEdit_->setMinimumWidth(120);
    gridListSplitter_->addWidget(outcomeGrid_);
    gridListSplitter_->addWidget(betListEdit_);
    // A wider window widens the bet list; the grid keeps its width.
    gridListSplitter_->setStretchFactor(0, 0);
    gridListSplitter_->setStretchFactor(1, 1);
    outer->addWidget(gridListSplitter_, 1);
    outer->addWidget(createSummaryBar(central));

    setCentralWidget(central);

    flushTimer_ = new QTimer(this);
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(0);
}

// "Сбросить исходы", the mode, the five mode panels sharing one place (exactly
// one is visible) and the stake.
QFrame* MainWindow::createControlBar(QWidget* parent) {
    auto* bar = new QFrame(parent);
    styleAsPanel(bar, "controlBar", true);
    bar->setFixedHeight(49);
    auto* row = panelRow(bar);
    resetOutcomesLink_ =
        named(new LinkLabel(QStringLiteral("Сбросить\nисходы"), bar), "resetOutcomesLink");
    resetOutcomesLink_->setToolTip(QStringLiteral("Очистить все выбранные исходы"));
    modeCombo_ = named(new QComboBox(bar), "modeCombo");
    modeCombo_->addItems({QStringLiteral("Бриф-системы"), QStringLiteral("По сенсациям"),
                          QStringLiteral("Ручной набор"), QStringLiteral("Автоформир."),
                          QStringLiteral("Условия")});
    modeCombo_->setToolTip(QStringLiteral("Способ формирования пакета"));
    row->addWidget(resetOutcomesLink_);
    row->addWidget(modeCombo_);

    modePanelStack_ = named(new QStackedWidget(bar), "modePanelStack");
    briefSystemPanel_ = new BriefSystemPanel(modePanelStack_);
    sensationPanel_ = new SensationPanel(modePanelStack_);
    manualChoicePanel_ = new ManualChoicePanel(modePanelStack_);
    autoformPanel_ = new AutoformPanel(modePanelStack_);
    conditionsPanel_ = new ConditionsPanel(modePanelStack_);
    for (QFrame* p :
         std::initializer_list<QFrame*>{briefSystemPanel_, sensationPanel_, manualChoicePanel_,
                                        autoformPanel_, conditionsPanel_})
        modePanelStack_->addWidget(p);
    modePanelStack_->setCurrentWidget(briefSystemPanel_);
    row->addWidget(modePanelStack_, 1);

    auto* stakePanel = new QFrame(bar);
    styleAsPanel(stakePanel, "stakePanel", false);
    auto* stakeRow = panelRow(stakePanel);
    stakeEdit_ = named(new MoneyEdit(stakePanel), "stakeEdit");
    stakeEdit_->setToolTip(QStringLiteral("Сумма на одну ставку"));
    stakeEdit_->setFixedWidth(110);
    stakeRow->addLayout(
        captioned(stakeEdit_, fieldCaption(QStringLiteral("за ставку"), stakePanel)));
    row->addWidget(stakePanel);
    return bar;
}

// The selection summary (two lines) and the bet list's status.
QFrame* MainWindow::createSummaryBar(QWidget* parent) {
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
    row->addWidget(betListStatusLabel_, 0, Qt::AlignRight | Qt::AlignVCenter);
    return bar;
}

void MainWindow::createMenu() {
    auto action = [this](QMenu* menu, const char* name, const char* caption, QKeySequence shortcut,
                         void (MainWindow::*handler)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty())
            a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    const auto ctrl = [](Qt::Key k) { return QKeySequence(Qt::CTRL | k); };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu"));
    createFileMenu(named(bar->addMenu(QStringLiteral("Файл")), "fileMenu"));
    QMenu* currency = named(bar->addMenu(QStringLiteral("Валюта")), "currencyMenu");
    russianDrawAction_ =
        action(currency, "russianDrawAction", "Россия", {}, &MainWindow::loadRussianDraw);
    ukrainianDrawAction_ =
        action(currency, "ukrainianDrawAction", "Украина", {}, &MainWindow::loadUkrainianDraw);
    QMenu* actions = named(bar->addMenu(QStringLiteral("Действия")), "actionsMenu");
    copyBetListAction_ = action(actions, "copyBetListAction", "Скопировать для переноса",
                                ctrl(Qt::Key_C), &MainWindow::copyBetList);
    exportByColumnsAction_ = action(actions, "exportByColumnsAction", "Сохранить для Excell",
                                    ctrl(Qt::Key_E), &MainWindow::exportWorkbookByColumns);
    exportByRowsAction_ = action(actions, "exportByRowsAction", "Сохранить для Excell построчно",
                                 ctrl(Qt::Key_S), &MainWindow::exportWorkbookByRows);
    saveTextFileAction_ = action(actions, "saveTextFileAction", "Сохранить в текст. файл",
                                 ctrl(Qt::Key_T), &MainWindow::saveTextFile);
    removeMarkedAction_ = action(actions, "removeMarkedAction", "Изъять варианты из списка",
                                 ctrl(Qt::Key_Y), &MainWindow::removeMarkedVariants);
    clearBetListAction_ = action(actions, "clearBetListAction", "Очистить список ставок",
                                 ctrl(Qt::Key_X), &MainWindow::clearBetListAndRecount);
    saveQuotesAction_ = action(actions, "saveQuotesAction", "Котировки в файл", ctrl(Qt::Key_K),
                               &MainWindow::saveQuotesFile);
    loadQuotesAction_ = action(actions, "loadQuotesAction", "Котировки из файла", ctrl(Qt::Key_L),
                               &MainWindow::loadQuotesFile);
    QMenu* windows = named(bar->addMenu(QStringLiteral("Окна")), "windowsMenu");
    coverageMapAction_ = action(windows, "coverageMapAction", "Показать карту покрытия", {},
                                &MainWindow::toggleCoverageMap);
    variantAnalysisAction_ = action(windows, "variantAnalysisAction", "Показать анализ вариантов",
                                    {}, &MainWindow::toggleVariantAnalysis);
    createArchiveMenu(named(bar->addMenu(QStringLiteral("Итоги")), "archiveMenu"));
    createValueMenu(named(bar->addMenu(QStringLiteral("Ценность")), "valueMenu"));
    // "Помощь" has no items: the top entry itself is the command.
    helpAction_ = named(bar->addAction(QStringLiteral("Помощь")), "helpAction");
    connect(helpAction_, &QAction::triggered, this, [this] { showHelp(); });
}

void MainWindow::connectLayout() {
    connect(resetOutcomesLink_, &LinkLabel::clicked, this, [this] { resetOutcomes(); });
    connect(modeCombo_, &QComboBox::currentIndexChanged, this, [this] { switchMode(); });
    connect(briefSystemPanel_, &BriefSystemPanel::addRequested, this, [this] { addBriefSystem(); });
    connect(briefSystemPanel_, &BriefSystemPanel::categoryChanged, this,
            [this] { onSummaryInputChanged(); });
    connect(briefSystemPanel_, &BriefSystemPanel::startWithToggled, this,
            [this] { toggleStartWith(); });
    connect(sensationPanel_, &SensationPanel::addRequested, this,
            [this] { addSensationVariants(); });
    connect(sensationPanel_, &SensationPanel::boundsChanged, this,
            [this] { onSummaryInputChanged(); });
    connect(sensationPanel_, &SensationPanel::criterionChanged, this, [this] { repaintGrid(); });
    connect(manualChoicePanel_, &ManualChoicePanel::takeAllRequested, this,
            [this] { takeAllVariants(); });
    connect(manualChoicePanel_, &ManualChoicePanel::randomRequested, this,
            [this] { addRandomBets(); });
    connect(autoformPanel_, &AutoformPanel::startRequested, this, [this] { startAutoform(); });
    connect(autoformPanel_, &AutoformPanel::categoryChanged, this,
            [this](int category) { syncCoverageMapCategory(category); });
    connect(stakeEdit_, &MoneyEdit::stakeChanged, this, [this] { onStakeChanged(); });
    connectConditions();
    connect(outcomeGrid_, &OutcomeGrid::selectCell, this,
            [this](int col, int row) { selectOutcomeCell(col, row); });
    // After the splitter has taken the grid's new state into account.
    connect(
        outcomeGrid_, &OutcomeGrid::fittedWidthChanged, this, [this] { fitGridToTitles(); },
        Qt::QueuedConnection);
    connect(outcomeGrid_, &OutcomeGrid::quoteEntered, this,
            [this](int col, int row, const QString& t) { editQuote(col, row, t); });
    connect(betListEdit_, &QPlainTextEdit::textChanged, this, [this] { parseBetList(); });
    connect(&session_, &Session::betsAppended, this,
            [this](const kav::Lines& lines) { showAppendedBets(lines); });
    connect(&session_, &Session::betsReplaced, this, [this] { showReplacedBets(); });
    connect(&session_, &Session::betListChanged, this, [this] { showBetStatus(); });
    // The side windows read the stake and the category from the session.
    connect(stakeEdit_, &MoneyEdit::stakeChanged, this,
            [this] { session_.setStakeText(stakeEdit_->stakeText()); });
    const auto publishCategory = [this] { session_.setActiveCategory(activeCategory()); };
    connect(modeCombo_, &QComboBox::currentIndexChanged, this, publishCategory);
    connect(briefSystemPanel_, &BriefSystemPanel::categoryChanged, this, publishCategory);
    connect(autoformPanel_, &AutoformPanel::categoryChanged, this, publishCategory);
    connect(flushTimer_, &QTimer::timeout, this, [this] { flushPendingLines(); });
    outcomeGrid_->setFillFunction([this](int event0, int outcome0) {
        GridPaintState s;
        s.mode = mode();
        s.byQuotes = sensationPanel_->byQuotes();
        s.byPool = sensationPanel_->byPool();
        s.threshold = sensationPanel_->threshold();
        s.forcedChecked = briefSystemPanel_->startsWithForcedBet();
        return outcomeCellFill(model(), s, event0, outcome0);
    });
}

void MainWindow::setSideWindows(NearestSystemsWindow* nearestSystems,
                                CoverageMapWindow* coverageMap,
                                VariantAnalysisWindow* variantAnalysis, HelpWindow* help) {
    nearestSystems_ = nearestSystems;
    coverageMap_ = coverageMap;
    variantAnalysis_ = variantAnalysis;
    help_ = help;
    if (nearestSystems_)
        connect(nearestSystems_, &NearestSystemsWindow::computeRequested, this,
                &MainWindow::computeBriefSystem);
    connectCoverageMap();
    connectVariantAnalysis();
}

kav::PacketMode MainWindow::mode() const {
    return kav::packetModeAt(modeCombo_->currentIndex()).value_or(kav::PacketMode::BriefSystems);
}

std::string MainWindow::stakeText() const {
    return stakeEdit_->stakeText();
}

int MainWindow::activeCategory() const {
    return mode() == kav::PacketMode::Autoform ? autoformPanel_->category()
                                               : briefSystemPanel_->category();
}

void MainWindow::setStakeForCountry(std::uint8_t drawCountry) {
    const kav::Fixed4 start = kav::minimumStake(drawCountry);
    stakeEdit_->setMinimum(kav::Fixed4());
    stakeEdit_->setValue(start);
    stakeEdit_->setMinimum(start);
    stakeEdit_->setSuffix(QString::fromStdString(kav::currencySuffixFor(drawCountry)));
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!shown_) {
        shown_ = true;
        onFirstShow();
    }
}

void MainWindow::onFirstShow() {
    model().betMasks.clear();
    indexTemplates();
    const char* headers[] = {"События", "П1", "Х", "П2"};
    for (int c = 0; c < OutcomeGrid::kColumns; ++c)
        outcomeGrid_->setCellText(c, 0, QString::fromUtf8(headers[c]));
    rng_.setSeed(kav::Rng::clockSeed());
    // Mode 0 is the designed layout; the mode switch itself does not run here.
    {
        const QSignalBlocker block(modeCombo_);
        modeCombo_->setCurrentIndex(0);
    }
    // The mode the player left the program in.
    modeCombo_->setCurrentIndex(savedMode());
    if (startProject_.isEmpty())
        switchCountry(savedCountry());
    setModified(false);
    // Once the window is on screen: the work of a session that did not end,
    // then the project the program was started with.
    QTimer::singleShot(0, this, [this] { offerRecovery(); });
    if (!startProject_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (!openProjectFile(startProject_))
                switchCountry(savedCountry());
        });
}

bool MainWindow::textFieldOwnsKey(QObject* watched, const QKeyEvent* e) const {
    if (e->key() != Qt::Key_C && e->key() != Qt::Key_X)
        return false;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(watched))
        return memo->textCursor().hasSelection();
    if (auto* line = qobject_cast<QLineEdit*>(watched))
        return line->hasSelectedText();
    return false;
}

// Ctrl+C copies the whole bet list and Ctrl+X clears it, except where a text field
// has a selection: there the keys copy and cut that selection as usual. The other
// menu shortcuts win over the text fields' own bindings (Ctrl+K, Ctrl+Y...).
bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (autoformFiltersInput(watched, e))
        return true;
    if (watched == betListEdit_ || watched == betListEdit_->viewport()) {
        const QEvent::Type t = e->type();
        if (t == QEvent::KeyPress || t == QEvent::MouseButtonPress || t == QEvent::InputMethod ||
            t == QEvent::Drop || t == QEvent::FocusIn)
            flushPendingLines(); // the player edits the whole text
    }
    if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, e);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
        return QMainWindow::eventFilter(watched, e);
    auto* ke = static_cast<QKeyEvent*>(e);
    const Qt::KeyboardModifiers mods = ke->modifiers() & ~Qt::KeypadModifier;
    const bool ctrlOnly = mods == Qt::ControlModifier;
    if (e->type() == QEvent::ShortcutOverride) {
        if (!ctrlOnly || textFieldOwnsKey(watched, ke))
            return false;
        // Ctrl+Z undoes the typing of the field that has it; elsewhere, and
        // once the field has nothing left to undo, the last list change.
        if (ke->key() == Qt::Key_Z) {
            if (auto* memo = qobject_cast<QPlainTextEdit*>(watched))
                if (memo->document()->isUndoAvailable())
                    return false;
            if (auto* line = qobject_cast<QLineEdit*>(watched))
                if (line->isUndoAvailable())
                    return false;
            return undoBetListAction_->isEnabled();
        }
        const QKeySequence pressed(ke->keyCombination());
        for (QAction* a :
             {copyBetListAction_, exportByColumnsAction_, exportByRowsAction_, saveTextFileAction_,
              removeMarkedAction_, clearBetListAction_, saveQuotesAction_, loadQuotesAction_})
            if (a->shortcut() == pressed)
                return true; // not accepted: the menu's shortcut runs
        return false;
    }
    if (ke->key() == Qt::Key_F11) {
        repaintCoverageMap();
        return true;
    }
    // Ctrl+C on any layout: the Latin key or the Cyrillic letter on the same key.
    const bool copyKey =
        ke->key() == Qt::Key_C || ke->key() == 0x0421 /* С */ || ke->key() == 0x0441 /* с */;
    if (ctrlOnly && copyKey && !textFieldOwnsKey(watched, ke)) {
        copyBetList();
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

} // namespace kav::ui
