// "Автоформир." in the main window: its "Добавить в список" clicked on marked
// cells, the search run off the window's thread, read back from the bet list,
// the caption and the title.
#include "core/forming/autoform.h"
#include "support/shown_main_window.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using kav::ui::MainWindow;

using kav::test::child;
using kav::ui::LinkLabel;
using kav::ui::OutcomeGrid;

namespace {

class AutoformWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<MainWindow>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        hook.clear();
        child<QComboBox>(w, "modeCombo")->setCurrentIndex(3);
        QApplication::processEvents();
        caption = w->windowTitle();
        title = QGuiApplication::applicationDisplayName();
    }

    // Marks by clicking the cells; one text per event, as "1X" or "2".
    void mark(const std::vector<std::string>& groups) {
        for (int e = 0; e < 15; ++e)
            for (char c : groups[static_cast<std::size_t>(e)]) {
                child<OutcomeGrid>(w, "outcomeGrid")->setCurrentCell(0, 0);
                QRect r = child<OutcomeGrid>(w, "outcomeGrid")
                              ->cellRect(c == '1'   ? 1
                                         : c == 'X' ? 2
                                                    : 3,
                                         e + 1);
                QTest::mouseClick(child<OutcomeGrid>(w, "outcomeGrid")->viewport(), Qt::LeftButton,
                                  {}, r.center());
            }
    }

    void setSearch(int category, int limit, double target, int method) {
        child<QSpinBox>(w, "autoformCategorySpin")->setValue(category);
        child<QSpinBox>(w, "betLimitSpin")->setValue(limit);
        child<QDoubleSpinBox>(w, "coverageTargetSpin")->setValue(target);
        child<QComboBox>(w, "searchMethodCombo")->setCurrentIndex(method);
    }

    void clickAndWait() {
        QTest::mouseClick(child<LinkLabel>(w, "startAutoformLink"), Qt::LeftButton, {},
                          child<LinkLabel>(w, "startAutoformLink")->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(!w->autoforming().autoformRunning(), 20000);
    }

    // 3^10 results at category 12 by probability: long enough to be stopped.
    // Returns once the search shows its percent.
    void startLongSearch() {
        std::vector<std::string> g(15, "1");
        std::fill_n(g.begin(), 10, "1X2");
        mark(g);
        setSearch(12, 10000000, 100, 1);
        QTest::mouseClick(child<LinkLabel>(w, "startAutoformLink"), Qt::LeftButton, {},
                          child<LinkLabel>(w, "startAutoformLink")->rect().center());
        ASSERT_TRUE(w->autoforming().autoformRunning());
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::applicationDisplayName().endsWith(u'%'), 20000);
    }

    void expectRestored() {
        // The draw's caption again, after the project's name once there is work.
        EXPECT_TRUE(w->windowTitle() == caption ||
                    w->windowTitle().endsWith(QStringLiteral(" — ") + caption))
            << w->windowTitle().toStdString();
        EXPECT_FALSE(w->windowTitle().contains(u'%'));
        // A title never set stays unset: no program name creeps into the captions.
        const QString restored = title == QCoreApplication::applicationName() ? QString() : title;
        EXPECT_EQ(QGuiApplication::applicationDisplayName(), restored);
    }

    std::string status() const { return w->statusBar()->currentMessage().toStdString(); }

    std::unique_ptr<MainWindow> w;
    kav::ui::MessageBoxHook hook;
    QString caption, title;
};

std::vector<std::string> groups(std::vector<std::string> head) {
    head.resize(15, "1");
    return head;
}

} // namespace

TEST_F(AutoformWindow, AppendsWhatTheCoreChoosesAndRestoresCaptionAndTitle) {
    const kav::Lines before{"20;1-(1);2-(1)."};
    w->session().appendBets(before);
    mark(groups({"1X2", "1X2", "1X", "X2"}));
    setSearch(14, 12, 100, 1);
    w->session().rng().setSeed(2026);

    kav::Rng rng(2026);
    kav::AutoformSettings s{14, 12, 1.0f, kav::AutoformMethod::ByProbability,
                            w->session().stakeText()};
    const kav::AutoformResult want = kav::autoForm(w->session().draw(), before, s, rng);
    ASSERT_FALSE(want.added.empty());

    clickAndWait();
    kav::Lines lines = before;
    lines.insert(lines.end(), want.added.begin(), want.added.end());
    EXPECT_EQ(w->session().betLines(), lines);
    EXPECT_EQ(w->session().rng().seed(), rng.seed()) << "the draws of the search are the program's";
    EXPECT_TRUE(hook.shown().empty());
    expectRestored();
    // The status line: what came, what it costs, the coverage and why it stopped.
    const std::string n = std::to_string(want.added.size());
    EXPECT_EQ(status().rfind("Автоформирование: добавлено ставок " + n + " (" +
                                 std::to_string(20 * want.added.size()) + " руб.), покрытие ",
                             0),
              0u)
        << status();
    const char* why[] = {"цель достигнута", "достигнут предел ставок",
                         "новые ставки больше ничего не покрывают"};
    EXPECT_TRUE(status().ends_with(why[static_cast<int>(want.stop)])) << status();
}

