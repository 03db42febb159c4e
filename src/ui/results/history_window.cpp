#include "ui/results/history_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <map>

namespace kav::ui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QDate dateOf(const std::string& loadedAt) {
    return QDate::fromString(qs(loadedAt.substr(0, 10)), Qt::ISODate);
}

// A cell that sorts by its number, not by its text.
class NumberItem final : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double value) : QTableWidgetItem(text) {
        setData(Qt::UserRole + 1, value);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole + 1).toDouble() < other.data(Qt::UserRole + 1).toDouble();
    }
};

QTableWidgetItem* textItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

enum Column {
    kDate,
    kCountry,
    kBets,
    kStake,
    kBest,
    kFirstWinners,
    kReturn = kFirstWinners + 7,
    kProfit,
    kColumns
};

} // namespace

HistoryWindow::HistoryWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tr("История пакетов"));
    createLayout();
    connectLayout();
    resize(900, 680);
}

void HistoryWindow::createLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(tr("Тиражи с"), this));
    fromDateEdit_ = new QDateEdit(this);
    fromDateEdit_->setObjectName(QStringLiteral("fromDateEdit"));
    fromDateEdit_->setCalendarPopup(true);
    fromDateEdit_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    filter->addWidget(fromDateEdit_);
    filter->addWidget(new QLabel(tr("по"), this));
    toDateEdit_ = new QDateEdit(this);
    toDateEdit_->setObjectName(QStringLiteral("toDateEdit"));
    toDateEdit_->setCalendarPopup(true);
    toDateEdit_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    filter->addWidget(toDateEdit_);
    filter->addStretch(1);
    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("historySummaryLabel"));
    filter->addWidget(summaryLabel_);
    layout->addLayout(filter);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    historyTable_ = new QTableWidget(0, kColumns, splitter);
    historyTable_->setObjectName(QStringLiteral("historyTable"));
    QStringList headers{tr("Дата тиража"), tr("Страна"), tr("Ставок"), tr("Ставки"), tr("Лучшая")};
    for (int k = kav::kFirstCategory; k <= kav::kEvents; ++k)
        headers << QString::number(k);
    headers << tr("Выигрыш") << tr("Прибыль");
    historyTable_->setHorizontalHeaderLabels(headers);
    historyTable_->verticalHeader()->hide();
    historyTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    historyTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    historyTable_->setSortingEnabled(true);
    historyTable_->setToolTip(tr("Двойной щелчок открывает пакет и его тираж"));
    chartView_ = new QChartView(splitter);
    chartView_->setObjectName(QStringLiteral("historyChart"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumHeight(260);
    splitter->addWidget(historyTable_);
    splitter->addWidget(chartView_);
    layout->addWidget(splitter, 1);
}

void HistoryWindow::connectLayout() {
    connect(fromDateEdit_, &QDateEdit::dateChanged, this, [this] { applyDateFilter(); });
    connect(toDateEdit_, &QDateEdit::dateChanged, this, [this] { applyDateFilter(); });
    connect(historyTable_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (const QTableWidgetItem* item = historyTable_->item(row, kDate))
            Q_EMIT packageOpenRequested(item->data(Qt::UserRole).toLongLong());
    });
}

void HistoryWindow::showHistory(const std::vector<HistoryEntry>& entries) {
    entries_ = entries;
    historyTable_->setSortingEnabled(false);
    historyTable_->setRowCount(static_cast<int>(entries.size()));
    QDate first, last;
    for (int r = 0; r < static_cast<int>(entries.size()); ++r) {
        const HistoryEntry& e = entries[r];
        const HistoryRow& row = e.row;
        const QDate date = dateOf(e.loadedAt);
        if (date.isValid()) {
            first = first.isValid() ? std::min(first, date) : date;
            last = last.isValid() ? std::max(last, date) : date;
        }
        auto* dateItem = textItem(qs(e.loadedAt.substr(0, 16)));
        dateItem->setData(Qt::UserRole, static_cast<qlonglong>(e.packageId));
        historyTable_->setItem(r, kDate, dateItem);
        historyTable_->setItem(
            r, kCountry, textItem(e.drawCountry == kav::kUkraine ? tr("Украина") : tr("Россия")));
        historyTable_->setItem(r, kBets, new NumberItem(QString::number(row.bets), row.bets));
        historyTable_->setItem(r, kStake,
                               new NumberItem(qs(row.stake.moneyText2()), row.stake.toDouble()));
        historyTable_->setItem(
            r, kBest,
            new NumberItem(row.checked ? QString::number(row.bestHits) : QString(),
                           row.checked ? row.bestHits : -1));
        for (int i = 0; i < kav::kCategories; ++i)
            historyTable_->setItem(
                r, kFirstWinners + i,
                new NumberItem(row.checked ? QString::number(row.winners[i]) : QString(),
                               row.checked ? static_cast<double>(row.winners[i]) : -1));
        const QString mark = row.estimated ? QStringLiteral("≈ ") : QString();
        historyTable_->setItem(
            r, kReturn,
            new NumberItem(row.totalReturn ? mark + qs(row.totalReturn->moneyText2()) : QString(),
                           row.totalReturn ? row.totalReturn->toDouble() : -1e300));
        auto* profit = new NumberItem(row.profit ? mark + qs(row.profit->moneyText2()) : QString(),
                                      row.profit ? row.profit->toDouble() : -1e300);
        if (row.profit && *row.profit > kav::Fixed4{})
            profit->setForeground(QColor(0x1a, 0x7a, 0x1a));
        else if (row.profit && *row.profit < kav::Fixed4{})
            profit->setForeground(QColor(0xb0, 0x20, 0x20));
        historyTable_->setItem(r, kProfit, profit);
    }
    historyTable_->setSortingEnabled(true);
    historyTable_->sortByColumn(kDate, Qt::DescendingOrder);
    historyTable_->resizeColumnsToContents();
    {
        const QSignalBlocker a(fromDateEdit_), b(toDateEdit_);
        fromDateEdit_->setDate(first.isValid() ? first : QDate::currentDate());
        toDateEdit_->setDate(last.isValid() ? last : QDate::currentDate());
    }
    applyDateFilter();
}

