#include "ui/variant_analysis_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
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

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// StringGrid2's own drawing: a header row, a title column and the outcome
// cells with quote/pool share, the analysed outcome in light green.
class OutcomeGridDelegate final : public QStyledItemDelegate {
public:
    OutcomeGridDelegate(const DrawModel& model, QObject* parent)
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

CategoryChart::CategoryChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 140);
    setObjectName(QStringLiteral("PaintBox1"));
}

void CategoryChart::setValues(const std::array<double, kCategories>& percent,
                              const std::array<QString, kCategories>& labels) {
    percent_ = percent;
    labels_ = labels;
    update();
}

void CategoryChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics fm(font());
    const int line = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRect(0, 2, width(), line), Qt::AlignHCenter,
               QStringLiteral("Вероятность по категориям, %"));

    const QRect plot(8, 4 + 2 * line, width() - 16, height() - 8 - 4 * line);
    if (plot.width() < kCategories * 4 || plot.height() < 4)
        return;
    double top = 0;
    for (double v : percent_)
        if (std::isfinite(v))
            top = std::max(top, v);
    const int slot = plot.width() / kCategories;
    const int bar = std::max(2, slot * 3 / 5);
    p.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());
    for (int i = 0; i < kCategories; ++i) {
        const int left = plot.left() + i * slot + (slot - bar) / 2;
        const double v = std::isfinite(percent_[i]) ? std::max(0.0, percent_[i]) : 0;
        const int h = top > 0 ? static_cast<int>(std::lround(v / top * plot.height())) : 0;
        // A bar too small to see still gets one pixel so that it is not taken for zero.
        const int shown = v > 0 ? std::max(1, h) : 0;
        p.fillRect(QRect(left, plot.bottom() - shown, bar, shown), QColor(70, 130, 180));
        p.drawText(QRect(plot.left() + i * slot, plot.bottom() - shown - line - 1, slot, line),
                   Qt::AlignHCenter, labels_[i]);
        p.drawText(QRect(plot.left() + i * slot, plot.bottom() + 2, slot, line), Qt::AlignHCenter,
                   QString::number(kFirstCategory + i));
    }
}

