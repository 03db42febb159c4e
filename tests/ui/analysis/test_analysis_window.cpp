// The variant-analysis window driven as a player would: opening, clicks in
// the outcome grid, typing in the pool field, faults.
#include "support/shown_main_window.h"
#include "ui/analysis/variant_analysis_window.h"
#include "ui/common/session.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/category_chart.h"

#include <QAction>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using kav::test::child;
using kav::ui::CategoryChart;

namespace {

using kav::ui::VariantAnalysisWindow;

// The draw of the documented worked example.
kav::DrawModel workedDraw() {
    kav::DrawModel m;
    for (int e = 0; e < kav::kEvents; ++e) {
        m.quotes[e] = {kav::Fixed4::fromInt(45), kav::Fixed4::fromInt(28),
                       kav::Fixed4::fromInt(27)};
        m.poolShares[e] = {kav::Fixed4::fromInt(50), kav::Fixed4::fromInt(25),
                           kav::Fixed4::fromInt(25)};
    }
    m.drawCountry = kav::kRussia;
    return m;
}

const kav::DrawTotals kWorkedTotals{"1000000", "1000000", {100, 50, 30}, 60};

std::vector<std::string> column(const VariantAnalysisWindow& w, int c) {
    std::vector<std::string> out;
    for (int r = 1; r < child<QTableWidget>(w, "resultTable")->rowCount(); ++r)
        out.push_back(child<QTableWidget>(w, "resultTable")->item(r, c)->text().toStdString());
    return out;
}

// Runs `action` and waits until the window has shown the analysis it caused.
template <class Action> bool analysedAfter(VariantAnalysisWindow& w, Action action) {
    QSignalSpy spy(&w, &VariantAnalysisWindow::analysisFinished);
    action();
    return spy.wait(10000);
}

QColor cellColour(QTableWidget* grid, int row, int column) {
    const QImage image = grid->viewport()->grab().toImage();
    const QRect r = grid->visualRect(grid->model()->index(row, column));
    return image.pixelColor(r.center().x(), r.bottom() - 2);
}

TEST(AnalysisWindow, OpeningPreselectsAndTheMenuCaptionFollows) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    model.selection[0] = {1, 1, 1}; // "X" first
    model.selection[1] = {1, 0, 1}; // then "2"
    model.selection[2] = {0, 0, 1};
    model.selection[3] = {1, 0, 0}; // "1", as for nothing marked
    VariantAnalysisWindow w(session);
    std::vector<bool> shown;
    QObject::connect(&w, &VariantAnalysisWindow::visibilityChanged,
                     [&shown](bool s) { shown.push_back(s); });
    w.setTotals(kWorkedTotals);

    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.analysedVariant(), *kav::parseAnalysedVariant("X22111111111111"));
    EXPECT_EQ(child<QTableWidget>(w, "variantGrid")->item(1, 2)->text().toStdString(), "x");
    EXPECT_EQ(child<QTableWidget>(w, "variantGrid")->item(1, 1)->text().toStdString(), "");
    EXPECT_EQ(child<QTableWidget>(w, "variantGrid")->item(2, 3)->text().toStdString(), "x");

    w.openVariantAnalysis();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
}

TEST(AnalysisWindow, ShowsTheWorkedExampleTableAndChart) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    model.selection[14] = {0, 1, 0};
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    EXPECT_EQ(child<QTableWidget>(w, "resultTable")->item(0, 1)->text().toStdString(),
              "Вероятность, %");
    EXPECT_EQ(column(w, 1), (std::vector<std::string>{"9.4", "4.4", "1.5", "0.4", "0.07", "0.0077",
                                                      "0.00039", "15.8"}));
    EXPECT_EQ(column(w, 2), (std::vector<std::string>{"0.17", "0.082", "0.039", "0.018", "0.017",
                                                      "0.014", "0.13", "0.464"}));
    EXPECT_EQ(child<QLabel>(w, "problemLabel")->text().toStdString(), "");
    EXPECT_NEAR(child<CategoryChart>(w, "categoryChart")->values()[0], 9.4, 0.05);
    EXPECT_GT(child<CategoryChart>(w, "categoryChart")->values()[0],
              child<CategoryChart>(w, "categoryChart")->values()[1]);
}

