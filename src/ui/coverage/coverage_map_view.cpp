#include "ui/coverage/coverage_map_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace kav::ui {

CoverageMapView::CoverageMapView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    viewport()->setPalette(pal);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
}

void CoverageMapView::setZone(const kav::Zone* zone) {
    zone_ = zone;
    updateScrollBars();
    viewport()->update();
}

int CoverageMapView::columnCount() const {
    return zone_ ? zone_->layout.cols : 0;
}
int CoverageMapView::rowCount() const {
    return zone_ ? zone_->layout.rows : 0;
}

void CoverageMapView::setCellSize(int size) {
    size_ = size;
    updateScrollBars();
    viewport()->update();
}

int CoverageMapView::fittingCellSize() const {
    const int cols = std::max(columnCount(), 1), rows = std::max(rowCount(), 1);
    return std::clamp(std::min(width() / cols, height() / rows) - 1, 5, 50);
}

int CoverageMapView::firstVisibleColumn() const {
    return horizontalScrollBar()->value();
}
int CoverageMapView::firstVisibleRow() const {
    return verticalScrollBar()->value();
}

void CoverageMapView::scrollTo(int firstColumn, int firstRow) {
    horizontalScrollBar()->setValue(firstColumn);
    verticalScrollBar()->setValue(firstRow);
}

int CoverageMapView::columnAt(int x) const {
    // Division rounding down, so a pixel left of the map gives a column before the first.
    const int step = size_ + 1;
    return (x >= 0 ? x / step : -((-x + step - 1) / step)) + firstVisibleColumn();
}

int CoverageMapView::rowAt(int y) const {
    const int step = size_ + 1;
    return (y >= 0 ? y / step : -((-y + step - 1) / step)) + firstVisibleRow();
}

QPoint CoverageMapView::cellOrigin(int col, int row) const {
    return {(col - firstVisibleColumn()) * (size_ + 1), (row - firstVisibleRow()) * (size_ + 1)};
}

void CoverageMapView::repaintResult(int index) {
    const int cols = columnCount();
    if (cols <= 0)
        return;
    const QPoint o = cellOrigin(index % cols, index / cols);
    viewport()->update(QRect(o, QSize(size_, size_)).adjusted(-1, -1, 1, 1));
}

QColor CoverageMapView::cellColour(const kav::ZoneResult& r) {
    const bool marked = r.marked();
    if (r.coverCount <= 0)
        return marked ? QColor(204, 204, 204) : QColor(255, 255, 255);
    if (r.coverCount == 1)
        return marked ? QColor(0, 204, 0) : QColor(0, 255, 0);
    return marked ? QColor(0, 0, 136) : QColor(0, 0, 255);
}

void CoverageMapView::paintEvent(QPaintEvent* e) {
    if (!zone_ || zone_->results.empty() || columnCount() <= 0)
        return;
    QPainter p(viewport());
    const int step = size_ + 1;
    const QRect dirty = e->rect();
    const int cols = columnCount(), rows = rowCount();
    const int c0 = std::max(firstVisibleColumn() + dirty.left() / step - 1, 0);
    const int c1 = std::min(firstVisibleColumn() + dirty.right() / step + 1, cols - 1);
    const int r0 = std::max(firstVisibleRow() + dirty.top() / step - 1, 0);
    const int r1 = std::min(firstVisibleRow() + dirty.bottom() / step + 1, rows - 1);
    for (int row = r0; row <= r1; ++row) {
        for (int col = c0; col <= c1; ++col) {
            const auto& r = zone_->results[static_cast<std::size_t>(row * cols + col)];
            const QRect cell(cellOrigin(col, row), QSize(size_, size_));
            p.fillRect(cell.adjusted(-1, -1, 1, 1), cellColour(r));
            p.setPen(Qt::black);
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell.adjusted(-1, -1, 0, 0));
            const auto hover = r.hover();
            if (hover == kav::kHoverNear || hover == kav::kHoverCurrent) {
                p.setBrush(hover == kav::kHoverNear ? QColor(255, 221, 221) : QColor(255, 0, 0));
                p.drawEllipse(cell.adjusted(0, 0, -1, -1));
            }
        }
    }
}

void CoverageMapView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    Q_EMIT pointerMoved(pos.x(), pos.y());
}

void CoverageMapView::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    Q_EMIT buttonReleased(e->button(), pos.x(), pos.y());
}

void CoverageMapView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void CoverageMapView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CoverageMapView::updateScrollBars() {
    const int step = size_ + 1;
    const QSize vp = viewport()->size();
    // Scrolled by whole cells: the last position shows the last cell entirely.
    const int fullCols = std::max(vp.width() / step, 1), fullRows = std::max(vp.height() / step, 1);
    horizontalScrollBar()->setRange(0, std::max(columnCount() - fullCols, 0));
    verticalScrollBar()->setRange(0, std::max(rowCount() - fullRows, 0));
    horizontalScrollBar()->setPageStep(fullCols);
    verticalScrollBar()->setPageStep(fullRows);
}

} // namespace kav::ui
