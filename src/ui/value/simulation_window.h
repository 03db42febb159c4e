// SimulationWindow: the bet list over many simulated draws. Each event's
// outcome is drawn from the quotes as probabilities (the seed can be set, so
// that a run can be repeated); the window shows the chance of a prize and of
// a profit, the mean return, a histogram of the return in multiples of the
// stake and the distribution of the best hits beside their exact chances.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/value/simulation.h"
#endif

#include <QWidget>

#include <memory>

class QChartView;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kav::ui {

class JobRunner;
class Session;

class SimulationWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SimulationWindow(Session& session, QWidget* parent = nullptr);
    ~SimulationWindow() override;

    // Runs the simulation of the session's list in the background.
    void simulate();
    bool busy() const;
    void waitForJob();
    const kav::SimulationResult& lastResult() const { return last_; }

private:
    void createLayout();
    void connectLayout();
    void showResult(const kav::SimulationResult& result);
    void showHistogram(const kav::SimulationResult& result);

    Session& session_;
    std::unique_ptr<JobRunner> jobs_;
    kav::SimulationResult last_;
    QSpinBox* drawsSpin_ = nullptr;
    QSpinBox* seedSpin_ = nullptr;
    QPushButton* simulateButton_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QChartView* histogramView_ = nullptr;
    QTableWidget* bestHitsTable_ = nullptr;
};

} // namespace kav::ui
