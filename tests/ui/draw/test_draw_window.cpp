// The draw, the quotes file, the exports, the help and the update check,
// driven through the main window's menu against a server on 127.0.0.1.
#include "core/base/version.h"
#include "core/project/project_state.h"
#include "support/shown_main_window.h"
#include "ui/analysis/variant_analysis_window.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/coverage/zone_grid.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/shell/help_window.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/money_edit.h"
#include "ui/widgets/outcome_grid.h"

#include "io/update/update_check.h"
#include "support/loopback_server.h"
#include "ui/shell/update_prompt.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

using kav::test::LoopbackServer;
using kav::ui::MainWindow;

using kav::test::child;
using kav::ui::MoneyEdit;
using kav::ui::OutcomeGrid;
using kav::ui::ZoneGrid;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}

const std::string kEventsRu =
    "<html><body>Спартак - Зенит|2.00|3.40|3.60|47.5|28|24.5|;A - B|2|2|2|30|30|40|;</body></html>";
const std::string kTotalsRu = "<html><body>125000.5|0|;3|4|5|</body></html>";
const std::string kEventsUa = "<html><body>Динамо - Шахтар|4|4|2|10|20|70|;</body></html>";
const std::string kTotalsUa = "<html><body>900|77|;1|2|3|</body></html>";

// Puts the servers back as windows without the program's entry have them.
struct ServersGuard {
    kav::io::ServerSettings saved = kav::ui::servers();
    explicit ServersGuard(const kav::io::ServerSettings& s) { kav::ui::setServers(s); }
    ~ServersGuard() { kav::ui::setServers(saved); }
};

// The five windows as the program's entry makes them.
struct Windows {
    std::unique_ptr<MainWindow> mainWindow = std::make_unique<MainWindow>();
    kav::ui::CoverageMapWindow* coverageMap = nullptr;
    kav::ui::VariantAnalysisWindow* variantAnalysis = nullptr;
    kav::ui::HelpWindow* help = nullptr;
    Windows() {
        auto* nearestSystems = new kav::ui::NearestSystemsWindow(mainWindow.get());
        coverageMap = new kav::ui::CoverageMapWindow(mainWindow->session(), mainWindow.get());
        variantAnalysis =
            new kav::ui::VariantAnalysisWindow(mainWindow->session(), mainWindow.get());
        help = new kav::ui::HelpWindow(mainWindow.get());
        mainWindow->setSideWindows(nearestSystems, coverageMap, variantAnalysis, help);
    }
};

class DrawWindow : public ::testing::Test {
protected:
    void SetUp() override {
        qunsetenv("DISPLAY"); // exported workbooks are not handed to a viewer
        qunsetenv("WAYLAND_DISPLAY");
        server.set(kav::test::eventsTarget(), {200, kEventsRu});
        server.set(kav::test::totalsTarget(), {200, kTotalsRu});
        server.set(kav::test::eventsTarget(true), {200, kEventsUa});
        server.set(kav::test::totalsTarget(true), {200, kTotalsUa});
    }

    void open() {
        guard =
            std::make_unique<ServersGuard>(kav::io::ServerSettings{server.url(), "", false, ""});
        win = std::make_unique<Windows>();
        w = win->mainWindow.get();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        waitForDraw();
    }

    // Until the chain has ended: both pages applied, or a page refused.
    void waitForDraw() {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return w->drawSource().pageKind() != 0 && !w->drawSource().drawLoading(); },
            5000));
    }

    void ctrl(Qt::Key key) { QTest::keyClick(w, key, Qt::ControlModifier); }

    std::string cell(int col, int row) {
        return str(child<OutcomeGrid>(w, "outcomeGrid")->cellText(col, row));
    }

    LoopbackServer server;
    std::unique_ptr<ServersGuard> guard;
    std::unique_ptr<Windows> win;
    MainWindow* w = nullptr;
    QTemporaryDir dir;
};

} // namespace

