// MainWindow: the outcome grid (marking, quote editing, cell texts), the mode
// switch and the small handlers of the mode panels.
#include "ui/autoform_panel.h"
#include "ui/brief_system_panel.h"
#include "ui/conditions_panel.h"
#include "ui/main_window.h"
#include "ui/manual_choice_panel.h"
#include "ui/message_box.h"
#include "ui/money_edit.h"
#include "ui/nearest_systems_window.h"
#include "ui/outcome_grid.h"
#include "ui/sensation_panel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>

namespace kav::ui {

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
        modePanelStack_->setCurrentWidget(briefSystemPanel_);
        systemSummaryLabel_->show();
        outcomeGrid_->setEditing(false);
        updateSelectionSummary();
    } else {
        QWidget* panel = autoformPanel_;
        if (m == kav::PacketMode::Sensations)
            panel = sensationPanel_;
        else if (m == kav::PacketMode::Manual)
            panel = manualChoicePanel_;
        else if (m == kav::PacketMode::Conditions)
            panel = conditionsPanel_;
        modePanelStack_->setCurrentWidget(panel);
        systemSummaryLabel_->hide();
        // Quotes can be corrected by hand in these modes.
        outcomeGrid_->setEditing(true);
    }
    conditionsPanel_->editor()->setVisible(m == kav::PacketMode::Conditions);
    scheduleConditionCount();
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
    if (text.trimmed().isEmpty())
        return; // nothing typed: the cell keeps its quote
    const auto quote = kav::typedQuote(text.toStdString());
    if (!quote) {
        // After the editor has closed: a modal box while the focus is leaving
        // the cell would pull it away a second time.
        const kav::Message refusal{"«" + text.trimmed().toStdString() +
                                       "» — не котировка.\nВведите число, например 50 или 50/38.",
                                   "Котировка"};
        QTimer::singleShot(0, this, [this, refusal] { showMessage(this, refusal); });
        return;
    }
    kav::setQuote(model(), e, k, *quote);
    for (int o = 0; o < kav::kOutcomes; ++o)
        showOutcomeCell(e, o);
    repaintGrid();
}

void MainWindow::fitGridToTitles() {
    if (!outcomeGrid_->isVisible())
        return;
    const QList<int> sizes = gridListSplitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int grid =
        std::max(std::min(outcomeGrid_->fittedWidth(), total - betListEdit_->minimumWidth()),
                 outcomeGrid_->minimumSizeHint().width());
    gridListSplitter_->setSizes({grid, total - grid});
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
    scheduleConditionCount();
}

} // namespace kav::ui
