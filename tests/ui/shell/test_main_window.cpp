// The main window driven as a player drives it: real clicks in the grid, keys,
// menu shortcuts, typed bet lines; colours read from the painted pixels.
#include "ui/analysis/variant_analysis_window.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/shell/help_window.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/money_edit.h"
#include "ui/widgets/outcome_grid.h"

#include "support/shown_main_window.h"
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

#include <memory>

using kav::ui::MainWindow;

using kav::ui::LinkLabel;
using kav::ui::MoneyEdit;
using kav::ui::OutcomeGrid;
namespace {

const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);

std::string str(const QString& s) {
    return s.toStdString();
}

// A single bet line for the same outcome letter in all fifteen events.
std::string allEvents(const std::string& amount, const std::string& first, char rest) {
    std::string s = amount + ";1-(" + first + ")";
    for (int e = 2; e <= 15; ++e)
        s += std::string(";") + std::to_string(e) + "-(" + rest + ")";
    return s + ".";
}

class MainWindowTest : public kav::test::ShownMainWindow {
protected:
    void clickCell(int col, int row, Qt::KeyboardModifiers mods = {}) {
        QRect r = child<OutcomeGrid>("outcomeGrid")->cellRect(col, row);
        QTest::mouseClick(child<OutcomeGrid>("outcomeGrid")->viewport(), Qt::LeftButton, mods,
                          r.center());
    }

    // Clicks the cell until its editor is open (a click on the current cell opens
    // it); the editor, or null when none opened.
    QLineEdit* openQuoteEditor(int col, int row) {
        for (int i = 0; i < 2; ++i) {
            clickCell(col, row);
            if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                return editor;
        }
        return nullptr;
    }

    // The editor hands its text over once the key press has been handled.
    static void pressReturn(QWidget* editor) {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // A pixel of a cell, relative to the cell's top left corner.
    QColor cellPixel(int col, int row, int dx, int dy) {
        QImage img = child<OutcomeGrid>("outcomeGrid")->viewport()->grab().toImage();
        QRect r = child<OutcomeGrid>("outcomeGrid")->cellRect(col, row);
        return img.pixelColor(r.x() + dx, r.y() + dy);
    }

    void typeIntoMemo(const std::string& text) {
        child<QPlainTextEdit>("betListEdit")->setFocus();
        child<QPlainTextEdit>("betListEdit")->moveCursor(QTextCursor::End);
        const QStringList parts = QString::fromStdString(text).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                QTest::keyClick(child<QPlainTextEdit>("betListEdit"), Qt::Key_Return);
            QTest::keyClicks(child<QPlainTextEdit>("betListEdit"), parts[i]);
        }
    }
};

TEST_F(MainWindowTest, ShowsItsControlsWithTheirCaptionsAndDefaults) {
    EXPECT_EQ(str(w->windowTitle()), "Kavendix V1.4.2 - российский тираж");
    EXPECT_EQ(str(child<LinkLabel>("resetOutcomesLink")->text()), "Сбросить\nисходы");
    EXPECT_EQ(str(child<LinkLabel>("randomChoiceLink")->text()), "Случайный \nвыбор");
    EXPECT_EQ(str(child<QCheckBox>("startWithCheck")->text()), "Начать с...");
    EXPECT_EQ(str(child<QComboBox>("modeCombo")->currentText()), "Бриф-системы");
    EXPECT_EQ(str(child<QComboBox>("searchMethodCombo")->itemText(3)), "без пересечений ");
    EXPECT_EQ(str(child<QSpinBox>("sensationThresholdSpin")->toolTip()),
              "Значение котировки,\nниже которого событие\nсчитаем сенсацией");
    struct Spin {
        QSpinBox* s;
        int value, min, max;
    };
    for (const Spin& c : {Spin{child<QSpinBox>("briefCategorySpin"), 13, 9, 15},
                          Spin{child<QSpinBox>("minSensationsSpin"), 3, 0, 15},
                          Spin{child<QSpinBox>("maxSensationsSpin"), 5, 0, 15},
                          Spin{child<QSpinBox>("sensationThresholdSpin"), 25, 0, 34},
                          Spin{child<QSpinBox>("randomRepeatSpin"), 1, 1, 10000000},
                          Spin{child<QSpinBox>("favouritesSpin"), 7, 0, 15},
                          Spin{child<QSpinBox>("autoformCategorySpin"), 13, 9, 15},
                          Spin{child<QSpinBox>("betLimitSpin"), 1000, 1, 10000000}}) {
        SCOPED_TRACE(str(c.s->objectName()));
        EXPECT_EQ(c.s->value(), c.value);
        EXPECT_EQ(c.s->minimum(), c.min);
        EXPECT_EQ(c.s->maximum(), c.max);
    }
    EXPECT_EQ(child<QSpinBox>("betLimitSpin")->singleStep(), 10);
    EXPECT_TRUE(child<QFrame>("briefSystemPanel")->isVisible());
    EXPECT_FALSE(child<QSpinBox>("favouritesSpin")->isVisible());
    EXPECT_EQ(str(child<OutcomeGrid>("outcomeGrid")->cellText(0, 0)), "События");
    EXPECT_EQ(str(child<OutcomeGrid>("outcomeGrid")->cellText(2, 0)), "Х");
    EXPECT_EQ(str(child<OutcomeGrid>("outcomeGrid")->cellText(1, 1)), "40/50");
    EXPECT_EQ(str(child<MoneyEdit>("stakeEdit")->text()), "20.00 руб.");
    EXPECT_EQ(w->session().stakeText(), "20");
}

