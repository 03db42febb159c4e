// After the draw: the check window (result, prizes typed or estimated, the
// package table, the winning lines), the package kept in the draw archive,
// the history window, and an archive that cannot be used.
#include "io/archive/draw_archive.h"
#include "ui/results/draw_check_window.h"
#include "ui/results/history_window.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/message_box.h"

#include "support/loopback_server.h"
#include "support/shown_main_window.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using kav::test::child;
using kav::ui::DrawCheckWindow;
using kav::ui::HistoryWindow;
using kav::ui::MainWindow;
using kav::ui::MessageBoxHook;

namespace {

// A single bet on all "1", and a coupon of two variants ("1" or "X" in event 15).
const std::string kSingle = "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(1);13-(1);14-(1);15-(1).";
const std::string kCoupon = "40;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(1);13-(1);14-(1);15-(1,X).";
const std::string kLoser = "20;1-(2);2-(2);3-(2);4-(2);5-(2);6-(2);7-(2);8-(2);9-(2);10-(2);"
                           "11-(2);12-(2);13-(2);14-(2);15-(2).";

std::string str(const QString& s) {
    return s.toStdString();
}

class ArchiveWindow : public kav::test::ShownMainWindow {
protected:
    void SetUp() override {
        kav::ui::setArchivePath(dir.filePath(QStringLiteral("archive.sqlite")));
        ShownMainWindow::SetUp();
    }
    void TearDown() override { kav::ui::setArchivePath({}); }

