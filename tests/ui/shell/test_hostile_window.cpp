// Hostile text pasted into the bet-list memo of the main window: a huge list,
// an endless line, NUL bytes and broken UTF-8. The window must keep every
// good line counted, keep the text, and answer within a bounded time.
#include "support/hostile_lists.h"
#include "support/template_folder.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/money_edit.h"
#include "ui/widgets/outcome_grid.h"

#include "support/shown_main_window.h"
#include <QAction>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <tuple>

using kav::ui::MainWindow;

using kav::test::child;
using kav::ui::MoneyEdit;
using kav::ui::OutcomeGrid;

namespace {

const std::string& kSingle = kav::testing::kSingleCoupon;

class HostilePaste : public kav::test::ShownMainWindow {
protected:
    // Pastes raw bytes as the clipboard's plain text at the end of the memo.
    void paste(const QByteArray& bytes) {
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("text/plain"), bytes);
        QGuiApplication::clipboard()->setMimeData(mime);
        child<QPlainTextEdit>("betListEdit")->setFocus();
        child<QPlainTextEdit>("betListEdit")->moveCursor(QTextCursor::End);
        QTest::keyClick(child<QPlainTextEdit>("betListEdit"), Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
    }

    std::string status() const { return child<QLabel>("betListStatusLabel")->text().toStdString(); }
};

QByteArray bytesOf(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TEST_F(HostilePaste, BadLinesAmongGoodOnesAreKeptAndSkipped) {
    struct Case {
        const char* name;
        std::string line;
    };
    const std::vector<Case> cases = {
        {"long", std::string(100000, '1')},
        {"long with groups", "20;" + std::string(100000, ';')},
        {"nul bytes", std::string("20;1-(1)\0;2-(1)\0\0", 18)},
        {"invalid utf-8", "\xff\xfe\xc3(\xe2\x82\x28\xf0\x28\x8c\xbc" + kSingle},
        {"invalid utf-8 amount", "2\xff;" + kSingle.substr(3)},
    };
    for (const auto& c : cases) {
        w->session().replaceBets({});
        auto start = std::chrono::steady_clock::now();
        paste(bytesOf(kSingle + "\n" + c.line + "\n" + kSingle));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << c.name;
        const auto lines = w->session().betLines();
        ASSERT_EQ(lines.size(), 3u) << c.name;
        EXPECT_EQ(lines[0], kSingle) << c.name;
        EXPECT_EQ(lines[2], kSingle) << c.name;
        // A line left out of the counts is named with its reason.
        EXPECT_TRUE((status() == "Ставок в списке 2 (40 руб.)" &&
                     child<QLabel>("skippedLinesLabel")
                         ->text()
                         .startsWith(QStringLiteral("Не учтены строки: 2 — "))) ||
                    status().rfind("Строка 2 списка ставок не читается: ", 0) == 0)
            << c.name << ": " << status();
        // What the status line quotes of a broken line is readable text.
        EXPECT_EQ(QString::fromStdString(status()).toStdString(), status()) << c.name;

        // Removing a variant no line holds changes none of the lines.
        kav::ui::MessageBoxHook boxes;
        for (auto& marks : w->session().draw().selection)
            marks = {0, 0, 1};
        child<QAction>("removeMarkedAction")->trigger();
        EXPECT_TRUE(boxes.shown().empty()) << c.name;
        EXPECT_EQ(w->session().betLines(), lines) << c.name;
    }
}

TEST_F(HostilePaste, TenMegabyteListIsCounted) {
    const auto [list, lines] = kav::testing::repeatedCoupons(10u << 20);
    auto start = std::chrono::steady_clock::now();
    paste(bytesOf(list));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(status(), "Ставок в списке " + std::to_string(lines) + " (" +
                            std::to_string(lines * 20) + " руб.)");
}

TEST(HostileTemplates, TenThousandTemplatesIndexAndSummariseQuickly) {
    kav::testing::TemplateFolder folder;
    for (int i = 0; i < 10000; ++i)
        folder.write(std::to_string(i % 13) + "-" + std::to_string(i / 13 % 5) + "-" +
                         std::to_string(2 + i % 11) + "-" + std::to_string(i + 1) + ".txt",
                     "111\n222\n");
    kav::ui::MessageBoxHook boxes;
    MainWindow w;
    w.briefSystems().setTemplateFolder(folder.path());
    auto start = std::chrono::steady_clock::now();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.briefSystems().templateIndex().size(), 10000u);
    // Every click on the grid reads the folder again for the summary lines.
    for (int row = 1; row <= 5; ++row) {
        QRect r = child<OutcomeGrid>(w, "outcomeGrid")->cellRect(2, row);
        QTest::mouseClick(child<OutcomeGrid>(w, "outcomeGrid")->viewport(), Qt::LeftButton, {},
                          r.center());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(HostileClose, ClosingWhileTheStakeIsBeingTypedDoesNotCrash) {
    kav::ui::MessageBoxHook boxes;
    auto w = std::make_unique<MainWindow>();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    child<MoneyEdit>(w, "stakeEdit")->setFocus();
    child<MoneyEdit>(w, "stakeEdit")->selectAll();
    QTest::keyClicks(child<MoneyEdit>(w, "stakeEdit"), QStringLiteral("35"));
    w.reset(); // the focus leaves the field while the window is half destroyed
    SUCCEED();
}

// A percentage typed the player's way: "80,5" is 80.5; "150,5" is kept while
// typed and brought to 100 when the field is left, never read as 15.
TEST_F(HostilePaste, TypedPercentTakesADecimalCommaAndItsBound) {
    auto* target = child<QDoubleSpinBox>("coverageTargetSpin");
    for (const auto& [typed, value, shown] :
         {std::tuple{"80,5", 80.5, "80.50"}, {"150,5", 100.0, "100.00"}, {"7.25", 7.25, "7.25"}}) {
        target->setFocus();
        target->selectAll();
        QTest::keyClicks(target, QString::fromUtf8(typed));
        QTest::keyClick(target, Qt::Key_Tab);
        EXPECT_EQ(target->value(), value) << typed;
        EXPECT_EQ(target->text().toStdString(), shown) << typed;
    }
}