TEST_F(MainWindowTest, MenuHasEveryCommandWithItsShortcut) {
    struct Item {
        QAction* a;
        const char* caption;
        const char* shortcut;
    };
    for (const Item& i :
         {Item{child<QAction>("russianDrawAction"), "Россия", ""},
          Item{child<QAction>("ukrainianDrawAction"), "Украина", ""},
          Item{child<QAction>("copyBetListAction"), "Скопировать для переноса", "Ctrl+C"},
          Item{child<QAction>("exportByColumnsAction"), "Сохранить для Excell", "Ctrl+E"},
          Item{child<QAction>("exportByRowsAction"), "Сохранить для Excell построчно", "Ctrl+S"},
          Item{child<QAction>("saveTextFileAction"), "Сохранить в текст. файл", "Ctrl+T"},
          Item{child<QAction>("removeMarkedAction"), "Изъять варианты из списка", "Ctrl+Y"},
          Item{child<QAction>("clearBetListAction"), "Очистить список ставок", "Ctrl+X"},
          Item{child<QAction>("saveQuotesAction"), "Котировки в файл", "Ctrl+K"},
          Item{child<QAction>("loadQuotesAction"), "Котировки из файла", "Ctrl+L"},
          Item{child<QAction>("coverageMapAction"), "Показать карту покрытия", ""},
          Item{child<QAction>("variantAnalysisAction"), "Показать анализ вариантов", ""},
          Item{child<QAction>("helpAction"), "Помощь", ""}}) {
        EXPECT_EQ(str(i.a->text().remove(QLatin1Char('&'))), i.caption);
        EXPECT_EQ(str(i.a->shortcut().toString(QKeySequence::PortableText)), i.shortcut);
    }
    EXPECT_EQ(str(child<QMenu>("currencyMenu")->title()), "&Валюта");
    EXPECT_EQ(str(child<QMenu>("actionsMenu")->title()), "&Действия");
    EXPECT_EQ(str(child<QMenu>("windowsMenu")->title()), "&Окна");
}

TEST_F(MainWindowTest, ClicksMarkOutcomesAndTrackTheForcedBet) {
    clickCell(1, 1); // "1" of event 1
    clickCell(3, 1); // "2"
    EXPECT_TRUE(w->session().draw().marked(0, 0));
    EXPECT_TRUE(w->session().draw().marked(0, 2));
    EXPECT_EQ(w->session().draw().forcedBet[0], '2');
    clickCell(3, 1); // unmark "2": the highest still marked is "1"
    EXPECT_EQ(w->session().draw().forcedBet[0], '1');
    clickCell(1, 1);
    EXPECT_EQ(w->session().draw().forcedBet[0], '_');
    EXPECT_EQ(w->session().draw().forcedBet.substr(1), std::string(14, ' '));

    // The title marks all three when any is missing, and clears all three when not;
    // the forced bet stays.
    clickCell(2, 2);
    clickCell(0, 2);
    EXPECT_EQ(w->session().draw().markedCount(1), 3);
    clickCell(0, 2);
    EXPECT_EQ(w->session().draw().markedCount(1), 0);
    EXPECT_EQ(w->session().draw().forcedBet[1], 'X');

    // Shift+click in mode 0 only extends the range.
    clickCell(1, 5, Qt::ShiftModifier);
    EXPECT_EQ(w->session().draw().markedCount(4), 0);
}

// The key with its text, through the shortcuts first, as a keyboard sends it.
void press(Qt::Key key, Qt::KeyboardModifiers mods = {}, const QString& text = {}) {
    QWidget* to = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                    : QApplication::focusWidget();
    ASSERT_NE(to, nullptr);
    QTest::sendKeyEvent(QTest::Click, to, key, text, mods);
    QApplication::processEvents();
}

// The letter after the single "&" of a caption.
QChar accessKey(const QString& caption) {
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < caption.size() ? caption[at + 1] : QChar();
}

void pressAccessKey(const QString& caption, Qt::KeyboardModifiers mods = {}) {
    const QChar letter = accessKey(caption).toLower();
    ASSERT_FALSE(letter.isNull()) << caption.toStdString();
    press(static_cast<Qt::Key>(letter.toUpper().unicode()), mods, QString(letter));
}

