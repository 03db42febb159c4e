// HistoryWindow: the played packages of the draw archive. A table (draw date,
// country, bets, stake, best hits, winners per category, return, profit) that
// sorts by any column and filters by date, and a chart of stake and return
// per draw with the running balance. A double click opens the package.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/check/package_history.h"
#endif

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QChart;
class QChartView;
class QDateEdit;
class QLabel;
class QTableWidget;

namespace kav::ui {

struct HistoryEntry {
    std::int64_t packageId = 0;
    std::int64_t drawId = 0;
    std::string loadedAt; // "2026-12-07 17:30:05", UTC
    std::uint8_t drawCountry = 0;
    kav::HistoryRow row;
};

class HistoryWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget* parent = nullptr);

    // The packages, newest first as the archive lists them; the date filter
    // opens to their whole range.
    void showHistory(const std::vector<HistoryEntry>& entries);
    // The entries shown after the filter, in the table's order.
    int visibleRows() const;

Q_SIGNALS:
    void packageOpenRequested(std::int64_t packageId);

private:
    void createLayout();
    void connectLayout();
    void applyDateFilter();
    void showChart();
    // Puts `chart` in the view and the sums in the line above it.
    void setChart(QChart* chart, double stakeSum, double returnSum);

    std::vector<HistoryEntry> entries_;
    QDateEdit* fromDateEdit_ = nullptr;
    QDateEdit* toDateEdit_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QTableWidget* historyTable_ = nullptr;
    QChartView* chartView_ = nullptr;
};

} // namespace kav::ui
