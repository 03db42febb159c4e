#include "ui/coverage_map_window.h"

#include "core/bets/stake_text.h"
#include "ui/coverage_map_view.h"
#include "ui/link_label.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/zone_grid.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QTimer>

#include <algorithm>

namespace kav::ui {

namespace {

const QString kCaption = QStringLiteral("Карта покрытия");

// Tahoma where it is installed, else a face of about its width.
QFont windowFont(int size, bool pixels) {
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Nimbus Sans"),
                   QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    if (pixels)
        f.setPixelSize(size);
    else
        f.setPointSize(size);
    return f;
}

QString uiText(const std::string& s) {
    return QString::fromStdString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel* label(QWidget* parent, const QString& text, QPoint pos, const QString& style) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(style);
    l->move(pos);
    return l;
}

LinkLabel* link(QWidget* parent, const char* name, const QString& text, QPoint pos,
                const QString& hint) {
    auto* l = new LinkLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    l->setToolTip(hint);
    l->move(pos);
    return l;
}

} // namespace

CoverageMapWindow::CoverageMapWindow(MainWindow* mainWindow)
    : QWidget(mainWindow, Qt::Window), main_(mainWindow) {
    setObjectName(QStringLiteral("Form4"));
    if (main_)
        menuItem_ = main_->MN10;
    setWindowTitle(kCaption);
    setFont(windowFont(8, false));
    resize(751, 603);
    createControls();
    connectControls();
}

CoverageMapWindow::~CoverageMapWindow() {
    cancelSearch_ = true;
    if (searchThread_.joinable())
        searchThread_.join();
}

void CoverageMapWindow::createControls() {
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1);