// Tab (Ctrl+Tab out of the grid) until `target` has the focus.
void tabTo(QWidget* target) {
    for (int i = 0; i < 80 && QApplication::focusWidget() != target; ++i) {
        const bool inGrid = qobject_cast<OutcomeGrid*>(QApplication::focusWidget());
        press(Qt::Key_Tab, inGrid ? Qt::ControlModifier : Qt::NoModifier);
    }
    ASSERT_EQ(QApplication::focusWidget(), target) << target->objectName().toStdString();
}

TEST_F(MainWindowTest, APackageFromTheKeyboardAlone) {
    // Every caption of the menu bar and its menus has its own access key.
    auto distinctKeys = [](const QList<QAction*>& actions) {
        QSet<QChar> keys;
        for (const QAction* a : actions) {
            if (a->isSeparator() || a->text().isEmpty())
                continue;
            const QChar k = accessKey(a->text()).toLower();
            EXPECT_FALSE(k.isNull()) << str(a->text());
            EXPECT_FALSE(keys.contains(k)) << str(a->text());
            keys.insert(k);
        }
    };
    distinctKeys(w->menuBar()->actions());
    for (const QMenu* m : w->menuBar()->findChildren<QMenu*>())
        distinctKeys(m->actions());

    // F10 opens the menu bar at its first menu, Esc leaves it.
    press(Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), child<QMenu>("fileMenu"));
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // The manual mode, then fifteen "1" and a double, marked by Space and Enter.
    tabTo(child<QComboBox>("modeCombo"));
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(child<QComboBox>("modeCombo")->currentIndex(), 2);
    auto* grid = child<OutcomeGrid>("outcomeGrid");
    tabTo(grid);
    grid->setCurrentCell(1, 0); // where the player left it
    press(Qt::Key_Right);
    for (int e = 0; e < 15; ++e) {
        press(Qt::Key_Space);
        press(Qt::Key_Down);
    }
    // Moving the cursor every way marks nothing.
    const auto marks = w->session().draw().selection;
    for (Qt::Key k : {Qt::Key_Up, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab,
                      Qt::Key_Tab, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown,
                      Qt::Key_Left, Qt::Key_Backtab})
        press(k);
    press(Qt::Key_Home, Qt::ControlModifier); // the first title
    EXPECT_EQ(w->session().draw().selection, marks);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 0);
    // Space on a title marks the whole event, again clears it; Enter marks "X".
    press(Qt::Key_Space);
    EXPECT_EQ(w->session().draw().markedCount(0), 3);
    press(Qt::Key_Space);
    EXPECT_EQ(w->session().draw().markedCount(0), 0);
    press(Qt::Key_Right);
    press(Qt::Key_Space);
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    EXPECT_EQ(w->session().draw().markedCount(0), 2);
    EXPECT_EQ(w->session().draw().forcedBet[0], 'X');

    // Forming by the link, reported in the status line.
    tabTo(child<LinkLabel>("takeAllVariantsLink"));
    press(Qt::Key_Space);
    ASSERT_EQ(w->session().betLines().size(), 1u);
    EXPECT_EQ(str(w->statusBar()->currentMessage()), "Ручной набор: добавлено ставок 2 (40 руб.)");

    // The copy by the access keys of "Действия" and its item.
    QGuiApplication::clipboard()->clear();
    pressAccessKey(child<QMenu>("actionsMenu")->title(), Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), child<QMenu>("actionsMenu"));
    pressAccessKey(child<QAction>("copyBetListAction")->text());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), w->session().betLines()[0]);
}

TEST_F(MainWindowTest, MarkedCellsArePaintedInsetInTheirColour) {
    clickCell(1, 1);
    EXPECT_EQ(cellPixel(1, 1, 4, 17), kGreen);
    EXPECT_EQ(cellPixel(1, 1, 2, 2), QColor(Qt::white)); // the 3-pixel margin
    EXPECT_EQ(cellPixel(2, 1, 4, 17), QColor(Qt::white));
    EXPECT_EQ(cellPixel(1, 0, 4, 17), QColor(204, 204, 204));

    // Mode 0 with "Начать с...": the forced outcome is yellow, the others green.
    clickCell(2, 1);
    child<QCheckBox>("startWithCheck")->setChecked(true);
    EXPECT_EQ(str(child<QCheckBox>("startWithCheck")->text()), "X              ");
    EXPECT_EQ(cellPixel(2, 1, 4, 17), kYellow);
    EXPECT_EQ(cellPixel(1, 1, 4, 17), kGreen);
    child<QCheckBox>("startWithCheck")->setChecked(false);
    EXPECT_EQ(str(child<QCheckBox>("startWithCheck")->text()), "Начать с...");

    // Mode 1: below the sensation threshold is yellow, at it green.
    child<QComboBox>("modeCombo")->setCurrentIndex(1);
    w->session().draw().quotes[0][0] = kav::Fixed4::fromDouble(24.9);
    w->session().draw().quotes[0][1] = kav::Fixed4::fromInt(25);
    child<QSpinBox>("sensationThresholdSpin")->setValue(25);
    EXPECT_EQ(cellPixel(1, 1, 4, 17), kYellow);
    EXPECT_EQ(cellPixel(2, 1, 4, 17), kGreen);
    // By the pool: "X" has 15 % of the pool, "1" has 50 %.
    QTest::mouseClick(child<QRadioButton>("byPoolRadio"), Qt::LeftButton);
    EXPECT_FALSE(child<QRadioButton>("byQuotesRadio")->isChecked());
    EXPECT_EQ(cellPixel(1, 1, 4, 17), kGreen);
    EXPECT_EQ(cellPixel(2, 1, 4, 17), kYellow);
}

