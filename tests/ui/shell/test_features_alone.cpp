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
#include "ui/value/package_value.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/outcome_grid.h"

#include "cli/cli_runner.h"
#include "core/draw/quotes_file.h"
#include "core/forming/condition_filter.h"

#include <QLabel>
#include <QTest>
#include <QUndoStack>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace kav::ui;

bool hasText(const std::vector<kav::Message>& shown, const std::string& text) {
    for (const auto& m : shown)
        if (m.text.find(text) != std::string::npos)
            return true;
    return false;
}

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
    auto* brief = new BriefSystems(session, *bar, jobs, coupon, system, &window);
    auto* variants = new VariantForming(session, *bar, &window);
    auto* conditions = new ConditionsForming(session, *bar, jobs, &window);
    auto* autoforming = new Autoforming(session, bar->autoformPanel(), jobs, &window);
    auto* listActions = new BetListActions(session, *editor, &window);
    auto* project = new ProjectDocument(session, jobs, &window);
    auto* archive = new PackageArchive(session, *project, jobs, &window);
    auto* value = new PackageValue(session, *grid, &window);
    project->setParts(
        [&](kav::ProjectState& s) {
            draw->storeInto(s);
            bar->storeInto(s);
            s.betText = editor->fullText().toStdString();
        },
        [&](const kav::ProjectState& s) {
            draw->applyFrom(s);
            bar->applyFrom(s);
            session.loadBets(s.betText);
            session.noteDrawReplaced();
        });
    QUndoStack& history = session.undoStack();

    // No data server: the default draw of the country, shown in the grid.
    draw->switchCountry(kav::kRussia);
    EXPECT_FALSE(grid->isHidden());
    EXPECT_EQ(session.drawTitle().toStdString(), kav::drawWindowTitle(kav::kRussia));
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("40/50"));
    EXPECT_EQ(session.stakeText(), "20");
    EXPECT_FALSE(history.canUndo());

    // Marks by the grid: outcome 1 everywhere, X too in the first event. The
    // summary under the grid follows every mark and its undo.
    for (int row = 1; row <= kav::kEvents; ++row)
        Q_EMIT grid->selectCell(1, row);
    Q_EMIT grid->selectCell(2, 1);
    EXPECT_EQ(session.draw().forcedBet.substr(0, 2), "X1");
    EXPECT_NE(coupon.text().indexOf(QStringLiteral("исходам 2 (40")), -1)
        << coupon.text().toStdString();
    history.undo();
    EXPECT_EQ(session.draw().selection[0][1], 0);
    EXPECT_NE(coupon.text().indexOf(QStringLiteral("исходам 1 (20")), -1)
        << coupon.text().toStdString();
    history.redo();
    EXPECT_EQ(session.draw().selection[0][1], 1);

    // A typed quote is a step of its own; a text that is no quote changes nothing.
    Q_EMIT grid->quoteEntered(1, 3, QStringLiteral("60"));
    EXPECT_EQ(session.draw().quotes[2][0], kav::Fixed4::fromInt(60));
    EXPECT_EQ(history.undoText(), QStringLiteral("Ввод котировки"));
    history.undo();
    EXPECT_EQ(session.draw().quotes[2][0], kav::Fixed4::fromInt(40));
    EXPECT_EQ(grid->cellText(1, 3), QStringLiteral("40/50"));
    history.redo();

    // Forming and the list commands, each undone as one step.
    variants->takeAllVariants();
    const kav::Lines all = session.betLines();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(editor->fullText().toStdString(), kav::joinLines(all));
    listActions->clearBetList();
    EXPECT_TRUE(session.betLines().empty());
    history.undo();
    EXPECT_EQ(session.betLines(), all);
    EXPECT_EQ(editor->fullText().toStdString(), kav::joinLines(all));

    bar->setMode(kav::PacketMode::Conditions);
    const std::uint64_t passing = kav::countPassingVariants(
        session.draw(), kav::markedField(session.draw()), bar->conditionsPanel().conditions());
    conditions->addConditionVariants();
    EXPECT_EQ(session.betLines().size(), all.size() + passing);
    history.undo();
    EXPECT_EQ(session.betLines(), all);

    bar->setMode(kav::PacketMode::Autoform);
    autoforming->startAutoform();
    EXPECT_TRUE(autoforming->autoformRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !jobs.running(); }, 20000));
    EXPECT_GE(session.betLines().size(), all.size());
    while (session.betLines().size() > all.size())
        history.undo();
    EXPECT_EQ(session.betLines(), all);

    // The project's "*" follows the history's clean state.
    const QString path = QString::fromStdString((dir.path / "work.kvp").string());
    ASSERT_TRUE(project->saveProjectTo(path));
    EXPECT_FALSE(project->isModified());
    EXPECT_FALSE(project->windowTitle().contains(QLatin1Char('*')));
    history.undo();
    EXPECT_TRUE(project->isModified());
    EXPECT_TRUE(project->windowTitle().startsWith(QStringLiteral("work.kvp*")));
    history.redo();
    EXPECT_FALSE(project->isModified());

    // Opening the project brings back the same work and starts a new history.
    session.clearBets();
    Q_EMIT grid->selectCell(0, 5);
    ASSERT_TRUE(project->openProjectFile(path));
    EXPECT_EQ(session.betLines(), all);
    EXPECT_EQ(session.draw().quotes[2][0], kav::Fixed4::fromInt(60));
    EXPECT_EQ(session.draw().selection[4][2], 0);
    EXPECT_EQ(bar->mode(), kav::PacketMode::Autoform);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(project->isModified());

    // Without an archive file the archive says so; the value view reads the draw.
    boxes.clear();
    archive->savePackageToArchive();
    EXPECT_TRUE(hasText(boxes.shown(), "Архив тиражей не задан.")) << boxes.shown().size();
    value->showValueView(true);
    ASSERT_TRUE(grid->valueOf(0, 0).has_value());
    EXPECT_DOUBLE_EQ(*grid->valueOf(0, 0), 0.8);
    EXPECT_TRUE(brief->templateIndex().empty());
}

} // namespace
