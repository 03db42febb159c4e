#include "ui/results/draw_check_window.h"
#include "core/base/general_format.h"

#include "core/check/result_block.h"
#include "io/files/text_file.h"
#include "ui/common/session.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace kav::ui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QTableWidgetItem* cell(const QString& text, bool right = true) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (right)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// Money with two decimals as the status line writes it: "1234.50".
QString money(kav::Fixed4 v) {
    return qs(v.moneyText2());
}

} // namespace

DrawCheckWindow::DrawCheckWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session) {
    setObjectName(QStringLiteral("drawCheckWindow"));
    setWindowTitle(tr("Проверка пакета по результату тиража"));
    createLayout();
    connectLayout();
    resize(760, 640);
    recheck();
}

void DrawCheckWindow::createLayout() {
    auto* layout = new QVBoxLayout(this);

    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(new QLabel(tr("Результат тиража:"), this));
    resultEdit_ = new QLineEdit(this);
    resultEdit_->setObjectName(QStringLiteral("resultEdit"));
    resultEdit_->setPlaceholderText(tr("1X21X2... или 1,X,2,...; «-» — событие не состоялось"));
    resultEdit_->setMaxLength(200);
    QFont mono = resultEdit_->font();
    mono.setFamily(QStringLiteral("DejaVu Sans Mono"));
    resultEdit_->setFont(mono);
    resultRow->addWidget(resultEdit_, 1);
    pasteResultButton_ = new QPushButton(tr("Вставить результат и выигрыши"), this);
    pasteResultButton_->setObjectName(QStringLiteral("pasteResultButton"));
    pasteResultButton_->setToolTip(
        tr("Из буфера: результат (15 исходов) и строки выигрышей вида «15 — 1 234 567,00»"));
    resultRow->addWidget(pasteResultButton_);
    layout->addLayout(resultRow);
    resultHintLabel_ = new QLabel(this);
    resultHintLabel_->setObjectName(QStringLiteral("resultHintLabel"));
    layout->addWidget(resultHintLabel_);

    auto* prizeGrid = new QGridLayout;
    prizeGrid->addWidget(new QLabel(tr("Выигрыш за вариант:"), this), 0, 0, 1, 7);
    for (int i = 0; i < kav::kCategories; ++i) {
        const int k = kav::kFirstCategory + i;
        prizeGrid->addWidget(new QLabel(QString::number(k), this), 1, i, Qt::AlignHCenter);
        prizeEdits_[i] = new QLineEdit(this);
        prizeEdits_[i]->setObjectName(QStringLiteral("prizeEdit%1").arg(k));
        prizeEdits_[i]->setMaxLength(24);
        prizeGrid->addWidget(prizeEdits_[i], 2, i);
    }
    layout->addLayout(prizeGrid);
    estimateLabel_ = new QLabel(this);
    estimateLabel_->setObjectName(QStringLiteral("estimateLabel"));
    estimateLabel_->setWordWrap(true);
    layout->addWidget(estimateLabel_);

    packageTable_ = new QTableWidget(kav::kCategories + 1, 4, this);
    packageTable_->setObjectName(QStringLiteral("packageTable"));
    packageTable_->setHorizontalHeaderLabels(
        {tr("Категория"), tr("Выигрышных вариантов"), tr("Выигрыш за вариант"), tr("Сумма")});
    packageTable_->verticalHeader()->hide();
    packageTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    packageTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    packageTable_->setFixedHeight(
        packageTable_->horizontalHeader()->sizeHint().height() +
        (kav::kCategories + 1) * packageTable_->verticalHeader()->defaultSectionSize() + 4);
    layout->addWidget(packageTable_);
    returnLabel_ = new QLabel(this);
    returnLabel_->setObjectName(QStringLiteral("returnLabel"));
    returnLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(returnLabel_);

    winningLinesLabel_ = new QLabel(this);
    winningLinesLabel_->setObjectName(QStringLiteral("winningLinesLabel"));
    layout->addWidget(winningLinesLabel_);
    winningLinesTable_ = new QTableWidget(0, kav::kCategories + 2, this);
    winningLinesTable_->setObjectName(QStringLiteral("winningLinesTable"));
    QStringList headers{tr("Строка")};
    for (int k = kav::kFirstCategory; k <= kav::kEvents; ++k)
        headers << QString::number(k);
    headers << tr("Ставка");
    winningLinesTable_->setHorizontalHeaderLabels(headers);
    winningLinesTable_->verticalHeader()->hide();
    winningLinesTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    winningLinesTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    winningLinesTable_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(winningLinesTable_, 1);

    auto* buttons = new QHBoxLayout;
    copyWinningButton_ = new QPushButton(tr("Копировать выигравшие строки"), this);
    copyWinningButton_->setObjectName(QStringLiteral("copyWinningButton"));
    saveWinningButton_ = new QPushButton(tr("Сохранить выигравшие строки..."), this);
    saveWinningButton_->setObjectName(QStringLiteral("saveWinningButton"));
    keepResultButton_ = new QPushButton(tr("Сохранить результат в архив"), this);
    keepResultButton_->setObjectName(QStringLiteral("keepResultButton"));
    buttons->addWidget(copyWinningButton_);
    buttons->addWidget(saveWinningButton_);
    buttons->addStretch(1);
    buttons->addWidget(keepResultButton_);
    layout->addLayout(buttons);
}