TEST(AnalysisWindow, ClickMovesTheMarkAndRecomputes) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    const QString before = child<QTableWidget>(w, "resultTable")->item(8, 1)->text();

    QTableWidget* grid = child<QTableWidget>(w, "variantGrid");
    const QRect xCell = grid->visualRect(grid->model()->index(15, 2));
    ASSERT_TRUE(analysedAfter(
        w, [&] { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, xCell.center()); }));
    EXPECT_EQ(w.analysedVariant()[14], 2);
    EXPECT_EQ(grid->item(15, 1)->text().toStdString(), " ");
    EXPECT_EQ(grid->item(15, 2)->text().toStdString(), "x");
    EXPECT_EQ(child<QTableWidget>(w, "resultTable")->item(8, 1)->text().toStdString(), "15.8");
    EXPECT_NE(before.toStdString(), "15.8");

    EXPECT_EQ(cellColour(grid, 15, 2), QColor(204, 255, 204));
    EXPECT_EQ(cellColour(grid, 15, 1), QColor(Qt::white));
    EXPECT_EQ(cellColour(grid, 15, 3), QColor(Qt::white));
    EXPECT_EQ(cellColour(grid, 0, 1), QColor(204, 204, 204));
    EXPECT_EQ(cellColour(grid, 3, 0), QColor(170, 204, 170));
}

TEST(AnalysisWindow, FocusAloneChangesNoOutcome) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    model.selection[0] = {0, 0, 1};
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    w.openVariantAnalysis();
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    // Tabbing into the grid makes a cell current; it must not be taken as a choice.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(child<QTableWidget>(w, "variantGrid"), &focusIn);
    EXPECT_EQ(w.analysedVariant()[0], 3);
    EXPECT_EQ(child<QTableWidget>(w, "variantGrid")->item(1, 3)->text().toStdString(), "x");
}

TEST(AnalysisWindow, HeaderAndTitlesCannotBeSelected) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    QTableWidget* grid = child<QTableWidget>(w, "variantGrid");
    ASSERT_TRUE(analysedAfter(w, [&] { grid->setCurrentCell(1, 1); }));
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(4, 0)).center());
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(w.analysedVariant(), *kav::parseAnalysedVariant("111111111111111"));
}

TEST(AnalysisWindow, TypingAnalysesOnceAfterAPause) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    QSignalSpy spy(&w, &VariantAnalysisWindow::analysisFinished);
    child<QLineEdit>(w, "poolEdit")->clear();
    QTest::keyClicks(child<QLineEdit>(w, "poolEdit"), QStringLiteral("20000"));
    EXPECT_TRUE(child<QTimer>(w, "typingPauseTimer")->isActive());
    EXPECT_FALSE(w.analysisPending());
    QTest::qWait(600);
    EXPECT_EQ(spy.count(), 0);
    ASSERT_TRUE(spy.wait(3000));
    QTest::qWait(300);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(child<QTimer>(w, "typingPauseTimer")->isActive());
}

