#include "ui/value/package_value.h"

#include "core/forming/condition_set.h"
#include "ui/common/session.h"
#include "ui/value/expected_return_window.h"
#include "ui/value/simulation_window.h"
#include "ui/widgets/outcome_grid.h"

#include <QAction>
#include <QMenu>

namespace kav::ui {

PackageValue::PackageValue(Session& session, OutcomeGrid& grid, QWidget* window)
    : QObject(window), session_(session), grid_(grid), window_(window) {}

void PackageValue::fillMenu(QMenu* menu) {
    QAction* returns = menu->addAction(tr("Ожидаемый возврат ставок"));
    returns->setObjectName(QStringLiteral("expectedReturnAction"));
    returns->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    connect(returns, &QAction::triggered, this, [this] { showExpectedReturns(); });
    QAction* simulation = menu->addAction(tr("Моделирование тиражей"));
    simulation->setObjectName(QStringLiteral("simulationAction"));
    simulation->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    connect(simulation, &QAction::triggered, this, [this] { showSimulation(); });
    menu->addSeparator();
    QAction* view = menu->addAction(tr("Показывать ценность исходов"));
    view->setObjectName(QStringLiteral("valueViewAction"));
    view->setCheckable(true);
    view->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    connect(view, &QAction::toggled, this, [this](bool on) { showValueView(on); });
}

void PackageValue::showExpectedReturns() {
    if (!expectedReturns_)
        expectedReturns_ = new ExpectedReturnWindow(session_, window_);
    expectedReturns_->show();
    expectedReturns_->raise();
    expectedReturns_->activateWindow();
    if (!session_.betList().empty())
        expectedReturns_->recompute();
}

void PackageValue::showSimulation() {
    if (!simulation_)
        simulation_ = new SimulationWindow(session_, window_);
    simulation_->show();
    simulation_->raise();
    simulation_->activateWindow();
}

void PackageValue::showValueView(bool on) {
    if (!on) {
        grid_.setValueFunction({});
        return;
    }
    // Read at every paint, so the view follows the quotes as they change. The
    // ratio shown is the one the value-points condition sums, in hundredths.
    grid_.setValueFunction([this](int event0, int outcome0) -> std::optional<double> {
        const kav::DrawModel& m = session_.draw();
        const auto points =
            kav::valuePoints(m.quotes[event0][outcome0], m.poolShares[event0][outcome0]);
        if (!points)
            return std::nullopt;
        return static_cast<double>(*points) / 100.0;
    });
}

} // namespace kav::ui
