// "Условия" in the main window: the mode and its editor, the live counter,
// "Добавить в список", "Применить к списку" with its undo, the base-row table
// and the conditions kept in the project; read back against the core.
#include "core/forming/condition_filter.h"
#include "io/files/project_file.h"
#include "support/shown_main_window.h"
#include "ui/forming/conditions_panel.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kav::test::child;
using kav::ui::LinkLabel;

constexpr int kConditionsMode = 4;

class ConditionsWindow : public kav::test::ShownMainWindow {
protected:
    void SetUp() override {
        ShownMainWindow::SetUp();
        hook.clear();
        child<QComboBox>("modeCombo")->setCurrentIndex(kConditionsMode);
        QApplication::processEvents();
    }

    void markAll(const char* outcomes) {
        auto* grid = child<kav::ui::OutcomeGrid>("outcomeGrid");
        for (int e = 1; e <= 15; ++e)
            for (const char* c = outcomes; *c; ++c) {
                grid->setCurrentCell(0, 0);
                const int col = *c == '1' ? 1 : *c == 'X' ? 2 : 3;
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->cellRect(col, e).center());
            }
    }

    void setRange(const char* name, int from, int to) {
        const std::string n = name;
        child<QCheckBox>((n + "Check").c_str())->setChecked(true);
        child<QSpinBox>((n + "FromSpin").c_str())->setValue(from);
        child<QSpinBox>((n + "ToSpin").c_str())->setValue(to);
    }

    void click(const char* link) {
        auto* l = child<LinkLabel>(link);
        QTest::mouseClick(l, Qt::LeftButton, {}, l->rect().center());
    }

    // The live counter a fifth of a second after the last change.
    QString counterAfterAFifth() {
        QTest::qWait(200);
        return child<QLabel>("conditionCountLabel")->text();
    }

    kav::ConditionSet panelConditions() {
        return child<kav::ui::ConditionsPanel>("conditionsPanel")->conditions();
    }

    kav::ui::MessageBoxHook hook;
};

TEST_F(ConditionsWindow, ModeShowsThePanelAndTheEditorOnlyThere) {
    auto* combo = child<QComboBox>("modeCombo");
    EXPECT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->itemText(kConditionsMode).toStdString(), "Условия");
    EXPECT_EQ(w->modeBar().mode(), kav::PacketMode::Conditions);
    EXPECT_EQ(child<QStackedWidget>("modePanelStack")->currentWidget(),
              child<QWidget>("conditionsPanel"));
    EXPECT_TRUE(child<QWidget>("conditionEditor")->isVisible());
    combo->setCurrentIndex(2);
    QApplication::processEvents();
    EXPECT_FALSE(child<QWidget>("conditionEditor")->isVisible());
}

TEST_F(ConditionsWindow, CounterFollowsConditionsAndMarksWithinAFifthOfASecond) {
    markAll("1X2");
    QString text = counterAfterAFifth();
    EXPECT_EQ(text.toStdString(), "14348907 (286978140 руб.)");
    setRange("ones", 5, 5);
    text = counterAfterAFifth();
    const auto expected = kav::countPassingVariants(
        w->session().draw(), kav::markedField(w->session().draw()), panelConditions());
    EXPECT_EQ(text.toStdString(),
              std::to_string(expected) + " (" + std::to_string(expected * 20) + " руб.)");
    // A mark taken off: the field shrinks and the counter follows.
    auto* grid = child<kav::ui::OutcomeGrid>("outcomeGrid");
    grid->setCurrentCell(0, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 1).center());
    text = counterAfterAFifth();
    EXPECT_EQ(text.toStdString().substr(0, text.toStdString().find(' ')),
              std::to_string(kav::countPassingVariants(
                  w->session().draw(), kav::markedField(w->session().draw()), panelConditions())));
}

TEST_F(ConditionsWindow, AddToListAppendsTheCoreLinesOnce) {
    markAll("1X");
    setRange("ones", 7, 7);
    setRange("longestRun", 1, 2);
    click("addConditionVariantsLink");
    const auto expected =
        kav::addConditionVariants(w->session().draw(), "20.00", {}, panelConditions()).added;
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(w->session().betLines(), expected);
    click("addConditionVariantsLink");
    EXPECT_EQ(w->session().betLines(), expected);
    EXPECT_TRUE(hook.shown().empty());
}

TEST_F(ConditionsWindow, ManyVariantsAskFirst) {
    markAll("1X2");
    hook.setAnswer(false);
    click("addConditionVariantsLink");
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text,
              "Условиям отвечают 14348907 вариантов на 286978140 руб. Добавить их все в список?");
    EXPECT_TRUE(w->session().betLines().empty());
}

