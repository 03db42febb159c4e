// The brief-system mode of the main window driven by clicks: the summary lines
// under the grid, the nearest-systems window and "Добавить в список" (the brief panel's link).
#include "support/shown_main_window.h"
#include "ui/analysis/variant_analysis_window.h"
#include "ui/common/data_places.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/shell/help_window.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include "support/template_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using kav::testing::TemplateFolder;
using kav::ui::MainWindow;

using kav::test::child;
using kav::ui::LinkLabel;
using kav::ui::OutcomeGrid;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}

class BriefWindow : public ::testing::Test {
protected:
    void start() {
        w = std::make_unique<MainWindow>();
        nearestSystems = new kav::ui::NearestSystemsWindow(w.get());
        w->setSideWindows(nearestSystems, new kav::ui::CoverageMapWindow(w->session(), w.get()),
                          new kav::ui::VariantAnalysisWindow(w->session(), w.get()),
                          new kav::ui::HelpWindow(w.get()));
        w->briefSystems().setTemplateFolder(folder.path());
        if (!ownFolder.empty())
            w->briefSystems().setOwnTemplateFolder(ownFolder);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    void clickCell(int col, int row) {
        QRect r = child<OutcomeGrid>(w, "outcomeGrid")->cellRect(col, row);
        QTest::mouseClick(child<OutcomeGrid>(w, "outcomeGrid")->viewport(), Qt::LeftButton, {},
                          r.center());
    }

    // Marks the outcomes of a selection text such as "1X,1,12,...": per event the
    // letters in the order given, so the last one becomes the forced outcome.
    void mark(const std::string& sel) {
        int row = 1;
        std::size_t start = 0;
        while (start <= sel.size() && row <= 15) {
            auto comma = sel.find(',', start);
            std::string group =
                sel.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            for (char c : group)
                if (c != '-')
                    clickCell(c == '1' ? 1 : c == 'X' ? 2 : 3, row);
            ++row;
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }

    void clickAddBriefSystem() {
        QTest::mouseClick(child<LinkLabel>(w, "addBriefSystemLink"), Qt::LeftButton);
    }

    std::vector<std::string> memoLines() { return w->session().betLines(); }

    TemplateFolder folder;
    std::filesystem::path ownFolder; // the player's computed systems; empty: none
    std::unique_ptr<MainWindow> w;
    kav::ui::NearestSystemsWindow* nearestSystems = nullptr;
};

TEST_F(BriefWindow, SummaryFollowsTheSelectionAndTheLinkAddsTheSystem) {
    folder.write("3-0-2-2.txt", "111\r\n222\r\n");
    start();
    EXPECT_EQ(w->briefSystems().templateIndex().size(), 1u);
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    EXPECT_EQ(str(child<QLabel>(w, "couponSummaryLabel")->text()),
              "Всего вариантов по отмеченным исходам 8 (160 руб.)");
    EXPECT_EQ(str(child<QLabel>(w, "systemSummaryLabel")->text()),
              "Число вариантов по системе 2 (40 руб.)");
    EXPECT_FALSE(nearestSystems->isVisible());
    EXPECT_EQ(w->session().draw().doublesCount, 3);

    clickAddBriefSystem();
    auto lines = memoLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 6), "20.00;");
    EXPECT_EQ(str(child<QLabel>(w, "betListStatusLabel")->text()), "Ставок в списке 2 (40 руб.)");
    EXPECT_TRUE(child<QPlainTextEdit>(w, "betListEdit")->isVisible());

    clickCell(0, 2); // the title marks all three outcomes of event 2
    EXPECT_EQ(str(child<QLabel>(w, "couponSummaryLabel")->text()),
              "Всего вариантов по отмеченным исходам 24 (480 руб.)");
    EXPECT_EQ(w->session().draw().triplesCount, 1);
}