    Panel1 = new QFrame(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setMinimumWidth(185);
    Panel1->setFont(windowFont(13, true));

    Label2 = label(Panel1, QStringLiteral("Выбор зоны просмотра"), {26, 5},
                   QStringLiteral("color: blue; font-weight: bold; font-size: 11px;"));
    Label2->setObjectName(QStringLiteral("Label2"));

    StringGrid2 = new ZoneGrid(Panel1);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(0, 24, 328, 354);
    StringGrid2->setHighlight(
        [this](int event0, int outcome0) { return hoverOutcomes_[event0][outcome0] != 0; });

    RxSpinEdit1 = new QSpinBox(Panel1);
    RxSpinEdit1->setObjectName(QStringLiteral("RxSpinEdit1"));
    RxSpinEdit1->setRange(0, 15);
    RxSpinEdit1->setValue(13);
    RxSpinEdit1->setAlignment(Qt::AlignCenter);
    RxSpinEdit1->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 11px;"));
    RxSpinEdit1->setGeometry(8, 384, 60, 21);
    RxSpinEdit1->setToolTip(
        QStringLiteral("Выберите гарантированное количество угаданных исходов,\nкоторое должно "
                       "обеспечить покрытие.\nПри установке \"15\" удобно просматривать опорные "
                       "ставки "));

    Label1 = label(Panel1, QStringLiteral("Категория"), {8, 406}, {});
    Label1->setObjectName(QStringLiteral("Label1"));
    Label5 = link(Panel1, "Label5", QStringLiteral("+P"), {91, 384},
                  QStringLiteral("Добавить в список купонов ставку,\nс максимальным покрытием "
                                 "результатов \nпо ВЕРОЯТНОСТИ"));
    Label6 = link(Panel1, "Label6", QStringLiteral("+N"), {123, 384},
                  QStringLiteral("Добавить в список ставку с максимальным \nКОЛИЧЕСТВОМ "
                                 "покрываемых результатов"));
    // Never shown and without an action; kept so the panel has every control it names.
    Label7 = link(Panel1, "Label7", QStringLiteral("-P"), {91, 406},
                  QStringLiteral("Удалить из списка ставку с минимальным \nпокрытием результатов "
                                 "по ВЕРОЯТНОСТИ"));
    Label8 = link(Panel1, "Label8", QStringLiteral("-N"), {123, 406},
                  QStringLiteral("Удалить из списка ставку с минимальным \nКОЛИЧЕСТВОМ "
                                 "покрываемых результатов"));
    Label7->hide();
    Label8->hide();

    Label4 = label(Panel1, {}, {8, 429},
                   QStringLiteral("color: black; font-weight: bold; font-size: 13px;"));
    Label4->setObjectName(QStringLiteral("Label4"));
    Label9 = label(Panel1, {}, {8, 510},
                   QStringLiteral("color: blue; font-weight: bold; font-size: 13px;"));
    Label9->setObjectName(QStringLiteral("Label9"));
    // Room for both five-line texts in the face actually used.
    {
        QFont bold = Panel1->font();
        bold.setBold(true);
        const int lines5 = 5 * QFontMetrics(bold).lineSpacing();
        Panel1->setMinimumHeight(std::max(510, 429 + lines5 + 1) + lines5 + 4);
    }

    stringGrid1 = new CoverageMapView(Splitter1);
    stringGrid1->setObjectName(QStringLiteral("stringGrid1"));
    stringGrid1->setZone(&zone_);
    stringGrid1->hide();

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setStyleSheet(QStringLiteral("color: red; font-weight: bold; font-size: 16px;"));
    Label3->setText(QStringLiteral("ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА"));
    Label3->adjustSize();
    Label3->move(198, 168);

    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({185, 566});

    recountTimer_ = new QTimer(this);
    recountTimer_->setSingleShot(true);
    recountTimer_->setInterval(40);
}

void CoverageMapWindow::connectControls() {
    connect(StringGrid2, &ZoneGrid::selectCell, this, &CoverageMapWindow::StringGrid2SelectCell);
    connect(RxSpinEdit1, &QSpinBox::valueChanged, this, [this] { RxSpinEdit1Change(); });
    connect(stringGrid1, &CoverageMapView::pointerMoved, this,
            &CoverageMapWindow::stringGrid1MouseMove);
    connect(stringGrid1, &CoverageMapView::buttonReleased, this,
            &CoverageMapWindow::stringGrid1MouseUp);
    connect(Label5, &LinkLabel::clicked, this, &CoverageMapWindow::Label5Click);
    connect(Label6, &LinkLabel::clicked, this, &CoverageMapWindow::Label6Click);
    connect(recountTimer_, &QTimer::timeout, this, &CoverageMapWindow::recountCoverage);
    // Key preview: the window sees every key before the focused control does.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    installEventFilter(this);
}

bool CoverageMapWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        // A key the focused control leaves travels up through its parents, each
        // watched here: act on it where it starts only.
        auto* ke = static_cast<QKeyEvent*>(e);
        auto* w = qobject_cast<QWidget*>(watched);
        const bool travelling = ke == lastKey_ && ke->timestamp() == lastKeyTime_ && lastKeyAt_ &&
                                w && w != lastKeyAt_ && w->isAncestorOf(lastKeyAt_);
        lastKey_ = ke;
        lastKeyTime_ = ke->timestamp();
        lastKeyAt_ = w;
        if (!travelling && ke->key() == Qt::Key_Space)
            toggleMarkerUnderPointer();
    } else if (e->type() == QEvent::Resize && watched == stringGrid1) {
        if (zone_.shown() && stringGrid1->isVisible())
            sizeCells();
    }
    return QWidget::eventFilter(watched, e);
}

int CoverageMapWindow::mapCategory() const {
    return RxSpinEdit1->value();
}

void CoverageMapWindow::showStatistics(const std::string& text) {
    Label4->setText(uiText(text));
    Label4->adjustSize();
    // Faces wider than Tahoma make the five-line text taller than its place.
    Label9->move(8, std::max(510, Label4->geometry().bottom() + 1));
}

void CoverageMapWindow::showMapMessage(const std::string& text) {
    stringGrid1->hide();
    Label3->setText(uiText(text));
    Label3->adjustSize();
    Label3->move(Splitter1->widget(1)->geometry().left() + 20, 168);
    Label3->show();
    Label3->raise();
}

void CoverageMapWindow::setRowTitle(int event0, const QString& title) {
    StringGrid2->setCellText(0, event0 + 1, title);
}

void CoverageMapWindow::openCoverageMap() {
    if (isVisible()) {
        hide();
        return;
    }
    showNormal();
    if (!main_)
        return;
    const kav::DrawModel& m = main_->model();
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o)
            StringGrid2->setCellText(o + 1, e + 1,
                                     m.marked(e, o) ? QStringLiteral("x") : QString());
    // The build below counts with the new category; no separate recount for it.
    const QSignalBlocker block(RxSpinEdit1);
    RxSpinEdit1->setValue(main_->categorySpin()->value());
    buildZone();
}