TEST_F(DrawWindow, StartLoadsTheRussianDrawThenItsTotals) {
    open();
    EXPECT_TRUE(child<OutcomeGrid>(w, "outcomeGrid")->isVisible());
    EXPECT_EQ(str(w->windowTitle()), "Kavendix V1.4.2 - российский тираж");
    EXPECT_EQ(cell(0, 1), "Спартак - Зенит");
    EXPECT_EQ(cell(1, 1), "47/48");
    EXPECT_EQ(cell(3, 2), "33/40");
    EXPECT_EQ(cell(0, 3), ""); // not on the page: keeps what it held
    EXPECT_EQ(cell(1, 3), "0/0");
    EXPECT_EQ(str(w->session().rowTitle(0)), "Спартак");
    EXPECT_EQ(str(w->session().rowTitle(1)), "A");
    EXPECT_EQ(str(win->variantAnalysis->rowTitle(0)), "Спартак");
    EXPECT_EQ(str(child<ZoneGrid>(win->coverageMap, "zoneGrid")->cellText(0, 1)), "Спартак");
    EXPECT_EQ(str(child<QLineEdit>(win->variantAnalysis, "poolEdit")->text()), "125000.5");
    EXPECT_EQ(str(child<QLineEdit>(win->variantAnalysis, "jackpotEdit")->text()), "1000000");
    EXPECT_EQ(win->variantAnalysis->totals().uniformCountMean, 4);
    EXPECT_EQ(
        str(win->variantAnalysis->windowTitle()).rfind("Анализ вариантов (по состоянию на ", 0),
        0u);
    EXPECT_EQ(server.hits(kav::test::eventsTarget()), 1);
    EXPECT_EQ(server.hits(kav::test::totalsTarget()), 1);
}

TEST_F(DrawWindow, UkrainianDrawFromTheMenuResetsMarksAndBetList) {
    open();
    w->session().draw().selection[0][0] = 1;
    child<QPlainTextEdit>(w, "betListEdit")->setPlainText(QStringLiteral("20;1-(1)."));
    child<QAction>(w, "ukrainianDrawAction")->trigger();
    // The new draw replaces the old one once it has arrived whole.
    waitForDraw();
    EXPECT_EQ(str(w->windowTitle()), "Kavendix V1.4.2 - украинский тираж");
    EXPECT_EQ(w->session().draw().selection[0][0], 0);
    EXPECT_EQ(str(child<QPlainTextEdit>(w, "betListEdit")->toPlainText()), "");
    EXPECT_EQ(str(child<MoneyEdit>(w, "stakeEdit")->text()), "3.00 грн.");
    EXPECT_EQ(w->session().draw().drawCountry, kav::kUkraine);
    EXPECT_EQ(cell(0, 1), "Динамо - Шахтар");
    EXPECT_EQ(cell(3, 1), "50/70");
    EXPECT_EQ(str(child<QLineEdit>(win->variantAnalysis, "jackpotEdit")->text()), "77");
    child<QAction>(w, "russianDrawAction")->trigger();
    waitForDraw();
    EXPECT_EQ(cell(0, 1), "Спартак - Зенит");
    EXPECT_EQ(str(child<MoneyEdit>(w, "stakeEdit")->text()), "20.00 руб.");
}

std::string records(int n) {
    std::string t;
    for (int i = 0; i < n; ++i)
        t += "A - B|2|2|2|30|30|40|;";
    return t;
}

// The address of a server that is not there any more.
std::string deadServerUrl() {
    LoopbackServer gone;
    return gone.url();
}

// The texts of the boxes about the draw.
std::vector<std::string> drawMessages(const kav::ui::MessageBoxHook& boxes) {
    std::vector<std::string> texts;
    for (const auto& m : boxes.shown())
        if (m.text.rfind("Тираж не загружен", 0) == 0)
            texts.push_back(m.text);
    return texts;
}

// Replies that are no draw: each one refused with one message naming the page.
struct FailedPage {
    const char* name;
    LoopbackServer::Reply events;
    LoopbackServer::Reply totals;
    bool serverDown;
    const char* page; // the address the message names
};

