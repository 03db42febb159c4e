// The player's work kept: project files from the "Файл" menu, the questions
// before work is dropped, the undo of list replacements, the autosave and its
// recovery, and the settings that outlive a session.
#include "core/project/project_state.h"
#include "io/files/project_file.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/money_edit.h"

#include "cli/cli_runner.h"
#include "support/shown_main_window.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using kav::test::child;
using kav::ui::FileDialogHook;
using kav::ui::MainWindow;
using kav::ui::MessageBoxHook;
using kav::ui::SaveAnswer;

namespace {

const std::string kSingle =
    "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
    "13-(1);14-(1);15-(2).";
const std::string kCoupon =
    "40;1-(1,X);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
    "13-(1);14-(1);15-(2).";

std::string str(const QString& s) {
    return s.toStdString();
}

class ProjectWindow : public ::testing::Test {
protected:
    void SetUp() override {
        kav::ui::setPersistence({});
        w = openQuietly();
    }
    void TearDown() override { kav::ui::setPersistence({}); }

    std::unique_ptr<MainWindow> open() {
        auto win = std::make_unique<MainWindow>();
        win->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(win.get()));
        win->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(win.get()));
        QApplication::processEvents(); // the start's queued steps (the recovery offer)
        return win;
    }
    // A window at the start of a test: nothing asked yet.
    std::unique_ptr<MainWindow> openQuietly() {
        auto win = open();
        boxes.clear();
        return win;
    }

    // Work in every part the project keeps.
    void makeWork(MainWindow& win) {
        win.session().draw().selection[0] = {1, 1, 0};
        win.session().draw().selection[14] = {0, 0, 1};
        win.session().draw().forcedBet = "1X2____________";
        child<QComboBox>(&win, "modeCombo")->setCurrentIndex(3);
        child<QSpinBox>(&win, "autoformCategorySpin")->setValue(11);
        child<QSpinBox>(&win, "betLimitSpin")->setValue(777);
        child<QDoubleSpinBox>(&win, "coverageTargetSpin")->setValue(66.5);
        child<QSpinBox>(&win, "briefCategorySpin")->setValue(12);
        child<QSpinBox>(&win, "sensationThresholdSpin")->setValue(30);
        child<QSpinBox>(&win, "randomRepeatSpin")->setValue(40);
        child<kav::ui::MoneyEdit>(&win, "stakeEdit")->setValue(*kav::Fixed4::parse("27.5"));
        win.session().appendBets({kSingle, kCoupon, "заметка игрока"});
    }

    int asked(const std::string& caption) const {
        return static_cast<int>(
            std::count_if(boxes.shown().begin(), boxes.shown().end(),
                          [&](const kav::Message& m) { return m.caption == caption; }));
    }

    QString memo(MainWindow& win) {
        win.betListEditor().flushPendingLines();
        return child<QPlainTextEdit>(&win, "betListEdit")->toPlainText();
    }

    std::unique_ptr<MainWindow> w;
    MessageBoxHook boxes;
    QTemporaryDir dir;
};

// Saved from the window and opened again in another: the same draw, marks,
// forced bet, mode settings, stake and list, byte for byte.
TEST_F(ProjectWindow, SavedProjectOpensAgainExactly) {
    makeWork(*w);
    const QString path = dir.filePath(QStringLiteral("work")); // the extension is added
    {
        FileDialogHook files(path);
        child<QAction>(w, "saveProjectAsAction")->trigger();
    }
    ASSERT_TRUE(boxes.shown().empty()) << boxes.shown()[0].text;
    const QString saved = path + QStringLiteral(".kvp");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(w->project().projectPath(), saved);
    EXPECT_FALSE(w->project().isModified());
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("work.kvp — ")))
        << str(w->windowTitle());

    auto other = openQuietly();
    {
        FileDialogHook files(saved);
        child<QAction>(other, "openProjectAction")->trigger();
    }
    EXPECT_TRUE(boxes.shown().empty());
    const kav::ProjectState a = w->project().projectState();
    const kav::ProjectState b = other->project().projectState();
    EXPECT_TRUE(kav::sameWork(a, b));
    EXPECT_EQ(memo(*other), memo(*w));
    EXPECT_EQ(child<QComboBox>(other, "modeCombo")->currentIndex(), 3);
    EXPECT_EQ(child<QSpinBox>(other, "betLimitSpin")->value(), 777);
    EXPECT_EQ(str(child<QLabel>(other, "betListStatusLabel")->text()),
              str(child<QLabel>(w, "betListStatusLabel")->text()));
    EXPECT_FALSE(other->project().isModified());
    // The recent files offer it.
    auto* recent = child<QMenu>(other, "recentProjectsMenu");
    ASSERT_FALSE(recent->actions().isEmpty());
    EXPECT_TRUE(recent->actions().front()->text().endsWith(saved));
}

