#include "ui/coverage/coverage_map_window.h"

#include "core/bets/stake_text.h"
#include "ui/common/job_runner.h"
#include "ui/common/session.h"
#include "ui/common/ui_text.h"
#include "ui/coverage/coverage_map_view.h"
#include "ui/coverage/zone_grid.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kav::ui {

namespace {

QString caption() {
    return CoverageMapWindow::tr("Карта покрытия");
}

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
    return coreText(
        QString::fromStdString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
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

CoverageMapWindow::CoverageMapWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), jobs_(std::make_unique<JobRunner>(this)) {
    setObjectName(QStringLiteral("coverageMapWindow"));
    setWindowTitle(caption());
    setFont(windowFont(8, false));
    resize(751, 603);
    createLayout();
    connectLayout();
}

CoverageMapWindow::~CoverageMapWindow() = default;

void CoverageMapWindow::createLayout() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    createZonePanel();

    // The right side holds the map or, in its place, the red explanation of
    // why there is none; the explanation wraps within the side's width.
    auto* mapArea = new QWidget(splitter_);
    mapArea->setObjectName(QStringLiteral("mapArea"));
    auto* mapAreaLayout = new QVBoxLayout(mapArea);
    mapAreaLayout->setContentsMargins(0, 0, 0, 0);
    mapAreaLayout->setSpacing(0);
    mapView_ = new CoverageMapView(mapArea);
    mapView_->setObjectName(QStringLiteral("mapView"));
    mapView_->setZone(&zone_);
    mapView_->hide();
    mapAreaLayout->addWidget(mapView_, 1);

    mapMessageLabel_ = new QLabel(mapArea);
    mapMessageLabel_->setObjectName(QStringLiteral("mapMessageLabel"));
    // The style sheet owns the label's margins: its padding places the text.
    mapMessageLabel_->setStyleSheet(QStringLiteral(
        "color: red; font-weight: bold; font-size: 16px; padding: 168px 20px 8px 20px;"));
    mapMessageLabel_->setText(tr("ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА"));
    mapMessageLabel_->setWordWrap(true);
    mapMessageLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mapMessageLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    mapAreaLayout->addWidget(mapMessageLabel_, 1);

    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({185, 566});

    recountTimer_ = new QTimer(this);
    recountTimer_->setSingleShot(true);
    recountTimer_->setInterval(40);
}