void CoverageMapWindow::buildZone() {
    ZoneCells cells{};
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o)
            cells[e][o] = StringGrid2->selected(o + 1, e + 1) ? 1 : 0;
    recountTimer_->stop();
    ++zoneGeneration_;
    hovered_.clear();
    zone_ = kav::buildZone(cells, main_ ? main_->model().quotes : QuoteTable{});
    stringGrid1->setZone(&zone_);
    if (!zone_.shown()) {
        showMapMessage(kav::zoneMessage(zone_));
        showStatistics(kav::hiddenStatisticsText(zone_));
        return;
    }
    Label3->hide();
    stringGrid1->show();
    recountCoverage();
}

void CoverageMapWindow::recountCoverage() {
    recountTimer_->stop();
    if (!zone_.shown())
        return;
    showStatistics({});
    stringGrid1->show();
    Label3->hide();
    kav::countCoverage(zone_, main_ ? main_->model().betMasks : std::vector<BetMask>{},
                       mapCategory());
    sizeCells();
    showStatistics(kav::statisticsText(zone_));
    stringGrid1->viewport()->update();
}

void CoverageMapWindow::scheduleRecount() {
    // A hidden map is built anew when it is opened.
    if (isVisible() && zone_.shown() && !recountTimer_->isActive())
        recountTimer_->start();
}

void CoverageMapWindow::flushScheduledRecount() {
    if (recountTimer_->isActive())
        recountCoverage();
}

void CoverageMapWindow::sizeCells() {
    stringGrid1->setCellSize(stringGrid1->fittingCellSize());
}

void CoverageMapWindow::repaintResults(const std::vector<int>& indices) {
    // Only cells in view are repainted; the states of the others are kept all the same.
    for (int i : indices)
        stringGrid1->repaintResult(i);
}

void CoverageMapWindow::StringGrid2SelectCell(int col, int row) {
    if (searching_)
        return;
    StringGrid2->setCellText(
        col, row, StringGrid2->selected(col, row) ? QStringLiteral(" ") : QStringLiteral("x"));
    buildZone();
}

void CoverageMapWindow::RxSpinEdit1Change() {
    if (!zone_.results.empty())
        recountCoverage();
    else
        buildZone();
}

void CoverageMapWindow::describeResult(int index) {
    const kav::Variant v = zone_.resultVariant(index);
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o)
            hoverOutcomes_[e][o] = v[e] == o ? 1 : 0;
    StringGrid2->update();
}

void CoverageMapWindow::stringGrid1MouseMove(int x, int y) {
    if (searching_ || !zone_.shown())
        return;
    const int col = stringGrid1->columnAt(x), row = stringGrid1->rowAt(y);
    if (col == lastHoverCol_ && row == lastHoverRow_)
        return;
    lastHoverCol_ = col;
    lastHoverRow_ = row;
    const int c = mapCategory();
    if (col < 0 || col >= stringGrid1->columnCount() || row < 0 || row >= stringGrid1->rowCount()) {
        repaintResults(kav::clearHover(zone_, hovered_));
        return;
    }
    flushScheduledRecount();
    const int p = row * stringGrid1->columnCount() + col;
    describeResult(p);
    repaintResults(kav::hoverResult(zone_, p, c, hovered_));
    const auto tally =
        kav::categoryTally(zone_, main_ ? main_->model().betMasks : std::vector<BetMask>{}, p);
    showStatistics(kav::hoverStatisticsText(zone_, hovered_));
    Label3->hide();
    Label9->setText(uiText(kav::categoryTallyText(zone_.resultText(p), tally)));
    Label9->adjustSize();
}

