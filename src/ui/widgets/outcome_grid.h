// OutcomeGrid: the main window's outcome grid. Row 0 is the header, rows 1..15 the events;
// column 0 the titles, columns 1..3 the outcomes "1", "X", "2". The grid paints
// every cell itself and reports the two events the window acts on: a cell the
// player marks (selectCell: a click, or Space or Enter on the current cell; the
// arrows, Tab and Home/End only move the cursor) and the text typed into a
// cell's editor once the player commits it (quoteEntered).
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/draw/draw_model.h"
#include "core/forming/packet_mode.h"
#endif

#include <QColor>
#include <QPointer>
#include <QTableWidget>

#include <array>
#include <functional>
#include <optional>

class QLineEdit;

namespace kav::ui {

enum class CellFill { White, Green, Yellow };

// What the colour of a marked outcome depends on besides the model.
struct GridPaintState {
    kav::PacketMode mode = kav::PacketMode::BriefSystems;
    bool byQuotes = true;       // sensations by quotes ("БК")
    bool byPool = false;        // sensations by the pool ("пул")
    int threshold = 25;         // the sensation threshold
    bool forcedChecked = false; // "Начать с..." checked
};

// The colour of an outcome's value (quote over pool share) in the value view:
// white at 1, towards red the more the public over-plays the outcome, towards
// green the more it under-plays it (full at half and at twice).
QColor valueColour(double ratio);

// Fill of an outcome cell (0-based event and outcome).
CellFill outcomeCellFill(const kav::DrawModel& m, const GridPaintState& s, int event0,
                         int outcome0);

class OutcomeGrid final : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22; // without the grid line
    static constexpr int kColumns = 4;
    static constexpr int kRows = 16;

    explicit OutcomeGrid(QWidget* parent = nullptr);

    void setCellText(int col, int row, const QString& text);
    QString cellText(int col, int row) const;

    // Editing on: a click on the current cell or a typed key opens the cell's editor,
    // ranges are off. Editing off: Shift+click and drags select ranges.
    void setEditing(bool on);
    bool editing() const { return editing_; }

    // The colour of a marked outcome cell; unmarked cells are always white.
    void setFillFunction(std::function<CellFill(int event0, int outcome0)> fill);
    CellFill fillOf(int event0, int outcome0) const;

    // The value view: outcome cells show `value` (two decimals, coloured by
    // valueColour; a marked cell keeps its fill as a frame) instead of their
    // texts, which stay as they are for editing. An empty function ends it.
    void setValueFunction(std::function<std::optional<double>(int event0, int outcome0)> value);
    bool valueView() const { return static_cast<bool>(value_); }
    std::optional<double> valueOf(int event0, int outcome0) const;

    // Widths of the cells without their grid line. The outcome columns only grow
    // to fit their texts; setting them small lets them fit anew. The title column
    // fits the current titles, never narrower than its floor (the designed width,
    // or what setAllColumnWidths set) and never wider than kWidestTitleColumn:
    // a longer title is shown shortened, its whole text as the cell's tooltip.
    static constexpr int kWidestTitleColumn = 300;
    int columnWidthOf(int col) const { return widths_[col]; }
    void setAllColumnWidths(int width);
    // The grid's width with its columns at those widths; its size hint. Given
    // more or less room (the splitter beside it), the title column takes up
    // the difference.
    int fittedWidth() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // True while a title is cut short in its cell (row 1..15).
    bool titleElided(int row) const;

    QFont cellFont(bool bold) const;
    QRect cellRect(int col, int row) const { return visualRect(model()->index(row, col)); }

Q_SIGNALS:
    void selectCell(int col, int row);
    // The fitted width changed (new titles), or the grid was shown.
    void fittedWidthChanged(int width);
    // Enter, Tab or leaving the cell with a changed text; the cell still holds
    // its old text, which the receiver rewrites as it sees fit.
    void quoteEntered(int col, int row, const QString& text);
    // Ctrl+Shift+V in the grid: a table of matches to read from the clipboard.
    void pasteTableRequested();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    friend class GridDelegate;
    void fitColumns();
    void applyWidths();
    // Column 0 takes the room the outcome columns leave; the tooltips of the
    // titles it cuts short.
    void fitTitleSection();
    void openEditorAt(const QModelIndex& idx);

    bool editing_ = false;
    int titleFloor_ = 142;
    bool fitting_ = false;
    bool dragging_ = false;
    std::array<int, kColumns> widths_{};
    std::function<CellFill(int, int)> fill_;
    std::function<std::optional<double>(int, int)> value_;
    QPointer<QLineEdit> editor_;
};

} // namespace kav::ui
