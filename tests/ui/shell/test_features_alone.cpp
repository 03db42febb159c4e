// Every feature works with a session, a job runner and a parent widget alone:
// no main window joins them here. One journey on the default draw goes through
// all of them and checks that they meet only in the session and its history.
#include "ui/bets/bet_list_actions.h"
#include "ui/bets/bet_list_editor.h"
#include "ui/common/job_runner.h"
#include "ui/common/session.h"
#include "ui/draw/draw_source.h"
#include "ui/forming/autoform_panel.h"
#include "ui/forming/autoforming.h"
#include "ui/forming/brief_systems.h"
#include "ui/forming/conditions_forming.h"
#include "ui/forming/conditions_panel.h"
#include "ui/forming/mode_bar.h"
#include "ui/forming/selection_editor.h"
#include "ui/forming/variant_forming.h"
#include "ui/project/project_document.h"
#include "ui/results/package_archive.h"
#include "ui/shell/project_parts.h"
#include "ui/value/package_value.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include "cli/cli_runner.h"
#include "core/forming/condition_filter.h"

#include <QLabel>
#include <QTest>
#include <QUndoStack>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace kav::ui;

TEST(FeaturesAlone, OneJourneyThroughEveryFeatureWithoutTheMainWindow) {
    MessageBoxHook boxes;
    kav::test::TempDir dir;
    QWidget window;
    Session session;
    JobRunner jobs(&window);
    auto* bar = new ModeBar(session, &window);
    auto* grid = new OutcomeGrid(&window);
    auto* editor = new BetListEditor(session, &window);
    auto* draw = new DrawSource(session, *bar, jobs, &window);
    new SelectionEditor(session, *grid, *bar, &window);
    QLabel coupon, system;
    new BriefSystems(session, *bar, jobs, coupon, system, &window);
    auto* variants = new VariantForming(session, *bar, &window);
    auto* conditions = new ConditionsForming(session, *bar, jobs, &window);
    auto* autoforming = new Autoforming(session, bar->autoformPanel(), jobs, &window);
    auto* listActions = new BetListActions(session, *editor, &window);
    auto* project = new ProjectDocument(session, jobs, &window);
    auto* archive = new PackageArchive(session, *project, jobs, &window);
    auto* value = new PackageValue(session, *grid, &window);
    joinProjectParts(*project, session, *draw, *bar, *editor);
    QUndoStack& history = session.undoStack();

    // No data server: the default draw of the country, shown in the grid.
    draw->switchCountry(kav::kRussia);
    EXPECT_FALSE(grid->isHidden());
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("40/50"));

    // Marks by the grid: outcome 1 everywhere, X too in the first event. The
    // summary under the grid follows every mark and its undo.
    for (int row = 1; row <= kav::kEvents; ++row)
        Q_EMIT grid->selectCell(1, row);
    Q_EMIT grid->selectCell(2, 1);
    EXPECT_NE(coupon.text().indexOf(QStringLiteral("исходам 2 (40")), -1);
    history.undo();
    EXPECT_NE(coupon.text().indexOf(QStringLiteral("исходам 1 (20")), -1);
    history.redo();
    Q_EMIT grid->quoteEntered(1, 3, QStringLiteral("60"));
    EXPECT_EQ(grid->cellText(1, 3), QStringLiteral("60/50"));

    // Forming and the list commands, each undone as one step.
    variants->takeAllVariants();
    const kav::Lines all = session.betLines();
    ASSERT_FALSE(all.empty());
    listActions->clearBetList();
    history.undo();
    EXPECT_EQ(editor->fullText().toStdString(), kav::joinLines(all));
    bar->setMode(kav::PacketMode::Conditions);
    conditions->addConditionVariants();
    EXPECT_EQ(session.betLines().size(),
              all.size() + kav::countPassingVariants(session.draw(),
                                                     kav::markedField(session.draw()),
                                                     bar->conditionsPanel().conditions()));
    history.undo();
    bar->setMode(kav::PacketMode::Autoform);
    autoforming->startAutoform();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !jobs.running(); }, 20000));
    while (session.betLines().size() > all.size())
        history.undo();
    EXPECT_EQ(session.betLines(), all);

    // The project's "*" follows the history's clean state; opening the
    // project brings back the same work with a new history.
    const QString path = QString::fromStdString((dir.path / "work.kvp").string());
    ASSERT_TRUE(project->saveProjectTo(path));
    history.undo();
    EXPECT_TRUE(project->windowTitle().startsWith(QStringLiteral("work.kvp*")));
    history.redo();
    EXPECT_FALSE(project->isModified());
    session.clearBets();
    Q_EMIT grid->selectCell(0, 5);
    ASSERT_TRUE(project->openProjectFile(path));
    EXPECT_EQ(session.betLines(), all);
    EXPECT_EQ(session.draw().selection[4][2], 0);
    EXPECT_EQ(bar->mode(), kav::PacketMode::Autoform);
    EXPECT_FALSE(history.canUndo());

    // Without an archive file the archive says so; the value view reads the draw.
    archive->savePackageToArchive();
    ASSERT_FALSE(boxes.shown().empty());
    EXPECT_EQ(boxes.shown().back().text, "Архив тиражей не задан.");
    value->showValueView(true);
    EXPECT_DOUBLE_EQ(grid->valueOf(0, 0).value_or(0), 0.8);
}

} // namespace
