// CoverageMapView: the coverage map surface. A grid of square cells of one size
// (5 to 50 pixels) with 1-pixel black lines, one cell per zone result, coloured
// by its cover count, marker and hover state. It scrolls by whole cells, like
// a cell grid, and reports pointer moves and button releases in its own pixels.
#pragma once

#ifndef Q_MOC_RUN
#include "core/coverage/coverage.h"
#endif

#include <QAbstractScrollArea>

namespace kav::ui {

class CoverageMapView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CoverageMapView(QWidget* parent = nullptr);

    // The zone drawn; owned by the window, which repaints after changing it.
    void setZone(const kav::Zone* zone);
    int columnCount() const;
    int rowCount() const;

    int cellSize() const { return size_; }
    void setCellSize(int size);
    // Cell size for the current zone and outer size: min(width div cols,
    // height div rows) - 1, kept within 5..50.
    int fittingCellSize() const;

    int firstVisibleColumn() const;
    int firstVisibleRow() const;
    void scrollTo(int firstColumn, int firstRow);

    // Column and row under a viewport pixel (may lie off the map).
    int columnAt(int x) const;
    int rowAt(int y) const;
    // Top-left viewport pixel of a cell (may lie outside the viewport).
    QPoint cellOrigin(int col, int row) const;
    void repaintResult(int index);

    // The fill of a cell by its cover count and marker (hover discs aside).
    static QColor cellColour(const kav::ZoneResult& r);

Q_SIGNALS:
    void pointerMoved(int x, int y);
    void buttonReleased(Qt::MouseButton button, int x, int y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();

    const kav::Zone* zone_ = nullptr;
    int size_ = 5;
};

} // namespace kav::ui
