#include "ui/coverage/zone_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kav::ui {

namespace {
const QColor kGrey(204, 204, 204);
const QColor kTitle(170, 204, 170);
const QColor kYellow(255, 255, 0);
} // namespace

ZoneGrid::ZoneGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    texts_[0] = {QString(), QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")};
}

void ZoneGrid::setCellText(int col, int row, const QString& text) {
    texts_[row][col] = text;
    update(cellRect(col, row).adjusted(-1, -1, 1, 1));
}

void ZoneGrid::setHighlight(std::function<bool(int, int)> highlight) {
    highlight_ = std::move(highlight);
}

QRect ZoneGrid::cellRect(int col, int row) const {
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += kWidths[c] + 1;
    return {x, row * (kRowHeight + 1), kWidths[col], kRowHeight};
}

void ZoneGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    const QFontMetrics fm(bold);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const QRect r = cellRect(col, row);
            const QString& text = texts_[row][col];
            QColor fill = Qt::white, ink = Qt::black;
            bool centred = true, drawText = true;
            if (row == 0) {
                fill = kGrey;
                ink = Qt::blue;
            } else if (col == 0) {
                fill = kTitle;
                centred = false;
            } else if (selected(col, row)) {
                if (highlight_ && highlight_(row - 1, col - 1))
                    fill = kYellow;
            } else {
                drawText = false;
            }
            // The cell grown by one pixel, filled and outlined: the grid lines.
            p.fillRect(r.adjusted(-1, -1, 1, 1), fill);
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(-1, -1, 0, 0));
            if (!drawText)
                continue;
            p.setPen(ink);
            const int x = centred
                              ? (r.left() + r.left() + r.width() - fm.horizontalAdvance(text)) / 2
                              : r.left() + 2;
            p.drawText(x, r.top() + 2 + fm.ascent(), centred ? text.trimmed() : text);
        }
    }
}

void ZoneGrid::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    for (int row = 1; row < kRows; ++row)
        for (int col = 1; col < kColumns; ++col)
            if (cellRect(col, row).adjusted(0, 0, 1, 1).contains(pos)) {
                moveTo(col, row);
                return;
            }
}

void ZoneGrid::keyPressEvent(QKeyEvent* e) {
    int col = col_, row = row_;
    switch (e->key()) {
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    if (col >= 1 && col < kColumns && row >= 1 && row < kRows)
        moveTo(col, row);
}

void ZoneGrid::moveTo(int col, int row) {
    col_ = col;
    row_ = row;
    Q_EMIT selectCell(col, row);
}

} // namespace kav::ui