TEST_F(MainWindowTest, ModeSwitchShowsOnePanelAndTurnsEditingOn) {
    struct Case {
        int mode;
        QFrame* visible;
    };
    for (const Case& c :
         {Case{1, child<QFrame>("sensationPanel")}, Case{2, child<QFrame>("manualChoicePanel")},
          Case{3, child<QFrame>("autoformPanel")}, Case{0, child<QFrame>("briefSystemPanel")}}) {
        child<QComboBox>("modeCombo")->setCurrentIndex(c.mode);
        for (QFrame* p : {child<QFrame>("briefSystemPanel"), child<QFrame>("sensationPanel"),
                          child<QFrame>("manualChoicePanel"), child<QFrame>("autoformPanel")})
            EXPECT_EQ(p->isVisible(), p == c.visible) << c.mode << str(p->objectName());
        EXPECT_EQ(child<OutcomeGrid>("outcomeGrid")->editing(), c.mode != 0);
        EXPECT_EQ(child<QLabel>("systemSummaryLabel")->isVisible(), c.mode == 0);
    }
    // The coverage map takes the category of the mode in use.
    child<QSpinBox>("briefCategorySpin")->setValue(11);
    child<QSpinBox>("autoformCategorySpin")->setValue(14);
    EXPECT_EQ(w->session().activeCategory(), 11);
    child<QComboBox>("modeCombo")->setCurrentIndex(3);
    EXPECT_EQ(w->session().activeCategory(), 14);

    child<QComboBox>("distributionCombo")->setCurrentIndex(4);
    EXPECT_FALSE(child<QSpinBox>("favouritesSpin")->isHidden());
    EXPECT_FALSE(child<QLabel>("favouritesCaption")->isHidden());
    child<QComboBox>("distributionCombo")->setCurrentIndex(1);
    EXPECT_TRUE(child<QSpinBox>("favouritesSpin")->isHidden());
}

TEST_F(MainWindowTest, SecondClickOfADoubleClickMarksNothing) {
    clickCell(2, 6);
    QTest::mouseDClick(child<OutcomeGrid>("outcomeGrid")->viewport(), Qt::LeftButton, {},
                       child<OutcomeGrid>("outcomeGrid")->cellRect(2, 6).center());
    EXPECT_TRUE(w->session().draw().marked(5, 1));
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()),
              nullptr); // no editor in mode 0
}

TEST_F(MainWindowTest, ClickOnTheCurrentCellInEditingModesOpensTheEditorWithoutMarking) {
    child<QComboBox>("modeCombo")->setCurrentIndex(2);
    clickCell(1, 1);
    EXPECT_TRUE(w->session().draw().marked(0, 0));
    clickCell(1, 1);
    EXPECT_TRUE(w->session().draw().marked(0, 0));
    EXPECT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);

    // Without ranges a drag carries the current cell along and marks what it enters.
    QWidget* vp = child<OutcomeGrid>("outcomeGrid")->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {},
                      child<OutcomeGrid>("outcomeGrid")->cellRect(3, 8).center());
    QTest::mouseMove(vp, child<OutcomeGrid>("outcomeGrid")->cellRect(3, 9).center());
    QTest::mouseRelease(vp, Qt::LeftButton, {},
                        child<OutcomeGrid>("outcomeGrid")->cellRect(3, 9).center());
    EXPECT_TRUE(w->session().draw().marked(7, 2));
    EXPECT_TRUE(w->session().draw().marked(8, 2));
}