// The left side: the zone grid, the category, "+P" / "+N" and the statistics.
void CoverageMapWindow::createZonePanel() {
    zonePanel_ = new QFrame(splitter_);
    zonePanel_->setObjectName(QStringLiteral("zonePanel"));
    zonePanel_->setFrameShape(QFrame::Box);
    zonePanel_->setMinimumWidth(185);
    zonePanel_->setFont(windowFont(13, true));

    QLabel* title = label(zonePanel_, tr("Выбор зоны просмотра"), {26, 5},
                          QStringLiteral("color: blue; font-weight: bold; font-size: 11px;"));
    title->setObjectName(QStringLiteral("zoneTitleLabel"));

    zoneGrid_ = new ZoneGrid(zonePanel_);
    zoneGrid_->setObjectName(QStringLiteral("zoneGrid"));
    zoneGrid_->setGeometry(0, 24, 328, 354);
    zoneGrid_->setHighlight(
        [this](int event0, int outcome0) { return hoverOutcomes_[event0][outcome0] != 0; });

    categorySpin_ = new QSpinBox(zonePanel_);
    categorySpin_->setObjectName(QStringLiteral("categorySpin"));
    categorySpin_->setRange(0, 15);
    categorySpin_->setValue(13);
    categorySpin_->setAlignment(Qt::AlignCenter);
    categorySpin_->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 11px;"));
    categorySpin_->setGeometry(8, 384, 60, 21);
    categorySpin_->setToolTip(
        tr("Выберите гарантированное количество угаданных исходов,\nкоторое должно "
           "обеспечить покрытие.\nПри установке \"15\" удобно просматривать опорные "
           "ставки "));

    label(zonePanel_, tr("Категория"), {8, 406}, {})
        ->setObjectName(QStringLiteral("categoryCaption"));
    addBestByProbabilityLink_ =
        link(zonePanel_, "addBestByProbabilityLink", QStringLiteral("+P"), {91, 384},
             tr("Добавить в список купонов ставку,\nс максимальным покрытием "
                "результатов \nпо ВЕРОЯТНОСТИ"));
    addBestByCountLink_ = link(zonePanel_, "addBestByCountLink", QStringLiteral("+N"), {123, 384},
                               tr("Добавить в список ставку с максимальным \nКОЛИЧЕСТВОМ "
                                  "покрываемых результатов"));

    statisticsLabel_ = label(zonePanel_, {}, {8, 429},
                             QStringLiteral("color: black; font-weight: bold; font-size: 13px;"));
    statisticsLabel_->setObjectName(QStringLiteral("statisticsLabel"));
    categoryTallyLabel_ = label(zonePanel_, {}, {8, 510},
                                QStringLiteral("color: blue; font-weight: bold; font-size: 13px;"));
    categoryTallyLabel_->setObjectName(QStringLiteral("categoryTallyLabel"));
    // Room for both five-line texts in the face actually used.
    {
        QFont bold = zonePanel_->font();
        bold.setBold(true);
        const int lines5 = 5 * QFontMetrics(bold).lineSpacing();
        zonePanel_->setMinimumHeight(std::max(510, 429 + lines5 + 1) + lines5 + 4);
    }
}

void CoverageMapWindow::connectLayout() {
    connect(&session_, &Session::rowTitleChanged, this, &CoverageMapWindow::setRowTitle);
    // The counts follow every change of the bet list, once for a burst of them.
    connect(&session_, &Session::betListChanged, this, &CoverageMapWindow::scheduleRecount);
    connect(zoneGrid_, &ZoneGrid::selectCell, this, &CoverageMapWindow::toggleZoneCell);
    connect(categorySpin_, &QSpinBox::valueChanged, this, [this] { onCategoryChanged(); });
    connect(mapView_, &CoverageMapView::pointerMoved, this, &CoverageMapWindow::pointAt);
    connect(mapView_, &CoverageMapView::buttonReleased, this, &CoverageMapWindow::clickMap);
    connect(addBestByProbabilityLink_, &LinkLabel::clicked, this,
            &CoverageMapWindow::addBestByProbability);
    connect(addBestByCountLink_, &LinkLabel::clicked, this, &CoverageMapWindow::addBestByCount);
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
    } else if (e->type() == QEvent::Resize && watched == mapView_) {
        if (zone_.shown() && mapView_->isVisible())
            sizeCells();
    }
    return QWidget::eventFilter(watched, e);
}

int CoverageMapWindow::mapCategory() const {
    return categorySpin_->value();
}

void CoverageMapWindow::showStatistics(const std::string& text) {
    statisticsLabel_->setText(uiText(text));
    statisticsLabel_->adjustSize();
    // Faces wider than Tahoma make the five-line text taller than its place.
    categoryTallyLabel_->move(8, std::max(510, statisticsLabel_->geometry().bottom() + 1));
}

void CoverageMapWindow::showMapMessage(const std::string& text) {
    mapView_->hide();
    mapMessageLabel_->setText(uiText(text));
    mapMessageLabel_->show();
}

void CoverageMapWindow::setRowTitle(int event0, const QString& title) {
    zoneGrid_->setCellText(0, event0 + 1, title);
}

void CoverageMapWindow::setCategory(int category) {
    categorySpin_->setValue(category);
}

void CoverageMapWindow::repaintMap() {
    update();
    mapView_->viewport()->update();
}