TEST_F(BriefWindow, NearestSystemsOpenWhenNoTemplateFitsAndCloseOnModeChange) {
    folder.write("2-0-1-2.txt", "11\n22\n");
    folder.write("1-0-0-1.txt", "1\n");
    folder.write("readme.txt", "");
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    EXPECT_EQ(str(child<QLabel>(w, "systemSummaryLabel")->text()), "");
    ASSERT_TRUE(nearestSystems->isVisible());
    EXPECT_EQ(nearestSystems->rowCount(), 3);
    EXPECT_EQ(str(nearestSystems->cellText(2, 0)), "Ставок");
    EXPECT_EQ(str(nearestSystems->cellText(0, 1)), "2");
    EXPECT_EQ(str(nearestSystems->cellText(2, 1)), "2");
    EXPECT_EQ(str(nearestSystems->cellText(0, 2)), "1");

    child<QComboBox>(w, "modeCombo")->setCurrentIndex(2);
    EXPECT_FALSE(nearestSystems->isVisible());
    child<QSpinBox>(w, "briefCategorySpin")->setValue(13); // other modes: the first line only
    EXPECT_FALSE(nearestSystems->isVisible());
    EXPECT_EQ(str(child<QLabel>(w, "systemSummaryLabel")->text()), "");
}

// The window opens beside the main window, not over its outcome grid, without
// taking the focus from it, and further clicks change it in place instead of
// opening it again.
TEST_F(BriefWindow, NearestSystemsOpenBesideTheGridWithoutTheFocusAndStayPut) {
    folder.write("2-0-1-2.txt", "11\n22\n");
    start();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    struct ShowCounter : QObject {
        int shows = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            shows += e->type() == QEvent::Show;
            return false;
        }
    } counter;
    nearestSystems->installEventFilter(&counter);
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    ASSERT_TRUE(nearestSystems->isVisible());
    EXPECT_TRUE(nearestSystems->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(QApplication::activeWindow(), w.get());
    auto* grid = child<OutcomeGrid>(w, "outcomeGrid");
    const QRect gridOnScreen(grid->mapToGlobal(QPoint(0, 0)), grid->size());
    EXPECT_FALSE(nearestSystems->frameGeometry().intersects(gridOnScreen));
    // Clicks that keep it open, one of them changing its rows: no reopening.
    clickCell(2, 5);
    clickCell(2, 5);
    clickCell(2, 3);
    ASSERT_TRUE(nearestSystems->isVisible());
    EXPECT_EQ(counter.shows, 1);

    // Closed by the mode and opened again: beside the window wherever it is.
    child<QComboBox>(w, "modeCombo")->setCurrentIndex(2);
    ASSERT_FALSE(nearestSystems->isVisible());
    const QRect screen = w->screen()->availableGeometry();
    w->move(screen.right() - w->frameGeometry().width() + 1, w->y());
    child<QComboBox>(w, "modeCombo")->setCurrentIndex(0);
    clickCell(2, 3);
    clickCell(2, 3);
    ASSERT_TRUE(nearestSystems->isVisible());
    const QRect movedGrid(grid->mapToGlobal(QPoint(0, 0)), grid->size());
    EXPECT_FALSE(nearestSystems->frameGeometry().intersects(movedGrid));
    EXPECT_EQ(QApplication::activeWindow(), w.get());
}

TEST_F(BriefWindow, NearestSystemsSayNetWhenNothingFits) {
    folder.write("5-0-4-9.txt", "");
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    ASSERT_TRUE(nearestSystems->isVisible());
    EXPECT_EQ(nearestSystems->rowCount(), 2);
    EXPECT_EQ(str(nearestSystems->cellText(0, 1)), "Нет");

    kav::ui::MessageBoxHook hook;
    clickAddBriefSystem();
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_EQ(hook.shown()[0].caption, "Нет подходящей бриф-системы");
    EXPECT_TRUE(memoLines().empty());
}

TEST_F(BriefWindow, CategoryFifteenAddsTheCouponOnce) {
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(15);
    mark("1X,1,X2,1X2,1,1,1,1,1,1,1,1,1,1,2");
    clickAddBriefSystem();
    clickAddBriefSystem();
    auto lines = memoLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              "240.00;1-(1,X);2-(1);3-(X,2);4-(1,X,2);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
              "11-(1);12-(1);13-(1);14-(1);15-(2).");
    EXPECT_EQ(str(child<QLabel>(w, "betListStatusLabel")->text()), "Ставок в списке 12 (240 руб.)");
}