TEST_F(ConditionsWindow, ApplyToListReplacesInPlaceReportsAndUndoes) {
    markAll("1");
    kav::Coupon wide{};
    wide.fill(1);
    wide[0] = wide[1] = 7;
    const kav::Lines before{"первая строка", kav::formatCoupon(wide, kav::Fixed4::fromInt(10)),
                            "последняя"};
    w->session().replaceBets(before);
    setRange("draws", 1, 1);
    click("applyConditionsLink");
    const auto expected =
        kav::applyConditionsToList(w->session().draw(), before, panelConditions());
    EXPECT_EQ(w->session().betLines(), expected.lines);
    ASSERT_EQ(w->session().betLines().size(), 2u + 4u); // "1X", "X1", "2X", "X2" stay of nine
    EXPECT_EQ(w->session().betLines()[1].substr(0, 3), "10;"); // the amount form of the removal
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Удалено вариантов: 5");
    EXPECT_EQ(w->statusBar()->currentMessage().toStdString(),
              "Условия к списку: изъято ставок 5 (50 руб.)");
    child<QAction>("undoAction")->trigger();
    EXPECT_EQ(w->session().betLines(), before);
}

TEST_F(ConditionsWindow, BaseRowsTableAndToleranceMakeTheConditions) {
    click("addBaseRowLink");
    click("addBaseRowLink");
    auto* table = child<QTableWidget>("baseRowsTable");
    ASSERT_EQ(table->rowCount(), 2);
    table->item(0, 0)->setText(QStringLiteral("1х2------------")); // a Cyrillic х typed
    table->item(0, 1)->setText(QStringLiteral("1"));
    table->item(0, 2)->setText(QStringLiteral("2"));
    table->item(1, 0)->setText(QStringLiteral("1X2")); // too short: left out
    child<QSpinBox>("toleranceSpin")->setValue(1);
    const kav::ConditionSet c = panelConditions();
    ASSERT_EQ(c.baseRows.size(), 1u);
    EXPECT_EQ(kav::baseRowConditionText(c.baseRows[0]), "1X2------------:1:2");
    EXPECT_EQ(c.tolerance, 1);
    click("removeBaseRowLink");
    EXPECT_EQ(table->rowCount(), 1);
}

TEST_F(ConditionsWindow, ConditionsGoIntoTheProjectAndBack) {
    setRange("points", 450, 520);
    setRange("changes", 3, 9);
    kav::ProjectState s = w->project().projectState();
    EXPECT_EQ(s.mode, kav::PacketMode::Conditions);
    EXPECT_EQ(s.conditions, panelConditions());
    s.conditions = kav::ConditionSet{};
    s.conditions.range(kav::Measure::Twos) = kav::ConditionRange{2, 4};
    s.conditions.baseRows.push_back({"111111111111111", kav::ConditionRange{0, 3}});
    s.conditions.tolerance = 2;
    w->project().applyProjectState(s);
    EXPECT_EQ(panelConditions(), s.conditions);
    EXPECT_FALSE(child<QCheckBox>("pointsCheck")->isChecked());
}

// A range the spin boxes hold is always in order, so a saved project reads back.
TEST_F(ConditionsWindow, RangeEndsFollowEachOther) {
    setRange("ones", 3, 5);
    child<QSpinBox>("onesFromSpin")->setValue(9);
    EXPECT_EQ(child<QSpinBox>("onesToSpin")->value(), 9);
    child<QSpinBox>("onesToSpin")->setValue(2);
    EXPECT_EQ(child<QSpinBox>("onesFromSpin")->value(), 2);
    const auto back = kav::io::readProjectJson(kav::io::projectJson(w->project().projectState()));
    ASSERT_TRUE(back.state) << back.error;
    EXPECT_EQ(back.state->conditions, panelConditions());
}

} // namespace

namespace {

// Named sets: saved into the data folder, offered in the list, loaded back.
TEST(ConditionPresetsWindow, SavedSetIsOfferedAndLoadedBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    kav::ui::setPersistence({dir.path(), {}});
    kav::ui::MessageBoxHook hook;
    {
        kav::ui::MainWindow w;
        auto* panel = child<kav::ui::ConditionsPanel>(w, "conditionsPanel");
        auto* combo = child<QComboBox>(w, "conditionPresetCombo");
        EXPECT_EQ(combo->count(), 0);
        kav::ConditionSet set;
        set.range(kav::Measure::Outsiders) = kav::ConditionRange{1, 3};
        set.baseRows.push_back({"XXXXXXXXXXXXXXX", kav::ConditionRange{2, 6}});
        set.tolerance = 1;
        panel->applyConditions(set);
        combo->setEditText(QStringLiteral("Аутсайдеры"));
        auto* save = child<LinkLabel>(w, "saveConditionPresetLink");
        QTest::mouseClick(save, Qt::LeftButton, {}, save->rect().center());
        ASSERT_EQ(combo->count(), 1);
        EXPECT_EQ(combo->itemText(0).toStdString(), "Аутсайдеры");
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("conditions/Аутсайдеры.json"))));

        panel->applyConditions(kav::ConditionSet{});
        Q_EMIT combo->activated(0);
        EXPECT_EQ(panel->conditions(), set);
        EXPECT_TRUE(hook.shown().empty());
    }
    kav::ui::setPersistence({});
}

} // namespace