TEST(AnalysisWindow, TotalsLoadedBeforeTheFirstOpeningGiveZeros) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    VariantAnalysisWindow w(session);
    EXPECT_EQ(w.windowTitle().toStdString(), "Анализ варианта (по состоянию на");
    // The fields start with the texts a quotes file stores for totals never loaded.
    EXPECT_EQ(child<QLineEdit>(w, "poolEdit")->text().toStdString(), kav::DrawTotals{}.poolText);
    // Nothing chosen yet: every event is a miss, no result is within reach.
    ASSERT_TRUE(analysedAfter(w, [&] { w.setTotals(kWorkedTotals); }));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(column(w, 1), (std::vector<std::string>{"0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(child<QLabel>(w, "problemLabel")->text().toStdString(), "");
}

TEST(AnalysisWindow, FaultIsOneLineAndTheTableStays) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    const auto table = column(w, 1);

    model.poolShares[6][2] = kav::Fixed4();
    ASSERT_TRUE(analysedAfter(w, [&] { w.analyseVariant(); }));
    EXPECT_EQ(child<QLabel>(w, "problemLabel")->text().toStdString(),
              "Анализ невозможен: доля пула исхода «2» в событии 7 равна 0.");
    EXPECT_EQ(column(w, 1), table);

    ASSERT_TRUE(analysedAfter(
        w, [&] { child<QLineEdit>(w, "jackpotEdit")->setText(QStringLiteral("много")); }));
    EXPECT_EQ(child<QLabel>(w, "problemLabel")->text().toStdString(),
              "Джек-пот не является числом: «много».");

    model.poolShares[6][2] = kav::Fixed4::fromInt(25);
    ASSERT_TRUE(analysedAfter(
        w, [&] { child<QLineEdit>(w, "jackpotEdit")->setText(QStringLiteral("1000000")); }));
    EXPECT_EQ(child<QLabel>(w, "problemLabel")->text().toStdString(), "");
    EXPECT_EQ(column(w, 1), table);
}

// Russian players type the pool and jackpot with a comma: the result is that
// of the same numbers with a point, and the fields keep what was typed.
TEST(AnalysisWindow, CommaInPoolAndJackpotIsADecimalSeparator) {
    kav::ui::Session session;
    session.draw() = workedDraw();
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    const auto typeTotals = [&](const char* pool, const char* jackpot) {
        return analysedAfter(w, [&] {
            child<QLineEdit>(w, "poolEdit")->setText(QString::fromUtf8(pool));
            child<QLineEdit>(w, "jackpotEdit")->setText(QString::fromUtf8(jackpot));
        });
    };
    ASSERT_TRUE(typeTotals("2500000.5", "730000.25"));
    const auto withPoint = column(w, 2);
    ASSERT_TRUE(typeTotals("1000000", "1000000"));
    ASSERT_NE(column(w, 2), withPoint);

    ASSERT_TRUE(typeTotals("2 500 000,5", "730000,25"));
    EXPECT_EQ(child<QLabel>(w, "problemLabel")->text().toStdString(), "");
    EXPECT_EQ(column(w, 2), withPoint);
    EXPECT_EQ(w.totals().poolText, "2 500 000,5");
    EXPECT_EQ(w.totals().jackpotText, "730000,25");
}

// When an analysis cannot run, the table and chart still show the last one that
// did: they are greyed so that nobody takes them for the current inputs'.
TEST(AnalysisWindow, AFailedAnalysisGreysTheOlderResults) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    auto* table = child<QTableWidget>(w, "resultTable");
    auto* chart = child<CategoryChart>(w, "categoryChart");
    const auto inkOf = [&](int row, int col) {
        return table->item(row, col)->foreground().color();
    };
    EXPECT_FALSE(w.resultsStale());
    EXPECT_FALSE(chart->stale());
    const QColor freshInk = table->item(3, 1)->foreground().style() == Qt::NoBrush
                                ? table->palette().color(QPalette::Text)
                                : inkOf(3, 1);

    model.poolShares[6][2] = kav::Fixed4();
    ASSERT_TRUE(analysedAfter(w, [&] { w.analyseVariant(); }));
    EXPECT_TRUE(w.resultsStale());
    EXPECT_TRUE(chart->stale());
    for (int r = 1; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            EXPECT_EQ(inkOf(r, c), QColor(Qt::gray)) << r << "," << c;

    model.poolShares[6][2] = kav::Fixed4::fromInt(25);
    ASSERT_TRUE(analysedAfter(w, [&] { w.analyseVariant(); }));
    EXPECT_FALSE(w.resultsStale());
    EXPECT_FALSE(chart->stale());
    EXPECT_EQ(table->item(3, 1)->foreground().style(), Qt::NoBrush);
    EXPECT_NE(freshInk, QColor(Qt::gray));
}

// The titles fit their column, which stays inside the selection panel; a very
// long one is shortened with its whole text as the tooltip.
TEST(AnalysisWindow, TitleColumnFitsTheTitles) {
    kav::ui::Session session;
    session.draw() = workedDraw();
    VariantAnalysisWindow w(session);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* grid = child<QTableWidget>(w, "variantGrid");
    auto* panel = child<QWidget>(w, "selectionPanel");
    QFont titleFont = grid->font();
    titleFont.setBold(true);
    titleFont.setPointSize(10);
    const QFontMetrics fm(titleFont);
    const auto lastColumnEnd = [&] {
        return grid->columnViewportPosition(3) + grid->columnWidth(3);
    };
    const int designed = grid->columnWidth(0);

    const QString club = QStringLiteral("Боруссия Мёнхенгладбах");
    session.setRowTitle(3, club);
    EXPECT_GE(grid->columnWidth(0), fm.horizontalAdvance(club) + 4);
    EXPECT_LE(lastColumnEnd(), grid->viewport()->width());
    EXPECT_LE(grid->geometry().right(), panel->width());
    EXPECT_TRUE(grid->item(4, 0)->toolTip().isEmpty());

    // A UTF-8 title read as CP1251: every letter doubled.
    const QString garbled = QStringLiteral("РњР°РЅС‡РµСЃС‚РµСЂ Р®РЅР°Р№С‚РµРґ");
    session.setRowTitle(5, garbled);
    EXPECT_LT(grid->columnWidth(0), fm.horizontalAdvance(garbled));
    EXPECT_EQ(grid->item(6, 0)->toolTip(), garbled);
    EXPECT_LE(lastColumnEnd(), grid->viewport()->width());
    EXPECT_LE(grid->geometry().right(), panel->width());

    session.setRowTitle(3, QStringLiteral("Зенит"));
    session.setRowTitle(5, QStringLiteral("Спартак"));
    EXPECT_EQ(grid->columnWidth(0), designed);
    EXPECT_TRUE(grid->item(6, 0)->toolTip().isEmpty());
}

TEST(AnalysisWindow, NewerRequestSupersedesOlder) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    VariantAnalysisWindow w(session);
    w.setTotals(kWorkedTotals);
    ASSERT_TRUE(analysedAfter(w, [&] { w.openVariantAnalysis(); }));
    QSignalSpy spy(&w, &VariantAnalysisWindow::analysisFinished);
    w.analyseVariant();
    w.setAnalysedVariant(*kav::parseAnalysedVariant("22222222222222X"));
    w.analyseVariant();
    ASSERT_TRUE(spy.wait(10000));
    QTest::qWait(200);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(child<QTableWidget>(w, "resultTable")->item(8, 1)->text().toStdString(), "0.743");
    EXPECT_EQ(child<QTableWidget>(w, "resultTable")->item(8, 2)->text().toStdString(), "1.22");
}