// The player types the whole "quote/pool" text; nothing is applied or rewritten
// while typing, Enter or leaving the cell applies it and rebalances the event,
// and a text that is no quote is refused with a message.
TEST_F(MainWindowTest, TypedQuoteRebalancesTheEventWhenCommitted) {
    auto& m = w->session().draw();
    m.quotes[0] = {kav::Fixed4::fromInt(47), kav::Fixed4::fromInt(28), kav::Fixed4::fromInt(25)};
    m.poolShares[0][0] = kav::Fixed4::fromInt(38);
    w->session().noteDrawReplaced();
    child<QComboBox>("modeCombo")->setCurrentIndex(1);
    auto* grid = child<OutcomeGrid>("outcomeGrid");
    const auto typeOver = [&](const char* text) {
        auto* editor = openQuoteEditor(1, 1);
        if (editor) {
            editor->selectAll();
            QTest::keyClicks(editor, QString::fromUtf8(text));
        }
        return editor;
    };
    kav::ui::MessageBoxHook boxes;

    auto* editor = typeOver("60/38");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(str(editor->text()), "60/38");
    EXPECT_EQ(m.quotes[0][0], kav::Fixed4::fromInt(47));
    pressReturn(editor);
    EXPECT_EQ(m.quotes[0][0], kav::Fixed4::fromInt(60));
    EXPECT_EQ(m.quotes[0][1], kav::Fixed4::fromInt(15));
    EXPECT_EQ(str(grid->cellText(1, 1)), "60/38");
    EXPECT_EQ(str(grid->cellText(2, 1)), "15/" + std::to_string(m.poolShares[0][1].roundToInt()));

    // The quote alone will do; leaving the cell applies it like Enter.
    ASSERT_NE(typeOver("55"), nullptr);
    clickCell(3, 2);
    EXPECT_EQ(m.quotes[0][0], kav::Fixed4::fromInt(55));
    EXPECT_EQ(m.quotes[0][1], kav::Fixed4::fromInt(20));
    EXPECT_EQ(str(grid->cellText(1, 1)), "55/38");

    // Esc drops the typed text.
    ASSERT_NE(editor = typeOver("10/38"), nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(m.quotes[0][0], kav::Fixed4::fromInt(55));
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.shown().empty());

    // No number, a negative one or one too large for the event: refused with
    // the reason, the cell shows the quote again.
    for (const auto& [bad, reason] : {std::pair{"abc/38", "Котировка «abc» — не число."},
                                      {"99999999999999/38", "Котировка 99999999999999 больше "},
                                      {"-50", "Котировка не может быть отрицательной: «-50»."},
                                      {"20/-1", "Доля пула не может быть отрицательной"}}) {
        boxes.clear();
        ASSERT_NE(editor = typeOver(bad), nullptr) << bad;
        pressReturn(editor);
        EXPECT_EQ(m.quotes[0][0], kav::Fixed4::fromInt(55)) << bad;
        EXPECT_EQ(str(grid->cellText(1, 1)), "55/38") << bad;
        QCoreApplication::processEvents();
        ASSERT_EQ(boxes.shown().size(), 1u) << bad;
        EXPECT_NE(boxes.shown()[0].text.find(reason), std::string::npos) << boxes.shown()[0].text;
    }
    // Both parts typed are both kept.
    ASSERT_NE(editor = typeOver("20/10"), nullptr);
    pressReturn(editor);
    EXPECT_EQ(m.quotes[0][0], kav::Fixed4::fromInt(20));
    EXPECT_EQ(m.poolShares[0][0], kav::Fixed4::fromInt(10));
    EXPECT_EQ(str(grid->cellText(1, 1)), "20/10");
}

// A quote typed with a comma is the same quote as with a point.
TEST_F(MainWindowTest, CommaInATypedQuoteIsADecimalSeparator) {
    auto& m = w->session().draw();
    child<QComboBox>("modeCombo")->setCurrentIndex(2);
    for (const char* typed : {"20,5", "20.5"}) {
        m.quotes[0] = {kav::Fixed4::fromInt(47), kav::Fixed4::fromInt(28),
                       kav::Fixed4::fromInt(25)};
        w->session().noteDrawReplaced();
        auto* editor = openQuoteEditor(1, 1);
        ASSERT_NE(editor, nullptr) << typed;
        editor->setCursorPosition(0);
        editor->cursorForward(true, 2);
        QTest::keyClicks(editor, QString::fromUtf8(typed));
        pressReturn(editor);
        EXPECT_EQ(m.quotes[0][0], *kav::Fixed4::parse("20.5")) << typed;
        EXPECT_EQ(m.quotes[0][1], *kav::Fixed4::parse("54.5")) << typed;
    }
}

