// "Ручной набор" and "По сенсациям" in the main window: real clicks on the grid
// and on Label16, Label11 and Label14, read back from Memo1 and the status line.
#include "core/forming/manual_selection.h"
#include "ui/link_label.h"
#include "ui/message_box.h"
#include "ui/money_edit.h"
#include "ui/outcome_grid.h"
#include "ui/tot_lin_web1.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using kav::ui::TForm2;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}

std::string singleBet(const std::string& amount, const std::string& first, char rest) {
    std::string s = amount + ";1-(" + first + ")";
    for (int e = 2; e <= 15; ++e)
        s += ";" + std::to_string(e) + "-(" + rest + ")";
    return s + ".";
}

class FormingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<TForm2>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        hook.clear(); // start-up messages (a template folder without templates) are not ours
    }

    void setMode(int m) {
        w->ComboBox1->setCurrentIndex(m);
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
        w->StringGrid1->setCurrentCell(0, 0);
        QRect r = w->StringGrid1->cellRect(col, row);
        QTest::mouseClick(w->StringGrid1->viewport(), Qt::LeftButton, {}, r.center());
    }

    void click(kav::ui::LinkLabel* label) {
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    }

    std::string status() const { return str(w->Label4->text()); }

    std::unique_ptr<TForm2> w;
    kav::ui::MessageBoxHook hook;
};

TEST_F(FormingWindow, TakeAllVariantsAddsTheCouponOnce) {
    setMode(2);
    markAll("1");
    click(w->Label16);
    EXPECT_EQ(w->betLines(), kav::Lines{singleBet("20.00", "1", '1')});
    EXPECT_EQ(status(), "Ставок в списке 1 (20 руб.)");
    click(w->Label16);
    EXPECT_EQ(w->betLines().size(), 1u);
    EXPECT_TRUE(hook.shown().empty());

    clickCell(2, 1); // event 1 becomes a double
    click(w->Label16);
    ASSERT_EQ(w->betLines().size(), 2u);
    EXPECT_EQ(w->betLines()[1], singleBet("40.00", "1,X", '1'));
    EXPECT_EQ(status(), "Ставок в списке 3 (60 руб.)");
}

TEST_F(FormingWindow, RandomChoiceGivesTheCoreLinesForTheSameSeed) {
    setMode(2);
    mark({"1X2", "1X", "X2", "12", "1X2", "1", "1X2", "2", "X", "1X2", "1", "1", "1", "1", "1"});
    for (int d : {0, 4}) {
        w->ComboBox2->setCurrentIndex(d);
        w->RxSpinEdit5->setValue(25);
        w->RxSpinEdit4->setValue(3);
        const kav::Lines before = w->betLines();
        kav::Rng expectedRng(777u + static_cast<std::uint32_t>(d));
        w->rng().setSeed(777u + static_cast<std::uint32_t>(d));
        auto expected =
            kav::randomBets(w->model(), "20", before,
                            {static_cast<kav::RandomDistribution>(d), 25, 3}, expectedRng)
                .added;
        click(w->Label11);
        kav::Lines now = w->betLines();
        ASSERT_EQ(now.size(), before.size() + 25);
        EXPECT_EQ(kav::Lines(now.begin() + static_cast<std::ptrdiff_t>(before.size()), now.end()),
                  expected);
        EXPECT_EQ(w->rng().seed(), expectedRng.seed());
    }
    EXPECT_EQ(status(), "Ставок в списке 50 (1000 руб.)");
    EXPECT_TRUE(hook.shown().empty());
    EXPECT_TRUE(w->RxSpinEdit4->isVisible());
}

TEST_F(FormingWindow, RandomChoiceRunsOutOfNewBets) {
    setMode(2);
    markAll("1");
    click(w->Label11);
    EXPECT_EQ(w->betLines(), kav::Lines{singleBet("20.00", "1", '1')});
    EXPECT_TRUE(hook.shown().empty());
    w->RxSpinEdit5->setValue(3);
    click(w->Label11);
    EXPECT_EQ(w->betLines().size(), 1u);
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Выбрано недостаточно исходов для формирования пакета");
    EXPECT_EQ(hook.shown()[0].caption, "Ошибка");
    EXPECT_EQ(status(), "Ставок в списке 1 (20 руб.)");
}

TEST_F(FormingWindow, UnmarkedEventIsReportedOnceForManyRepetitions) {
    setMode(2);
    mark({"1", "1", "1", "1", "1", "1", "1", "", "1", "1", "1", "1", "1", "1", "1"});
    w->RxSpinEdit5->setValue(1000);
    click(w->Label11);
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Выбраны не все события");
    EXPECT_TRUE(w->betLines().empty());
}

TEST_F(FormingWindow, TypedStakeIsWrittenWithTwoDecimalsAndAnUnusableOneRefuses) {
    setMode(2);
    markAll("2");
    w->Edit1->setFocus();
    QApplication::processEvents();
    w->Edit1->selectAll();
    QTest::keyClicks(w->Edit1, QStringLiteral("20.5"));
    click(w->Label11);
    EXPECT_EQ(w->betLines(), kav::Lines{singleBet("20.50", "2", '2')});

    // An emptied field and an amount below the minimum hold no usable stake.
    for (const QString& typed : {QString(), QStringLiteral("5")}) {
        w->Edit1->selectAll();
        QTest::keyClick(w->Edit1, Qt::Key_Backspace);
        QTest::keyClicks(w->Edit1, typed);
        for (auto* label : {w->Label16, w->Label11, w->Label14}) {
            hook.clear();
            click(label);
            EXPECT_EQ(hook.shown().size(), 1u) << str(typed);
        }
    }
    EXPECT_EQ(w->betLines().size(), 1u);
}

TEST_F(FormingWindow, SensationFilterFollowsBoundsThresholdAndCriterion) {
    setMode(1);
    // The default draw: quotes 40/25/35, pool shares 50/15/35.
    mark({"1X", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    w->RxSpinEdit1->setValue(1);
    w->RxSpinEdit2->setValue(1);
    w->RxSpinEdit3->setValue(25); // a quote of exactly 25 is no upset
    click(w->Label14);
    EXPECT_TRUE(w->betLines().empty());

    w->RadioButton2->click(); // pool share 15 < 25
    click(w->Label14);
    const std::string rest = ";3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
                             "13-(1);14-(1);15-(1).";
    const kav::Lines expected = {"20.00;1-(1);2-(X)" + rest, "40.00;1-(X);2-(1,2)" + rest};
    EXPECT_EQ(w->betLines(), expected);
    EXPECT_EQ(status(), "Ставок в списке 3 (60 руб.)");
    click(w->Label14); // the second click finds every line already there
    EXPECT_EQ(w->betLines(), expected);

    w->RxSpinEdit1->setValue(0);
    w->RxSpinEdit2->setValue(0); // bounds 0 and 0: the whole coupon
    click(w->Label14);
    ASSERT_EQ(w->betLines().size(), 3u);
    EXPECT_EQ(w->betLines()[2], "120.00;1-(1,X);2-(1,X,2)" + rest);
    EXPECT_EQ(status(), "Ставок в списке 9 (180 руб.)");
    EXPECT_TRUE(hook.shown().empty());
}

} // namespace
