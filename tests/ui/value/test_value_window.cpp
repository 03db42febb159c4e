// The value of the package in the window: the expected-return table with its
// reductions of the list (undone as one step), the simulation window with its
// histogram, and the grid's value view.
#include "core/forming/condition_set.h"
#include "core/value/expected_return.h"
#include "core/value/package_return.h"
#include "core/value/simulation.h"
#include "ui/shell/main_window.h"
#include "ui/value/expected_return_window.h"
#include "ui/value/simulation_window.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include "support/shown_main_window.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using kav::test::child;
using kav::ui::ExpectedReturnWindow;
using kav::ui::MessageBoxHook;
using kav::ui::SimulationWindow;

namespace {

const std::string kUniform = "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                             "11-(1);12-(1);13-(1);14-(1);15-(1).";
const std::string kCoupon = "40;1-(1);2-(X);3-(1);4-(1);5-(2);6-(1);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(1);13-(1);14-(1);15-(1,X).";
const std::string kOther = "20;1-(2);2-(2);3-(X);4-(2);5-(2);6-(1);7-(2);8-(2);9-(2);10-(2);"
                           "11-(2);12-(X);13-(2);14-(2);15-(2).";
const kav::DrawTotals kTotals{"1000000", "500000", {100, 50, 30}, 60};

class ValueWindow : public kav::test::ShownMainWindow {
protected:
    kav::AnalysisInput input() {
        return kav::analysisInput(w->session().draw(), w->session().totals(),
                                  kav::AnalysedVariant{});
    }
    ExpectedReturnWindow* openReturns() {
        child<QAction>("expectedReturnAction")->trigger();
        auto* win = kav::test::child<ExpectedReturnWindow>(w, "expectedReturnWindow");
        win->waitForJob();
        return win;
    }
};

QString money(double v) {
    return QString::number(v, 'f', 2);
}

} // namespace

TEST_F(ValueWindow, ReturnColumnShowsEachLineAndSortsByValue) {
    w->session().setTotals(kTotals);
    const kav::Lines lines{kUniform, kCoupon, "не ставка", kOther};
    w->session().replaceBets(lines);
    auto* win = openReturns();
    auto* table = kav::test::child<QTableWidget>(win, "expectedReturnTable");
    const auto ev = kav::packageExpectedReturn(input(), lines, w->session().betList().total());
    const auto shared = kav::packageSharedReturn(input(), lines, w->session().betList().total());
    ASSERT_EQ(ev.status, kav::AnalysisStatus::Done);
    ASSERT_EQ(table->rowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(table->item(row, 0)->text(), QString::number(row + 1));
        EXPECT_EQ(table->item(row, 3)->text(),
                  row == 2 ? QStringLiteral("—") : money(ev.lines[row].value))
            << row;
        EXPECT_EQ(table->item(row, 4)->text(),
                  row == 2 ? QStringLiteral("—") : money(shared.lines[row].value))
            << row;
    }
    EXPECT_EQ(table->item(1, 2)->text(), QStringLiteral("2"));
    EXPECT_TRUE(kav::test::child<QLabel>(win, "returnSummaryLabel")
                    ->text()
                    .startsWith(QStringLiteral("Ожидаемый возврат: ") + money(shared.total)));

    // Sorted by the return, highest first; the line that is no bet last.
    table->sortItems(3, Qt::DescendingOrder);
    double previous = 1e300;
    for (int row = 0; row < 3; ++row) {
        const double v = table->item(row, 3)->text().toDouble();
        EXPECT_LE(v, previous);
        previous = v;
    }
    EXPECT_EQ(table->item(3, 0)->text(), QStringLiteral("3"));

    // A changed list empties the table until it is computed again.
    w->session().replaceBets({kOther});
    EXPECT_EQ(table->rowCount(), 0);
    QTest::mouseClick(kav::test::child<QPushButton>(win, "computeReturnsButton"), Qt::LeftButton);
    win->waitForJob();
    EXPECT_EQ(table->rowCount(), 1);
}

