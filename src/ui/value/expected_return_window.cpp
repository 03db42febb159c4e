#include "ui/value/expected_return_window.h"
#include "core/base/general_format.h"

#include "core/base/fixed4.h"
#include "core/value/package_return.h"
#include "ui/common/job_report.h"
#include "ui/common/job_runner.h"
#include "ui/common/session.h"
#include "ui/widgets/message_box.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace kav::ui {

namespace {

constexpr const char* kCaption = kav::Text::tr("Ожидаемый возврат");

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString money(double v) {
    return QString::fromStdString(kav::fixedText(v, 2));
}

// A cell that sorts by its number, not by its text.
class NumberItem final : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double number) : QTableWidgetItem(text) {
        setData(Qt::UserRole, number);
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

void refuse(QWidget* parent, const std::string& problem) {
    showMessage(parent, kav::Message{problem, kCaption});
}

// The list valued both ways: each line alone and as its share of the package.
struct BothReturns {
    kav::PackageReturn alone;
    kav::PackageReturn inPackage;
};

// The returns column of a line: a line that is no bet sorts below every bet.
NumberItem* returnItem(const kav::LineReturn& line) {
    return line.valid ? new NumberItem(money(line.value), line.value)
                      : new NumberItem(QStringLiteral("—"), -1e300);
}

} // namespace

ExpectedReturnWindow::ExpectedReturnWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), jobs_(std::make_unique<JobRunner>(this)) {
    setObjectName(QStringLiteral("expectedReturnWindow"));
    setWindowTitle(coreText(kCaption));
    createLayout();
    connectLayout();
    resize(820, 560);
    markStale();
}

ExpectedReturnWindow::~ExpectedReturnWindow() = default;

void ExpectedReturnWindow::createLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    computeButton_ = new QPushButton(tr("Рассчитать"), this);
    computeButton_->setObjectName(QStringLiteral("computeReturnsButton"));
    computeButton_->setShortcut(QKeySequence(Qt::Key_F5));
    computeButton_->setToolTip(QStringLiteral("F5"));
    top->addWidget(computeButton_);
    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("returnSummaryLabel"));
    top->addWidget(summaryLabel_, 1);
    layout->addLayout(top);

    returnsTable_ = new QTableWidget(0, 5, this);
    returnsTable_->setObjectName(QStringLiteral("expectedReturnTable"));
    returnsTable_->setHorizontalHeaderLabels(
        {tr("Строка"), tr("Ставка"), tr("Вариантов"), tr("Отдельно"), tr("В пакете")});
    returnsTable_->horizontalHeaderItem(3)->setToolTip(
        tr("Возврат строки, как если бы каждый её вариант играл один"));
    returnsTable_->horizontalHeaderItem(4)->setToolTip(
        tr("Доля строки в возврате пакета: выигравшие варианты пакета делят "
           "фонд категории друг с другом"));
    returnsTable_->verticalHeader()->setVisible(false);
    returnsTable_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    returnsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    returnsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    returnsTable_->setWordWrap(false);
    returnsTable_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    returnsTable_->setTextElideMode(Qt::ElideRight);
    // In the list's order until the player sorts by another column.
    returnsTable_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    returnsTable_->setSortingEnabled(true);
    layout->addWidget(returnsTable_, 1);

    auto* actions = new QHBoxLayout;
    ruleCombo_ = new QComboBox(this);
    ruleCombo_->setObjectName(QStringLiteral("reductionRuleCombo"));
    ruleCombo_->addItem(tr("по возврату в пакете"));
    ruleCombo_->addItem(tr("по возврату отдельно"));
    ruleCombo_->setToolTip(tr("По какому возврату отбирать ставки"));
    actions->addWidget(ruleCombo_);
    keepBestSpin_ = new QSpinBox(this);
    keepBestSpin_->setObjectName(QStringLiteral("keepBestSpin"));
    keepBestSpin_->setRange(1, 10000000);
    keepBestSpin_->setValue(100);
    keepBestButton_ = new QPushButton(tr("Оставить лучшие"), this);
    keepBestButton_->setObjectName(QStringLiteral("keepBestButton"));
    keepBestButton_->setToolTip(
        tr("Оставить в списке столько ставок с наибольшим ожидаемым возвратом"));
    minimumEdit_ = new QLineEdit(this);
    minimumEdit_->setObjectName(QStringLiteral("minimumReturnEdit"));
    minimumEdit_->setPlaceholderText(tr("например 12,5"));
    minimumEdit_->setMaximumWidth(120);
    removeBelowButton_ = new QPushButton(tr("Убрать ставки ниже"), this);
    removeBelowButton_->setObjectName(QStringLiteral("removeBelowButton"));
    removeBelowButton_->setToolTip(
        tr("Убрать из списка ставки с ожидаемым возвратом ниже этой суммы"));
    actions->addWidget(keepBestSpin_);
    actions->addWidget(keepBestButton_);
    actions->addSpacing(24);
    actions->addWidget(removeBelowButton_);
    actions->addWidget(minimumEdit_);
    actions->addStretch(1);
    layout->addLayout(actions);
    auto* hint =
        new QLabel(tr("Купоны, оставленные частично, заменяются своими оставшимися вариантами; "
                      "отменить — Ctrl+Z в главном окне."),
                   this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
}

