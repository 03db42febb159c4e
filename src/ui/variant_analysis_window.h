// VariantAnalysisWindow: the variant-analysis window. The player picks one outcome per event
// in StringGrid2; the chances and payouts per category are computed off the
// user-interface thread and shown in StringGrid1 and as a bar chart.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/analysis/analysis.h"
#endif

#include <QThreadPool>
#include <QWidget>

#include <array>
#include <atomic>
#include <memory>

class QLabel;
class QLineEdit;
class QSplitter;
class QTableWidget;
class QTimer;

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, kCategories> percent_{};
    std::array<QString, kCategories> labels_{};
};

class VariantAnalysisWindow final : public QWidget {
    Q_OBJECT
public:
    // `model` is the main window's draw; it must outlive the window.
    explicit VariantAnalysisWindow(const DrawModel& model, QWidget* parent = nullptr);
    ~VariantAnalysisWindow() override;

    // The menu command: hides a visible window; otherwise pre-selects per event
    // "X", else "2", else "1" among the marked outcomes and shows the window.
    void openVariantAnalysis();

    // Row title of an event (0-based), written by the draw loaders.
    void setRowTitle(int event0, const QString& title);
    QString rowTitle(int event0) const;
    // The counts of the all-"1", all-"X", all-"2" bets and their mean.
    void setUniformCounts(const std::array<std::int32_t, 3>& counts, std::int32_t mean);
    // Pool and jackpot texts (Edit1, Edit2) and the counts, as one analysis reads them.
    DrawTotals totals() const;
    // Writes all of it; the field texts restart the typing pause like an edit.
    void setTotals(const DrawTotals& totals);

    const AnalysedVariant& analysedVariant() const { return analysedVariant_; }
    // Puts the "x" marks of a whole bet into StringGrid2 without analysing.
    void setAnalysedVariant(const AnalysedVariant& variant);

    // Starts an analysis of the current inputs; a newer one supersedes it.
    void analyseVariant();
    // True while an analysis has been asked for and its result not yet shown.
    bool analysisPending() const { return pending_; }

    // Controls, named as the program's documentation names them.
    QWidget* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    QTableWidget* StringGrid2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label3 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QLabel* Label4 = nullptr; // one line below the table: why there is no new result
    CategoryChart* PaintBox1 = nullptr;
    QTimer* Timer1 = nullptr;

Q_SIGNALS:
    // Shown (true) or hidden (false): the main menu's item follows it.
    void visibilityChanged(bool shown);
    // An analysis ended and its table or its problem line is on screen.
    void analysisFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createLayout();
    void connectLayout();
    void StringGrid2SelectCell(int column, int row);
    void Timer1Timer();
    void showOutcome(const AnalysisOutcome& outcome, quint64 generation);
    void writeTable(const CategoryValues& values);

    const DrawModel& model_;
    AnalysedVariant analysedVariant_{};
    std::array<std::int32_t, 3> uniformCounts_{};
    std::int32_t uniformCountMean_ = 0;

    QThreadPool workers_;
    std::shared_ptr<std::atomic<bool>> cancelCurrent_;
    quint64 generation_ = 0;
    bool pending_ = false;
};

} // namespace kav::ui