std::vector<FailedPage> failedPages() {
    return {
        {"sixteen records", {200, records(16)}, {200, kTotalsRu}, false, "line_event2"},
        {"error status",
         {500, "<html><body>Internal Server Error</body></html>"},
         {200, kTotalsRu},
         false,
         "line_event2"},
        {"error page",
         {200, "<html><body><h1>Service unavailable</h1></body></html>"},
         {200, kTotalsRu},
         false,
         "line_event2"},
        {"binary body",
         {200, std::string("\x89PNG\r\n\x1a\n") + std::string(8, '\0') + "|\xff;",
          "application/octet-stream"},
         {200, kTotalsRu},
         false,
         "line_event2"},
        {"broken totals", {200, kEventsRu}, {200, "1|2|;x|y|z|"}, false, "line_total"},
        {"server down", {200, kEventsRu}, {200, kTotalsRu}, true, "line_event2"},
    };
}

TEST_F(DrawWindow, AFailedFirstLoadGivesTheDefaultDrawAndSaysWhy) {
    for (const auto& c : failedPages()) {
        SCOPED_TRACE(c.name);
        server.set(kav::test::eventsTarget(), c.events);
        server.set(kav::test::totalsTarget(), c.totals);
        const int totalsBefore = server.hits(kav::test::totalsTarget());
        kav::ui::MessageBoxHook boxes;
        if (c.serverDown) {
            guard = std::make_unique<ServersGuard>(
                kav::io::ServerSettings{deadServerUrl(), "", false, ""});
            win = std::make_unique<Windows>();
            w = win->mainWindow.get();
            w->show();
            waitForDraw();
        } else {
            open();
        }
        EXPECT_EQ(cell(0, 1), "Матч 1");
        EXPECT_EQ(cell(1, 1), "40/50");
        EXPECT_EQ(cell(3, 15), "35/35");
        EXPECT_EQ(str(w->session().rowTitle(0)), "Матч 1");
        EXPECT_EQ(str(child<ZoneGrid>(win->coverageMap, "zoneGrid")->cellText(0, 1)), "Матч 1");
        EXPECT_TRUE(child<OutcomeGrid>(w, "outcomeGrid")->isVisible());
        EXPECT_EQ(str(w->windowTitle()), "Kavendix V1.4.2 - российский тираж (тираж не загружен)");
        // The first start also says where the brief-system templates are missing.
        const auto said = drawMessages(boxes);
        ASSERT_EQ(said.size(), 1u);
        EXPECT_NE(said[0].find(c.page), std::string::npos) << said[0];
        if (c.serverDown) { // in the player's words, the library's after them
            EXPECT_NE(said[0].find("не удалось соединиться с сервером ("), std::string::npos)
                << said[0];
        }
        if (std::string(c.page) == "line_event2") {
            EXPECT_EQ(server.hits(kav::test::totalsTarget()) - totalsBefore, 0)
                << "no totals for an event list that was refused";
        }
        win.reset();
        guard.reset();
    }
}

