// MainWindow: the outcome grid (marking, quote editing, cell texts), the mode
// switch and the small handlers of the mode panels.
#include "ui/autoform_panel.h"
#include "ui/brief_system_panel.h"
#include "ui/main_window.h"
#include "ui/manual_choice_panel.h"
#include "ui/money_edit.h"
#include "ui/nearest_systems_window.h"
#include "ui/outcome_grid.h"
#include "ui/sensation_panel.h"

#include <QLabel>

namespace kav::ui {

namespace {

// Typed quotes beyond this are refused like any text that is no number: the
// event's sums must stay far from the limits of the fixed-point numbers.
constexpr std::int64_t kLargestQuote = 1000000;

} // namespace

void MainWindow::showOutcomeCell(int event0, int outcome0) {
    outcomeGrid_->setCellText(
        outcome0 + 1, event0 + 1,
        QString::fromStdString(kav::outcomeCellText(model(), event0, outcome0)));
}

void MainWindow::showDraw() {
    for (int e = 0; e < kav::kEvents; ++e) {
        outcomeGrid_->setCellText(0, e + 1, QString::fromStdString(model().eventTitles[e]));
        for (int o = 0; o < kav::kOutcomes; ++o)
            showOutcomeCell(e, o);
    }
}

void MainWindow::repaintGrid() {
    outcomeGrid_->viewport()->update();
}

void MainWindow::resetOutcomes() {
    kav::resetSelection(model());
    for (int e = 0; e < kav::kEvents; ++e)
        for (int o = 0; o < kav::kOutcomes; ++o)
            showOutcomeCell(e, o);
    couponSummaryLabel_->clear();
    systemSummaryLabel_->clear();
    repaintGrid();
}

void MainWindow::switchMode() {
    if (nearestSystems_)
        nearestSystems_->hide();
    const kav::PacketMode m = mode();
    if (m == kav::PacketMode::BriefSystems) {
        briefSystemPanel_->show();
        systemSummaryLabel_->show();
        sensationPanel_->hide();
        manualChoicePanel_->hide();
        autoformPanel_->hide();
        outcomeGrid_->setEditing(false);
        updateSelectionSummary();
    } else {
        briefSystemPanel_->hide();
        systemSummaryLabel_->hide();
        sensationPanel_->setVisible(m == kav::PacketMode::Sensations);
        manualChoicePanel_->setVisible(m == kav::PacketMode::Manual);
        autoformPanel_->setVisible(m == kav::PacketMode::Autoform);
        // Quotes can be corrected by hand in these modes.
        outcomeGrid_->setEditing(true);
    }
    repaintGrid();
}

void MainWindow::selectOutcomeCell(int col, int row) {
    if (row < 1 || row > kav::kEvents || col < 0 || col > kav::kOutcomes)
        return;
    const int e = row - 1;
    auto& marks = model().selection[e];
    if (col == 0) {
        const bool all = model().markedCount(e) == kav::kOutcomes;
        for (int o = 0; o < kav::kOutcomes; ++o) {
            marks[o] = all ? 0 : 1;
            showOutcomeCell(e, o);
        }
    } else {
        const int k = col - 1;
        char& forced = model().forcedBet[static_cast<std::size_t>(e)];
        if (!marks[k]) {
            marks[k] = 1;
            forced = kav::outcomeLetter(k);
        } else {
            marks[k] = 0;
            forced = '_';
            for (int o = 0; o < kav::kOutcomes; ++o)
                if (marks[o])
                    forced = kav::outcomeLetter(o);
        }
    }
    if (briefSystemPanel_->startsWithForcedBet())
        briefSystemPanel_->showForcedBet(QString::fromStdString(model().forcedBet));
    updateSelectionSummary();
    repaintGrid();
}

void MainWindow::editQuote(int col, int row, const QString& text) {
    if (row < 1 || row > kav::kEvents || col < 1 || col > kav::kOutcomes)
        return;
    const int e = row - 1, k = col - 1;
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash < 0 || slash == text.size() - 1) {
        showOutcomeCell(e, k);
        repaintGrid();
        return;
    }
    const auto quote = kav::Fixed4::parse(text.left(slash).toStdString());
    if (!quote || *quote > kav::Fixed4::fromInt(kLargestQuote) ||
        *quote < kav::Fixed4::fromInt(-kLargestQuote))
        return; // the typed text stays, the model is unchanged
    kav::setQuote(model(), e, k, *quote);
    const QString typedPool = text.mid(slash, 10);
    const QString pool =
        QStringLiteral("/") + QString::number(model().poolShares[e][k].roundToInt());
    for (int i = 0; i < kav::kOutcomes; ++i)
        if (i != k || typedPool != pool)
            showOutcomeCell(e, i);
    repaintGrid();
}

void MainWindow::onSummaryInputChanged() {
    updateSelectionSummary();
    briefSystemPanel_->colourCategory();
}

void MainWindow::toggleStartWith() {
    briefSystemPanel_->showForcedBet(QString::fromStdString(model().forcedBet));
    repaintGrid();
}

void MainWindow::onStakeChanged() {
    if (!stakeEdit_->stakeText().empty())
        updateSelectionSummary();
}

} // namespace kav::ui
