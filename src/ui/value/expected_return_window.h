// ExpectedReturnWindow: the expected return of every line of the bet list,
// alone (the variant analysis's total payout of its variants times their
// stake) and as its share of the package (the package's winning variants
// sharing each category's fund), sortable, with the package's total and
// return in percent; and the list reduced to its best bets ("Оставить лучшие
// N", "Убрать ставки ниже", by either value), each one step the bet list's
// undo takes back. The computing runs in the background with
// progress and "Отмена".
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/analysis/analysis.h"
#include "core/value/expected_return.h"
#endif

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kav::ui {

class JobControl;
class JobRunner;
class Session;
struct JobOptions;

class ExpectedReturnWindow final : public QWidget {
    Q_OBJECT
public:
    explicit ExpectedReturnWindow(Session& session, QWidget* parent = nullptr);
    ~ExpectedReturnWindow() override;

    // Computes the returns of the session's list in the background.
    void recompute();
    bool busy() const;
    // Waits for a running job and its result (tests).
    void waitForJob();

private:
    void createLayout();
    void connectLayout();
    void showReturns(const kav::PackageReturn& returns, const kav::PackageReturn& inPackage);
    kav::ValueRule reductionRule() const;
    void keepBest();
    void removeBelow();
    // Runs a reduction of the list; its result replaces the list (one undo step).
    void runReduction(const JobOptions& options, std::function<kav::ReducedList(JobControl&)> work);
    // The analysis's inputs from the session: the totals as it reads them.
    kav::AnalysisInput input() const;
    // A list that does not parse is refused with the line that breaks it.
    bool listUsable();
    void markStale();

    Session& session_;
    std::unique_ptr<JobRunner> jobs_;
    kav::Lines computedLines_; // the list of the last computing
    QPushButton* computeButton_ = nullptr;
    QTableWidget* returnsTable_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QComboBox* ruleCombo_ = nullptr; // which value the reductions use
    QSpinBox* keepBestSpin_ = nullptr;
    QPushButton* keepBestButton_ = nullptr;
    QLineEdit* minimumEdit_ = nullptr;
    QPushButton* removeBelowButton_ = nullptr;
};

} // namespace kav::ui
