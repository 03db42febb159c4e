// MainWindow's construction: controls, layout, menu, signal wiring, start-up and
// the window-wide key handling.
#include "ui/main_window.h"

#include "ui/coverage_map_window.h"
#include "ui/help_window.h"
#include "ui/link_label.h"
#include "ui/money_edit.h"
#include "ui/nearest_systems_window.h"
#include "ui/outcome_grid.h"
#include "ui/variant_analysis_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

namespace kav::ui {

namespace {

const QColor kMint(192, 220, 192);

QFrame* panel(const char* name, QWidget* parent, bool framed) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    if (framed)
        p->setFrameStyle(QFrame::Panel | QFrame::Raised);
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, kMint);
    p->setPalette(pal);
    return p;
}

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QSpinBox* spin(const char* name, int value, int min, int max, QWidget* parent) {
    auto* s = named(new QSpinBox(parent), name);
    s->setRange(min, max);
    s->setValue(value);
    s->setAlignment(Qt::AlignRight);
    return s;
}

// A field with its small caption under it.
QVBoxLayout* captioned(QWidget* field, QLabel* caption) {
    auto* box = new QVBoxLayout;
    box->setSpacing(1);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(field);
    box->addWidget(caption, 0, Qt::AlignHCenter);
    return box;
}

QHBoxLayout* rowLayout(QWidget* owner) {
    auto* row = new QHBoxLayout(owner);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(8);
    return row;
}

