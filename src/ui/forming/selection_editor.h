// SelectionEditor: the outcome grid as the player works on it. A click marks
// or unmarks an outcome (a title click the whole event) and sets the forced
// bet, a typed quote sets the row's quotes, "Сбросить исходы" clears the marks:
// each one step of the session's history. The cells follow the session's
// draw, marks and quotes whoever changed them.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace kav::ui {

class ModeBar;
class OutcomeGrid;
class Session;

class SelectionEditor final : public QObject {
    Q_OBJECT
public:
    SelectionEditor(Session& session, OutcomeGrid& grid, ModeBar& modeBar, QWidget* window);

    // "Сбросить исходы": every mark cleared, as one step.
    void resetOutcomes();

private:
    void connectParts();
    void selectOutcomeCell(int col, int row);
    void editQuote(int col, int row, const QString& text);
    // The titles and every outcome cell from the draw.
    void showDraw();
    void showOutcomeCell(int event0, int outcome0);
    void showMarks();
    void repaintGrid();

    Session& session_;
    OutcomeGrid& grid_;
    ModeBar& modeBar_;
    QWidget* window_;
};

} // namespace kav::ui