// Whatever the mode, the window keeps the size the player gave it, and every
// control of the mode's panel is shown whole at the default size.
TEST_F(MainWindowTest, ModeSwitchesKeepTheWindowSize) {
    const QSize size = w->size();
    auto* bar = child<QFrame>("controlBar");
    const auto showsItsPanelWhole = [&](const char* panelName) {
        auto* panel = child<QFrame>(panelName);
        ASSERT_TRUE(panel->isVisible()) << panelName;
        const QRect inBar(panel->mapTo(bar, QPoint(0, 0)), panel->size());
        EXPECT_TRUE(bar->contentsRect().contains(inBar)) << panelName;
        for (QWidget* c : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!c->isVisible())
                continue;
            EXPECT_TRUE(panel->rect().contains(QRect(c->mapTo(panel, QPoint(0, 0)), c->size())))
                << panelName << " " << str(c->objectName());
            EXPECT_GE(c->width(), c->minimumSizeHint().width())
                << panelName << " " << str(c->objectName());
        }
    };
    const char* panels[] = {"briefSystemPanel", "sensationPanel", "manualChoicePanel",
                            "autoformPanel"};
    for (int round = 0; round < 2; ++round) {
        for (int mode : {0, 1, 2, 3, 2, 1, 0, 3, 0}) {
            child<QComboBox>("modeCombo")->setCurrentIndex(mode);
            QCoreApplication::processEvents();
            EXPECT_EQ(w->size(), size) << "mode " << mode;
            showsItsPanelWhole(panels[mode]);
        }
        // The widest states of the panels: the favourites field, the forced bet.
        child<QComboBox>("distributionCombo")->setCurrentIndex(4);
        child<QCheckBox>("startWithCheck")->setChecked(true);
        clickCell(1, 1);
        clickCell(3, 2);
    }
    EXPECT_EQ(w->size(), size);

    // A size the player chose is kept the same way.
    const QSize chosen(size.width() + 180, size.height() - 40);
    w->resize(chosen);
    QCoreApplication::processEvents();
    for (int mode : {1, 2, 3, 0}) {
        child<QComboBox>("modeCombo")->setCurrentIndex(mode);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->size(), chosen) << "mode " << mode;
    }
}

// The grid and the bet list share the row through a splitter; the title column
// fits the titles of the draw, and a title too long for any sensible width is
// shortened (its whole text the tooltip) instead of pushing the list away.
TEST_F(MainWindowTest, TitleColumnFitsTheTitlesAndTheBetListKeepsItsRoom) {
    auto* grid = child<OutcomeGrid>("outcomeGrid");
    auto* list = child<QPlainTextEdit>("betListEdit");
    auto* splitter = child<QSplitter>("gridListSplitter");
    ASSERT_TRUE(grid->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(splitter->indexOf(grid), 0);
    EXPECT_EQ(splitter->indexOf(list), 1);
    const int designedTitle = grid->columnWidthOf(0);
    const int listWidth = list->width();
    EXPECT_EQ(splitter->sizes().value(0), grid->fittedWidth());
    const auto retitle = [&](const QString& title) {
        for (int e = 0; e < kav::kEvents; ++e)
            w->session().draw().eventTitles[e] = (title + QString::number(e + 1)).toStdString();
        w->session().noteDrawReplaced();
        QCoreApplication::processEvents();
    };

    // A UTF-8 quotes file read as CP1251 doubles every letter.
    const QString garbled = QStringLiteral(
        "Р›РѕРєРѕРјРѕС‚РёРІ РњРѕСЃРєРІР° - Р—РµРЅРёС‚ РЎР°РЅРєС‚-РџРµС‚РµСЂР±СѓСЂРі");
    retitle(garbled);
    EXPECT_EQ(grid->columnWidthOf(0), OutcomeGrid::kWidestTitleColumn);
    EXPECT_TRUE(grid->titleElided(1));
    EXPECT_EQ(grid->item(1, 0)->toolTip(), garbled + QStringLiteral("1"));
    EXPECT_GE(list->width(), w->width() / 3);
    EXPECT_EQ(splitter->sizes().value(0), grid->fittedWidth());

    const QString club = QStringLiteral("Боруссия Дортмунд - Шальке ");
    retitle(club);
    const int clubWidth =
        QFontMetrics(grid->cellFont(false)).horizontalAdvance(club + QStringLiteral("15")) + 4;
    EXPECT_EQ(grid->columnWidthOf(0), std::max(designedTitle, clubWidth));
    EXPECT_FALSE(grid->titleElided(15));
    EXPECT_TRUE(grid->item(15, 0)->toolTip().isEmpty());

    // Shorter titles give the room back.
    retitle(QStringLiteral("Матч "));
    EXPECT_EQ(grid->columnWidthOf(0), designedTitle);
    EXPECT_EQ(list->width(), listWidth);

    // The player may widen the grid; its title column takes the room.
    retitle(garbled);
    splitter->setSizes({grid->fittedWidth() + 100, list->width() - 100});
    QCoreApplication::processEvents();
    EXPECT_GT(grid->columnWidth(0), OutcomeGrid::kWidestTitleColumn + 90);
}

TEST_F(MainWindowTest, CategoryFieldTurnsLightRedAtFifteen) {
    child<QSpinBox>("briefCategorySpin")->setValue(15);
    EXPECT_EQ(child<QSpinBox>("briefCategorySpin")->palette().color(QPalette::Base),
              QColor(255, 170, 170));
    child<QSpinBox>("briefCategorySpin")->setValue(13);
    EXPECT_EQ(child<QSpinBox>("briefCategorySpin")->palette().color(QPalette::Base),
              QColor(Qt::white));
}

TEST_F(MainWindowTest, TypedLinesUpdateTheStatusLine) {
    typeIntoMemo(std::string(" ") + allEvents("20", "1", '1'));
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 1 (20 руб.)");
    typeIntoMemo(std::string("\n") + allEvents("40.00", "1,X", '2') + "\nnonsense");
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 3 (60 руб.)");
    ASSERT_EQ(w->session().draw().betMasks.size(), 3u);
    EXPECT_FALSE(w->session().draw().betMasks[2].valid());
    // A complete line whose amount is no number: the status names it, counts stay.
    typeIntoMemo(std::string("\n") + allEvents("abc", "1", '1'));
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()),
              "Строка 4 списка ставок не читается: сумма \"abc\" не число или слишком велика");
    EXPECT_EQ(w->session().draw().betCount, 3);
}