TEST_F(ValueWindow, ReductionsReplaceTheListAndUndoTakesThemBack) {
    w->session().setTotals(kTotals);
    const kav::Lines lines{kUniform, kCoupon, "не ставка", kOther};
    w->session().replaceBets(lines);
    auto* win = openReturns();
    kav::test::child<QSpinBox>(win, "keepBestSpin")->setValue(2);
    QTest::mouseClick(kav::test::child<QPushButton>(win, "keepBestButton"), Qt::LeftButton);
    win->waitForJob(); // the reduction, which starts the new computing
    win->waitForJob();
    const auto expected =
        kav::keepBestVariants(input(), lines, 2, nullptr, {}, kav::ValueRule::InPackage);
    ASSERT_EQ(expected.removedVariants, 2u);
    EXPECT_EQ(w->session().betLines(), expected.lines);
    EXPECT_EQ(kav::test::child<QTableWidget>(win, "expectedReturnTable")->rowCount(),
              static_cast<int>(expected.lines.size()));
    child<QAction>("undoAction")->trigger();
    EXPECT_EQ(w->session().betLines(), lines);

    // Below a typed amount; a text that is no amount changes nothing.
    auto* minimum = kav::test::child<QLineEdit>(win, "minimumReturnEdit");
    {
        MessageBoxHook hook;
        minimum->setText(QStringLiteral("много"));
        QTest::mouseClick(kav::test::child<QPushButton>(win, "removeBelowButton"), Qt::LeftButton);
        ASSERT_EQ(hook.shown().size(), 1u);
        EXPECT_EQ(hook.shown()[0].text, "Введите сумму ожидаемого возврата, например 12,5.");
        EXPECT_EQ(w->session().betLines(), lines);
    }
    minimum->setText(QStringLiteral("1000000,5"));
    QTest::keyClick(minimum, Qt::Key_Return);
    win->waitForJob();
    win->waitForJob();
    EXPECT_EQ(w->session().betLines(), kav::Lines{"не ставка"});
    child<QAction>("undoAction")->trigger();
    EXPECT_EQ(w->session().betLines(), lines);
}

TEST_F(ValueWindow, ReturnsWithoutPoolSayWhyAndShowNothing) {
    w->session().replaceBets({kOther});
    MessageBoxHook hook;
    auto* win = openReturns();
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Пул не является числом: «Edit1».");
    EXPECT_EQ(kav::test::child<QTableWidget>(win, "expectedReturnTable")->rowCount(), 0);
}

TEST_F(ValueWindow, SimulationShowsHistogramAndBestHitsForTheSeed) {
    w->session().setTotals(kTotals);
    w->session().replaceBets({kUniform, kCoupon, kOther});
    child<QAction>("simulationAction")->trigger();
    auto* win = kav::test::child<SimulationWindow>(w, "simulationWindow");
    kav::test::child<QSpinBox>(win, "drawsSpin")->setValue(5000);
    kav::test::child<QSpinBox>(win, "seedSpin")->setValue(17);
    QTest::mouseClick(kav::test::child<QPushButton>(win, "simulateButton"), Qt::LeftButton);
    win->waitForJob();
    const kav::SimulationResult first = win->lastResult();
    ASSERT_EQ(first.draws, 5000u);

    auto* table = kav::test::child<QTableWidget>(win, "bestHitsTable");
    std::uint64_t drawn = 0;
    for (int row = 0; row < table->rowCount(); ++row)
        drawn += table->item(row, 0)->text().toULongLong();
    EXPECT_EQ(drawn, 5000u);
    EXPECT_EQ(table->item(0, 0)->text(), QString::number(first.bestHits[15]));
    EXPECT_NE(table->item(0, 2)->text(), QStringLiteral("—")); // the exact chance is known

    auto* chart = kav::test::child<QChartView>(win, "returnHistogramView")->chart();
    ASSERT_EQ(chart->series().size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(chart->series().front());
    ASSERT_TRUE(bars);
    ASSERT_EQ(bars->barSets().front()->count(), kav::kReturnBins);
    double shares = 0;
    for (int i = 0; i < kav::kReturnBins; ++i)
        shares += bars->barSets().front()->at(i);
    EXPECT_NEAR(shares, 100, 1e-9);

    // The same seed draws the same again.
    QTest::keyClick(win, Qt::Key_F5);
    win->waitForJob();
    EXPECT_EQ(win->lastResult().bestHits, first.bestHits);
    EXPECT_EQ(win->lastResult().meanReturn, first.meanReturn);
}

TEST_F(ValueWindow, ValueViewColoursOutcomesByQuoteOverShare) {
    auto* grid = child<kav::ui::OutcomeGrid>("outcomeGrid");
    auto* view = child<QAction>("valueViewAction");
    const QString before = grid->cellText(1, 1);
    view->trigger();
    ASSERT_TRUE(grid->valueView());
    const auto& m = w->session().draw();
    for (int e : {0, 7, 14})
        for (int o = 0; o < kav::kOutcomes; ++o)
            // The grid shows, in hundredths, what the value-points condition sums.
            EXPECT_EQ(grid->valueOf(e, o),
                      static_cast<double>(*kav::valuePoints(m.quotes[e][o], m.poolShares[e][o])) /
                          100.0);
    EXPECT_EQ(grid->cellText(1, 1), before); // the quotes stay for editing
    grid->show();
    QTest::qWait(10);
    const QImage shot = grid->grab().toImage();
    const QRect cell = grid->cellRect(1, 1);
    const QColor painted = shot.pixelColor(cell.left() + 4, cell.top() + 4);
    EXPECT_EQ(painted, kav::ui::valueColour(*grid->valueOf(0, 0)));
    view->trigger();
    EXPECT_FALSE(grid->valueView());

    EXPECT_EQ(kav::ui::valueColour(1), QColor(Qt::white));
    EXPECT_EQ(kav::ui::valueColour(2), QColor(0x4c, 0xb0, 0x4c));
    EXPECT_EQ(kav::ui::valueColour(0.25), QColor(0xe0, 0x50, 0x50));
}
