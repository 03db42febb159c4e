// "Ввести тираж…": a bookmaker's table pasted on the grid becomes the draw,
// a package is formed on it, and the whole change comes undone step by step.
#include "support/shown_main_window.h"
#include "ui/draw/draw_entry_dialog.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using kav::test::child;
using kav::ui::DrawEntryDialog;
using kav::ui::OutcomeGrid;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}

class DrawEntryWindow : public kav::test::ShownMainWindow {
protected:
    std::string cell(int col, int row) const { return str(grid()->cellText(col, row)); }
    OutcomeGrid* grid() const { return child<OutcomeGrid>("outcomeGrid"); }
    void clickCell(int col, int row) {
        grid()->setCurrentCell(0, 0); // a click on the current cell would open its editor
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->cellRect(col, row).center());
    }
    void ok(DrawEntryDialog* d) {
        kav::test::child<QDialogButtonBox>(d, "drawEntryButtons")
            ->button(QDialogButtonBox::Ok)
            ->click();
    }
};

TEST_F(DrawEntryWindow, APastedOddsTableBecomesTheDrawAndComesUndone) {
    kav::ui::MessageBoxHook boxes;
    kav::ui::Session& s = w->session();
    // A bet on the stand-in draw: the entry asks before it clears the list.
    child<QComboBox>("modeCombo")->setCurrentIndex(2);
    for (int e = 1; e <= 15; ++e)
        clickCell(1, e);
    QTest::mouseClick(child<kav::ui::LinkLabel>("takeAllVariantsLink"), Qt::LeftButton);
    ASSERT_EQ(s.betLines().size(), 1u);
    const kav::Lines standInList = s.betLines();
    const auto standInMarks = s.draw().selection;

    QString table = QStringLiteral("№\tМатч\tП1\tX\tП2\n");
    for (int e = 1; e <= 15; ++e)
        table +=
            QStringLiteral("%1. Хозяева %1 - Гости\t2,00\t3,40\t3,60\t47,5\t28\t24,5\n").arg(e);
    QApplication::clipboard()->setText(table);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    auto* dialog = child<DrawEntryDialog>("drawEntryDialog");
    EXPECT_EQ(kav::test::child<QComboBox>(dialog, "valuesCombo")->currentIndex(), 1); // odds
    EXPECT_EQ(str(kav::test::child<QLabel>(dialog, "marginLabel")->text()),
              "маржа букмекера 7.19 %");
    EXPECT_TRUE(boxes.shown().empty());
    ok(dialog);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Подтверждение");

    // Titles and margin-free quotes on the grid; the list and marks cleared.
    EXPECT_EQ(cell(0, 1), "Хозяева 1 - Гости");
    EXPECT_EQ(cell(0, 15), "Хозяева 15 - Гости");
    EXPECT_EQ(cell(1, 7), "47/48");
    EXPECT_EQ(cell(3, 7), "26/24");
    EXPECT_EQ(s.draw().quotes[6][1], *kav::Fixed4::parse("27.4389"));
    EXPECT_EQ(str(s.rowTitle(0)), "Хозяева 1");
    EXPECT_TRUE(s.betLines().empty());

    // A package on the entered draw.
    clickCell(1, 1);
    clickCell(2, 1);
    for (int e = 2; e <= 15; ++e)
        clickCell(3, e);
    QTest::mouseClick(child<kav::ui::LinkLabel>("takeAllVariantsLink"), Qt::LeftButton);
    ASSERT_EQ(s.betLines().size(), 1u);
    EXPECT_EQ(s.draw().betCount, 2);

    // Undone: the package, the marks one by one, then the draw as one step.
    auto* undo = child<QAction>("undoAction");
    while (s.draw().eventTitles[0] != "Матч 1" && undo->isEnabled())
        undo->trigger();
    EXPECT_EQ(cell(0, 1), "Матч 1");
    EXPECT_EQ(cell(1, 1), "40/50");
    EXPECT_EQ(s.betLines(), standInList);
    EXPECT_EQ(s.draw().selection, standInMarks);
    EXPECT_EQ(str(s.rowTitle(0)), "Матч 1");
    child<QAction>("redoAction")->trigger();
    EXPECT_EQ(cell(0, 1), "Хозяева 1 - Гости");
    EXPECT_TRUE(s.betLines().empty());

    // Opened from the menu with the draw shown; a bad cell keeps it open.
    boxes.clear();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed dialog
    child<QAction>("enterDrawAction")->trigger();
    dialog = child<DrawEntryDialog>("drawEntryDialog");
    auto* cells = kav::test::child<QTableWidget>(dialog, "drawEntryTable");
    EXPECT_EQ(str(cells->item(6, 1)->text()), "46.6461");
    cells->item(2, 0)->setText(QStringLiteral("Зенит - Спартак"));
    cells->item(2, 2)->setText(QStringLiteral("x"));
    ok(dialog);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Строка 3, Х: «x» не число");
    EXPECT_EQ(cell(0, 3), "Хозяева 3 - Гости");
    cells->item(2, 2)->setText(QStringLiteral("30"));
    kav::test::child<QComboBox>(dialog, "entryCountryCombo")->setCurrentIndex(1);
    kav::test::child<QLineEdit>(dialog, "entryPoolEdit")->setText(QStringLiteral("1 000,5"));
    ok(dialog);
    EXPECT_EQ(cell(0, 3), "Зенит - Спартак");
    EXPECT_EQ(cell(2, 3), "30/28");
    EXPECT_EQ(s.draw().drawCountry, kav::kUkraine);
    EXPECT_EQ(s.totals().poolText, "1000.5");
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("Kavendix V1.4.2 - украинский тираж")));
    undo->trigger();
    EXPECT_EQ(s.draw().drawCountry, kav::kRussia);
    EXPECT_EQ(cell(0, 3), "Хозяева 3 - Гости");
}

} // namespace
