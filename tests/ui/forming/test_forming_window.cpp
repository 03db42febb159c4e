// "Ручной набор" and "По сенсациям" in the main window: real clicks on the grid
// and on "Взять все варианты", "Случайный выбор" and the sensations' "Добавить в
// список", read back from the bet list and the status line.
#include "core/forming/manual_selection.h"
#include "support/shown_main_window.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/money_edit.h"
#include "ui/widgets/outcome_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using kav::ui::MainWindow;

using kav::test::child;
using kav::ui::LinkLabel;
using kav::ui::MoneyEdit;
using kav::ui::OutcomeGrid;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}

std::string singleBet(const std::string& amount, const std::string& first, char rest) {
    std::string s = amount + ";1-(" + first + ")";
    for (int e = 2; e <= 15; ++e)
        s += std::string(";") + std::to_string(e) + "-(" + rest + ")";
    return s + ".";
}

class FormingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<MainWindow>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        hook.clear(); // start-up messages (a template folder without templates) are not ours
    }

    void setMode(int m) {
        child<QComboBox>(w, "modeCombo")->setCurrentIndex(m);
        QApplication::processEvents();
    }

    // Marks by clicking the cells; `groups` holds one text per event, as "1X" or "2".
    void mark(const std::vector<std::string>& groups) {
        for (int e = 0; e < 15; ++e)
            for (char c : groups[static_cast<std::size_t>(e)])
                clickCell(c == '1' ? 1 : c == 'X' ? 2 : 3, e + 1);
    }
    void markAll(const std::string& group) { mark(std::vector<std::string>(15, group)); }

    void clickCell(int col, int row) {
        // In the editing modes a click on the current cell opens the editor instead.
        child<OutcomeGrid>(w, "outcomeGrid")->setCurrentCell(0, 0);
        QRect r = child<OutcomeGrid>(w, "outcomeGrid")->cellRect(col, row);
        QTest::mouseClick(child<OutcomeGrid>(w, "outcomeGrid")->viewport(), Qt::LeftButton, {},
                          r.center());
    }

    void click(kav::ui::LinkLabel* label) {
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    }

    std::string status() const { return str(child<QLabel>(w, "betListStatusLabel")->text()); }

    std::unique_ptr<MainWindow> w;
    kav::ui::MessageBoxHook hook;
};

TEST_F(FormingWindow, TakeAllVariantsAddsTheCouponOnce) {
    setMode(2);
    markAll("1");
    click(child<LinkLabel>(w, "takeAllVariantsLink"));
    EXPECT_EQ(w->session().betLines(), kav::Lines{singleBet("20.00", "1", '1')});
    EXPECT_EQ(status(), "Ставок в списке 1 (20 руб.)");
    click(child<LinkLabel>(w, "takeAllVariantsLink"));
    EXPECT_EQ(w->session().betLines().size(), 1u);
    EXPECT_TRUE(hook.shown().empty());

    clickCell(2, 1); // event 1 becomes a double
    click(child<LinkLabel>(w, "takeAllVariantsLink"));
    ASSERT_EQ(w->session().betLines().size(), 2u);
    EXPECT_EQ(w->session().betLines()[1], singleBet("40.00", "1,X", '1'));
    EXPECT_EQ(status(), "Ставок в списке 3 (60 руб.)");
}

TEST_F(FormingWindow, RandomChoiceGivesTheCoreLinesForTheSameSeed) {
    setMode(2);
    mark({"1X2", "1X", "X2", "12", "1X2", "1", "1X2", "2", "X", "1X2", "1", "1", "1", "1", "1"});
    for (int d : {0, 4}) {
        child<QComboBox>(w, "distributionCombo")->setCurrentIndex(d);
        child<QSpinBox>(w, "randomRepeatSpin")->setValue(25);
        child<QSpinBox>(w, "favouritesSpin")->setValue(3);
        const kav::Lines before = w->session().betLines();
        kav::Rng expectedRng(777u + static_cast<std::uint32_t>(d));
        w->session().rng().setSeed(777u + static_cast<std::uint32_t>(d));
        auto expected =
            kav::randomBets(w->session().draw(), "20", before,
                            {static_cast<kav::RandomDistribution>(d), 25, 3}, expectedRng)
                .added;
        click(child<LinkLabel>(w, "randomChoiceLink"));
        kav::Lines now = w->session().betLines();
        ASSERT_EQ(now.size(), before.size() + 25);
        EXPECT_EQ(kav::Lines(now.begin() + static_cast<std::ptrdiff_t>(before.size()), now.end()),
                  expected);
        EXPECT_EQ(w->session().rng().seed(), expectedRng.seed());
    }
    EXPECT_EQ(status(), "Ставок в списке 50 (1000 руб.)");
    EXPECT_TRUE(hook.shown().empty());
    EXPECT_TRUE(child<QSpinBox>(w, "favouritesSpin")->isVisible());
}

TEST_F(FormingWindow, RandomChoiceRunsOutOfNewBets) {
    setMode(2);
    markAll("1");
    click(child<LinkLabel>(w, "randomChoiceLink"));
    EXPECT_EQ(w->session().betLines(), kav::Lines{singleBet("20.00", "1", '1')});
    EXPECT_TRUE(hook.shown().empty());
    child<QSpinBox>(w, "randomRepeatSpin")->setValue(3);
    click(child<LinkLabel>(w, "randomChoiceLink"));
    EXPECT_EQ(w->session().betLines().size(), 1u);
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Выбрано недостаточно исходов для формирования пакета");
    EXPECT_EQ(hook.shown()[0].caption, "Ошибка");
    EXPECT_EQ(status(), "Ставок в списке 1 (20 руб.)");
}