void ExpectedReturnWindow::connectLayout() {
    connect(computeButton_, &QPushButton::clicked, this, [this] { recompute(); });
    connect(keepBestButton_, &QPushButton::clicked, this, [this] { keepBest(); });
    connect(removeBelowButton_, &QPushButton::clicked, this, [this] { removeBelow(); });
    connect(minimumEdit_, &QLineEdit::returnPressed, this, [this] { removeBelow(); });
    connect(&session_, &Session::betListChanged, this, [this] { markStale(); });
    connect(&session_, &Session::totalsChanged, this, [this] { markStale(); });
}

bool ExpectedReturnWindow::busy() const {
    return jobs_->running();
}

void ExpectedReturnWindow::waitForJob() {
    jobs_->wait();
}

kav::AnalysisInput ExpectedReturnWindow::input() const {
    kav::DrawTotals totals = session_.totals();
    totals.poolText = kav::plainNumberText(totals.poolText);
    totals.jackpotText = kav::plainNumberText(totals.jackpotText);
    return kav::analysisInput(session_.draw(), totals, kav::AnalysedVariant{});
}

bool ExpectedReturnWindow::listUsable() {
    if (const auto fault = session_.betList().fault()) {
        refuse(this, fault->text());
        return false;
    }
    return true;
}

void ExpectedReturnWindow::markStale() {
    if (busy())
        return;
    returnsTable_->setRowCount(0);
    summaryLabel_->setText(session_.betList().empty() ? tr("Список ставок пуст.")
                                                      : tr("Нажмите «Рассчитать» (F5)."));
}

void ExpectedReturnWindow::recompute() {
    if (busy() || !listUsable())
        return;
    JobOptions options;
    options.title = coreText(kCaption);
    options.label = tr("Расчёт ожидаемого возврата ставок…");
    computedLines_ = session_.betLines();
    auto work = [in = input(), lines = computedLines_,
                 stake = session_.betList().total()](JobControl& job) {
        BothReturns both;
        both.alone = kav::packageExpectedReturn(in, lines, stake, job.cancelFlag(),
                                                [&job](int percent) { job.progress(percent / 2); });
        if (both.alone.status == kav::AnalysisStatus::Done)
            both.inPackage =
                kav::packageSharedReturn(in, lines, stake, job.cancelFlag(),
                                         [&job](int percent) { job.progress(50 + percent / 2); });
        return both;
    };
    jobs_->run(options, std::move(work), [this](BothReturns both) {
        for (const kav::PackageReturn* returns : {&both.alone, &both.inPackage}) {
            if (returns->status == kav::AnalysisStatus::Cancelled)
                return;
            // A list changed while its returns were computed shows nothing old.
            if (session_.betLines() != computedLines_) {
                markStale();
                return;
            }
            if (returns->status != kav::AnalysisStatus::Done) {
                refuse(this, returns->problem);
                return;
            }
        }
        showReturns(both.alone, both.inPackage);
    });
}