TEST_F(MainWindowTest, AppendedLinesGiveTheSameResultAsAFullParse) {
    typeIntoMemo(allEvents("20", "1", '1') + "\n");
    const kav::Lines batches[] = {{allEvents("40", "1,X", '2'), "", "text without semicolon"},
                                  {allEvents("60", "1,X,2", 'X')},
                                  {allEvents("20.5", "2", '1'), allEvents("1", "x", '2')}};
    for (const auto& batch : batches) {
        w->session().appendBets(batch);
        const auto full = kav::parseBetList(w->session().betLines());
        ASSERT_TRUE(full.has_value());
        EXPECT_EQ(w->session().draw().betMasks, full->masks);
        EXPECT_EQ(w->session().draw().betCount, full->count);
        EXPECT_EQ(w->session().draw().betTotal, full->total);
    }
    EXPECT_EQ(w->session().betLines().size(), 7u);
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 8 (141.5 руб.)");

    w->session().appendBets({allEvents("zz", "1", '1')});
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()),
              "Строка 8 списка ставок не читается: сумма \"zz\" не число или слишком велика");
    EXPECT_EQ(w->session().draw().betCount, 8);
    // Once the list parses again, the counts are whole again.
    w->session().replaceBets({allEvents("20", "1", '1')});
    w->session().appendBets({allEvents("20", "2", '2')});
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 2 (40 руб.)");
}

TEST_F(MainWindowTest, LinesAppendedOneByOneReachTheMemoInOrder) {
    const kav::Lines lines{allEvents("20", "1", '1'), allEvents("20", "X", '1'),
                           allEvents("20", "2", '1')};
    for (const auto& l : lines)
        w->session().appendBets({l});
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 3 (60 руб.)");
    QApplication::processEvents();
    EXPECT_EQ(str(child<QPlainTextEdit>("betListEdit")->toPlainText()), kav::joinLines(lines));

    // The player typing right after an append types after the appended lines.
    w->session().appendBets({allEvents("20", "1", '2')});
    typeIntoMemo(std::string("\n") + allEvents("20", "X", '2'));
    const kav::Lines all = w->session().betLines();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[3], allEvents("20", "1", '2'));
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 5 (100 руб.)");
}

TEST_F(MainWindowTest, RemovalThroughTheMenuShortcut) {
    kav::ui::MessageBoxHook hook;
    w->session().replaceBets({allEvents("40.00", "1,X", '1')});
    QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].text, "Выбраны не все события");
    EXPECT_EQ(w->session().betLines().size(), 1u);

    for (int row = 1; row <= 15; ++row)
        clickCell(1, row);
    QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w->session().betLines(), kav::Lines{allEvents("20", "X", '1')});
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 1 (20 руб.)");
}