TEST_F(BriefWindow, StartWithPlaysTheForcedBetFirst) {
    folder.write("3-0-2-2.txt", "111\n222\n");
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    mark("1X,1,21,1,1,1,1,1,1,1,1,1,1,2X,1"); // forced: X on 1, 1 on 3, X on 14
    QTest::mouseClick(child<QCheckBox>(w, "startWithCheck"), Qt::LeftButton);
    ASSERT_TRUE(child<QCheckBox>(w, "startWithCheck")->isChecked());
    EXPECT_EQ(str(child<QCheckBox>(w, "startWithCheck")->text()), "X111111111111X1");
    clickAddBriefSystem();
    auto lines = memoLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "20.00;1-(X);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
              "13-(1);14-(X);15-(1).");
}

TEST_F(BriefWindow, RefusalsLeaveTheListAsItWas) {
    folder.write("3-0-2-3.txt", "111\n222\n" + std::string(17, '1') + "\n");
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    const std::string kept =
        "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);"
        "12-(1);13-(1);14-(1);15-(2).";
    w->session().replaceBets({kept});
    kav::ui::MessageBoxHook hook;
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,-,1");
    clickAddBriefSystem();
    mark("-,-,-,-,-,-,-,-,-,-,-,-,-,X2,-");
    clickAddBriefSystem();
    ASSERT_EQ(hook.shown().size(), 2u);
    EXPECT_EQ(hook.shown()[0].text, "Для каждого матча должно быть проставлено от 1 до 3 выборов");
    EXPECT_EQ(hook.shown()[1].text.rfind("Строка 3 шаблона 3-0-2-3.txt", 0), 0u);
    EXPECT_EQ(memoLines(), std::vector<std::string>{kept});
    EXPECT_TRUE(child<QPlainTextEdit>(w, "betListEdit")->isVisible());
    EXPECT_EQ(str(child<QLabel>(w, "betListStatusLabel")->text()), "Ставок в списке 1 (20 руб.)");
}

