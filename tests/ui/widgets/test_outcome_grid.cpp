// The outcome grid's colour rule and column fitting, and the window's shortcut
// routing around the text fields.
#include "ui/shell/main_window.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/money_edit.h"
#include "ui/widgets/outcome_grid.h"

#include "support/shown_main_window.h"
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using kav::ui::CellFill;
using kav::ui::GridPaintState;

TEST(OutcomeCellFill, FollowsModeCriterionAndForcedBet) {
    kav::DrawModel m;
    kav::applyDefaultDraw(m); // quotes 40/25/35, pool 50/15/35
    m.selection[0] = {1, 1, 0};
    m.forcedBet[0] = 'X';
    struct Case {
        const char* what;
        GridPaintState s;
        int outcome;
        CellFill want;
    };
    constexpr auto kBrief = kav::PacketMode::BriefSystems;
    constexpr auto kSensations = kav::PacketMode::Sensations;
    constexpr auto kManual = kav::PacketMode::Manual;
    constexpr auto kAutoform = kav::PacketMode::Autoform;
    const Case cases[] = {
        {"unmarked stays white", {kBrief, true, false, 25, true}, 2, CellFill::White},
        {"brief systems: plain", {kBrief, true, false, 25, false}, 1, CellFill::Green},
        {"brief systems: forced outcome", {kBrief, true, false, 25, true}, 1, CellFill::Yellow},
        {"brief systems: not the forced one", {kBrief, true, false, 25, true}, 0, CellFill::Green},
        {"sensations: quote at threshold",
         {kSensations, true, false, 25, false},
         1,
         CellFill::Green},
        {"sensations: quote below threshold",
         {kSensations, true, false, 26, false},
         1,
         CellFill::Yellow},
        {"sensations: pool below threshold",
         {kSensations, false, true, 16, false},
         1,
         CellFill::Yellow},
        {"sensations: pool not below", {kSensations, false, true, 15, false}, 1, CellFill::Green},
        {"sensations: ignores the forced bet",
         {kSensations, true, false, 0, true},
         1,
         CellFill::Green},
        {"manual: never yellow", {kManual, true, false, 34, true}, 1, CellFill::Green},
        {"auto-forming: never yellow", {kAutoform, false, true, 34, true}, 1, CellFill::Green},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kav::ui::outcomeCellFill(m, c.s, 0, c.outcome), c.want) << c.what;
}

TEST(OutcomeGrid, ColumnsGrowToTheirTextsAndTheGridFollows) {
    kav::ui::OutcomeGrid g;
    const int before = g.columnWidthOf(0);
    const QString title = QStringLiteral("Очень длинное название команды - Другая команда");
    g.setCellText(0, 3, title);
    const int tw = QFontMetrics(g.cellFont(false)).horizontalAdvance(title);
    EXPECT_GT(tw + 4, before);
    EXPECT_EQ(g.columnWidthOf(0), std::min(tw + 4, kav::ui::OutcomeGrid::kWidestTitleColumn));
    int sum = 0;
    for (int c = 0; c < kav::ui::OutcomeGrid::kColumns; ++c)
        sum += g.columnWidthOf(c);
    EXPECT_EQ(g.sizeHint().width(), sum + 10);
    EXPECT_EQ(g.fittedWidth(), sum + 10);

    // The title column follows the titles back to its designed width; the
    // outcome columns never shrink on their own.
    g.setCellText(2, 3, QStringLiteral("1000000/100"));
    const int wideOutcome = g.columnWidthOf(2);
    g.setCellText(0, 3, QStringLiteral("A - B"));
    EXPECT_EQ(g.columnWidthOf(0), before);
    g.setCellText(2, 3, QStringLiteral("1/1"));
    EXPECT_EQ(g.columnWidthOf(2), wideOutcome);
    // Set small, they fit their texts anew.
    g.setAllColumnWidths(5);
    EXPECT_EQ(g.columnWidthOf(0),
              QFontMetrics(g.cellFont(false)).horizontalAdvance(QStringLiteral("A - B")) + 4);
}

TEST(MoneyDisplay, RoundsToKopecksHalfToEven) {
    struct Case {
        std::int64_t raw;
        const char* want;
    };
    for (const Case& c : {Case{50, "0.00 руб."}, Case{150, "0.02 руб."},
                          Case{9999999, "1 000.00 руб."}, Case{-12345678, "-1 234.57 руб."}})
        EXPECT_EQ(kav::ui::moneyDisplayText(kav::Fixed4::fromRaw(c.raw), QStringLiteral(" руб."))
                      .toStdString(),
                  c.want);
}

TEST(Seams, HooksAnswerAndRecordInsteadOfShowing) {
    kav::ui::MessageBoxHook boxes(false);
    EXPECT_FALSE(
        kav::ui::showMessage(nullptr, kav::Message{"Текст", "Вопрос", kav::Buttons::YesNo}));
    boxes.setAnswer(true);
    EXPECT_TRUE(kav::ui::showMessage(nullptr, kav::Message{"Ещё"}));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].caption, "Вопрос");
    EXPECT_EQ(boxes.shown()[1].caption, "Ошибка");

    kav::ui::FileDialogHook files(QStringLiteral("/tmp/x.txt"));
    EXPECT_EQ(kav::ui::saveFileName(nullptr, QStringLiteral("Сохранить"), {}),
              QStringLiteral("/tmp/x.txt"));
    files.setAnswer({});
    EXPECT_TRUE(kav::ui::openFileName(nullptr, QStringLiteral("Открыть"), {}).isEmpty());
    EXPECT_EQ(files.requests(),
              QStringList({QStringLiteral("Сохранить"), QStringLiteral("Открыть")}));
}

class ShortcutRouting : public kav::test::ShownMainWindow {
protected:
    void SetUp() override {
        ShownMainWindow::SetUp();
        w->session().replaceBets({"line one", "line two"});
    }
};

TEST_F(ShortcutRouting, MenuShortcutsWinOverTheMemosOwnKeys) {
    // Ctrl+K deletes to the end of the line in a text field; here it is the menu's.
    QSignalSpy quotes(child<QAction>("saveQuotesAction"), &QAction::triggered);
    kav::ui::FileDialogHook cancelled; // the quotes file's save dialog answers "cancel"
    child<QPlainTextEdit>("betListEdit")->setFocus();
    QTest::keyClick(child<QPlainTextEdit>("betListEdit"), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(quotes.count(), 1);
    EXPECT_EQ(child<QPlainTextEdit>("betListEdit")->toPlainText().toStdString(),
              "line one\nline two");
}

TEST_F(ShortcutRouting, CtrlCInAFieldWithoutSelectionCopiesTheList) {
    QLineEdit* spinText = child<QSpinBox>("briefCategorySpin")->findChild<QLineEdit*>();
    ASSERT_NE(spinText, nullptr);
    spinText->setFocus();
    spinText->deselect();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(spinText, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "line one\nline two");
}

} // namespace