    DrawCheckWindow* openCheck() {
        child<QAction>("drawCheckAction")->trigger();
        return kav::test::child<DrawCheckWindow>(w, "drawCheckWindow");
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ArchiveWindow, CheckShowsWinnersPrizesReturnAndTheWinningLines) {
    w->session().replaceBets({kSingle, kCoupon, "не ставка", kLoser});
    DrawCheckWindow* check = openCheck();
    auto* result = kav::test::child<QLineEdit>(check, "resultEdit");
    auto* table = kav::test::child<QTableWidget>(check, "packageTable");
    auto* winning = kav::test::child<QTableWidget>(check, "winningLinesTable");

    // Pasted with commas, event 14 void: a hit for every bet.
    QTest::keyClicks(result, QStringLiteral("1,1,1,1,1,1,1,1,1,1,1,1,1,-,X"));
    kav::test::child<QLineEdit>(check, "prizeEdit14")->setText(QStringLiteral("150,5"));
    kav::test::child<QLineEdit>(check, "prizeEdit15")->setText(QStringLiteral("10000"));
    for (int k = 9; k <= 13; ++k)
        kav::test::child<QLineEdit>(check, ("prizeEdit" + std::to_string(k)).c_str())
            ->setText(QStringLiteral("0"));
    // Category 14: the single and one variant of the coupon; 15: the other.
    EXPECT_EQ(str(table->item(5, 1)->text()), "2");
    EXPECT_EQ(str(table->item(6, 1)->text()), "1");
    EXPECT_EQ(str(table->item(5, 3)->text()), "301.00");
    EXPECT_EQ(str(table->item(6, 3)->text()), "10000.00");
    EXPECT_EQ(str(table->item(7, 3)->text()), "10301.00");
    EXPECT_EQ(str(kav::test::child<QLabel>(check, "returnLabel")->text()),
              "Выигрыш: 10301.00 руб.   Ставки: 80.00 руб.   Прибыль: 10221.00 руб.   "
              "Возврат: 12876.25 %");
    ASSERT_EQ(winning->rowCount(), 2);
    EXPECT_EQ(str(winning->item(0, 0)->text()), "1");
    EXPECT_EQ(str(winning->item(1, 0)->text()), "2");
    EXPECT_EQ(str(winning->item(1, 7)->text()), "1"); // category 15 of the coupon

    kav::test::child<QPushButton>(check, "copyWinningButton")->click();
    EXPECT_EQ(str(QApplication::clipboard()->text()), kSingle + "\n" + kCoupon + "\n");

    // A malformed result empties the tables and says what is wanted.
    result->setText(QStringLiteral("1X2"));
    EXPECT_EQ(winning->rowCount(), 0);
    EXPECT_FALSE(kav::test::child<QPushButton>(check, "keepResultButton")->isEnabled());
}

TEST_F(ArchiveWindow, PrizesNotTypedAreEstimatedAndMarkedSo) {
    w->session().setTotals(kav::DrawTotals{"10000000", "0", {1000, 1000, 1000}, 1000});
    w->session().replaceBets({kSingle});
    DrawCheckWindow* check = openCheck();
    kav::test::child<QLineEdit>(check, "resultEdit")->setText(QStringLiteral("111111111111111"));
    auto* table = kav::test::child<QTableWidget>(check, "packageTable");
    EXPECT_EQ(str(table->item(6, 1)->text()), "1");
    EXPECT_EQ(str(table->item(6, 2)->text()).rfind("≈ ", 0), 0u) << str(table->item(6, 2)->text());
    EXPECT_NE(str(kav::test::child<QLabel>(check, "estimateLabel")->text()).find("оценка"),
              std::string::npos);
    // The return built on an estimate is one too.
    EXPECT_EQ(str(table->item(7, 3)->text()).rfind("≈ ", 0), 0u) << str(table->item(7, 3)->text());
    EXPECT_EQ(str(kav::test::child<QLabel>(check, "returnLabel")->text()).rfind("Выигрыш: ≈ ", 0),
              0u);
    // Typed prizes replace their estimates.
    for (int k = 9; k <= 15; ++k)
        kav::test::child<QLineEdit>(check, ("prizeEdit" + std::to_string(k)).c_str())
            ->setText(QStringLiteral("777"));
    EXPECT_EQ(str(table->item(6, 2)->text()), "777.00");
    EXPECT_EQ(str(table->item(7, 3)->text()), "777.00");
}

TEST_F(ArchiveWindow, KeptPackageAndResultComeBackInTheHistoryAfterARestart) {
    w->session().replaceBets({kSingle, kCoupon});
    {
        MessageBoxHook hook;
        child<QAction>("savePackageAction")->trigger();
        ASSERT_EQ(hook.shown().size(), 1u);
        EXPECT_EQ(hook.shown()[0].text, "Пакет сохранён в архив: Ставок в списке 3 (60 руб.).");
    }
    DrawCheckWindow* check = openCheck();
    kav::test::child<QLineEdit>(check, "resultEdit")->setText(QStringLiteral("11111111111111X"));
    const char* prizes[] = {"0", "0", "0", "0", "0", "100", "5000"};
    for (int k = 9; k <= 15; ++k)
        kav::test::child<QLineEdit>(check, ("prizeEdit" + std::to_string(k)).c_str())
            ->setText(QString::fromLatin1(prizes[k - 9]));
    kav::test::child<QPushButton>(check, "keepResultButton")->click();

    // The program restarted: a new window on the same archive.
    w.reset();
    ShownMainWindow::SetUp();
    child<QAction>("historyAction")->trigger();
    auto* history = kav::test::child<HistoryWindow>(w, "historyWindow");
    auto* table = kav::test::child<QTableWidget>(history, "historyTable");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(history));
    ASSERT_EQ(table->rowCount(), 1);
    // Bets 3, stake 60, best 15, one variant in 14 and one in 15: 5100 back.
    EXPECT_EQ(str(table->item(0, 2)->text()), "3");
    EXPECT_EQ(str(table->item(0, 3)->text()), "60.00");
    EXPECT_EQ(str(table->item(0, 4)->text()), "15");
    EXPECT_EQ(str(table->item(0, 10)->text()), "2");
    EXPECT_EQ(str(table->item(0, 11)->text()), "1");
    EXPECT_EQ(str(table->item(0, 12)->text()), "5200.00");
    EXPECT_EQ(str(table->item(0, 13)->text()), "5140.00");

    // The date filter: a range after the draw shows nothing.
    auto* from = kav::test::child<QDateEdit>(history, "fromDateEdit");
    auto* to = kav::test::child<QDateEdit>(history, "toDateEdit");
    to->setDate(from->date().addDays(30));
    from->setDate(from->date().addDays(10));
    EXPECT_EQ(history->visibleRows(), 0);
    from->setDate(from->date().addDays(-20));
    EXPECT_EQ(history->visibleRows(), 1);

