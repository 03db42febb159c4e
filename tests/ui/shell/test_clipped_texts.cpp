// Every window at its default size under the default fonts shows its texts
// whole: the main window in every mode, the side windows and the dialogs the
// menus open. The window never needs more than its default width, and the
// side windows keep off the grid wherever the window goes.
#include "support/clipped_texts.h"
#include "support/shown_main_window.h"
#include "ui/analysis/variant_analysis_window.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/shell/help_window.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using kav::test::child;

std::string joined(const std::set<std::string>& texts) {
    std::string all;
    for (const auto& t : texts)
        all += t + "\n";
    return all;
}

TEST(ClippedTexts, NoWindowCutsItsTextsAtTheDefaultSize) {
    {
        // The measure itself finds a label and a button too narrow.
        QWidget probe;
        probe.setObjectName(QStringLiteral("probe"));
        auto* label = new QLabel(QStringLiteral("Анализ варианта (по состоянию на 12:00)"), &probe);
        auto* button = new QPushButton(QStringLiteral("Рассчитать систему"), &probe);
        label->setFixedWidth(120);
        button->setGeometry(0, 30, 90, 24);
        EXPECT_EQ(kav::test::clippedTexts(&probe).size(), 2u);
    }
    kav::ui::MessageBoxHook boxes;
    auto w = std::make_unique<kav::ui::MainWindow>();
    auto* nearest = new kav::ui::NearestSystemsWindow(w.get());
    w->setSideWindows(nearest, new kav::ui::CoverageMapWindow(w->session(), w.get()),
                      new kav::ui::VariantAnalysisWindow(w->session(), w.get()),
                      new kav::ui::HelpWindow(w.get()));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const int defaultWidth = w->width();
    std::set<std::string> cut;

    // Every mode fits the default width and lets the window be narrower.
    auto* modes = child<QComboBox>(w, "modeCombo");
    for (int mode = 0; mode < modes->count(); ++mode) {
        SCOPED_TRACE(modes->itemText(mode).toStdString());
        modes->setCurrentIndex(mode);
        QApplication::processEvents();
        EXPECT_EQ(w->width(), defaultWidth);
        EXPECT_LT(w->minimumSizeHint().width(), defaultWidth);
        cut.merge(kav::test::clippedTexts(w.get()));
    }
    modes->setCurrentIndex(0);

    nearest->showNearestSystems({{3, 0, 2, 2}, {0, 2, 2, 9}}, kav::kombin::Key{3, 2, 4});
    // The menus' windows, each opened on top of the others.
    for (const char* action :
         {"coverageMapAction", "variantAnalysisAction", "helpAction", "expectedReturnAction",
          "simulationAction", "drawCheckAction", "historyAction", "settingsAction",
          "enterDrawAction", "valueViewAction"}) {
        child<QAction>(w, action)->trigger();
        QApplication::processEvents();
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !window->inherits("QMenu"))
            cut.merge(kav::test::clippedTexts(window));
    EXPECT_TRUE(cut.empty()) << joined(cut);

    // The side windows stay off the grid when the window is moved or maximised.
    auto* grid = child<QWidget>(w, "outcomeGrid");
    grid->show();
    const std::vector<QWidget*> side = {nearest, child<QWidget>(w, "coverageMapWindow"),
                                        child<QWidget>(w, "VariantAnalysisWindow"),
                                        child<QWidget>(w, "helpWindow")};
    for (int round = 0; round < 2; ++round) {
        if (round == 0)
            w->move(40, 30);
        else
            w->showMaximized();
        // The windows follow once the moves have settled.
        const auto offTheGrid = [&](QWidget* window) {
            const QRect onScreen(grid->mapToGlobal(QPoint(0, 0)), grid->size());
            return !window->frameGeometry().intersects(onScreen);
        };
        (void)QTest::qWaitFor([&] { return std::all_of(side.begin(), side.end(), offTheGrid); },
                              5000);
        for (QWidget* window : side) {
            ASSERT_TRUE(window->isVisible()) << window->objectName().toStdString();
            EXPECT_TRUE(offTheGrid(window)) << round << " " << window->objectName().toStdString();
        }
    }
}

} // namespace
