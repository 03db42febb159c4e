#include "ui/analysis/variant_analysis_window.h"

#include "ui/common/program_language.h"

#include "ui/common/session.h"
#include "ui/widgets/category_chart.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kav::ui {

namespace {

constexpr int kRowHeight = 20;
constexpr int kResultWidths[3] = {119, 90, 200};
// The variant grid's columns: the titles at least as designed, at most as wide
// as this (a longer title is shortened, its whole text the tooltip).
constexpr int kTitleColumnWidth = 120;
constexpr int kWidestTitleColumn = 240;
constexpr int kOutcomeColumnWidth = 40;
constexpr int kSelectionPanelWidth = 257;
// Between the grid's right edge and the panel's, as designed.
constexpr int kPanelMargin = 13;
const QColor kStaleInk = Qt::gray;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// variantGrid_'s own drawing: a header row, a title column and the outcome
// cells with quote/pool share, the analysed outcome in light green.
class VariantGridDelegate final : public QStyledItemDelegate {
public:
    VariantGridDelegate(const DrawModel& model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const int column = index.column();
        const QRect cell = option.rect;
        QFont font = option.font;
        font.setBold(true);
        font.setPointSize(10);
        QColor fill;
        QColor ink = Qt::black;
        QString text = index.data().toString();
        bool centred = true;
        if (row == 0) {
            fill = QColor(204, 204, 204);
            ink = Qt::blue;
        } else if (column == 0) {
            fill = QColor(170, 204, 170);
            centred = false;
        } else {
            font.setPointSize(8);
            fill = text.trimmed().isEmpty() ? QColor(Qt::white) : QColor(204, 255, 204);
            text = qs(outcomeCellText(model_, row - 1, column - 1));
        }
        p->save();
        // The grown rectangle makes neighbouring cells share one black line.
        const QRect grown = cell.adjusted(-1, -1, 0, 0);
        p->fillRect(grown, fill);
        p->setPen(Qt::black);
        p->drawRect(grown);
        p->setFont(font);
        p->setPen(ink);
        const QFontMetrics fm(font);
        const int x = centred ? (cell.left() + cell.right() - fm.horizontalAdvance(text)) / 2
                              : cell.left() + 2;
        if (!centred)
            text = fm.elidedText(text, Qt::ElideRight, cell.width() - 4);
        p->drawText(x, cell.top() + 2 + fm.ascent(), text);
        p->restore();
    }

private:
    const DrawModel& model_;
};

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    // Disabled cells can be neither clicked nor reached with the arrow keys.
    item->setFlags(Qt::NoItemFlags);
    return item;
}

} // namespace