// A draw on the grid stays whole (all fifteen events, the totals, the row
// titles, the marks and the bet list) when the next load fails in any way.
TEST_F(DrawWindow, AFailedReloadLeavesTheDrawShownAndSaysWhyOnce) {
    server.set(kav::test::eventsTarget(), {200, records(15)});
    open();
    w->session().draw().selection[2][1] = 1;
    child<QPlainTextEdit>(w, "betListEdit")->setPlainText(QStringLiteral("20;1-(1)."));
    const kav::DrawModel before = w->session().draw();
    const kav::DrawTotals totalsBefore = win->variantAnalysis->totals();
    const std::string titleBefore = str(w->windowTitle());
    for (const auto& c : failedPages()) {
        for (const char* menu : {"russianDrawAction", "ukrainianDrawAction"}) {
            SCOPED_TRACE(std::string(c.name) + " " + menu);
            const bool ukrainian = std::string(menu) == "ukrainianDrawAction";
            server.set(kav::test::eventsTarget(ukrainian), c.events);
            server.set(kav::test::totalsTarget(ukrainian), c.totals);
            std::unique_ptr<ServersGuard> down;
            if (c.serverDown)
                down = std::make_unique<ServersGuard>(
                    kav::io::ServerSettings{deadServerUrl(), "", false, ""});
            kav::ui::MessageBoxHook boxes;
            child<QAction>(w, menu)->trigger();
            waitForDraw();
            // Asked first (the list is not empty), then told why the load failed.
            ASSERT_EQ(boxes.shown().size(), 2u);
            EXPECT_EQ(boxes.shown()[0].caption, "Подтверждение");
            ASSERT_EQ(drawMessages(boxes).size(), 1u);
            EXPECT_NE(boxes.shown()[1].text.find(c.page), std::string::npos);
            EXPECT_NE(boxes.shown()[1].text.find(ukrainian ? "nnvaluta_=-1" : "nnvaluta_=-2"),
                      std::string::npos);
            EXPECT_EQ(w->session().draw().eventTitles, before.eventTitles);
            EXPECT_EQ(w->session().draw().quotes, before.quotes);
            EXPECT_EQ(w->session().draw().poolShares, before.poolShares);
            EXPECT_EQ(w->session().draw().selection, before.selection);
            EXPECT_EQ(w->session().draw().drawCountry, kav::kRussia);
            EXPECT_EQ(win->variantAnalysis->totals(), totalsBefore);
            EXPECT_EQ(str(w->windowTitle()), titleBefore);
            EXPECT_EQ(str(child<MoneyEdit>(w, "stakeEdit")->text()), "20.00 руб.");
            EXPECT_EQ(str(child<QPlainTextEdit>(w, "betListEdit")->toPlainText()), "20;1-(1).");
            EXPECT_EQ(cell(0, 15), "A - B");
            EXPECT_EQ(str(w->session().rowTitle(14)), "A");
            EXPECT_FALSE(child<QLabel>(w, "drawLoadingLabel")->isVisible());
        }
    }
    // A shorter page is a draw of its own: the rows it does not list are blank,
    // not the rows of the draw before.
    server.set(kav::test::eventsTarget(), {200, kEventsRu});
    server.set(kav::test::totalsTarget(), {200, kTotalsRu});
    kav::ui::MessageBoxHook boxes;
    child<QAction>(w, "russianDrawAction")->trigger();
    waitForDraw();
    ASSERT_EQ(boxes.shown().size(), 1u); // only the question about the list
    EXPECT_EQ(boxes.shown()[0].caption, "Подтверждение");
    EXPECT_EQ(cell(0, 1), "Спартак - Зенит");
    EXPECT_EQ(cell(0, 15), "");
    EXPECT_EQ(cell(1, 15), "0/0");
    EXPECT_EQ(str(w->session().rowTitle(14)), "");
    EXPECT_EQ(str(child<ZoneGrid>(win->coverageMap, "zoneGrid")->cellText(0, 15)), "");
    EXPECT_EQ(str(child<QPlainTextEdit>(w, "betListEdit")->toPlainText()), "");
}

// A draw that arrives while auto-forming runs waits for the search's end: the
// search's bets belong to the draw it started on.
TEST_F(DrawWindow, ADrawArrivingMidSearchWaitsForItsEnd) {
    server.set(kav::test::eventsTarget(), {200, records(15)});
    open();
    child<QComboBox>(w, "modeCombo")->setCurrentIndex(3);
    // The whole field by count to every result: minutes of steps that ask
    // nothing.
    for (int e = 0; e < 15; ++e)
        w->session().draw().selection[e] = {1, 1, 1};
    child<QSpinBox>(w, "autoformCategorySpin")->setValue(11);
    child<QSpinBox>(w, "betLimitSpin")->setValue(10000000);
    child<QDoubleSpinBox>(w, "coverageTargetSpin")->setValue(100);
    child<QComboBox>(w, "searchMethodCombo")->setCurrentIndex(0);
    kav::ui::MessageBoxHook boxes;
    QTest::mouseClick(child<kav::ui::LinkLabel>(w, "startAutoformLink"), Qt::LeftButton);
    ASSERT_TRUE(w->autoforming().autoformRunning());
    child<QAction>(w, "ukrainianDrawAction")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->drawSource().pageKind() == 2; }, 5000));
    QTest::qWait(200); // the totals have arrived; the search still runs
    ASSERT_TRUE(w->autoforming().autoformRunning());
    EXPECT_TRUE(w->drawSource().drawLoading());
    EXPECT_EQ(w->session().draw().drawCountry, kav::kRussia);
    EXPECT_EQ(cell(0, 1), "A - B");
    w->autoforming().cancelAutoform();
    waitForDraw();
    EXPECT_EQ(w->session().draw().drawCountry, kav::kUkraine);
    EXPECT_EQ(cell(0, 1), "Динамо - Шахтар");
    EXPECT_TRUE(w->session().betLines().empty());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(DrawWindow, ASlowServerDoesNotBlockTheWindow) {
    server.set(kav::test::eventsTarget(),
               {200, kEventsRu, "text/html", std::chrono::milliseconds(1500)});
    guard = std::make_unique<ServersGuard>(kav::io::ServerSettings{server.url(), "", false, ""});
    win = std::make_unique<Windows>();
    w = win->mainWindow.get();
    QElapsedTimer clock;
    clock.start();
    w->show();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(w->drawSource().drawLoading());
    EXPECT_EQ(w->drawSource().pageKind(), 1);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_TRUE(child<QLabel>(w, "drawLoadingLabel")->isVisible());
    EXPECT_EQ(str(child<QLabel>(w, "drawLoadingLabel")->text()), "Загрузка тиража…");
    waitForDraw();
    EXPECT_EQ(cell(0, 1), "Спартак - Зенит");
    EXPECT_FALSE(child<QLabel>(w, "drawLoadingLabel")->isVisible());
}

