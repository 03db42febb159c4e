#include "ui/value/simulation_window.h"

#include "core/base/fixed4.h"
#include "ui/common/job_runner.h"
#include "ui/common/session.h"
#include "ui/widgets/message_box.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <climits>

namespace kav::ui {

namespace {

constexpr const char* kCaption = kav::Text::tr("Моделирование тиражей");

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString percent(double share) {
    return QString::number(share * 100, 'f', share * 100 < 0.1 && share > 0 ? 4 : 2) +
           QStringLiteral(" %");
}

// Each bin by its lower edge in stakes ("0" alone for no return at all):
// "0", "<0,25", "0,25", "0,5", "1", ..., "100+" (the axis reads its labels
// as rich text, so "<" is written as an entity).
QStringList binLabels() {
    auto n = [](double v) {
        return QString::number(v).replace(QLatin1Char('.'), QLatin1Char(','));
    };
    QStringList labels{QStringLiteral("0"),
                       QStringLiteral("&lt;") + n(kav::kReturnBinEdges.front())};
    for (std::size_t i = 0; i + 1 < kav::kReturnBinEdges.size(); ++i)
        labels << n(kav::kReturnBinEdges[i]);
    labels << n(kav::kReturnBinEdges.back()) + QStringLiteral("+");
    return labels;
}

} // namespace

SimulationWindow::SimulationWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), jobs_(std::make_unique<JobRunner>(this)) {
    setObjectName(QStringLiteral("simulationWindow"));
    setWindowTitle(coreText(kCaption));
    createLayout();
    connectLayout();
    resize(900, 640);
}

SimulationWindow::~SimulationWindow() = default;

void SimulationWindow::createLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Тиражей:"), this));
    drawsSpin_ = new QSpinBox(this);
    drawsSpin_->setObjectName(QStringLiteral("drawsSpin"));
    drawsSpin_->setRange(static_cast<int>(kav::kMinSimulatedDraws),
                         static_cast<int>(kav::kMaxSimulatedDraws));
    drawsSpin_->setSingleStep(10000);
    drawsSpin_->setValue(100000);
    drawsSpin_->setGroupSeparatorShown(false);
    top->addWidget(drawsSpin_);
    top->addSpacing(12);
    top->addWidget(new QLabel(tr("Начальное число:"), this));
    seedSpin_ = new QSpinBox(this);
    seedSpin_->setObjectName(QStringLiteral("seedSpin"));
    seedSpin_->setRange(0, INT_MAX);
    seedSpin_->setValue(1);
    seedSpin_->setToolTip(tr("Одно и то же число даёт те же тиражи"));
    top->addWidget(seedSpin_);
    top->addSpacing(12);
    simulateButton_ = new QPushButton(tr("Моделировать"), this);
    simulateButton_->setObjectName(QStringLiteral("simulateButton"));
    simulateButton_->setShortcut(QKeySequence(Qt::Key_F5));
    simulateButton_->setToolTip(QStringLiteral("F5"));
    top->addWidget(simulateButton_);
    top->addStretch(1);
    layout->addLayout(top);

    summaryLabel_ = new QLabel(tr("Нажмите «Моделировать» (F5)."), this);
    summaryLabel_->setObjectName(QStringLiteral("simulationSummaryLabel"));
    summaryLabel_->setWordWrap(true);
    layout->addWidget(summaryLabel_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    histogramView_ = new QChartView(splitter);
    histogramView_->setObjectName(QStringLiteral("returnHistogramView"));
    histogramView_->setRenderHint(QPainter::Antialiasing);
    histogramView_->setMinimumWidth(420);
    bestHitsTable_ = new QTableWidget(kav::kEvents + 1, 3, splitter);
    bestHitsTable_->setObjectName(QStringLiteral("bestHitsTable"));
    bestHitsTable_->setHorizontalHeaderLabels({tr("Тиражей"), tr("Доля"), tr("Точно")});
    QStringList rows;
    for (int k = kav::kEvents; k >= 0; --k)
        rows << QString::number(k);
    bestHitsTable_->setVerticalHeaderLabels(rows);
    bestHitsTable_->setToolTip(
        tr("Лучшее угадывание пакета: в скольких тиражах, доля, точная вероятность"));
    bestHitsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bestHitsTable_->setMaximumWidth(320);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({600, 280});
    layout->addWidget(splitter, 1);
}

