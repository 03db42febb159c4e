// VariantAnalysisWindow: the variant-analysis window. The player picks one
// outcome per event in the variant grid; the chances and payouts per category
// are computed off the user-interface thread and shown in the result table and
// as a bar chart.
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
class QTableWidget;
class QTimer;

namespace kav::ui {

class CategoryChart;
class Session;

class VariantAnalysisWindow final : public QWidget {
    Q_OBJECT
public:
    // The window shows the session's draw, totals and row titles; the session
    // must outlive the window.
    explicit VariantAnalysisWindow(Session& session, QWidget* parent = nullptr);
    ~VariantAnalysisWindow() override;

    // The menu command: hides a visible window; otherwise pre-selects per event
    // "X", else "2", else "1" among the marked outcomes and shows the window.
    void openVariantAnalysis();

    // Row title of an event (0-based) as the grid shows it.
    QString rowTitle(int event0) const;
    // The session's pool and jackpot texts and counts, as one analysis reads them.
    const DrawTotals& totals() const;
    // Writes them into the session; the field texts restart the typing pause
    // like an edit.
    void setTotals(const DrawTotals& totals);

    const AnalysedVariant& analysedVariant() const { return analysedVariant_; }
    // Puts the "x" marks of a whole bet into the variant grid without analysing.
    void setAnalysedVariant(const AnalysedVariant& variant);

    // Starts an analysis of the current inputs; a newer one supersedes it.
    void analyseVariant();
    // True while an analysis has been asked for and its result not yet shown.
    bool analysisPending() const { return pending_; }

    // True while the table and chart show an older analysis than the inputs:
    // the last one could not run. They are greyed until one runs again.
    bool resultsStale() const { return resultsStale_; }

    // The caption tells the moment the draw's quotes and pool were read.
    void showSnapshotTime(const QString& time);

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
    QWidget* createSelectionPanel();
    QWidget* createResults();
    void connectLayout();
    void chooseOutcome(int column, int row);
    void analyseAfterTypingPause();
    void showOutcome(const AnalysisOutcome& outcome, quint64 generation);
    void writeTable(const CategoryValues& values);
    void setResultsStale(bool stale);
    // The title column as wide as the titles (within a limit), the grid and
    // its panel as wide as their columns.
    void fitTitleColumn();

    // The session's totals into the fields (a typed text is left as it is).
    void showTotals();
    void setRowTitle(int event0, const QString& title);

    Session& session_;
    // Set while the session's totals are written into the fields.
    bool showingTotals_ = false;
    const DrawModel& model_;
    QWidget* selectionPanel_ = nullptr;
    QTableWidget* variantGrid_ = nullptr;
    QLineEdit* poolEdit_ = nullptr;
    QLineEdit* jackpotEdit_ = nullptr;
    QTableWidget* resultTable_ = nullptr;
    QLabel* problemLabel_ = nullptr; // one line below the table: why there is no new result
    CategoryChart* categoryChart_ = nullptr;
    // Typing in the pool or jackpot field analyses once the typing pauses.
    QTimer* typingPauseTimer_ = nullptr;
    AnalysedVariant analysedVariant_{};

    QThreadPool workers_;
    std::shared_ptr<std::atomic<bool>> cancelCurrent_;
    quint64 generation_ = 0;
    bool pending_ = false;
    bool resultsStale_ = false;
};

} // namespace kav::ui