// A project opened (or work recovered) while a draw is still on its way is
// the work shown: the draw that arrives later is dropped, not applied over it.
TEST_F(DrawWindow, AProjectOpenedMidLoadIsNotOverwrittenByTheArrivingDraw) {
    server.set(kav::test::eventsTarget(),
               {200, kEventsRu, "text/html", std::chrono::milliseconds(800)});
    guard = std::make_unique<ServersGuard>(kav::io::ServerSettings{server.url(), "", false, ""});
    win = std::make_unique<Windows>();
    w = win->mainWindow.get();
    w->show();
    ASSERT_TRUE(w->drawSource().drawLoading());
    kav::ProjectState work = kav::defaultProjectState(kav::kRussia);
    work.draw.eventTitles[0] = "Проект - Игрок";
    work.draw.selection[0] = {1, 0, 0};
    work.betText = "20;1-(1).";
    w->project().applyProjectState(work);
    EXPECT_FALSE(w->drawSource().drawLoading());
    QTest::qWait(1500);
    EXPECT_EQ(cell(0, 1), "Проект - Игрок");
    EXPECT_EQ(w->session().draw().selection[0][0], 1);
    EXPECT_EQ(str(child<QPlainTextEdit>(w, "betListEdit")->toPlainText()), "20;1-(1).");
}

TEST_F(DrawWindow, QuotesFileRoundTripThroughTheMenuShortcuts) {
    open();
    w->session().draw().quotes[2][1] = *kav::Fixed4::parse("12.3457");
    w->session().draw().poolShares[14][2] = *kav::Fixed4::parse("0.0001");
    const kav::DrawModel written = w->session().draw();
    const QString path = dir.filePath(QStringLiteral("draw"));
    {
        kav::ui::FileDialogHook files(path);
        ctrl(Qt::Key_K);
        ASSERT_EQ(files.requests().size(), 1);
    }
    ASSERT_TRUE(QFile::exists(path + QStringLiteral(".ctr")));

    child<QAction>(w, "ukrainianDrawAction")->trigger();
    waitForDraw();
    w->session().draw().selection[4][2] = 1;
    child<QPlainTextEdit>(w, "betListEdit")->setPlainText(QStringLiteral("3;1-(1)."));
    {
        kav::ui::FileDialogHook files(path + QStringLiteral(".ctr"));
        kav::ui::MessageBoxHook boxes;
        ctrl(Qt::Key_L);
        // The file replaces a list of one bet: asked first, answered Yes.
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_NE(boxes.shown()[0].text.find("очистит список ставок"), std::string::npos);
    }
    EXPECT_EQ(w->session().draw().quotes, written.quotes);
    EXPECT_EQ(w->session().draw().poolShares, written.poolShares);
    EXPECT_EQ(w->session().draw().eventTitles, written.eventTitles);
    EXPECT_EQ(w->session().draw().drawCountry, kav::kRussia);
    EXPECT_EQ(w->session().draw().selection[4][2], 0);
    EXPECT_EQ(str(child<QPlainTextEdit>(w, "betListEdit")->toPlainText()), "");
    EXPECT_EQ(str(w->windowTitle()), "Kavendix V1.4.2 - российский тираж");
    EXPECT_EQ(str(child<MoneyEdit>(w, "stakeEdit")->text()), "20.00 руб.");
    EXPECT_EQ(child<MoneyEdit>(w, "stakeEdit")->minimum(), kav::Fixed4::fromInt(20));
    EXPECT_EQ(str(child<QLineEdit>(win->variantAnalysis, "poolEdit")->text()), "125000.5");
    EXPECT_EQ(cell(2, 3), "12/0");
    EXPECT_EQ(str(w->session().rowTitle(0)), "Спартак");
}

