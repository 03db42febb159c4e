// The check window fills the result and the seven prizes from one pasted
// announcement, for the player to confirm.
#include "ui/results/draw_check_window.h"
#include "ui/widgets/message_box.h"

#include "support/shown_main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using kav::test::child;

namespace {

std::string text(const kav::ui::DrawCheckWindow* check, const std::string& name) {
    return kav::test::child<QLineEdit>(check, name.c_str())->text().toStdString();
}

class CheckPaste : public kav::test::ShownMainWindow {};

TEST_F(CheckPaste, OneAnnouncementFillsTheResultAndTheSevenPrizes) {
    w->session().replaceBets({"20;1-(1);2-(X);3-(2);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                              "11-(1);12-(1);13-(1);14-(1);15-(1)."});
    child<QAction>("drawCheckAction")->trigger();
    auto* check = kav::test::child<kav::ui::DrawCheckWindow>(w, "drawCheckWindow");
    kav::ui::MessageBoxHook boxes;
    QApplication::clipboard()->setText(
        QStringLiteral("Тираж № 1234\n"
                       "Результат: 1 Х 2 1 1 1 1 1 1 1 1 1 1 - 2\n"
                       "Выигрыши:\n"
                       "15 — 1 234 567,00 руб.\n"
                       "14: 12 345,50\n"
                       "13 – 800\n12 - 95,5\n11: 20\n10: 5\n9: 0\n"));
    kav::test::child<QPushButton>(check, "pasteResultButton")->click();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(text(check, "resultEdit"), "1X21111111111-2");
    const char* prizes[] = {"0", "5", "20", "95.5", "800", "12345.5", "1234567"};
    for (int k = 9; k <= 15; ++k)
        EXPECT_EQ(text(check, "prizeEdit" + std::to_string(k)), prizes[k - 9]) << k;
    // Event 14 void, event 15 missed: the bet wins category 14.
    EXPECT_EQ(
        kav::test::child<QTableWidget>(check, "packageTable")->item(5, 1)->text().toStdString(),
        "1");

    QApplication::clipboard()->setText(QStringLiteral("15 — 100\n14: 200\n14: 300"));
    kav::test::child<QPushButton>(check, "pasteResultButton")->click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Результат не вставлен: выигрыш за 14 указан дважды.");
    EXPECT_EQ(text(check, "prizeEdit15"), "1234567");
}

} // namespace