// "Рассчитать систему": the system of the selection is computed off the
// window's thread, checked, saved under its scheme name, and the summary
// then shows it as if it had been there at start.
class ComputeSystemWindow : public BriefWindow {
protected:
    // Waits for the run to end while the event loop runs.
    bool finished() {
        return QTest::qWaitFor([this] { return !w->briefSystems().systemComputing(); }, 60000);
    }
    std::vector<std::string> folderFiles() {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ComputeSystemWindow, SavesTheSystemAndTheSummaryShowsIt) {
    folder.write("2-0-1-2.txt", "11\r\n22\r\n");
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    ASSERT_TRUE(nearestSystems->isVisible());
    ASSERT_TRUE(child<QPushButton>(nearestSystems, "computeSystemButton")->isVisible());
    EXPECT_EQ(str(child<QPushButton>(nearestSystems, "computeSystemButton")->text()),
              "Рассчитать систему");
    EXPECT_EQ(nearestSystems->height(),
              child<QPushButton>(nearestSystems, "computeSystemButton")->geometry().bottom() + 5);

    kav::ui::MessageBoxHook hook;
    QTest::mouseClick(child<QPushButton>(nearestSystems, "computeSystemButton"), Qt::LeftButton);
    EXPECT_TRUE(w->briefSystems().systemComputing());
    ASSERT_TRUE(finished());
    EXPECT_TRUE(hook.shown().empty());
    EXPECT_EQ(folderFiles(), (std::vector<std::string>{"2-0-1-2.txt", "3-0-2-2.txt"}));
    EXPECT_EQ(w->briefSystems().templateIndex().size(), 2u);
    EXPECT_EQ(str(child<QLabel>(w, "systemSummaryLabel")->text()),
              "Число вариантов по системе 2 (40 руб.)");
    EXPECT_FALSE(nearestSystems->isVisible());

    clickAddBriefSystem();
    EXPECT_EQ(memoLines().size(), 2u);
}

TEST_F(ComputeSystemWindow, CancelSavesNothingAndLargeKeysAreNotOffered) {
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(13);
    // Nine triples and six singles: 0-9-7, a search of several seconds.
    mark("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1");
    ASSERT_TRUE(child<QPushButton>(nearestSystems, "computeSystemButton")->isVisible());
    kav::ui::MessageBoxHook hook;
    QTest::mouseClick(child<QPushButton>(nearestSystems, "computeSystemButton"), Qt::LeftButton);
    QTest::qWait(200);
    w->briefSystems().cancelSystemComputing();
    ASSERT_TRUE(finished());
    EXPECT_TRUE(hook.shown().empty());
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_TRUE(nearestSystems->isVisible());

    // Ten triples at category 14: every system has more than 2,000 rows.
    mark("-,-,-,-,-,-,-,-,-,X2");
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    ASSERT_TRUE(nearestSystems->isVisible());
    EXPECT_FALSE(child<QPushButton>(nearestSystems, "computeSystemButton")->isVisible());
}

// Keys with no system of at most 2,000 bets known are not offered, bound or
// not: a note under the grid says why, and an offered key takes its place.
TEST_F(ComputeSystemWindow, KeysWithoutAKnownSmallSystemAreNotOfferedAndTheWindowSaysWhy) {
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    auto* button = child<QPushButton>(nearestSystems, "computeSystemButton");
    auto* note = child<QLabel>(nearestSystems, "notComputableLabel");
    auto expectNote = [&](const std::string& text) {
        ASSERT_TRUE(nearestSystems->isVisible());
        EXPECT_FALSE(button->isVisible());
        EXPECT_FALSE(nearestSystems->computableKey().has_value());
        ASSERT_TRUE(note->isVisible());
        EXPECT_EQ(str(note->text()), text);
        EXPECT_TRUE(nearestSystems->rect().contains(note->geometry()));
        EXPECT_EQ(nearestSystems->height(), note->geometry().bottom() + 5);
    };
    // 4-7-10: the sphere bound is 1,842 rows, but nothing of 2,000 is known.
    mark("1X,1X,1X,1X,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1");
    expectNote("Система 4-7-10 не рассчитывается: неизвестно ни одной такой системы не более "
               "чем из 2000 ставок.");
    QTest::mouseClick(button, Qt::LeftButton); // hidden: nothing starts
    EXPECT_FALSE(w->briefSystems().systemComputing());
    // The four doubles become triples: 0-11-10, over 2,000 rows by the bound.
    mark("2,2,2,2");
    expectNote("Система 0-11-10 не рассчитывается: в любой такой системе больше 2000 ставок.");
    // Down to three doubles: 3-0-2 is offered, the note goes.
    mark("2,X2,X,X2,X2,X2,X2,X2,X2,X2,X2,-,-,X,-");
    EXPECT_TRUE(button->isVisible());
    EXPECT_FALSE(note->isVisible());
}

// A key whose search found only a system of more than 2,000 bets is not
// offered again in the session: a note in its place says so.
TEST_F(ComputeSystemWindow, AKeyThatGaveTooLargeASystemIsNotOfferedAgain) {
    // A 4-6-9 of 500 rows would make 4-7-10 of 1,500; its file is broken, and
    // without it the search finds only more than 2,000 bets.
    folder.write("4-6-9-500.txt", "1\n");
    start();
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    // Four doubles, seven triples, four singles: 4-7-10.
    mark("1X,1X,1X,1X,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1");
    auto* button = child<QPushButton>(nearestSystems, "computeSystemButton");
    ASSERT_TRUE(button->isVisible());
    kav::ui::MessageBoxHook hook;
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(finished());
    ASSERT_EQ(hook.shown().size(), 1u);
    ASSERT_NE(hook.shown()[0].text.find("больше 2000"), std::string::npos) << hook.shown()[0].text;
    EXPECT_EQ(folderFiles(), std::vector<std::string>{"4-6-9-500.txt"});
    const std::string said =
        "Система 4-7-10 уже рассчитывалась в этом сеансе: в ней больше 2000 ставок.";
    auto expectNote = [&] {
        ASSERT_TRUE(nearestSystems->isVisible());
        EXPECT_FALSE(button->isVisible());
        EXPECT_FALSE(nearestSystems->computableKey().has_value());
        auto* note = child<QLabel>(nearestSystems, "triedSystemLabel");
        ASSERT_TRUE(note->isVisible());
        EXPECT_EQ(str(note->text()), said);
        EXPECT_TRUE(nearestSystems->rect().contains(note->geometry()));
    };
    expectNote();
    // Another key is offered; back at the tried one, the note again.
    clickCell(3, 11); // event 11 keeps "1X": 5-6-10
    ASSERT_TRUE(nearestSystems->isVisible());
    EXPECT_TRUE(button->isVisible());
    EXPECT_FALSE(child<QLabel>(nearestSystems, "triedSystemLabel")->isVisible());
    clickCell(3, 11);
    expectNote();
    QTest::mouseClick(button, Qt::LeftButton); // hidden: nothing starts
    EXPECT_FALSE(w->briefSystems().systemComputing());
}

TEST_F(ComputeSystemWindow, AFolderThatCannotBeWrittenIsNamedInAMessage) {
    start();
    const auto blocked = folder.root() / "file";
    std::ofstream(blocked) << "x";
    w->briefSystems().setTemplateFolder(blocked / "Kombin");
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    ASSERT_TRUE(child<QPushButton>(nearestSystems, "computeSystemButton")->isVisible());
    kav::ui::MessageBoxHook hook;
    QTest::mouseClick(child<QPushButton>(nearestSystems, "computeSystemButton"), Qt::LeftButton);
    ASSERT_TRUE(finished());
    ASSERT_EQ(hook.shown().size(), 1u);
    EXPECT_NE(hook.shown()[0].text.find((blocked / "Kombin").string()), std::string::npos);
    EXPECT_TRUE(nearestSystems->isVisible());
}

TEST_F(ComputeSystemWindow, AnInstalledProgramSavesIntoThePlayersFolderAndReadsBoth) {
    folder.write("2-0-1-2.txt", "11\r\n22\r\n");
    ownFolder = folder.root() / "data" / "Kombin"; // made by the first computed system
    start();
    EXPECT_EQ(w->briefSystems().templateIndex().size(), 1u);
    child<QSpinBox>(w, "briefCategorySpin")->setValue(14);
    mark("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    ASSERT_TRUE(child<QPushButton>(nearestSystems, "computeSystemButton")->isVisible());
    kav::ui::MessageBoxHook hook;
    QTest::mouseClick(child<QPushButton>(nearestSystems, "computeSystemButton"), Qt::LeftButton);
    ASSERT_TRUE(finished());
    EXPECT_TRUE(hook.shown().empty());
    EXPECT_EQ(folderFiles(), std::vector<std::string>{"2-0-1-2.txt"}) << "shipped folder untouched";
    EXPECT_TRUE(std::filesystem::exists(ownFolder / "3-0-2-2.txt"));
    EXPECT_EQ(w->briefSystems().templateIndex().size(), 2u);
    EXPECT_EQ(str(child<QLabel>(w, "systemSummaryLabel")->text()),
              "Число вариантов по системе 2 (40 руб.)");
    clickAddBriefSystem();
    EXPECT_EQ(memoLines().size(), 2u);

    // The next start reads both folders again.
    w.reset();
    start();
    EXPECT_EQ(w->briefSystems().templateIndex().size(), 2u);
}

TEST(HelpAbout, NamesTheVersionAndWhereTheDataAreKept) {
    const kav::ui::DataPlaces places = kav::ui::dataPlaces();
    const std::string about = str(kav::ui::aboutText());
    for (const std::string& part :
         {std::string("О программе\nKavendix V1.4.2\n"), str(places.ownTemplates),
          str(places.dataFolder), str(places.settingsFile), str(places.archiveFile),
          std::string("Kombin")})
        EXPECT_NE(about.find(part), std::string::npos) << part << " in\n" << about;
    EXPECT_FALSE(places.dataFolder.isEmpty());
    kav::ui::HelpWindow help;
    EXPECT_NE(str(child<QPlainTextEdit>(&help, "helpTextEdit")->toPlainText()).find(about),
              std::string::npos);
}

} // namespace