void CoverageMapWindow::stringGrid1MouseUp(Qt::MouseButton button, int x, int y) {
    if (searching_ || !zone_.shown())
        return;
    const int firstCol = stringGrid1->firstVisibleColumn(),
              firstRow = stringGrid1->firstVisibleRow();
    const int col = stringGrid1->columnAt(x), row = stringGrid1->rowAt(y);
    const bool onMap =
        col >= 0 && col < stringGrid1->columnCount() && row >= 0 && row < stringGrid1->rowCount();
    if (onMap && main_) {
        const int p = row * stringGrid1->columnCount() + col;
        const int c = mapCategory();
        if (button == Qt::LeftButton) {
            auto stake = kav::readStake(main_->stakeText());
            if (!stake) {
                showMessage(this, kav::badStakeMessage());
            } else {
                main_->appendBetLines({kav::singleBetLine(zone_, p, main_->stakeText())});
            }
        } else if (button == Qt::RightButton && !main_->model().betMasks.empty()) {
            auto removal = kav::removeCoveringCoupons(main_->betLines(), zone_, p, c);
            if (removal.removed > 0)
                main_->setBetLinesBulk(removal.lines);
        }
    }
    recountCoverage();
    stringGrid1->scrollTo(firstCol, firstRow);
}

void CoverageMapWindow::toggleMarkerUnderPointer() {
    if (!zone_.shown() || lastHoverCol_ < 0 || lastHoverCol_ >= stringGrid1->columnCount() ||
        lastHoverRow_ < 0 || lastHoverRow_ >= stringGrid1->rowCount())
        return;
    const int p = lastHoverRow_ * stringGrid1->columnCount() + lastHoverCol_;
    kav::toggleMarker(zone_.results[static_cast<std::size_t>(p)]);
    stringGrid1->repaintResult(p);
}

void CoverageMapWindow::Label5Click() {
    startBestSearch(kav::BestBy::Probability);
}
void CoverageMapWindow::Label6Click() {
    startBestSearch(kav::BestBy::Count);
}

void CoverageMapWindow::startBestSearch(kav::BestBy by) {
    if (searching_)
        return;
    flushScheduledRecount();
    if (!zone_.shown()) {
        setWindowTitle(kCaption);
        return;
    }
    searching_ = true;
    cancelSearch_ = false;
    Panel1->setEnabled(false);
    stringGrid1->setEnabled(false);
    setWindowTitle(QStringLiteral("Выполнено 0%"));
    // The search reads a copy, so the window may repaint and scroll meanwhile.
    const unsigned generation = zoneGeneration_;
    searchThread_ = std::thread([this, snapshot = zone_, c = mapCategory(), by, generation] {
        auto progress = [this](int pct) {
            QMetaObject::invokeMethod(
                this, [this, pct] { setWindowTitle(QStringLiteral("Выполнено %1%").arg(pct)); },
                Qt::QueuedConnection);
        };
        kav::BestBet r = kav::findBestBet(snapshot, c, by, progress, &cancelSearch_);
        QMetaObject::invokeMethod(
            this, [this, r, generation] { finishBestSearch(r, generation); }, Qt::QueuedConnection);
    });
}

void CoverageMapWindow::finishBestSearch(kav::BestBet result, unsigned generation) {
    if (!searching_)
        return;
    if (searchThread_.joinable())
        searchThread_.join();
    searching_ = false;
    Panel1->setEnabled(true);
    stringGrid1->setEnabled(true);
    setWindowTitle(kCaption);
    if (result.cancelled || !result.index || generation != zoneGeneration_ || !zone_.shown())
        return;
    // As the player would: point at the best result, click it, point again.
    const int cols = stringGrid1->columnCount();
    const QPoint o = stringGrid1->cellOrigin(*result.index % cols, *result.index / cols);
    stringGrid1MouseMove(o.x(), o.y());
    stringGrid1MouseUp(Qt::LeftButton, o.x(), o.y());
    stringGrid1MouseMove(o.x(), o.y());
}

void CoverageMapWindow::waitForSearch() {
    while (searching_) {
        if (searchThread_.joinable())
            searchThread_.join();
        QCoreApplication::sendPostedEvents(this);
    }
}

void CoverageMapWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    lastHoverCol_ = -1;
    lastHoverRow_ = -1;
    if (menuItem_)
        menuItem_->setText(QStringLiteral("Скрыть карту покрытия"));
}

void CoverageMapWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    cancelSearch_ = true;
    if (menuItem_)
        menuItem_->setText(QStringLiteral("Показать карту покрытия"));
}

} // namespace kav::ui