TEST_F(MainWindowTest, ClipboardKeysCopyOrClearTheListUnlessTheMemoHasASelection) {
    w->session().replaceBets({"first line", "second line"});
    QGuiApplication::clipboard()->clear();
    child<OutcomeGrid>("outcomeGrid")->setFocus();
    QTest::keyClick(child<OutcomeGrid>("outcomeGrid"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), "first line\nsecond line");
    // Copied without selecting the list or taking the focus: no key can replace it.
    EXPECT_FALSE(child<QPlainTextEdit>("betListEdit")->textCursor().hasSelection());
    EXPECT_TRUE(child<OutcomeGrid>("outcomeGrid")->hasFocus());
    // The Cyrillic letter on the same key copies too.
    QGuiApplication::clipboard()->clear();
    QKeyEvent cyrillic(QEvent::KeyPress, 0x0421, Qt::ControlModifier, QStringLiteral("\x03"));
    QApplication::sendEvent(child<OutcomeGrid>("outcomeGrid"), &cyrillic);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), "first line\nsecond line");

    // In the memo with a selection the keys copy and cut that selection.
    child<QPlainTextEdit>("betListEdit")->setFocus();
    QTextCursor c = child<QPlainTextEdit>("betListEdit")->textCursor();
    c.setPosition(0);
    c.setPosition(5, QTextCursor::KeepAnchor);
    child<QPlainTextEdit>("betListEdit")->setTextCursor(c);
    QTest::keyClick(child<QPlainTextEdit>("betListEdit"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), "first");
    QTest::keyClick(child<QPlainTextEdit>("betListEdit"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(str(child<QPlainTextEdit>("betListEdit")->toPlainText()), " line\nsecond line");

    // Without a selection Ctrl+X is "Очистить список ставок".
    QTest::keyClick(child<QPlainTextEdit>("betListEdit"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(str(child<QPlainTextEdit>("betListEdit")->toPlainText()), "");
    EXPECT_EQ(str(child<QLabel>("betListStatusLabel")->text()), "Ставок в списке 0 (0 руб.)");
}

TEST_F(MainWindowTest, ResetClearsMarksAndSummaryLines) {
    clickCell(1, 4);
    child<QLabel>("couponSummaryLabel")->setText(QStringLiteral("x"));
    QTest::mouseClick(child<LinkLabel>("resetOutcomesLink"), Qt::LeftButton);
    EXPECT_EQ(w->session().draw().markedCount(3), 0);
    EXPECT_EQ(str(child<QLabel>("couponSummaryLabel")->text()), "");
    EXPECT_EQ(w->session().draw().forcedBet[3], '1');
}

TEST_F(MainWindowTest, SideWindowsStartHiddenAndCloseWithTheMainWindow) {
    auto* f3 = new kav::ui::NearestSystemsWindow(w.get());
    auto* f4 = new kav::ui::CoverageMapWindow(w->session(), w.get());
    auto* f5 = new kav::ui::VariantAnalysisWindow(w->session(), w.get());
    auto* f6 = new kav::ui::HelpWindow(w.get());
    w->setSideWindows(f3, f4, f5, f6);
    EXPECT_EQ(str(f3->windowTitle()), "Ближайшие варианты");
    EXPECT_TRUE(f3->windowFlags() & Qt::WindowStaysOnTopHint);
    for (QWidget* f : std::initializer_list<QWidget*>{f3, f4, f5, f6})
        EXPECT_FALSE(f->isVisible());
    f4->show();
    f3->show();
    child<QComboBox>("modeCombo")->setCurrentIndex(1); // the mode switch hides the nearest systems
    EXPECT_FALSE(f3->isVisible());
    w->close();
    EXPECT_FALSE(f4->isVisible());
}

TEST(MoneyField, ShowsThousandsAndNeverHoldsLessThanItsMinimum) {
    EXPECT_EQ(str(kav::ui::moneyDisplayText(kav::Fixed4::fromDouble(1234567.505),
                                            QStringLiteral(" руб."))),
              "1 234 567.50 руб.");
    EXPECT_EQ(str(kav::ui::moneyDisplayText(kav::Fixed4::fromInt(3), QStringLiteral(" грн."))),
              "3.00 грн.");
    kav::ui::MoneyEdit e;
    e.setMinimum(kav::Fixed4::fromInt(20));
    e.setValue(kav::Fixed4::fromInt(5));
    EXPECT_EQ(e.value(), kav::Fixed4::fromInt(20));
    e.show();
    e.setFocus();
    QApplication::setActiveWindow(&e);
    e.setText(QStringLiteral("12"));
    EXPECT_EQ(e.stakeText(), ""); // below the minimum: actions refuse
    e.setText(QStringLiteral("25.5"));
    EXPECT_EQ(e.stakeText(), "25.5");
    e.clear();
    QTest::keyClicks(&e, QStringLiteral("30,52")); // "," is a decimal point
    EXPECT_EQ(e.stakeText(), "30.52");
    e.clear();
    QTest::keyClicks(&e, QStringLiteral("20,5"));
    e.clearFocus();
    QApplication::processEvents();
    EXPECT_EQ(e.value(), kav::Fixed4::parse("20.5"));
    EXPECT_EQ(str(e.text()), "20.50");
    // No amount, or one below the minimum: refused by name, the value stays.
    e.setSuffix(QStringLiteral(" руб."));
    kav::ui::MessageBoxHook boxes;
    for (const char* typed : {"abc", "-5", "0", "7"}) {
        e.setFocus();
        QApplication::processEvents();
        e.setText(QString::fromUtf8(typed));
        EXPECT_EQ(e.stakeText(), "") << typed;
        e.clearFocus();
        QApplication::processEvents();
        EXPECT_EQ(e.value(), kav::Fixed4::parse("20.5")) << typed;
        ASSERT_FALSE(boxes.shown().empty()) << typed;
        EXPECT_EQ(boxes.shown().back().text, std::string("«") + typed +
                                                 "» — не сумма на ставку.\nВведите сумму не "
                                                 "меньше 20.00 руб.");
    }
    // The field widens for any amount it accepts.
    e.setBaseWidth(110);
    e.setValue(*kav::Fixed4::parse("123456789012.5"));
    EXPECT_GE(e.width(), e.fontMetrics().horizontalAdvance(e.text()) + 8);
}

} // namespace
