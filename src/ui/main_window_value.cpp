// MainWindow: the value of the package. The expected-return window (the
// return of every line, the list reduced to its best bets), the simulation
// window, and the grid's view of each outcome's value.
#include "core/value/expected_return.h"
#include "ui/expected_return_window.h"
#include "ui/main_window.h"

#include "core/forming/condition_set.h"
#include "ui/outcome_grid.h"
#include "ui/simulation_window.h"

#include <QAction>
#include <QMenu>

namespace kav::ui {

void MainWindow::createValueMenu(QMenu* menu) {
    expectedReturnAction_ = menu->addAction(QStringLiteral("Ожидаемый возврат ставок"));
    expectedReturnAction_->setObjectName(QStringLiteral("expectedReturnAction"));
    expectedReturnAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    connect(expectedReturnAction_, &QAction::triggered, this, [this] { showExpectedReturns(); });
    simulationAction_ = menu->addAction(QStringLiteral("Моделирование тиражей"));
    simulationAction_->setObjectName(QStringLiteral("simulationAction"));
    simulationAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    connect(simulationAction_, &QAction::triggered, this, [this] { showSimulation(); });
    menu->addSeparator();
    valueViewAction_ = menu->addAction(QStringLiteral("Показывать ценность исходов"));
    valueViewAction_->setObjectName(QStringLiteral("valueViewAction"));
    valueViewAction_->setCheckable(true);
    valueViewAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    connect(valueViewAction_, &QAction::toggled, this, [this](bool on) { toggleValueView(on); });
}

void MainWindow::showExpectedReturns() {
    if (!expectedReturns_)
        expectedReturns_ = new ExpectedReturnWindow(session_, this);
    expectedReturns_->show();
    expectedReturns_->raise();
    expectedReturns_->activateWindow();
    if (!session_.betList().empty())
        expectedReturns_->recompute();
}

void MainWindow::showSimulation() {
    if (!simulation_)
        simulation_ = new SimulationWindow(session_, this);
    simulation_->show();
    simulation_->raise();
    simulation_->activateWindow();
}

void MainWindow::toggleValueView(bool on) {
    if (!on) {
        outcomeGrid_->setValueFunction({});
        return;
    }
    // Read at every paint, so the view follows the quotes as they change. The
    // ratio shown is the one the value-points condition sums, in hundredths.
    outcomeGrid_->setValueFunction([this](int event0, int outcome0) -> std::optional<double> {
        const auto points = kav::valuePoints(model().quotes[event0][outcome0],
                                             model().poolShares[event0][outcome0]);
        if (!points)
            return std::nullopt;
        return static_cast<double>(*points) / 100.0;
    });
}

} // namespace kav::ui