void SimulationWindow::connectLayout() {
    connect(simulateButton_, &QPushButton::clicked, this, [this] { simulate(); });
}

bool SimulationWindow::busy() const {
    return jobs_->running();
}

void SimulationWindow::waitForJob() {
    jobs_->wait();
}

void SimulationWindow::simulate() {
    if (busy())
        return;
    if (const auto fault = session_.betList().fault()) {
        showMessage(this, kav::Message{fault->text(), kCaption});
        return;
    }
    kav::DrawTotals totals = session_.totals();
    totals.poolText = kav::plainNumberText(totals.poolText);
    totals.jackpotText = kav::plainNumberText(totals.jackpotText);
    kav::SimulationSettings settings;
    settings.draws = static_cast<std::uint64_t>(drawsSpin_->value());
    settings.seed = static_cast<std::uint32_t>(seedSpin_->value());
    JobOptions options;
    options.title = coreText(kCaption);
    options.label = tr("Моделирование %1 тиражей…").arg(drawsSpin_->value());
    auto work = [in = kav::analysisInput(session_.draw(), totals, kav::AnalysedVariant{}),
                 lines = session_.betLines(), stake = session_.betList().total(),
                 settings](JobControl& job) {
        return kav::simulateDraws(in, lines, stake, settings, job.cancelFlag(),
                                  [&job](int percent) { job.progress(percent); });
    };
    jobs_->run(options, std::move(work), [this](kav::SimulationResult result) {
        if (result.status == kav::AnalysisStatus::Cancelled)
            return;
        if (result.status != kav::AnalysisStatus::Done) {
            showMessage(this, kav::Message{result.problem, kCaption});
            return;
        }
        showResult(result);
    });
}

void SimulationWindow::showResult(const kav::SimulationResult& r) {
    last_ = r;
    const double n = static_cast<double>(r.draws);
    summaryLabel_->setText(
        tr("Тиражей: %1.  Хотя бы один выигрыш: %2.  Прибыль: %3.  "
           "Средний возврат: %4 при ставке %5 (%6 ставки).")
            .arg(r.draws)
            .arg(percent(static_cast<double>(r.drawsWithPrize) / n))
            .arg(percent(static_cast<double>(r.drawsWithProfit) / n))
            .arg(r.meanReturn, 0, 'f', 2)
            .arg(r.stake, 0, 'f', 2)
            .arg(r.stake > 0 ? percent(r.meanReturn / r.stake) : QStringLiteral("—")));
    for (int k = kav::kEvents; k >= 0; --k) {
        const int row = kav::kEvents - k;
        bestHitsTable_->setItem(row, 0, cell(QString::number(r.bestHits[k])));
        bestHitsTable_->setItem(row, 1, cell(percent(static_cast<double>(r.bestHits[k]) / n)));
        bestHitsTable_->setItem(
            row, 2, cell(r.exactBestHits ? percent((*r.exactBestHits)[k]) : QStringLiteral("—")));
    }
    bestHitsTable_->resizeColumnsToContents();
    showHistogram(r);
}

void SimulationWindow::showHistogram(const kav::SimulationResult& r) {
    auto* chart = new QChart;
    chart->setTitle(tr("Доля тиражей, %, по возврату пакета"));
    auto* set = new QBarSet(tr("Тиражи"));
    set->setColor(QColor(0x6a, 0x8c, 0xc8));
    set->setLabelColor(Qt::black);
    double top = 0;
    for (auto count : r.returnBins) {
        const double share = 100.0 * static_cast<double>(count) / static_cast<double>(r.draws);
        *set << share;
        top = std::max(top, share);
    }
    auto* bars = new QBarSeries;
    bars->append(set);
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    bars->setLabelsFormat(QStringLiteral("@value"));
    bars->setLabelsPrecision(3);
    chart->addSeries(bars);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(binLabels());
    axisX->setTitleText(tr("возврат, ставок пакета (от)"));
    auto* axisY = new QValueAxis;
    axisY->setRange(0, top > 0 ? top * 1.15 : 1);
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    bars->attachAxis(axisX);
    bars->attachAxis(axisY);
    chart->legend()->hide();
    QChart* old = histogramView_->chart();
    histogramView_->setChart(chart);
    delete old;
}

} // namespace kav::ui