VariantAnalysisWindow::VariantAnalysisWindow(const DrawModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
    setObjectName(QStringLiteral("VariantAnalysisWindow"));
    setWindowTitle(QStringLiteral("Анализ варианта (по состоянию на"));
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

    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(257);
    QFont panelFont = font();
    panelFont.setPixelSize(13);
    Panel1->setFont(panelFont);

    Label2 = new QLabel(QStringLiteral("Выбор варианта"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titleFont = panelFont;
    titleFont.setPixelSize(11);
    titleFont.setBold(true);
    Label2->setFont(titleFont);
    Label2->setStyleSheet(QStringLiteral("color: blue"));
    Label2->move(26, 5);

    StringGrid2 = new QTableWidget(kEvents + 1, 4, Panel1);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(0, 24, 328, 353);
    StringGrid2->horizontalHeader()->hide();
    StringGrid2->verticalHeader()->hide();
    StringGrid2->verticalHeader()->setMinimumSectionSize(1);
    StringGrid2->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid2->setShowGrid(false);
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid2->setItemDelegate(new OutcomeGridDelegate(model_, StringGrid2));
    const int widths[4] = {120, 40, 40, 40};
    for (int c = 0; c < 4; ++c)
        StringGrid2->setColumnWidth(c, widths[c]);
    StringGrid2->setItem(0, 0, fixedItem({}));
    for (int o = 0; o < kOutcomes; ++o)
        StringGrid2->setItem(0, o + 1, fixedItem(QString(QChar::fromLatin1(outcomeLetter(o)))));
    for (int e = 0; e < kEvents; ++e) {
        StringGrid2->setItem(e + 1, 0, fixedItem({}));
        for (int o = 0; o < kOutcomes; ++o) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            StringGrid2->setItem(e + 1, o + 1, item);
        }
    }

    Edit1 = new QLineEdit(QStringLiteral("Edit1"), Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 383, 121, 21);
    Label1 = new QLabel(QStringLiteral("Пул"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(135, 386);
    Edit2 = new QLineEdit(QStringLiteral("Edit2"), Panel1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(8, 413, 121, 21);
    Label3 = new QLabel(QStringLiteral("Джек-пот"), Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->move(135, 416);

    auto* results = new QWidget;
    StringGrid1 = new QTableWidget(kCategories + 2, 3, results);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setMinimumSectionSize(1);
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int c = 0; c < 3; ++c)
        StringGrid1->setColumnWidth(c, kResultWidths[c]);
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
            StringGrid1->setItem(r, c, item);
        }
    StringGrid1->setFixedHeight((kCategories + 2) * kRowHeight + 2 * StringGrid1->frameWidth() +
                                StringGrid1->horizontalScrollBar()->sizeHint().height());

    Label4 = new QLabel(results);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    Label4->setStyleSheet(QStringLiteral("color: #b00000"));

    PaintBox1 = new CategoryChart(results);

    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(StringGrid1);
    column->addWidget(Label4);
    column->addWidget(PaintBox1, 1);

    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(results);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setChildrenCollapsible(false);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Splitter1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setSingleShot(true);
}

void VariantAnalysisWindow::connectLayout() {
    connect(StringGrid2, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { StringGrid2SelectCell(column, row); });
    // A click on the cell that is already current selects nothing new, but
    // after a reopening that cell may not hold the mark.
    connect(StringGrid2, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (row >= 1 && column >= 1 && analysedVariant_[row - 1] != column)
            StringGrid2SelectCell(column, row);
    });
    // Typing, or a loader writing the fields, analyses one second after the last change.
    connect(Edit1, &QLineEdit::textChanged, Timer1, qOverload<>(&QTimer::start));
    connect(Edit2, &QLineEdit::textChanged, Timer1, qOverload<>(&QTimer::start));
    connect(Timer1, &QTimer::timeout, this, &VariantAnalysisWindow::Timer1Timer);
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
    if (event0 >= 0 && event0 < kEvents)
        StringGrid2->item(event0 + 1, 0)->setText(title);
}

QString VariantAnalysisWindow::rowTitle(int event0) const {
    return StringGrid2->item(event0 + 1, 0)->text();
}

void VariantAnalysisWindow::setUniformCounts(const std::array<std::int32_t, 3>& counts,
                                             std::int32_t mean) {
    uniformCounts_ = counts;
    uniformCountMean_ = mean;
}

DrawTotals VariantAnalysisWindow::totals() const {
    return DrawTotals{Edit1->text().toStdString(), Edit2->text().toStdString(), uniformCounts_,
                      uniformCountMean_};
}

void VariantAnalysisWindow::setTotals(const DrawTotals& totals) {
    setUniformCounts(totals.uniformCounts, totals.uniformCountMean);
    Edit1->setText(qs(totals.poolText));
    Edit2->setText(qs(totals.jackpotText));
}

void VariantAnalysisWindow::setAnalysedVariant(const AnalysedVariant& variant) {
    analysedVariant_ = variant;
    for (int e = 0; e < kEvents; ++e)
        for (int o = 1; o <= kOutcomes; ++o)
            StringGrid2->item(e + 1, o)->setText(variant[e] == o ? QStringLiteral("x") : QString());
}

void VariantAnalysisWindow::StringGrid2SelectCell(int column, int row) {
    if (row < 1 || row > kEvents || column < 1 || column > kOutcomes)
        return;
    for (int o = 1; o <= kOutcomes; ++o)
        StringGrid2->item(row, o)->setText(o == column ? QStringLiteral("x") : QStringLiteral(" "));
    analysedVariant_[row - 1] = static_cast<std::uint8_t>(column);
    analyseVariant();
}

void VariantAnalysisWindow::Timer1Timer() {
    Timer1->stop();
    analyseVariant();
}

void VariantAnalysisWindow::analyseVariant() {
    if (cancelCurrent_)
        cancelCurrent_->store(true);
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    cancelCurrent_ = cancel;
    const quint64 generation = ++generation_;
    pending_ = true;
    // The inputs are copied here, on the user-interface thread; the worker
    // touches nothing of the window but posts its outcome back.
    workers_.start([this, input = analysisInput(model_, totals(), analysedVariant_), cancel,
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
        Label4->clear();
    } else {
        // The table keeps the last complete analysis.
        Label4->setText(qs(outcome.problem));
    }
    Q_EMIT analysisFinished();
}

void VariantAnalysisWindow::writeTable(const CategoryValues& values) {
    const auto table = analysisTable(values);
    for (int r = 0; r < kCategories + 2; ++r)
        for (int c = 0; c < 3; ++c)
            StringGrid1->item(r, c)->setText(qs(table[r][c]));
    // A font wider than the one the widths were chosen for must not cut a header.
    for (int c = 0; c < 3; ++c) {
        StringGrid1->resizeColumnToContents(c);
        StringGrid1->setColumnWidth(c, std::max(kResultWidths[c], StringGrid1->columnWidth(c)));
    }
    std::array<double, kCategories> percent{};
    std::array<QString, kCategories> labels;
    for (int i = 0; i < kCategories; ++i) {
        percent[i] = values.chance[i] * 100;
        labels[i] = qs(table[i + 1][1]);
    }
    PaintBox1->setValues(percent, labels);
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