TEST(AnalysisWindow, MenuCommandTogglesWithTheMarksOfTheMainWindow) {
    kav::ui::MainWindow main;
    auto* variantAnalysis = new VariantAnalysisWindow(main.session(), &main);
    main.setSideWindows(nullptr, nullptr, variantAnalysis, nullptr);
    main.session().draw() = workedDraw();
    main.session().draw().selection[14] = {1, 1, 0};
    variantAnalysis->setTotals(kWorkedTotals);

    ASSERT_TRUE(analysedAfter(*variantAnalysis,
                              [&] { child<QAction>(main, "variantAnalysisAction")->trigger(); }));
    EXPECT_TRUE(variantAnalysis->isVisible());
    EXPECT_EQ(child<QAction>(main, "variantAnalysisAction")
                  ->text()
                  .remove(QLatin1Char('&'))
                  .toStdString(),
              "Скрыть анализ вариантов");
    EXPECT_EQ(variantAnalysis->analysedVariant(), *kav::parseAnalysedVariant("11111111111111X"));
    EXPECT_EQ(child<QTableWidget>(variantAnalysis, "resultTable")->item(8, 2)->text().toStdString(),
              "0.464");

    child<QAction>(main, "variantAnalysisAction")->trigger();
    EXPECT_FALSE(variantAnalysis->isVisible());
    EXPECT_EQ(child<QAction>(main, "variantAnalysisAction")
                  ->text()
                  .remove(QLatin1Char('&'))
                  .toStdString(),
              "Показать анализ вариантов");

    // Closing the window by its frame is a hide as well.
    ASSERT_TRUE(analysedAfter(*variantAnalysis,
                              [&] { child<QAction>(main, "variantAnalysisAction")->trigger(); }));
    variantAnalysis->close();
    EXPECT_EQ(child<QAction>(main, "variantAnalysisAction")
                  ->text()
                  .remove(QLatin1Char('&'))
                  .toStdString(),
              "Показать анализ вариантов");
}

TEST(AnalysisWindow, ClosingDuringAnAnalysisIsSafe) {
    kav::ui::Session session;
    kav::DrawModel& model = session.draw();
    model = workedDraw();
    auto w = std::make_unique<VariantAnalysisWindow>(session);
    w->setTotals(kWorkedTotals);
    w->openVariantAnalysis();
    w->analyseVariant();
    w.reset();
    QTest::qWait(50);
}

} // namespace
