// PackageValue: the value of the package. The expected-return window (the
// return of every line, the list reduced to its best bets), the simulation
// window, and the grid's view of each outcome's value.
#pragma once

#include <QObject>

class QMenu;
class QWidget;

namespace kav::ui {

class ExpectedReturnWindow;
class OutcomeGrid;
class Session;
class SimulationWindow;

class PackageValue final : public QObject {
    Q_OBJECT
public:
    PackageValue(Session& session, OutcomeGrid& grid, QWidget* window);

    // "Ожидаемый возврат ставок", "Моделирование тиражей", "Показывать ценность исходов".
    void fillMenu(QMenu* menu);
    void showExpectedReturns();
    void showSimulation();
    // The grid shows each outcome's quote over its pool share, coloured.
    void showValueView(bool on);

private:
    Session& session_;
    OutcomeGrid& grid_;
    QWidget* window_;
    ExpectedReturnWindow* expectedReturns_ = nullptr;
    SimulationWindow* simulation_ = nullptr;
};

} // namespace kav::ui