TEST_F(DrawWindow, ABadQuotesFileChangesNothing) {
    open();
    const std::string broken = dir.filePath(QStringLiteral("broken.ctr")).toStdString();
    std::ofstream(broken, std::ios::binary) << "New title\t1\t2\t3\t4\r\nSecond\t1\t2\r\n";
    for (const std::string& path : {broken, std::string("/nonexistent/draw.ctr")}) {
        SCOPED_TRACE(path);
        w->session().draw().selection[1][1] = 1;
        child<QPlainTextEdit>(w, "betListEdit")->setPlainText(QStringLiteral("20;1-(1)."));
        const kav::DrawModel before = w->session().draw();
        kav::ui::FileDialogHook files(QString::fromStdString(path));
        kav::ui::MessageBoxHook boxes;
        child<QAction>(w, "loadQuotesAction")->trigger();
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].text, "Неверный формат загружаемого файла");
        EXPECT_EQ(boxes.shown()[0].caption, "Ошибка");
        EXPECT_EQ(w->session().draw().eventTitles, before.eventTitles);
        EXPECT_EQ(w->session().draw().quotes, before.quotes);
        EXPECT_EQ(w->session().draw().selection, before.selection);
        EXPECT_EQ(str(child<QPlainTextEdit>(w, "betListEdit")->toPlainText()), "20;1-(1).");
        EXPECT_EQ(cell(0, 1), "Спартак - Зенит");
    }
    kav::ui::FileDialogHook files(QStringLiteral("/nonexistent/dir/draw"));
    kav::ui::MessageBoxHook boxes;
    child<QAction>(w, "saveQuotesAction")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(boxes.shown()[0].text.find("/nonexistent/dir/draw.ctr"), std::string::npos);
}

TEST_F(DrawWindow, ExportsReachTheirFilesThroughTheShortcuts) {
    open();
    child<QPlainTextEdit>(w, "betListEdit")
        ->setPlainText(QStringLiteral("40;1-(1,X);2-(2).\n\n20;1-(2)."));
    struct Case {
        Qt::Key key;
        const char* caption;
        const char* file;
        const char* written;
    } cases[] = {
        {Qt::Key_E, "Сохранить для Excell", "cols.xlsx", "cols.xlsx"},
        {Qt::Key_S, "Сохранить для Excell построчно", "rows.xlsx", "rows.xlsx"},
        // A name without the extension gets it, or spreadsheet programs refuse the file.
        {Qt::Key_S, "Сохранить для Excell построчно", "byrows", "byrows.xlsx"},
        {Qt::Key_E, "Сохранить для Excell", "bycols", "bycols.xlsx"},
        {Qt::Key_T, "Сохранить в текст. файл", "bets.txt", "bets.txt.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        kav::ui::FileDialogHook files(dir.filePath(QString::fromUtf8(c.file)));
        kav::ui::MessageBoxHook boxes;
        ctrl(c.key);
        ASSERT_EQ(files.requests().size(), 1);
        EXPECT_EQ(str(files.requests()[0]), c.caption);
        EXPECT_TRUE(boxes.shown().empty());
        EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromUtf8(c.written))));
        if (std::string(c.file) != c.written) {
            EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromUtf8(c.file))));
        }
    }
    QFile text(dir.filePath(QStringLiteral("bets.txt.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll().toStdString(), "40;1-(1,X);2-(2).\r\n\r\n20;1-(2).\r\n");

    QStringList many;
    for (int i = 0; i < 16385; ++i)
        many << QStringLiteral("20;1-(1).");
    child<QPlainTextEdit>(w, "betListEdit")->setPlainText(many.join(QLatin1Char('\n')));
    kav::ui::FileDialogHook files(dir.filePath(QStringLiteral("many.xlsx")));
    kav::ui::MessageBoxHook boxes;
    ctrl(Qt::Key_E);
    EXPECT_TRUE(files.requests().isEmpty());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Формат Excell не позволяет сохранять более 16384 вариантов");
    child<QAction>(w, "exportByRowsAction")->trigger();
    EXPECT_EQ(files.requests().size(), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("many.xlsx"))));
}