QString tip(const char* text) {
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kavendix V1.4.2"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
    // "." is the decimal separator of every number text.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(c);
    createControls();
    createMenu();
    connectControls();
    resize(744, 830 + menuBar()->sizeHint().height());
    model_.forcedBet = std::string(kav::kEvents, ' ');
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

void MainWindow::createControls() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel1 = panel("Panel1", central, true);
    Panel1->setFixedHeight(49);
    auto* top = rowLayout(Panel1);
    Label10 = named(new LinkLabel(QStringLiteral("Сбросить\nисходы"), Panel1), "Label10");
    Label10->setToolTip(QStringLiteral("Очистить все выбранные исходы"));
    ComboBox1 = named(new QComboBox(Panel1), "ComboBox1");
    ComboBox1->addItems({QStringLiteral("Бриф-системы"), QStringLiteral("По сенсациям"),
                         QStringLiteral("Ручной набор"), QStringLiteral("Автоформир.")});
    ComboBox1->setToolTip(QStringLiteral("Способ формирования пакета"));
    top->addWidget(Label10);
    top->addWidget(ComboBox1);

    // Mode 0: brief systems.
    Panel3 = panel("Panel3", Panel1, false);
    auto* p3 = rowLayout(Panel3);
    Label13 = named(new LinkLabel(QStringLiteral("Добавить\nв список"), Panel3), "Label13");
    Label13->setToolTip(QStringLiteral("Добавить систему в список ставок"));
    RxSpinEdit8 = spin("RxSpinEdit8", 13, 9, 15, Panel3);
    RxSpinEdit8->setToolTip(QStringLiteral("Минимальная категория"));
    CheckBox1 = named(new QCheckBox(QStringLiteral("Начать с..."), Panel3), "CheckBox1");
    CheckBox1->setToolTip(tip("Установите отметку для включения \r\nв бриф-систему конкретной "
                              "ставки.\r\nДля каждого события активизируется исход,\r\nвключенный "
                              "в подстраховку последним"));
    p3->addWidget(Label13);
    p3->addLayout(captioned(RxSpinEdit8, fieldCaption(QStringLiteral("категория"), Panel3)));
    p3->addWidget(CheckBox1);
    p3->addStretch(1);

    // Mode 1: sensations.
    Panel4 = panel("Panel4", Panel1, false);
    auto* p4 = rowLayout(Panel4);
    Label14 = named(new LinkLabel(QStringLiteral("Добавить\nв список"), Panel4), "Label14");
    RxSpinEdit1 = spin("RxSpinEdit1", 3, 0, 15, Panel4);
    RxSpinEdit1->setToolTip(QStringLiteral("Сенсаций не менее"));
    RxSpinEdit2 = spin("RxSpinEdit2", 5, 0, 15, Panel4);
    RxSpinEdit2->setToolTip(QStringLiteral("Сенсаций не более"));
    RxSpinEdit3 = spin("RxSpinEdit3", 25, 0, 34, Panel4);
    RxSpinEdit3->setToolTip(
        tip("Значение котировки,\r\nниже которого событие\r\nсчитаем сенсацией"));
    RadioButton1 = named(new QRadioButton(QStringLiteral("БК"), Panel4), "RadioButton1");
    RadioButton1->setToolTip(tip("Критерий сенсаций\r\nпо букмекерским котировкам"));
    RadioButton1->setChecked(true);
    RadioButton2 = named(new QRadioButton(QStringLiteral("пул"), Panel4), "RadioButton2");
    RadioButton2->setToolTip(tip("Критерий сенсаций\r\nпо распределению пула"));
    auto* range = new QWidget(Panel4);
    auto* rangeRow = new QHBoxLayout(range);
    rangeRow->setContentsMargins(0, 0, 0, 0);
    rangeRow->setSpacing(2);
    rangeRow->addWidget(RxSpinEdit1);
    rangeRow->addWidget(RxSpinEdit2);
    auto* radios = new QVBoxLayout;
    radios->setSpacing(0);
    radios->addWidget(RadioButton1);
    radios->addWidget(RadioButton2);
    p4->addWidget(Label14);
    p4->addLayout(captioned(range, fieldCaption(QStringLiteral("кол-во  сенсаций"), Panel4)));
    p4->addLayout(captioned(RxSpinEdit3, fieldCaption(QStringLiteral("которые<"), Panel4)));
    p4->addLayout(radios);
    p4->addStretch(1);

    // Mode 2: manual and random choice.
    Panel5 = panel("Panel5", Panel1, false);
    auto* p5 = rowLayout(Panel5);
    Label16 = named(new LinkLabel(QStringLiteral("Взять все\nварианты"), Panel5), "Label16");
    Label11 = named(new LinkLabel(QStringLiteral("Случайный \nвыбор"), Panel5), "Label11");
    RxSpinEdit5 = spin("RxSpinEdit5", 1, 1, 10000000, Panel5);
    RxSpinEdit5->setToolTip(tip("Повторить \r\nслучайный \r\nвыбор, раз"));
    ComboBox2 = named(new QComboBox(Panel5), "ComboBox2");
    ComboBox2->addItems({QStringLiteral("По котировкам"), QStringLiteral("По пулу"),
                         QStringLiteral("Произвольно"), QStringLiteral("Против пула"),
                         QStringLiteral("Кол. фаворитов")});
    ComboBox2->setToolTip(QStringLiteral("Распределение"));
    RxSpinEdit4 = spin("RxSpinEdit4", 7, 0, 15, Panel5);
    RxSpinEdit4->setToolTip(QStringLiteral("Число фаворитов"));
    Label1 = named(fieldCaption(QStringLiteral("фаворитов"), Panel5), "Label1");
    RxSpinEdit4->hide();
    Label1->hide();
    p5->addWidget(Label16);
    p5->addWidget(Label11);
    p5->addLayout(captioned(RxSpinEdit5, fieldCaption(QStringLiteral("повторить"), Panel5)));
    p5->addWidget(ComboBox2);
    p5->addLayout(captioned(RxSpinEdit4, Label1));
    p5->addStretch(1);

    // Mode 3: auto-forming.
    Panel7 = panel("Panel7", Panel1, false);
    auto* p7 = rowLayout(Panel7);
    Label12_ = named(new LinkLabel(QStringLiteral("Добавить\nв список"), Panel7), "Label12_");
    Label12_->setToolTip(QStringLiteral("Добавить в список ставок"));
    RxSpinEdit6 = spin("RxSpinEdit6", 13, 9, 15, Panel7);
    RxSpinEdit7 = spin("RxSpinEdit7", 1000, 1, 10000000, Panel7);
    RxSpinEdit7->setSingleStep(10);
    RxSpinEdit9 = named(new QDoubleSpinBox(Panel7), "RxSpinEdit9");
    RxSpinEdit9->setRange(1, 100);
    RxSpinEdit9->setDecimals(2);
    RxSpinEdit9->setValue(75);
    RxSpinEdit9->setAlignment(Qt::AlignRight);
    ComboBox3 = named(new QComboBox(Panel7), "ComboBox3");
    ComboBox3->addItems({QStringLiteral("% вариантов"), QStringLiteral("% по вероятности"),
                         QStringLiteral("% по пулу"), QStringLiteral("без пересечений ")});
    p7->addWidget(Label12_);
    p7->addLayout(captioned(RxSpinEdit6, fieldCaption(QStringLiteral("катег."), Panel7)));
    p7->addLayout(captioned(RxSpinEdit7, fieldCaption(QStringLiteral("ставок макс"), Panel7)));
    p7->addLayout(captioned(RxSpinEdit9, fieldCaption(QStringLiteral("покр. %"), Panel7)));
    p7->addLayout(captioned(ComboBox3, fieldCaption(QStringLiteral("способ поиска"), Panel7)));
    p7->addStretch(1);

    // The four mode panels share one place; exactly one is visible.
    for (QFrame* p : {Panel3, Panel4, Panel5, Panel7})
        top->addWidget(p, 1);
    Panel4->hide();
    Panel5->hide();
    Panel7->hide();

    Panel6 = panel("Panel6", Panel1, false);
    auto* p6 = rowLayout(Panel6);
    Edit1 = named(new MoneyEdit(Panel6), "Edit1");
    Edit1->setToolTip(QStringLiteral("Сумма на одну ставку"));
    Edit1->setFixedWidth(110);
    p6->addLayout(captioned(Edit1, fieldCaption(QStringLiteral("за ставку"), Panel6)));
    top->addWidget(Panel6);
    outer->addWidget(Panel1);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    StringGrid1 = named(new OutcomeGrid(central), "StringGrid1");
    StringGrid1->hide(); // shown once a draw has loaded
    Memo1 = named(new QPlainTextEdit(central), "Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setToolTip(QStringLiteral("Список ставок"));
    middle->addWidget(StringGrid1);
    middle->addWidget(Memo1, 1);
    outer->addLayout(middle, 1);

    Panel2 = panel("Panel2", central, true);
    Panel2->setFixedHeight(61);
    auto* bottom = new QHBoxLayout(Panel2);
    bottom->setContentsMargins(8, 4, 8, 4);
    auto* summary = new QVBoxLayout;
    auto boldLabel = [this](const char* name) {
        auto* l = named(new QLabel(Panel2), name);
        QFont bf = l->font();
        bf.setBold(true);
        l->setFont(bf);
        return l;
    };
    Label2 = boldLabel("Label2");
    Label3 = boldLabel("Label3");
    Label4 = boldLabel("Label4");
    summary->addWidget(Label2);
    summary->addWidget(Label3);
    bottom->addLayout(summary, 1);
    bottom->addWidget(Label4, 0, Qt::AlignRight | Qt::AlignVCenter);
    outer->addWidget(Panel2);

    setCentralWidget(central);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    Timer1->start();

    flushTimer_ = new QTimer(this);
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(0);
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
    bar->setObjectName(QStringLiteral("MainMenu1"));
    N1 = named(bar->addMenu(QStringLiteral("Валюта")), "N1");
    MN2 = action(N1, "MN2", "Россия", {}, &MainWindow::MN2Click);
    MN8 = action(N1, "MN8", "Украина", {}, &MainWindow::MN8Click);
    MN3 = named(bar->addMenu(QStringLiteral("Действия")), "MN3");
    MN4 = action(MN3, "MN4", "Скопировать для переноса", ctrl(Qt::Key_C), &MainWindow::MN4Click);
    MN5 = action(MN3, "MN5", "Сохранить для Excell", ctrl(Qt::Key_E), &MainWindow::Label12Click);
    MN28 = action(MN3, "MN28", "Сохранить для Excell построчно", ctrl(Qt::Key_S),
                  &MainWindow::MN28Click);
    N25 = action(MN3, "N25", "Сохранить в текст. файл", ctrl(Qt::Key_T), &MainWindow::N25Click);
    N27 = action(MN3, "N27", "Изъять варианты из списка", ctrl(Qt::Key_Y), &MainWindow::N27Click);
    MN6 = action(MN3, "MN6", "Очистить список ставок", ctrl(Qt::Key_X), &MainWindow::MN6Click);
    N2c = action(MN3, "N2c", "Котировки в файл", ctrl(Qt::Key_K), &MainWindow::N2cClick);
    N3c = action(MN3, "N3c", "Котировки из файла", ctrl(Qt::Key_L), &MainWindow::N3cClick);
    MN7 = named(bar->addMenu(QStringLiteral("Окна")), "MN7");
    MN10 = action(MN7, "MN10", "Показать карту покрытия", {}, &MainWindow::MN10Click);
    MN12 = action(MN7, "MN12", "Показать анализ вариантов", {}, &MainWindow::MN12Click);
    // "Помощь" has no items: the top entry itself is the command.
    mN22 = named(bar->addAction(QStringLiteral("Помощь")), "mN22");
    connect(mN22, &QAction::triggered, this, [this] { mN22Click(); });
}

void MainWindow::connectControls() {
    connect(Label10, &LinkLabel::clicked, this, [this] { Label10Click(); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(Label13, &LinkLabel::clicked, this, [this] { Label13Click(); });
    connect(Label14, &LinkLabel::clicked, this, [this] { Label14Click(); });
    connect(Label16, &LinkLabel::clicked, this, [this] { Label16Click(); });
    connect(Label11, &LinkLabel::clicked, this, [this] { Label11Click(); });
    connect(Label12_, &LinkLabel::clicked, this, [this] { Label12_Click(); });
    for (QSpinBox* s : {RxSpinEdit8, RxSpinEdit1, RxSpinEdit2})
        connect(s, &QSpinBox::valueChanged, this, [this] { RxSpinEdit8Change(); });
    connect(RxSpinEdit3, &QSpinBox::valueChanged, this, [this] { repaintGrid(); });
    connect(RxSpinEdit6, &QSpinBox::valueChanged, this, [this] { RxSpinEdit6Change(); });
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(Edit1, &MoneyEdit::stakeChanged, this, [this] { Edit1Change(); });
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this] { ComboBox2Change(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(StringGrid1, &OutcomeGrid::selectCell, this,
            [this](int col, int row) { StringGrid1SelectCell(col, row); });
    connect(StringGrid1, &OutcomeGrid::setEditText, this,
            [this](int col, int row, const QString& t) { StringGrid1SetEditText(col, row, t); });
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { parseBetList(); });
    connect(flushTimer_, &QTimer::timeout, this, [this] { flushPendingLines(); });
    StringGrid1->setFillFunction([this](int event0, int outcome0) {
        GridPaintState s;
        s.mode = mode();
        s.byQuotes = RadioButton1->isChecked();
        s.byPool = RadioButton2->isChecked();
        s.threshold = RxSpinEdit3->value();
        s.forcedChecked = CheckBox1->isChecked();
        return outcomeCellFill(model_, s, event0, outcome0);
    });
}

void MainWindow::setSideWindows(NearestSystemsWindow* form3, CoverageMapWindow* form4,
                                VariantAnalysisWindow* form5, HelpWindow* form6) {
    form3_ = form3;
    form4_ = form4;
    form5_ = form5;
    form6_ = form6;
    if (form3_)
        connect(form3_, &NearestSystemsWindow::computeRequested, this,
                &MainWindow::computeBriefSystem);
    connectVariantAnalysis();
}

int MainWindow::mode() const {
    return ComboBox1->currentIndex();
}

std::string MainWindow::stakeText() const {
    return Edit1->stakeText();
}

QSpinBox* MainWindow::categorySpin() const {
    return mode() == 3 ? RxSpinEdit6 : RxSpinEdit8;
}

void MainWindow::setStakeForCountry(std::uint8_t drawCountry) {
    const kav::Fixed4 start = kav::minimumStake(drawCountry);
    Edit1->setMinimum(kav::Fixed4());
    Edit1->setValue(start);
    Edit1->setMinimum(start);
    Edit1->setSuffix(QString::fromStdString(kav::currencySuffixFor(drawCountry)));
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void MainWindow::FormShow() {
    model_.betMasks.clear();
    indexTemplates();
    const char* headers[] = {"События", "П1", "Х", "П2"};
    for (int c = 0; c < OutcomeGrid::kColumns; ++c)
        StringGrid1->setCellText(c, 0, QString::fromUtf8(headers[c]));
    rng_.setSeed(kav::Rng::clockSeed());
    // Mode 0 is the designed layout; the mode switch itself does not run here.
    {
        const QSignalBlocker block(ComboBox1);
        ComboBox1->setCurrentIndex(0);
    }
    Label8Click();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    FormClose();
    for (QWidget* w : std::initializer_list<QWidget*>{form3_, form4_, form5_, form6_})
        if (w)
            w->close();
    QMainWindow::closeEvent(e);
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
    if (watched == Memo1 || watched == Memo1->viewport()) {
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
        const QKeySequence pressed(ke->keyCombination());
        for (QAction* a : {MN4, MN5, MN28, N25, N27, MN6, N2c, N3c})
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
        MN4Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::Timer1Timer() {
    // The event loop dispatches pending events on its own; the tick is kept so the
    // window has its one-second timer, and does nothing else.
}

} // namespace kav::ui