TEST_F(FormingWindow, UnmarkedEventIsReportedOnceForManyRepetitions) {
    setMode(2);
    mark({"1", "1", "1", "1", "1", "1", "1", "", "1", "1", "1", "1", "1", "1", "1"});
    child<QSpinBox>(w, "randomRepeatSpin")->setValue(1000);
    click(child<LinkLabel>(w, "randomChoiceLink"));
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Выбраны не все события");
    EXPECT_TRUE(w->session().betLines().empty());
}

TEST_F(FormingWindow, TypedStakeIsWrittenWithTwoDecimalsAndAnUnusableOneRefuses) {
    setMode(2);
    markAll("2");
    child<MoneyEdit>(w, "stakeEdit")->setFocus();
    QApplication::processEvents();
    child<MoneyEdit>(w, "stakeEdit")->selectAll();
    QTest::keyClicks(child<MoneyEdit>(w, "stakeEdit"), QStringLiteral("20.5"));
    click(child<LinkLabel>(w, "randomChoiceLink"));
    EXPECT_EQ(w->session().betLines(), kav::Lines{singleBet("20.50", "2", '2')});

    // An emptied field and an amount below the minimum hold no usable stake.
    for (const QString& typed : {QString(), QStringLiteral("5")}) {
        child<MoneyEdit>(w, "stakeEdit")->selectAll();
        QTest::keyClick(child<MoneyEdit>(w, "stakeEdit"), Qt::Key_Backspace);
        QTest::keyClicks(child<MoneyEdit>(w, "stakeEdit"), typed);
        for (auto* label :
             {child<LinkLabel>(w, "takeAllVariantsLink"), child<LinkLabel>(w, "randomChoiceLink"),
              child<LinkLabel>(w, "addSensationsLink")}) {
            hook.clear();
            click(label);
            EXPECT_EQ(hook.shown().size(), 1u) << str(typed);
        }
    }
    EXPECT_EQ(w->session().betLines().size(), 1u);
}

TEST_F(FormingWindow, SensationFilterFollowsBoundsThresholdAndCriterion) {
    setMode(1);
    // The default draw: quotes 40/25/35, pool shares 50/15/35.
    mark({"1X", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    child<QSpinBox>(w, "minSensationsSpin")->setValue(1);
    child<QSpinBox>(w, "maxSensationsSpin")->setValue(1);
    child<QSpinBox>(w, "sensationThresholdSpin")->setValue(25); // a quote of exactly 25 is no upset
    click(child<LinkLabel>(w, "addSensationsLink"));
    EXPECT_TRUE(w->session().betLines().empty());

    child<QRadioButton>(w, "byPoolRadio")->click(); // pool share 15 < 25
    click(child<LinkLabel>(w, "addSensationsLink"));
    const std::string rest = ";3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
                             "13-(1);14-(1);15-(1).";
    const kav::Lines expected = {"20.00;1-(1);2-(X)" + rest, "40.00;1-(X);2-(1,2)" + rest};
    EXPECT_EQ(w->session().betLines(), expected);
    EXPECT_EQ(status(), "Ставок в списке 3 (60 руб.)");
    click(child<LinkLabel>(w,
                           "addSensationsLink")); // the second click finds every line already there
    EXPECT_EQ(w->session().betLines(), expected);

    child<QSpinBox>(w, "minSensationsSpin")->setValue(0);
    child<QSpinBox>(w, "maxSensationsSpin")->setValue(0); // bounds 0 and 0: the whole coupon
    click(child<LinkLabel>(w, "addSensationsLink"));
    ASSERT_EQ(w->session().betLines().size(), 3u);
    EXPECT_EQ(w->session().betLines()[2], "120.00;1-(1,X);2-(1,X,2)" + rest);
    EXPECT_EQ(status(), "Ставок в списке 9 (180 руб.)");
    EXPECT_TRUE(hook.shown().empty());
}

} // namespace

TEST_F(FormingWindow, SensationsAskBeforeAddingManyVariantsAndReportWhatCame) {
    setMode(1);
    markAll("1X2");
    // The default quotes 40/25/35: below 34 "X" is the upset, "1,2" the rest.
    child<QSpinBox>(w, "sensationThresholdSpin")->setValue(34);
    hook.setAnswer(false);
    click(child<LinkLabel>(w, "addSensationsLink"));
    // 3 to 5 upsets among 15 events: 455*2^12 + 1365*2^11 + 3003*2^10.
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text,
              "Будет добавлено 7734272 вариантов на 154685440 руб. Добавить их все в список?");
    EXPECT_TRUE(w->session().betLines().empty());
    child<QSpinBox>(w, "maxSensationsSpin")->setValue(14);
    child<QSpinBox>(w, "minSensationsSpin")->setValue(14);
    click(child<LinkLabel>(w, "addSensationsLink"));
    EXPECT_EQ(w->session().betLines().size(), 15u);
    EXPECT_EQ(w->statusBar()->currentMessage().toStdString(),
              "По сенсациям: добавлено ставок 30 (600 руб.)");
}