void DrawCheckWindow::connectLayout() {
    connect(resultEdit_, &QLineEdit::textChanged, this, [this] { recheck(); });
    for (QLineEdit* edit : prizeEdits_)
        connect(edit, &QLineEdit::textChanged, this, [this] { recheck(); });
    connect(&session_, &Session::betListChanged, this, [this] { recheck(); });
    connect(&session_, &Session::totalsChanged, this, [this] { recheck(); });
    connect(copyWinningButton_, &QPushButton::clicked, this, [this] { copyWinningLines(); });
    connect(saveWinningButton_, &QPushButton::clicked, this, [this] { saveWinningLines(); });
    connect(pasteResultButton_, &QPushButton::clicked, this,
            [this] { pasteResultBlock(QApplication::clipboard()->text()); });
    connect(keepResultButton_, &QPushButton::clicked, this, [this] {
        if (!result_)
            return;
        std::string problem;
        const kav::TypedPrizes prizes = typedPrizes(&problem);
        if (problem.empty())
            Q_EMIT keepResultRequested(*result_, prizes);
        else
            showMessage(this, {problem, kav::Text::tr("Проверка тиража")});
    });
}

void DrawCheckWindow::setKeptResult(const std::optional<kav::DrawResult>& result,
                                    const kav::TypedPrizes& prizes) {
    resultEdit_->setText(result ? qs(kav::drawResultText(*result)) : QString());
    for (int i = 0; i < kav::kCategories; ++i)
        prizeEdits_[i]->setText(prizes.amounts[i] ? qs(prizes.amounts[i]->moneyText()) : QString());
    recheck();
}

void DrawCheckWindow::pasteResultBlock(const QString& text) {
    const kav::ResultBlockRead read = kav::readResultBlock(text.toStdString());
    if (!read.block) {
        showMessage(this,
                    {tr("Результат не вставлен: %1.").arg(coreText(read.fault)).toStdString()});
        return;
    }
    resultEdit_->setText(qs(kav::drawResultText(read.block->result)));
    for (int i = 0; i < kav::kCategories; ++i)
        if (const auto& prize = read.block->prizes[static_cast<std::size_t>(i)])
            prizeEdits_[i]->setText(qs(prize->moneyText()));
}

kav::TypedPrizes DrawCheckWindow::typedPrizes(std::string* problem) const {
    kav::TypedPrizes prizes;
    for (int i = 0; i < kav::kCategories; ++i) {
        const std::string text = prizeEdits_[i]->text().trimmed().toStdString();
        if (text.empty())
            continue;
        const auto v = kav::Fixed4::parseTyped(text);
        if (!v || *v < kav::Fixed4{}) {
            if (problem && problem->empty())
                *problem = tr("Выигрыш за %1 угаданных не является суммой: «%2».")
                               .arg(kav::kFirstCategory + i)
                               .arg(QString::fromStdString(text))
                               .toStdString();
            continue;
        }
        prizes.amounts[i] = *v;
    }
    return prizes;
}