int HistoryWindow::visibleRows() const {
    int n = 0;
    for (int r = 0; r < historyTable_->rowCount(); ++r)
        n += historyTable_->isRowHidden(r) ? 0 : 1;
    return n;
}

void HistoryWindow::applyDateFilter() {
    const QDate from = fromDateEdit_->date();
    const QDate to = toDateEdit_->date();
    for (int r = 0; r < historyTable_->rowCount(); ++r) {
        const QDate date = dateOf(historyTable_->item(r, kDate)->text().toStdString());
        historyTable_->setRowHidden(r, !(date >= from && date <= to));
    }
    showChart();
}

void HistoryWindow::showChart() {
    // Per draw, oldest first: the stake and return of its packages.
    struct DrawSums {
        QString label;
        double stake = 0;
        double gain = 0;
    };
    std::map<std::pair<std::string, std::int64_t>, DrawSums> byDraw;
    const QDate from = fromDateEdit_->date();
    const QDate to = toDateEdit_->date();
    double stakeSum = 0, returnSum = 0;
    for (const HistoryEntry& e : entries_) {
        const QDate date = dateOf(e.loadedAt);
        if (!(date >= from && date <= to))
            continue;
        DrawSums& s = byDraw[{e.loadedAt, e.drawId}];
        s.label = date.toString(QStringLiteral("dd.MM.yy"));
        s.stake += e.row.stake.toDouble();
        s.gain += e.row.totalReturn ? e.row.totalReturn->toDouble() : 0;
        stakeSum += e.row.stake.toDouble();
        returnSum += e.row.totalReturn ? e.row.totalReturn->toDouble() : 0;
    }
    auto* chart = new QChart;
    chart->setTitle(tr("Ставки и выигрыш по тиражам"));
    if (byDraw.empty()) {
        // No axes of nothing: the chart says why it is empty.
        chart->setTitle(tr("Пакетов за эти даты нет"));
        chart->legend()->hide();
        setChart(chart, stakeSum, returnSum);
        return;
    }
    auto* stakes = new QBarSet(tr("Ставки"));
    auto* gains = new QBarSet(tr("Выигрыш"));
    stakes->setColor(QColor(0x6a, 0x8c, 0xc8));
    gains->setColor(QColor(0x6a, 0xb8, 0x6a));
    auto* balance = new QLineSeries;
    balance->setName(tr("Баланс"));
    balance->setColor(QColor(0xc0, 0x50, 0x30));
    QStringList labels;
    double running = 0, lo = 0, hi = 0;
    int x = 0;
    for (const auto& [key, s] : byDraw) {
        *stakes << s.stake;
        *gains << s.gain;
        running += s.gain - s.stake;
        balance->append(x++, running);
        labels << s.label;
        lo = std::min({lo, running});
        hi = std::max({hi, running, s.stake, s.gain});
    }
    auto* bars = new QBarSeries;
    bars->append(stakes);
    bars->append(gains);
    chart->addSeries(bars);
    chart->addSeries(balance);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(labels);
    auto* axisY = new QValueAxis;
    axisY->setRange(lo, hi > lo ? hi * 1.05 : lo + 1);
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    axisY->applyNiceNumbers();
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(bars), static_cast<QAbstractSeries*>(balance)}) {
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    setChart(chart, stakeSum, returnSum);
}

void HistoryWindow::setChart(QChart* chart, double stakeSum, double returnSum) {
    QChart* old = chartView_->chart();
    chartView_->setChart(chart);
    delete old;
    summaryLabel_->setText(tr("Пакетов: %1   Ставки: %2   Выигрыш: %3   Баланс: %4")
                               .arg(visibleRows())
                               .arg(stakeSum, 0, 'f', 2)
                               .arg(returnSum, 0, 'f', 2)
                               .arg(returnSum - stakeSum, 0, 'f', 2));
}

} // namespace kav::ui
