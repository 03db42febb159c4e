// CategoryChart: the variant-analysis window's bar chart of the chances per
// category.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/analysis/analysis.h"
#endif

#include <QString>
#include <QWidget>

#include <array>

namespace kav::ui {

// The probability of each category 9..15 as bars, each labelled with the
// text the table shows for it.
class CategoryChart final : public QWidget {
    Q_OBJECT
public:
    explicit CategoryChart(QWidget* parent = nullptr);
    // Percent per category 9..15 and the texts written above the bars.
    void setValues(const std::array<double, kCategories>& percent,
                   const std::array<QString, kCategories>& labels);
    const std::array<double, kCategories>& values() const { return percent_; }
    // A chart of an analysis that no longer matches the inputs is drawn in grey.
    void setStale(bool stale);
    bool stale() const { return stale_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, kCategories> percent_{};
    std::array<QString, kCategories> labels_{};
    bool stale_ = false;
};

} // namespace kav::ui