TEST_F(AutoformWindow, EventWithoutMarksShowsTheMessageAndAddsNothing) {
    std::vector<std::string> g = groups({"1X"});
    g[9] = "";
    mark(g);
    clickAndWait();
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Выбраны не все события");
    EXPECT_TRUE(w->session().betLines().empty());
    expectRestored();
}

TEST_F(AutoformWindow, EscapeStopsTheSearchAndKeepsItsBetsWhenThePlayerSaysSo) {
    startLongSearch();
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("Выполнено: ")));
    // The window takes no other input meanwhile.
    QTest::mouseClick(child<LinkLabel>(w, "startAutoformLink"), Qt::LeftButton, {},
                      child<LinkLabel>(w, "startAutoformLink")->rect().center());
    hook.setAnswer(false); // "No": the bets found are dropped
    QTest::keyClick(child<QPlainTextEdit>(w, "betListEdit"), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!w->autoforming().autoformRunning(), 20000);
    EXPECT_TRUE(w->session().betLines().empty());
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text.rfind("Автоформирование прервано. Найдено ставок: ", 0), 0u);
    EXPECT_EQ(status(), "Автоформирование прервано, список не изменился");
    expectRestored();

    // "Yes": the bets found until the stop go into the list.
    hook.setAnswer(true);
    QTest::mouseClick(child<LinkLabel>(w, "startAutoformLink"), Qt::LeftButton, {},
                      child<LinkLabel>(w, "startAutoformLink")->rect().center());
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::applicationDisplayName().endsWith(u'%'), 20000);
    QTest::keyClick(child<QPlainTextEdit>(w, "betListEdit"), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!w->autoforming().autoformRunning(), 20000);
    const std::size_t kept = w->session().betLines().size();
    EXPECT_GT(kept, 0u);
    EXPECT_EQ(status().rfind("Автоформирование: добавлено ставок " + std::to_string(kept), 0), 0u)
        << status();
    EXPECT_TRUE(status().ends_with("— прервано")) << status();
}

TEST_F(AutoformWindow, CancelOnTheTimeQuestionAddsNothing) {
    // 3^15 results by probability where every outcome weighs the same: every
    // gain is a near tie, formed exactly, and a step of minutes is announced
    // first (with a draw's differing quotes the steps take seconds, and
    // nothing is asked).
    for (auto& quotes : w->session().draw().quotes)
        quotes = {kav::Fixed4::fromInt(33), kav::Fixed4::fromInt(33), kav::Fixed4::fromInt(33)};
    mark(std::vector<std::string>(15, "1X2"));
    setSearch(11, 1000, 75, 1);
    hook.setAnswer(false);
    clickAndWait();
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].caption, "Внимание! Продолжать?");
    EXPECT_TRUE(w->session().betLines().empty());
    expectRestored();
}

TEST_F(AutoformWindow, ClosingTheWindowMidSearchStopsItAndWaitsForIt) {
    startLongSearch();
    if (HasFatalFailure())
        return;
    // The box holds the window's input but is no modal window: a close from
    // the title bar, which the system drops for a window under a modal one,
    // reaches the window.
    QTRY_VERIFY_WITH_TIMEOUT(
        w->findChild<QProgressDialog*>() && w->findChild<QProgressDialog*>()->isVisible(), 5000);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Asked first: "No" keeps the window and the search.
    hook.setAnswer(false);
    hook.setSaveAnswer(kav::ui::SaveAnswer::Discard);
    EXPECT_FALSE(w->close());
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Идёт расчёт. Прервать его и закрыть программу?");
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->autoforming().autoformRunning());
    // "Yes" stops the search, waits for it, and closes.
    hook.setAnswer(true);
    hook.clear();
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->autoforming().autoformRunning());
    w.reset();
    // Nothing of the search is left to arrive at the window that is gone.
    QTest::qWait(50);
    ASSERT_EQ(hook.shown().size(), 2u); // the question, then whether to save the marks
    EXPECT_EQ(hook.shown()[1].caption, "Сохранение");
    QGuiApplication::setApplicationDisplayName(
        title == QCoreApplication::applicationName() ? QString() : title);
}