VariantAnalysisWindow::VariantAnalysisWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), model_(session.draw()) {
    setObjectName(QStringLiteral("VariantAnalysisWindow"));
    setWindowTitle(tr("Анализ варианта (по состоянию на"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    workers_.setMaxThreadCount(2);
    createLayout();
    connectLayout();
}

VariantAnalysisWindow::~VariantAnalysisWindow() {
    if (cancelCurrent_)
        cancelCurrent_->store(true);
    workers_.waitForDone();
}

void VariantAnalysisWindow::createLayout() {
    // The table's columns need 409 pixels; the window is wide enough to show
    // them beside the selection panel without a scroll bar.
    resize(700, 448);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->addWidget(createSelectionPanel());
    splitter->addWidget(createResults());
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(splitter);

    typingPauseTimer_ = new QTimer(this);
    typingPauseTimer_->setObjectName(QStringLiteral("typingPauseTimer"));
    typingPauseTimer_->setInterval(1000);
    typingPauseTimer_->setSingleShot(true);
}

// The variant grid (one outcome per event) and the pool and jackpot fields.
QWidget* VariantAnalysisWindow::createSelectionPanel() {
    auto* panel = new QWidget;
    selectionPanel_ = panel;
    panel->setObjectName(QStringLiteral("selectionPanel"));
    panel->setFixedWidth(kSelectionPanelWidth);
    QFont panelFont = font();
    panelFont.setPixelSize(13);
    panel->setFont(panelFont);

    auto* title = new QLabel(tr("Выбор варианта"), panel);
    title->setObjectName(QStringLiteral("selectionTitleLabel"));
    QFont titleFont = panelFont;
    titleFont.setPixelSize(11);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: blue"));
    title->move(26, 5);

    variantGrid_ = new QTableWidget(kEvents + 1, 4, panel);
    variantGrid_->setObjectName(QStringLiteral("variantGrid"));
    variantGrid_->setGeometry(0, 24, 328, 353);
    variantGrid_->horizontalHeader()->hide();
    variantGrid_->verticalHeader()->hide();
    variantGrid_->verticalHeader()->setMinimumSectionSize(1);
    variantGrid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    variantGrid_->setShowGrid(false);
    variantGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    variantGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    variantGrid_->setItemDelegate(new VariantGridDelegate(model_, variantGrid_));
    for (int c = 0; c < 4; ++c)
        variantGrid_->setColumnWidth(c, c == 0 ? kTitleColumnWidth : kOutcomeColumnWidth);
    variantGrid_->setItem(0, 0, fixedItem({}));
    for (int o = 0; o < kOutcomes; ++o)
        variantGrid_->setItem(0, o + 1, fixedItem(QString(QChar::fromLatin1(outcomeLetter(o)))));
    for (int e = 0; e < kEvents; ++e) {
        variantGrid_->setItem(e + 1, 0, fixedItem({}));
        for (int o = 0; o < kOutcomes; ++o) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            variantGrid_->setItem(e + 1, o + 1, item);
        }
    }
    fitTitleColumn();

    poolEdit_ = new QLineEdit(QString::fromStdString(DrawTotals{}.poolText), panel);
    poolEdit_->setObjectName(QStringLiteral("poolEdit"));
    poolEdit_->setGeometry(8, 383, 121, 21);
    auto* poolCaption = new QLabel(tr("Пул"), panel);
    poolCaption->setObjectName(QStringLiteral("poolCaption"));
    poolCaption->move(135, 386);
    jackpotEdit_ = new QLineEdit(QString::fromStdString(DrawTotals{}.jackpotText), panel);
    jackpotEdit_->setObjectName(QStringLiteral("jackpotEdit"));
    jackpotEdit_->setGeometry(8, 413, 121, 21);
    auto* jackpotCaption = new QLabel(tr("Джек-пот"), panel);
    jackpotCaption->setObjectName(QStringLiteral("jackpotCaption"));
    jackpotCaption->move(135, 416);
    return panel;
}

// The result table, the problem line under it and the chart.
QWidget* VariantAnalysisWindow::createResults() {
    auto* results = new QWidget;
    resultTable_ = new QTableWidget(kCategories + 2, 3, results);
    resultTable_->setObjectName(QStringLiteral("resultTable"));
    resultTable_->horizontalHeader()->hide();
    resultTable_->verticalHeader()->hide();
    resultTable_->verticalHeader()->setMinimumSectionSize(1);
    resultTable_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    resultTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultTable_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    resultTable_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int c = 0; c < 3; ++c)
        resultTable_->setColumnWidth(c, kResultWidths[c]);
    for (int r = 0; r < kCategories + 2; ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(r == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (r == 0) {
                item->setBackground(QColor(204, 204, 204));
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            resultTable_->setItem(r, c, item);
        }
    resultTable_->setFixedHeight((kCategories + 2) * kRowHeight + 2 * resultTable_->frameWidth() +
                                 resultTable_->horizontalScrollBar()->sizeHint().height());

    problemLabel_ = new QLabel(results);
    problemLabel_->setObjectName(QStringLiteral("problemLabel"));
    problemLabel_->setWordWrap(true);
    problemLabel_->setStyleSheet(QStringLiteral("color: #b00000"));

    categoryChart_ = new CategoryChart(results);

    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(resultTable_);
    column->addWidget(problemLabel_);
    column->addWidget(categoryChart_, 1);
    return results;
}

void VariantAnalysisWindow::connectLayout() {
    connect(variantGrid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { chooseOutcome(column, row); });
    // A click on the cell that is already current selects nothing new, but
    // after a reopening that cell may not hold the mark.
    connect(variantGrid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (row >= 1 && column >= 1 && analysedVariant_[row - 1] != column)
            chooseOutcome(column, row);
    });
    // Typing, or a loader writing the fields, analyses one second after the last change.
    connect(poolEdit_, &QLineEdit::textChanged, typingPauseTimer_, qOverload<>(&QTimer::start));
    connect(jackpotEdit_, &QLineEdit::textChanged, typingPauseTimer_, qOverload<>(&QTimer::start));
    connect(typingPauseTimer_, &QTimer::timeout, this,
            &VariantAnalysisWindow::analyseAfterTypingPause);
    // The pool and jackpot the player types are the session's from then on.
    const auto typed = [this] {
        if (showingTotals_)
            return;
        DrawTotals t = session_.totals();
        t.poolText = poolEdit_->text().toStdString();
        t.jackpotText = jackpotEdit_->text().toStdString();
        session_.setTotals(t);
    };
    connect(poolEdit_, &QLineEdit::textChanged, this, typed);
    connect(jackpotEdit_, &QLineEdit::textChanged, this, typed);
    connect(&session_, &Session::totalsChanged, this, &VariantAnalysisWindow::showTotals);
    connect(&session_, &Session::rowTitleChanged, this, &VariantAnalysisWindow::setRowTitle);
}

void VariantAnalysisWindow::openVariantAnalysis() {
    if (isVisible()) {
        hide();
        return;
    }
    setAnalysedVariant(preselectedVariant(model_));
    showNormal();
    raise();
    activateWindow();
}

void VariantAnalysisWindow::setRowTitle(int event0, const QString& title) {
    if (event0 < 0 || event0 >= kEvents)
        return;
    variantGrid_->item(event0 + 1, 0)->setText(title);
    fitTitleColumn();
}

void VariantAnalysisWindow::fitTitleColumn() {
    // The font the grid's painter writes the titles in.
    QFont font = variantGrid_->font();
    font.setBold(true);
    font.setPointSize(10);
    const QFontMetrics fm(font);
    int widest = kTitleColumnWidth;
    for (int e = 0; e < kEvents; ++e)
        widest = std::max(widest, fm.horizontalAdvance(variantGrid_->item(e + 1, 0)->text()) + 6);
    const int title = std::min(widest, kWidestTitleColumn);
    variantGrid_->setColumnWidth(0, title);
    for (int e = 0; e < kEvents; ++e) {
        QTableWidgetItem* item = variantGrid_->item(e + 1, 0);
        const bool cut = fm.horizontalAdvance(item->text()) > title - 4;
        item->setToolTip(cut ? item->text() : QString());
    }
    const int gridWidth = title + kOutcomes * kOutcomeColumnWidth + 2 * variantGrid_->frameWidth();
    variantGrid_->resize(gridWidth, variantGrid_->height());
    selectionPanel_->setFixedWidth(std::max(kSelectionPanelWidth, gridWidth + kPanelMargin));
}

QString VariantAnalysisWindow::rowTitle(int event0) const {
    return variantGrid_->item(event0 + 1, 0)->text();
}

void VariantAnalysisWindow::showSnapshotTime(const QString& time) {
    setWindowTitle(tr("Анализ вариантов (по состоянию на %1)").arg(time));
}

const DrawTotals& VariantAnalysisWindow::totals() const {
    return session_.totals();
}

void VariantAnalysisWindow::setTotals(const DrawTotals& totals) {
    session_.setTotals(totals);
}

void VariantAnalysisWindow::showTotals() {
    const QString pool = qs(session_.totals().poolText);
    const QString jackpot = qs(session_.totals().jackpotText);
    const QScopedValueRollback<bool> showing(showingTotals_, true);
    if (poolEdit_->text() != pool)
        poolEdit_->setText(pool);
    if (jackpotEdit_->text() != jackpot)
        jackpotEdit_->setText(jackpot);
}

void VariantAnalysisWindow::setAnalysedVariant(const AnalysedVariant& variant) {
    analysedVariant_ = variant;
    for (int e = 0; e < kEvents; ++e)
        for (int o = 1; o <= kOutcomes; ++o)
            variantGrid_->item(e + 1, o)->setText(variant[e] == o ? QStringLiteral("x")
                                                                  : QString());
}

void VariantAnalysisWindow::chooseOutcome(int column, int row) {
    if (row < 1 || row > kEvents || column < 1 || column > kOutcomes)
        return;
    for (int o = 1; o <= kOutcomes; ++o)
        variantGrid_->item(row, o)->setText(o == column ? QStringLiteral("x")
                                                        : QStringLiteral(" "));
    analysedVariant_[row - 1] = static_cast<std::uint8_t>(column);
    analyseVariant();
}

void VariantAnalysisWindow::analyseAfterTypingPause() {
    typingPauseTimer_->stop();
    analyseVariant();
}

void VariantAnalysisWindow::analyseVariant() {
    if (cancelCurrent_)
        cancelCurrent_->store(true);
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    cancelCurrent_ = cancel;
    const quint64 generation = ++generation_;
    pending_ = true;
    // The fields and the session keep the texts as typed ("20,5" stays "20,5"
    // in a quotes file); the analysis reads them in their plain "." form.
    DrawTotals typed = totals();
    typed.poolText = plainNumberText(typed.poolText);
    typed.jackpotText = plainNumberText(typed.jackpotText);
    // The inputs are copied here, on the user-interface thread; the worker
    // touches nothing of the window but posts its outcome back.
    workers_.start([this, input = analysisInput(model_, typed, analysedVariant_), cancel,
                    generation] {
        auto outcome = kav::analyseVariant(input, cancel.get());
        if (outcome.status == AnalysisStatus::Cancelled)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, outcome = std::move(outcome), generation] { showOutcome(outcome, generation); },
            Qt::QueuedConnection);
    });
}

