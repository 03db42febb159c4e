#include "ui/widgets/category_chart.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kav::ui {

CategoryChart::CategoryChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 140);
    setObjectName(QStringLiteral("categoryChart"));
}

void CategoryChart::setValues(const std::array<double, kCategories>& percent,
                              const std::array<QString, kCategories>& labels) {
    percent_ = percent;
    labels_ = labels;
    update();
}

void CategoryChart::setStale(bool stale) {
    if (stale_ == stale)
        return;
    stale_ = stale;
    update();
}

void CategoryChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics fm(font());
    const int line = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRect(0, 2, width(), line), Qt::AlignHCenter, tr("Вероятность по категориям, %"));
    if (stale_)
        p.setPen(Qt::gray);

    const QRect plot(8, 4 + 2 * line, width() - 16, height() - 8 - 4 * line);
    if (plot.width() < kCategories * 4 || plot.height() < 4)
        return;
    double top = 0;
    for (double v : percent_)
        if (std::isfinite(v))
            top = std::max(top, v);
    const int slot = plot.width() / kCategories;
    const int bar = std::max(2, slot * 3 / 5);
    p.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());
    for (int i = 0; i < kCategories; ++i) {
        const int left = plot.left() + i * slot + (slot - bar) / 2;
        const double v = std::isfinite(percent_[i]) ? std::max(0.0, percent_[i]) : 0;
        const int h = top > 0 ? static_cast<int>(std::lround(v / top * plot.height())) : 0;
        // A bar too small to see still gets one pixel so that it is not taken for zero.
        const int shown = v > 0 ? std::max(1, h) : 0;
        p.fillRect(QRect(left, plot.bottom() - shown, bar, shown),
                   stale_ ? QColor(Qt::lightGray) : QColor(70, 130, 180));
        p.drawText(QRect(plot.left() + i * slot, plot.bottom() - shown - line - 1, slot, line),
                   Qt::AlignHCenter, labels_[i]);
        p.drawText(QRect(plot.left() + i * slot, plot.bottom() + 2, slot, line), Qt::AlignHCenter,
                   QString::number(kFirstCategory + i));
    }
}

} // namespace kav::ui