    // A double click opens the package with its draw; the check finds its result.
    w->session().clearBets();
    MessageBoxHook hook;
    hook.setSaveAnswer(kav::ui::SaveAnswer::Discard);
    const QRect cell = table->visualItemRect(table->item(0, 0));
    // The view takes a double click on the item it saw pressed first.
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(hook.shown().empty());
    EXPECT_EQ(w->session().betLines(), (kav::Lines{kSingle, kCoupon}));
    EXPECT_NE(w->packageArchive().archivedDrawId(), 0);
    check = openCheck();
    EXPECT_EQ(str(kav::test::child<QLineEdit>(check, "resultEdit")->text()), "11111111111111X");
    EXPECT_EQ(str(kav::test::child<QLineEdit>(check, "prizeEdit15")->text()), "5000");
}

TEST_F(ArchiveWindow, AnUnusableArchiveSaysWhyAndTheProgramGoesOn) {
    const QString broken = dir.filePath(QStringLiteral("broken.sqlite"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'z'));
    }
    kav::ui::setArchivePath(broken);
    w->session().replaceBets({kSingle});
    MessageBoxHook hook;
    child<QAction>("savePackageAction")->trigger();
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text.rfind("Архив тиражей повреждён: " + str(broken), 0), 0u)
        << hook.shown()[0].text;
    EXPECT_NE(hook.shown()[0].text.find("Программа работает без архива."), std::string::npos);
    EXPECT_EQ(w->session().betLines(), kav::Lines{kSingle});
    // The check needs no archive.
    DrawCheckWindow* check = openCheck();
    kav::test::child<QLineEdit>(check, "resultEdit")->setText(QStringLiteral("111111111111111"));
    EXPECT_EQ(kav::test::child<QTableWidget>(check, "winningLinesTable")->rowCount(), 1);
}

TEST(ArchiveDrawLoading, EveryLoadedDrawIsKeptOnceWithItsTotals) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    kav::ui::setArchivePath(path);
    kav::test::LoopbackServer server;
    server.set(kav::test::eventsTarget(),
               {200, "<html><body>Спартак - Зенит|2.00|3.40|3.60|47.5|28|24.5|;</body></html>"});
    server.set(kav::test::totalsTarget(), {200, "<html><body>125000.5|0|;3|4|5|</body></html>"});
    const kav::io::ServerSettings saved = kav::ui::servers();
    kav::ui::setServers({server.url(), "", false, ""});
    {
        MainWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const auto loaded = [&] {
            return w.drawSource().pageKind() == 2 && !w.drawSource().drawLoading();
        };
        ASSERT_TRUE(QTest::qWaitFor(loaded, 5000));
        EXPECT_NE(w.packageArchive().archivedDrawId(), 0);
        // The same draw loaded again keeps its one record.
        kav::test::child<QAction>(&w, "russianDrawAction")->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.drawSource().drawLoading(); }, 2000) ||
                    loaded());
        ASSERT_TRUE(QTest::qWaitFor(loaded, 5000));
    }
    kav::ui::setServers(saved);
    kav::ui::setArchivePath({});
    auto opened = kav::io::DrawArchive::open(str(path));
    ASSERT_TRUE(opened.archive) << opened.problem;
    const auto draws = opened.archive->draws().value.value_or(std::vector<kav::io::ArchivedDraw>{});
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].eventTitles[0], "Спартак - Зенит");
    EXPECT_EQ(draws[0].totals.poolText, "125000.5");
    EXPECT_EQ(draws[0].totals.uniformCounts, (std::array<std::int32_t, 3>{3, 4, 5}));
    EXPECT_EQ(draws[0].drawCountry, kav::kRussia);
}

TEST_F(ArchiveWindow, AnOpenHistoryFollowsTheArchiveAndSavingIsConfirmed) {
    child<QAction>("historyAction")->trigger();
    auto* history = kav::test::child<HistoryWindow>(w, "historyWindow");
    auto* chart = kav::test::child<QChartView>(history, "historyChart")->chart();
    // Nothing kept yet: a chart without axes that says so.
    EXPECT_TRUE(chart->axes().isEmpty());
    EXPECT_EQ(str(chart->title()), "Пакетов за эти даты нет");

    w->session().replaceBets({kSingle});
    MessageBoxHook hook;
    child<QAction>("savePackageAction")->trigger();
    EXPECT_EQ(str(w->statusBar()->currentMessage()),
              "Пакет сохранён в архив: Ставок в списке 1 (20 руб.)");
    EXPECT_EQ(kav::test::child<QTableWidget>(history, "historyTable")->rowCount(), 1);
    chart = kav::test::child<QChartView>(history, "historyChart")->chart();
    EXPECT_FALSE(chart->axes().isEmpty());
}