void CoverageMapWindow::openCoverageMap() {
    if (isVisible()) {
        hide();
        return;
    }
    showNormal();
    const kav::DrawModel& m = session_.draw();
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o)
            zoneGrid_->setCellText(o + 1, e + 1, m.marked(e, o) ? QStringLiteral("x") : QString());
    // The build below counts with the new category; no separate recount for it.
    const QSignalBlocker block(categorySpin_);
    categorySpin_->setValue(session_.activeCategory());
    buildZone();
}

void CoverageMapWindow::buildZone() {
    ZoneCells cells{};
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o)
            cells[e][o] = zoneGrid_->selected(o + 1, e + 1) ? 1 : 0;
    recountTimer_->stop();
    ++zoneGeneration_;
    hovered_.clear();
    tallyResult_ = -1;
    zone_ = kav::buildZone(cells, session_.draw().quotes);
    mapView_->setZone(&zone_);
    if (!zone_.shown()) {
        showMapMessage(kav::zoneMessage(zone_));
        // A zone that is not counted has no percentage: 0 % would read as no coverage.
        showStatistics({});
        return;
    }
    mapMessageLabel_->hide();
    mapView_->show();
    recountCoverage();
}

void CoverageMapWindow::recountCoverage() {
    recountTimer_->stop();
    if (!zone_.shown())
        return;
    showStatistics({});
    mapView_->show();
    mapMessageLabel_->hide();
    kav::countCoverage(zone_, session_.draw().betMasks, mapCategory());
    sizeCells();
    showStatistics(kav::statisticsText(zone_));
    // The bet list may have changed under the result the panel describes
    // (a click or "+P" / "+N" adds the very bet under the pointer).
    if (tallyResult_ >= 0 && tallyResult_ < zone_.resultCount)
        showCategoryTally(tallyResult_);
    mapView_->viewport()->update();
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
    mapView_->setCellSize(mapView_->fittingCellSize());
}

void CoverageMapWindow::repaintResults(const std::vector<int>& indices) {
    // Only cells in view are repainted; the states of the others are kept all the same.
    for (int i : indices)
        mapView_->repaintResult(i);
}

void CoverageMapWindow::toggleZoneCell(int col, int row) {
    if (searching())
        return;
    zoneGrid_->setCellText(
        col, row, zoneGrid_->selected(col, row) ? QStringLiteral(" ") : QStringLiteral("x"));
    buildZone();
}

void CoverageMapWindow::onCategoryChanged() {
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
    zoneGrid_->update();
}

void CoverageMapWindow::pointAt(int x, int y) {
    if (searching() || !zone_.shown())
        return;
    const int col = mapView_->columnAt(x), row = mapView_->rowAt(y);
    if (col == lastHoverCol_ && row == lastHoverRow_)
        return;
    lastHoverCol_ = col;
    lastHoverRow_ = row;
    const int c = mapCategory();
    if (col < 0 || col >= mapView_->columnCount() || row < 0 || row >= mapView_->rowCount()) {
        repaintResults(kav::clearHover(zone_, hovered_));
        return;
    }
    flushScheduledRecount();
    const int p = row * mapView_->columnCount() + col;
    describeResult(p);
    repaintResults(kav::hoverResult(zone_, p, c, hovered_));
    showStatistics(kav::hoverStatisticsText(zone_, hovered_));
    mapMessageLabel_->hide();
    showCategoryTally(p);
}

void CoverageMapWindow::showCategoryTally(int p) {
    tallyResult_ = p;
    const auto tally = kav::categoryTally(zone_, session_.draw().betMasks, p);
    categoryTallyLabel_->setText(uiText(kav::categoryTallyText(zone_.resultText(p), tally)));
    categoryTallyLabel_->adjustSize();
}