kav::Lines DrawCheckWindow::winningLines() const {
    kav::Lines out;
    const kav::Lines& lines = session_.betLines();
    for (std::size_t i = 0; i < check_.lines.size() && i < lines.size(); ++i) {
        const auto& line = check_.lines[i];
        if (line.valid && line.bestHits >= kav::kFirstCategory)
            out.push_back(lines[i]);
    }
    return out;
}

void DrawCheckWindow::recheck() {
    const std::string typed = resultEdit_->text().toStdString();
    result_ = kav::parseDrawResult(typed);
    const bool usable = result_.has_value() && session_.betList().inSync();
    keepResultButton_->setEnabled(result_.has_value());
    copyWinningButton_->setEnabled(usable);
    saveWinningButton_->setEnabled(usable);
    if (!result_) {
        check_ = {};
        resultHintLabel_->setText(typed.empty()
                                      ? tr("Введите или вставьте 15 исходов: 1, X, 2; «-» — "
                                           "несостоявшееся событие, угадано в любой ставке.")
                                      : tr("Результат не читается: нужно 15 исходов из 1, X, 2 "
                                           "или «-»."));
        estimateLabel_->clear();
        packageTable_->clearContents();
        returnLabel_->clear();
        winningLinesTable_->setRowCount(0);
        winningLinesLabel_->clear();
        return;
    }
    resultHintLabel_->setText(tr("Результат: %1").arg(qs(kav::drawResultText(*result_))));
    if (!session_.betList().inSync()) {
        check_ = {};
        estimateLabel_->clear();
        packageTable_->clearContents();
        returnLabel_->setText(
            tr("Список ставок не читается: %1").arg(coreText(session_.betFault())));
        winningLinesTable_->setRowCount(0);
        winningLinesLabel_->clear();
        return;
    }
    check_ = kav::checkPackage(session_.betList().masks(), *result_);

    // Typed prizes win; the rest come from the estimate.
    const kav::PrizeEstimate estimate =
        kav::estimatePrizes(session_.draw(), session_.totals(), *result_);
    std::string badPrize;
    const kav::TypedPrizes typedAmounts = typedPrizes(&badPrize);
    std::array<bool, kav::kCategories> estimated{};
    const std::optional<kav::PrizeList> completed =
        kav::completedPrizes(typedAmounts, estimate.prizes, &estimated);
    const bool missing = !completed;
    const kav::PrizeList prizes = completed.value_or(kav::PrizeList{});
    const bool anyEstimated =
        !missing && std::find(estimated.begin(), estimated.end(), true) != estimated.end();
    for (int i = 0; i < kav::kCategories; ++i)
        prizeEdits_[i]->setPlaceholderText(estimate.prizes ? money((*estimate.prizes)[i])
                                                           : QString());
    if (!badPrize.empty())
        estimateLabel_->setText(qs(badPrize));
    else if (anyEstimated)
        estimateLabel_->setText(tr("Выигрыши со знаком ≈ — оценка по пулу, долям "
                                   "пула и джек-поту тиража, пока они не введены."));
    else if (missing)
        estimateLabel_->setText(
            tr("Выигрыши не введены, оценка невозможна: %1").arg(coreText(estimate.problem)));
    else
        estimateLabel_->clear();
    showPackageTable(prizes, estimated);
    if (missing)
        returnLabel_->setText(
            tr("Ставки: %1")
                .arg(money(session_.betList().total()) + qs(session_.draw().currencySuffix)));
    showWinningLines();
}