void ExpectedReturnWindow::showReturns(const kav::PackageReturn& returns,
                                       const kav::PackageReturn& inPackage) {
    const kav::Lines& lines = session_.betLines();
    returnsTable_->setSortingEnabled(false);
    returnsTable_->setRowCount(static_cast<int>(returns.lines.size()));
    for (std::size_t i = 0; i < returns.lines.size(); ++i) {
        const int row = static_cast<int>(i);
        const kav::LineReturn& line = returns.lines[i];
        returnsTable_->setItem(row, 0, new NumberItem(QString::number(row + 1), row + 1));
        auto* text = new QTableWidgetItem(i < lines.size() ? qs(lines[i]) : QString());
        text->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        returnsTable_->setItem(row, 1, text);
        returnsTable_->setItem(
            row, 2,
            new NumberItem(line.valid ? QString::number(line.variants) : QString(),
                           static_cast<double>(line.variants)));
        returnsTable_->setItem(row, 3, returnItem(line));
        if (i < inPackage.lines.size())
            returnsTable_->setItem(row, 4, returnItem(inPackage.lines[i]));
    }
    returnsTable_->setSortingEnabled(true);
    returnsTable_->resizeColumnToContents(0);
    returnsTable_->resizeColumnToContents(2);
    returnsTable_->resizeColumnToContents(3);
    returnsTable_->resizeColumnToContents(4);
    const double stake = session_.betList().total().toDouble();
    QString summary = tr("Ожидаемый возврат: %1 из %2").arg(money(inPackage.total), money(stake));
    if (inPackage.returnPercent)
        summary += tr(" (%1 % ставки)").arg(money(*inPackage.returnPercent));
    summary += tr("; по отдельности: %1").arg(money(returns.total));
    summaryLabel_->setText(summary);
}

void ExpectedReturnWindow::runReduction(const JobOptions& options,
                                        std::function<kav::ReducedList(JobControl&)> work) {
    jobs_->run(options, std::move(work), [this](kav::ReducedList reduced) {
        if (reduced.status == kav::AnalysisStatus::Cancelled)
            return;
        if (reduced.status != kav::AnalysisStatus::Done) {
            refuse(this, reduced.problem);
            return;
        }
        const ListChange change(session_);
        if (reduced.removedVariants > 0)
            session_.replaceBets(reduced.lines);
        showStatus(this, tr("Ожидаемый возврат, отбор: %1").arg(change.change()));
        recompute();
    });
}

void ExpectedReturnWindow::keepBest() {
    if (busy() || !listUsable())
        return;
    JobOptions options;
    options.title = coreText(kCaption);
    options.label = tr("Отбор лучших ставок…");
    const auto keep = static_cast<std::uint64_t>(keepBestSpin_->value());
    auto work = [in = input(), lines = session_.betLines(), keep,
                 rule = reductionRule()](JobControl& job) {
        return kav::keepBestVariants(
            in, lines, keep, job.cancelFlag(), [&job](int percent) { job.progress(percent); },
            rule);
    };
    runReduction(options, std::move(work));
}

void ExpectedReturnWindow::removeBelow() {
    if (busy() || !listUsable())
        return;
    const auto minimum = kav::Fixed4::parseTyped(minimumEdit_->text().toStdString());
    if (!minimum) {
        refuse(this, kav::Text::tr("Введите сумму ожидаемого возврата, например 12,5."));
        return;
    }
    JobOptions options;
    options.title = coreText(kCaption);
    options.label = tr("Отбор ставок…");
    auto work = [in = input(), lines = session_.betLines(), minimum = minimum->toDouble(),
                 rule = reductionRule()](JobControl& job) {
        return kav::keepVariantsAtLeast(
            in, lines, minimum, job.cancelFlag(), [&job](int percent) { job.progress(percent); },
            rule);
    };
    runReduction(options, std::move(work));
}

kav::ValueRule ExpectedReturnWindow::reductionRule() const {
    return ruleCombo_->currentIndex() == 1 ? kav::ValueRule::Alone : kav::ValueRule::InPackage;
}

} // namespace kav::ui