void CoverageMapWindow::clickMap(Qt::MouseButton button, int x, int y) {
    if (searching() || !zone_.shown())
        return;
    const int firstCol = mapView_->firstVisibleColumn(), firstRow = mapView_->firstVisibleRow();
    const int col = mapView_->columnAt(x), row = mapView_->rowAt(y);
    const bool onMap =
        col >= 0 && col < mapView_->columnCount() && row >= 0 && row < mapView_->rowCount();
    if (onMap) {
        const int p = row * mapView_->columnCount() + col;
        const int c = mapCategory();
        if (button == Qt::LeftButton) {
            auto stake = kav::readStake(session_.stakeText());
            if (!stake) {
                showMessage(this, kav::badStakeMessage());
            } else {
                session_.appendBets({kav::singleBetLine(zone_, p, session_.stakeText())});
            }
        } else if (button == Qt::RightButton && !session_.draw().betMasks.empty()) {
            auto removal = kav::removeCoveringCoupons(session_.betLines(), zone_, p, c);
            if (removal.removed > 0)
                session_.replaceBets(removal.lines);
        }
    }
    recountCoverage();
    mapView_->scrollTo(firstCol, firstRow);
}

void CoverageMapWindow::toggleMarkerUnderPointer() {
    if (!zone_.shown() || lastHoverCol_ < 0 || lastHoverCol_ >= mapView_->columnCount() ||
        lastHoverRow_ < 0 || lastHoverRow_ >= mapView_->rowCount())
        return;
    const int p = lastHoverRow_ * mapView_->columnCount() + lastHoverCol_;
    kav::toggleMarker(zone_.results[static_cast<std::size_t>(p)]);
    mapView_->repaintResult(p);
}

void CoverageMapWindow::addBestByProbability() {
    startBestSearch(kav::BestBy::Probability);
}
void CoverageMapWindow::addBestByCount() {
    startBestSearch(kav::BestBy::Count);
}

bool CoverageMapWindow::searching() const {
    return jobs_->running();
}

void CoverageMapWindow::startBestSearch(kav::BestBy by) {
    if (searching())
        return;
    flushScheduledRecount();
    if (!zone_.shown()) {
        setWindowTitle(caption());
        return;
    }
    JobOptions options;
    options.label = tr("Выполнено 0%");
    options.progressInCaption = true;
    options.progressIntervalMs = 0; // the search reports each percent once
    // The search reads a copy, so the window may repaint and scroll meanwhile.
    const unsigned generation = zoneGeneration_;
    auto work = [snapshot = zone_, c = mapCategory(), by](JobControl& job) {
        auto progress = [&job](int pct) { job.progress(pct, tr("Выполнено %1%").arg(pct)); };
        return kav::findBestBet(snapshot, c, by, progress, job.cancelFlag());
    };
    if (!jobs_->run(options, std::move(work),
                    [this, generation](const kav::BestBet& r) { finishBestSearch(r, generation); }))
        return;
    zonePanel_->setEnabled(false);
    mapView_->setEnabled(false);
}

void CoverageMapWindow::finishBestSearch(const kav::BestBet& result, unsigned generation) {
    zonePanel_->setEnabled(true);
    mapView_->setEnabled(true);
    setWindowTitle(caption());
    if (result.cancelled || !result.index || generation != zoneGeneration_ || !zone_.shown())
        return;
    // As the player would: point at the best result, click it, point again.
    const int cols = mapView_->columnCount();
    const QPoint o = mapView_->cellOrigin(*result.index % cols, *result.index / cols);
    pointAt(o.x(), o.y());
    clickMap(Qt::LeftButton, o.x(), o.y());
    pointAt(o.x(), o.y());
}

void CoverageMapWindow::waitForSearch() {
    jobs_->wait();
}

void CoverageMapWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    lastHoverCol_ = -1;
    lastHoverRow_ = -1;
    Q_EMIT visibilityChanged(true);
}

void CoverageMapWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    jobs_->cancel();
    Q_EMIT visibilityChanged(false);
}

} // namespace kav::ui