void DrawCheckWindow::showPackageTable(const kav::PrizeList& prizes,
                                       const std::array<bool, 7>& estimated) {
    const kav::PackageTable table =
        kav::packageTable(check_.totals, prizes, session_.betList().total());
    const QString suffix = qs(session_.draw().currencySuffix);
    std::uint64_t winners = 0;
    for (int i = 0; i < kav::kCategories; ++i) {
        const auto& row = table.rows[i];
        winners += row.winners;
        const QString mark = estimated[i] ? QStringLiteral("≈ ") : QString();
        packageTable_->setItem(i, 0, cell(QString::number(row.category), false));
        packageTable_->setItem(i, 1, cell(QString::number(row.winners)));
        packageTable_->setItem(i, 2, cell(mark + money(row.prize)));
        packageTable_->setItem(i, 3, cell(mark + money(row.amount)));
        if (row.winners != 0)
            for (int c = 0; c < 4; ++c)
                packageTable_->item(i, c)->setBackground(QColor(0xd8, 0xf0, 0xd0));
    }
    const int total = kav::kCategories;
    packageTable_->setItem(total, 0, cell(tr("Всего"), false));
    packageTable_->setItem(total, 1, cell(QString::number(winners)));
    packageTable_->setItem(total, 2, cell(QString()));
    bool anyEstimated = false;
    for (int i = 0; i < kav::kCategories; ++i)
        anyEstimated = anyEstimated || (estimated[i] && table.rows[i].winners != 0);
    const QString totalMark = anyEstimated ? QStringLiteral("≈ ") : QString();
    packageTable_->setItem(total, 3, cell(totalMark + money(table.totalReturn)));
    if (table.overflow) {
        returnLabel_->setText(tr("Выигрыш слишком велик для расчёта."));
        return;
    }
    QString text = tr("Выигрыш: %1   Ставки: %2   Прибыль: %3")
                       .arg(totalMark + money(table.totalReturn) + suffix,
                            money(table.stake) + suffix, totalMark + money(table.profit) + suffix);
    if (table.returnPercent) {
        text +=
            tr("   Возврат: %1 %")
                .arg(totalMark + QString::fromStdString(kav::fixedText(*table.returnPercent, 2)));
    }
    returnLabel_->setText(text);
}

void DrawCheckWindow::showWinningLines() {
    const kav::Lines& lines = session_.betLines();
    winningLinesTable_->setUpdatesEnabled(false);
    winningLinesTable_->setRowCount(0);
    int listed = 0;
    std::size_t winning = 0;
    for (std::size_t i = 0; i < check_.lines.size() && i < lines.size(); ++i) {
        const auto& line = check_.lines[i];
        if (!line.valid || line.bestHits < kav::kFirstCategory)
            continue;
        ++winning;
        if (listed == kListedLines)
            continue;
        winningLinesTable_->insertRow(listed);
        winningLinesTable_->setItem(listed, 0, cell(QString::number(i + 1)));
        for (int c = 0; c < kav::kCategories; ++c) {
            const auto n = line.counts[c];
            auto* item = cell(n ? QString::number(n) : QString());
            if (n && c == line.bestHits - kav::kFirstCategory)
                item->setBackground(QColor(0xd8, 0xf0, 0xd0));
            winningLinesTable_->setItem(listed, c + 1, item);
        }
        winningLinesTable_->setItem(listed, kav::kCategories + 1, cell(qs(lines[i]), false));
        ++listed;
    }
    winningLinesTable_->resizeColumnsToContents();
    winningLinesTable_->setUpdatesEnabled(true);
    QString text = tr("Выигравших строк: %1 из %2; лучшая угадала %3.")
                       .arg(winning)
                       .arg(lines.size())
                       .arg(check_.bestHits);
    if (winning > static_cast<std::size_t>(listed))
        text += tr(" Показаны первые %1.").arg(listed);
    winningLinesLabel_->setText(text);
}

void DrawCheckWindow::copyWinningLines() {
    const kav::Lines lines = winningLines();
    QString text;
    for (const auto& l : lines)
        text += qs(l) + QLatin1Char('\n');
    QApplication::clipboard()->setText(text);
}

void DrawCheckWindow::saveWinningLines() {
    const QString chosen = saveFileName(this, tr("Выигравшие строки в файл"),
                                        tr("Текстовые файлы (*.txt)"), QStringLiteral("txt"));
    if (chosen.isEmpty())
        return;
    if (auto message =
            kav::io::writeFileBytes(chosen.toStdString(), kav::io::cp1251Text(winningLines())))
        showMessage(this, *message);
}

} // namespace kav::ui