TEST_F(DrawWindow, HelpShowsItsTextAndStaysOpen) {
    open();
    EXPECT_FALSE(win->help->isVisible());
    child<QAction>(w, "helpAction")->trigger();
    ASSERT_TRUE(win->help->isVisible());
    EXPECT_EQ(str(win->help->windowTitle()), "Справка");
    EXPECT_TRUE(child<QPlainTextEdit>(win->help, "helpTextEdit")->isReadOnly());
    const std::string text = str(child<QPlainTextEdit>(win->help, "helpTextEdit")->toPlainText());
    for (const char* part :
         {"\"О программе\"", "\"Kombin\"", "declined", "российский", "\"Бриф-система\"",
          "\"По сенсациям\"", "\"Ручной набор\"", "\"Автоформирование\"", "Ctrl Y", "Ctrl C",
          "\"P+\"", "пробела", "доходность"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    child<QAction>(w, "helpAction")->trigger();
    EXPECT_TRUE(win->help->isVisible());
    win->help->resize(250, 300);
    EXPECT_EQ(child<QPlainTextEdit>(win->help, "helpTextEdit")->lineWrapMode(),
              QPlainTextEdit::WidgetWidth);
}

TEST(UpdateCheckWindow, AsksAtCreationAndNeverRunsAnythingWithoutYes) {
    LoopbackServer server;
    const auto keys = kav::io::makeUpdateKeyPair();
    const kav::io::ReleaseDescriptor release{
        1, "V1.4.3", 5, kav::io::sha256Of("12345"), "2026-12-08", "V1.0"};
    const std::string text = kav::io::releaseDescriptorText(release);
    server.set("/kavendix.release", {200, text, "text/plain"});
    server.set("/kavendix.release.sig",
               {200, kav::io::signatureFileText(kav::io::signUpdate(text, keys.secretKey))});
    kav::ui::setUpdateSettingsHook([&keys](kav::io::UpdateSettings& s) {
        s.publicKey = keys.publicKey;
        s.descriptorHttp.protocols = s.executableHttp.protocols = "http";
    });
    QTemporaryDir dir;
    struct Case {
        bool check;
        bool answer;
        std::size_t messages;
        int exeHits;
    } cases[] = {{false, true, 0, 0}, {true, false, 1, 0}, {true, true, 2, 1}};
    for (const auto& c : cases) {
        ServersGuard guard({"", server.url(), c.check, dir.path().toStdString()});
        kav::ui::MessageBoxHook boxes(c.answer);
        const int before = server.hits("/kavendix.exe");
        MainWindow w;
        ASSERT_EQ(boxes.shown().size(), c.messages);
        if (c.messages > 0) {
            EXPECT_EQ(boxes.shown()[0].text,
                      "Доступна новая версия программы V1.4.3 от 2026-12-08!\nОбновить?");
            EXPECT_EQ(boxes.shown()[0].buttons, kav::Buttons::YesNo);
        }
        if (c.messages > 1) { // the executable is missing on this server
            EXPECT_EQ(boxes.shown()[1].caption, "Ошибка");
        }
        EXPECT_EQ(server.hits("/kavendix.exe") - before, c.exeHits);
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "nothing is left in the folder";
    }
    kav::ui::setUpdateSettingsHook({});
}
