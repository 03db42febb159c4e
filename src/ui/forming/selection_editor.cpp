#include "ui/forming/selection_editor.h"

#include "ui/common/session.h"
#include "ui/forming/brief_system_panel.h"
#include "ui/forming/mode_bar.h"
#include "ui/forming/sensation_panel.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include <QTimer>

namespace kav::ui {

SelectionEditor::SelectionEditor(Session& session, OutcomeGrid& grid, ModeBar& modeBar,
                                 QWidget* window)
    : QObject(window), session_(session), grid_(grid), modeBar_(modeBar), window_(window) {
    const QString headers[] = {tr("События"), tr("П1"), tr("Х"), tr("П2")};
    for (int c = 0; c < OutcomeGrid::kColumns; ++c)
        grid_.setCellText(c, 0, headers[c]);
    grid_.setFillFunction([this](int event0, int outcome0) {
        const SensationPanel& sensations = modeBar_.sensationPanel();
        GridPaintState s;
        s.mode = modeBar_.mode();
        s.byQuotes = sensations.byQuotes();
        s.byPool = sensations.byPool();
        s.threshold = sensations.threshold();
        s.forcedChecked = modeBar_.briefPanel().startsWithForcedBet();
        return outcomeCellFill(session_.draw(), s, event0, outcome0);
    });
    connectParts();
}

void SelectionEditor::connectParts() {
    connect(&grid_, &OutcomeGrid::selectCell, this,
            [this](int col, int row) { selectOutcomeCell(col, row); });
    connect(&grid_, &OutcomeGrid::quoteEntered, this,
            [this](int col, int row, const QString& t) { editQuote(col, row, t); });
    connect(&modeBar_, &ModeBar::resetRequested, this, [this] { resetOutcomes(); });
    // Quotes can be corrected by hand in every mode but the brief systems.
    connect(&modeBar_, &ModeBar::modeChanged, this, [this](kav::PacketMode m) {
        grid_.setEditing(m != kav::PacketMode::BriefSystems);
        repaintGrid();
    });
    connect(&modeBar_.briefPanel(), &BriefSystemPanel::startWithToggled, this, [this] {
        modeBar_.briefPanel().showForcedBet(QString::fromStdString(session_.draw().forcedBet));
        repaintGrid();
    });
    connect(&modeBar_.sensationPanel(), &SensationPanel::criterionChanged, this,
            [this] { repaintGrid(); });
    connect(&session_, &Session::marksChanged, this, [this] { showMarks(); });
    connect(&session_, &Session::quotesChanged, this, [this](int event0) {
        for (int o = 0; o < kav::kOutcomes; ++o)
            showOutcomeCell(event0, o);
        repaintGrid();
    });
    connect(&session_, &Session::drawReplaced, this, [this] {
        showDraw();
        grid_.show();
    });
}

void SelectionEditor::showOutcomeCell(int event0, int outcome0) {
    grid_.setCellText(
        outcome0 + 1, event0 + 1,
        QString::fromStdString(kav::outcomeCellText(session_.draw(), event0, outcome0)));
}

void SelectionEditor::showDraw() {
    for (int e = 0; e < kav::kEvents; ++e) {
        grid_.setCellText(0, e + 1, QString::fromStdString(session_.draw().eventTitles[e]));
        for (int o = 0; o < kav::kOutcomes; ++o)
            showOutcomeCell(e, o);
    }
    repaintGrid();
}

// The cells' texts are the quotes and shares; the marks only colour them.
void SelectionEditor::showMarks() {
    if (modeBar_.briefPanel().startsWithForcedBet())
        modeBar_.briefPanel().showForcedBet(QString::fromStdString(session_.draw().forcedBet));
    repaintGrid();
}

void SelectionEditor::repaintGrid() {
    grid_.viewport()->update();
}

void SelectionEditor::resetOutcomes() {
    kav::DrawModel after = session_.draw();
    kav::resetSelection(after);
    session_.setMarks(after.selection, after.forcedBet, tr("Сброс исходов"));
}

// A click on a title marks every outcome of the event, or unmarks them all
// when all were marked; a click on an outcome toggles it, and the forced bet
// takes the outcome marked last (or the last marked one left).
void SelectionEditor::selectOutcomeCell(int col, int row) {
    if (row < 1 || row > kav::kEvents || col < 0 || col > kav::kOutcomes)
        return;
    const int e = row - 1;
    Session::Selection selection = session_.draw().selection;
    std::string forcedBet = session_.draw().forcedBet;
    auto& marks = selection[e];
    if (col == 0) {
        const bool all = session_.draw().markedCount(e) == kav::kOutcomes;
        for (int o = 0; o < kav::kOutcomes; ++o)
            marks[o] = all ? 0 : 1;
    } else {
        const int k = col - 1;
        char& forced = forcedBet[static_cast<std::size_t>(e)];
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
    session_.setMarks(selection, forcedBet,
                      col == 0 ? tr("Отметка события") : tr("Отметка исхода"));
}

void SelectionEditor::editQuote(int col, int row, const QString& text) {
    if (row < 1 || row > kav::kEvents || col < 1 || col > kav::kOutcomes)
        return;
    if (text.trimmed().isEmpty())
        return; // nothing typed: the cell keeps its quote
    const auto typed = kav::readTypedCell(session_.draw(), row - 1, col - 1, text.toStdString());
    if (const auto* why = std::get_if<std::string>(&typed)) {
        // After the editor has closed: a modal box while the focus is leaving
        // the cell would pull it away a second time.
        const kav::Message refusal{*why, kav::Text::tr("Котировка")};
        QTimer::singleShot(0, this, [this, refusal] { showMessage(window_, refusal); });
        return;
    }
    const auto& cell = std::get<kav::TypedCell>(typed);
    session_.setQuote(row - 1, col - 1, cell.quote, cell.poolShare);
}

} // namespace kav::ui