// "Создать": unsaved work is offered for saving first, then a fresh session.
TEST_F(ProjectWindow, NewProjectAsksThenStartsAfresh) {
    makeWork(*w);
    boxes.setSaveAnswer(SaveAnswer::Cancel);
    child<QAction>(w, "newProjectAction")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(boxes.shown()[0].text.find("Ставок в списке"), std::string::npos);
    EXPECT_FALSE(memo(*w).isEmpty());

    boxes.setSaveAnswer(SaveAnswer::Discard);
    child<QAction>(w, "newProjectAction")->trigger();
    EXPECT_TRUE(memo(*w).isEmpty());
    EXPECT_EQ(w->session().draw().markedCount(0), 0);
    EXPECT_EQ(child<QComboBox>(w, "modeCombo")->currentIndex(), 0);
    EXPECT_TRUE(w->project().projectPath().isEmpty());
    EXPECT_FALSE(w->project().isModified());
    EXPECT_FALSE(w->windowTitle().contains(u'*'));
}

// The file the window saves drives the command line: the same list status,
// the same forming, and saved again by the command line, the same bytes.
TEST_F(ProjectWindow, TheWindowsProjectDrivesTheCommandLine) {
    makeWork(*w);
    child<QComboBox>(w, "modeCombo")->setCurrentIndex(2);
    for (int e = 1; e < kav::kEvents - 1; ++e)
        w->session().draw().selection[e] = {1, 0, 0};
    const QString path = dir.filePath(QStringLiteral("cli.kvp"));
    ASSERT_TRUE(w->project().saveProjectTo(path));
    const std::string file = path.toStdString();

    const auto parse = kav::test::runCli({"--project", file, "parse"});
    ASSERT_EQ(parse.exitCode, 0) << parse.err;
    EXPECT_EQ(parse.out.substr(0, parse.out.find('\n')),
              str(child<QLabel>(w, "betListStatusLabel")->text()));

    const auto all = kav::test::runCli({"--project", file, "all"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    auto* takeAll =
        child<QWidget>(w, "takeAllVariantsLink"); // the window's own "Взять все варианты"
    QTest::mouseClick(takeAll, Qt::LeftButton, {}, takeAll->rect().center());
    EXPECT_EQ(all.out, memo(*w).toStdString() + "\n");

    const QString again = dir.filePath(QStringLiteral("again.kvp"));
    ASSERT_TRUE(w->project().saveProjectTo(path)); // with the new line
    const auto saved =
        kav::test::runCli({"--project", file, "save-project", "-o", again.toStdString()});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    QFile a(path), b(again);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

// A file that cannot be read changes nothing and says why.
TEST_F(ProjectWindow, BrokenFileChangesNothingAndSaysWhy) {
    makeWork(*w);
    const kav::ProjectState before = w->project().projectState();
    const QString path = dir.filePath(QStringLiteral("broken.kvp"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kav::io::projectJson(before).substr(0, 300).c_str());
    f.close();
    boxes.setSaveAnswer(SaveAnswer::Discard);
    {
        FileDialogHook files(path);
        child<QAction>(w, "openProjectAction")->trigger();
    }
    ASSERT_EQ(boxes.shown().size(), 2u); // save the changes? then the reason
    EXPECT_NE(boxes.shown()[1].text.find("повреждён"), std::string::npos);
    EXPECT_NE(boxes.shown()[1].text.find("broken.kvp"), std::string::npos);
    EXPECT_TRUE(kav::sameWork(w->project().projectState(), before));
}

// The unsaved-changes marker follows the work, and closing asks to save it.
TEST_F(ProjectWindow, ClosingWithUnsavedWorkAsksToSave) {
    const QString path = dir.filePath(QStringLiteral("p.kvp"));
    makeWork(*w);
    ASSERT_TRUE(w->project().saveProjectTo(path));
    EXPECT_EQ(str(w->windowTitle()).find('*'), std::string::npos);
    child<kav::ui::MoneyEdit>(w, "stakeEdit")->setValue(kav::Fixed4::fromInt(50));
    EXPECT_TRUE(w->project().isModified());
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("p.kvp* — ")));

    // Every part of the work marks it: the conditions too.
    ASSERT_TRUE(w->project().saveProjectTo(path));
    EXPECT_FALSE(w->project().isModified());
    child<QSpinBox>(w, "toleranceSpin")->setValue(2);
    EXPECT_TRUE(w->project().isModified());

    boxes.setSaveAnswer(SaveAnswer::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Сохранение");
    EXPECT_NE(boxes.shown()[0].text.find("p.kvp"), std::string::npos);

    boxes.setSaveAnswer(SaveAnswer::Save);
    EXPECT_TRUE(w->close());
    const auto read = kav::io::loadProjectFile(path.toStdString());
    ASSERT_TRUE(read.state) << read.error;
    EXPECT_EQ(read.state->stakeText, "50");

    // Nothing worth keeping: no question.
    auto fresh = openQuietly();
    EXPECT_TRUE(fresh->close());
    EXPECT_TRUE(boxes.shown().empty());
}

// Clearing or replacing a list asks first, and Ctrl+Z brings a list back.
TEST_F(ProjectWindow, ListLossAsksFirstAndUndoBringsItBack) {
    w->session().appendBets({kSingle, kCoupon});
    const QString full = memo(*w);
    boxes.setAnswer(false);
    child<QAction>(w, "clearBetListAction")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(boxes.shown()[0].text.find("Ставок в списке 3 (60 руб.)"), std::string::npos)
        << boxes.shown()[0].text;
    EXPECT_EQ(memo(*w), full);
    child<QAction>(w, "russianDrawAction")->trigger();
    EXPECT_EQ(memo(*w), full);
    EXPECT_EQ(boxes.shown().size(), 2u);

    boxes.setAnswer(true);
    child<QAction>(w, "clearBetListAction")->trigger();
    EXPECT_EQ(memo(*w), QString());
    auto* undo = child<QAction>(w, "undoAction");
    ASSERT_TRUE(undo->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo(*w), full);
    // The lines added before the clear are a step of the history too.
    EXPECT_EQ(undo->text(), QStringLiteral("Отменить Добавление ставок"));

    // "Изъять варианты": the list is rewritten in place; Ctrl+Z undoes it too.
    for (int e = 0; e < kav::kEvents; ++e)
        w->session().draw().selection[e] = {1, 0, 0};
    w->session().draw().selection[14] = {0, 0, 1};
    child<QAction>(w, "removeMarkedAction")->trigger();
    EXPECT_NE(memo(*w), full);
    undo->trigger();
    EXPECT_EQ(memo(*w), full);
}

// After a crash the next start offers the autosaved work first, under the
// project's own name; a copy of the program that is still running keeps its
// autosave to itself; the autosave stays until the work is kept again, and a
// declined one is kept aside.
TEST_F(ProjectWindow, AutosaveIsOfferedBackAfterACrash) {
    w.reset();
    kav::ui::setPersistence({dir.filePath(QStringLiteral("data")), {}});
    w = openQuietly();
    const QString named = dir.filePath(QStringLiteral("named.kvp"));
    ASSERT_TRUE(w->project().saveProjectTo(named));
    makeWork(*w);
    const QString autosave = dir.filePath(QStringLiteral("data/autosave.kvp"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(autosave), 10000);
    const kav::ProjectState work = w->project().projectState();

    boxes.clear();
    auto second = open(); // the first still runs: no offer
    EXPECT_EQ(asked("Восстановление"), 0);
    second.reset();

    w.reset(); // the window goes without closing, as in a crash
    ASSERT_TRUE(QFile::exists(autosave));
    boxes.setAnswer(true);
    boxes.clear();
    w = open();
    ASSERT_EQ(asked("Восстановление"), 1);
    EXPECT_TRUE(kav::sameWork(w->project().projectState(), work));
    EXPECT_TRUE(w->project().isModified());
    EXPECT_EQ(w->project().projectPath(), QFileInfo(named).absoluteFilePath());
    EXPECT_TRUE(QFile::exists(autosave)); // until it is written anew

    // Declined: the work is kept aside, not deleted.
    w.reset();
    boxes.setAnswer(false);
    w = open();
    const QDir aside(w->project().declinedAutosaveFolder());
    EXPECT_FALSE(QFile::exists(autosave));
    const QStringList kept = aside.entryList({QStringLiteral("named-*.kvp")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    const auto copy = kav::io::loadProjectFile(aside.filePath(kept.front()).toStdString());
    ASSERT_TRUE(copy.state);
    EXPECT_TRUE(kav::sameWork(*copy.state, work));

    // A clean exit leaves no autosave behind.
    makeWork(*w);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(autosave), 10000);
    boxes.setSaveAnswer(SaveAnswer::Discard);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(QFile::exists(autosave));
}

// Window geometry, mode, stake, country and recent files outlive the session.
TEST_F(ProjectWindow, SettingsOutliveTheSession) {
    w.reset();
    kav::ui::setPersistence({{}, dir.filePath(QStringLiteral("kavendix.ini"))});
    w = openQuietly();
    child<QComboBox>(w, "modeCombo")->setCurrentIndex(2);
    child<kav::ui::MoneyEdit>(w, "stakeEdit")->setValue(kav::Fixed4::fromInt(35));
    w->resize(900, 950);
    ASSERT_TRUE(w->project().saveProjectTo(dir.filePath(QStringLiteral("s.kvp"))));
    EXPECT_TRUE(w->close());
    w.reset();

    w = openQuietly();
    EXPECT_EQ(child<QComboBox>(w, "modeCombo")->currentIndex(), 2);
    EXPECT_EQ(child<kav::ui::MoneyEdit>(w, "stakeEdit")->value(), kav::Fixed4::fromInt(35));
    EXPECT_EQ(w->size(), QSize(900, 950));
    auto* recent = child<QMenu>(w, "recentProjectsMenu");
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_TRUE(recent->actions().front()->text().endsWith(dir.filePath(QStringLiteral("s.kvp"))));
}

} // namespace

// Started with a project: the project's draw is shown and the current draw is
// not loaded over it (nor its failure reported); a project that cannot be
// read says why and the current draw is loaded as on any start.
TEST_F(ProjectWindow, AProjectGivenAtStartIsOpenedInPlaceOfTheDrawLoad) {
    makeWork(*w);
    const QString path = dir.filePath(QStringLiteral("start.kvp"));
    ASSERT_TRUE(w->project().saveProjectTo(path));
    const kav::ProjectState saved = w->project().projectState();

    const kav::io::ServerSettings servers = kav::ui::servers();
    kav::io::ServerSettings unreachable = servers;
    unreachable.dataServer = "http://127.0.0.1:9";
    kav::ui::setServers(unreachable);
    boxes.clear();
    {
        MainWindow started;
        started.setStartProject(path);
        started.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return started.project().projectPath() == path; }, 5000));
        QTest::qWait(300); // time for a refused connection to come back, were one made
        for (const auto& box : boxes.shown())
            EXPECT_EQ(box.text.find("Тираж не загружен"), std::string::npos) << box.text;
        EXPECT_TRUE(kav::sameWork(started.project().projectState(), saved));
    }
    kav::ui::setServers(servers);

    boxes.clear();
    MainWindow broken;
    broken.setStartProject(dir.filePath(QStringLiteral("missing.kvp")));
    broken.show();
    const auto saysWhy = [&] {
        return std::any_of(boxes.shown().begin(), boxes.shown().end(), [](const auto& box) {
            return box.text.find("missing.kvp") != std::string::npos;
        });
    };
    ASSERT_TRUE(QTest::qWaitFor(saysWhy, 5000));
    EXPECT_TRUE(broken.project().projectPath().isEmpty());
}