void VariantAnalysisWindow::showOutcome(const AnalysisOutcome& outcome, quint64 generation) {
    if (generation != generation_)
        return; // a newer request has been made; its result will follow
    pending_ = false;
    cancelCurrent_.reset();
    if (outcome.status == AnalysisStatus::Done) {
        writeTable(outcome.values);
        problemLabel_->clear();
        setResultsStale(false);
    } else {
        // The table keeps the last complete analysis, greyed: it is not that
        // of the inputs on screen.
        problemLabel_->setText(coreText(outcome.problem));
        setResultsStale(true);
    }
    Q_EMIT analysisFinished();
}

void VariantAnalysisWindow::writeTable(const CategoryValues& values) {
    const auto table = analysisTable(values);
    for (int r = 0; r < kCategories + 2; ++r)
        for (int c = 0; c < 3; ++c)
            resultTable_->item(r, c)->setText(coreText(table[r][c]));
    // A font wider than the one the widths were chosen for must not cut a header.
    for (int c = 0; c < 3; ++c) {
        resultTable_->resizeColumnToContents(c);
        resultTable_->setColumnWidth(c, std::max(kResultWidths[c], resultTable_->columnWidth(c)));
    }
    std::array<double, kCategories> percent{};
    std::array<QString, kCategories> labels;
    for (int i = 0; i < kCategories; ++i) {
        percent[i] = values.chance[i] * 100;
        labels[i] = qs(table[i + 1][1]);
    }
    categoryChart_->setValues(percent, labels);
}

void VariantAnalysisWindow::setResultsStale(bool stale) {
    resultsStale_ = stale;
    const QBrush ink = stale ? QBrush(kStaleInk) : QBrush();
    for (int r = 1; r < resultTable_->rowCount(); ++r)
        for (int c = 0; c < resultTable_->columnCount(); ++c)
            resultTable_->item(r, c)->setForeground(ink);
    categoryChart_->setStale(stale);
}

void VariantAnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Q_EMIT visibilityChanged(true);
    analyseVariant();
}

void VariantAnalysisWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Q_EMIT visibilityChanged(false);
}

} // namespace kav::ui
