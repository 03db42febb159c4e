// The one helper for long work: results come back on the user-interface
// thread, cancel reaches the work, a closing window never waits for a result
// it will not show, and questions are asked where the boxes live.
#include "ui/common/job_runner.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using kav::ui::JobControl;
using kav::ui::JobOptions;
using kav::ui::JobRunner;

namespace {

// Spins until cancelled; returns how it ended.
struct Spin {
    std::atomic<bool>* started;
    bool operator()(JobControl& job) const {
        *started = true;
        while (!job.cancelled())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    }
};

void waitUntil(const std::atomic<bool>& flag) {
    while (!flag)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

TEST(JobRunner, WorkRunsOffTheWindowThreadAndItsResultArrivesOnIt) {
    QWidget owner;
    JobRunner jobs(&owner);
    QThread* workThread = nullptr;
    QThread* doneThread = nullptr;
    int result = 0;
    ASSERT_TRUE(jobs.run(
        {},
        [&](JobControl&) {
            workThread = QThread::currentThread();
            return 42;
        },
        [&](int r) {
            doneThread = QThread::currentThread();
            result = r;
        }));
    EXPECT_TRUE(jobs.running());
    QSignalSpy finished(&jobs, &JobRunner::finished);
    jobs.wait();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(doneThread, qApp->thread());
    EXPECT_NE(workThread, qApp->thread());
    EXPECT_FALSE(jobs.running());
    EXPECT_EQ(finished.count(), 1);
}

TEST(JobRunner, OneJobAtATimeAndCancelReachesTheWork) {
    QWidget owner;
    JobRunner jobs(&owner);
    std::atomic<bool> started{false};
    std::optional<bool> ended;
    ASSERT_TRUE(jobs.run({}, Spin{&started}, [&](bool r) { ended = r; }));
    waitUntil(started);
    int second = 0;
    EXPECT_FALSE(jobs.run(
        {}, [](JobControl&) { return 1; }, [&](int r) { second = r; }));
    jobs.cancel();
    jobs.wait();
    EXPECT_EQ(ended, true);
    EXPECT_EQ(second, 0);
    // The runner takes the next job once the first has ended.
    ASSERT_TRUE(jobs.run(
        {}, [](JobControl&) { return 7; }, [&](int r) { second = r; }));
    jobs.wait();
    EXPECT_EQ(second, 7);
}

TEST(JobRunner, DestroyedMidJobStopsTheWorkAndDropsItsResult) {
    QWidget owner;
    std::atomic<bool> started{false};
    bool delivered = false;
    {
        JobRunner jobs(&owner);
        ASSERT_TRUE(jobs.run({}, Spin{&started}, [&](bool) { delivered = true; }));
        waitUntil(started);
    } // joins the worker, which sees the cancel
    QCoreApplication::processEvents();
    EXPECT_FALSE(delivered);
}

TEST(JobRunner, TheDoneHandlerMayStartTheNextJob) {
    QWidget owner;
    JobRunner jobs(&owner);
    int last = 0;
    ASSERT_TRUE(jobs.run(
        {}, [](JobControl&) { return 1; },
        [&](int) {
            EXPECT_TRUE(jobs.run(
                {}, [](JobControl&) { return 2; }, [&](int r) { last = r; }));
        }));
    jobs.wait();
    jobs.wait();
    EXPECT_EQ(last, 2);
}

TEST(JobRunner, QuestionsAreAnsweredOnTheWindowThread) {
    QWidget owner;
    JobRunner jobs(&owner);
    QThread* askedOn = nullptr;
    bool answer = false;
    ASSERT_TRUE(jobs.run(
        {},
        [&](JobControl& job) {
            return job.ask([&] {
                askedOn = QThread::currentThread();
                return true;
            });
        },
        [&](bool r) { answer = r; }));
    jobs.wait();
    EXPECT_TRUE(answer);
    EXPECT_EQ(askedOn, qApp->thread());
}

TEST(JobRunner, AQuestionPendingWhenTheJobIsCancelledAnswersNo) {
    QWidget owner;
    std::optional<bool> answer;
    bool asked = false;
    auto jobs = std::make_unique<JobRunner>(&owner);
    ASSERT_TRUE(jobs->run(
        {},
        [&](JobControl& job) {
            return job.ask([&] {
                asked = true;
                return true;
            });
        },
        [&](bool r) { answer = r; }));
    // Cancelled before the window thread gets to ask: the question is never shown.
    jobs->cancel();
    jobs->wait();
    EXPECT_EQ(answer, false);
    EXPECT_FALSE(asked);
}

TEST(JobRunner, ProgressReachesTheBoxAndTheOwnerAndTheBoxCancels) {
    QWidget owner;
    owner.show();
    JobRunner jobs(&owner);
    JobOptions options;
    options.title = QStringLiteral("Работа");
    options.minimumDurationMs = 0;
    options.progressIntervalMs = 0;
    std::atomic<int> reported{0};
    int seenPercent = -1;
    QString seenText;
    options.onProgress = [&](int percent, const QString& text) {
        seenPercent = percent;
        seenText = text;
    };
    std::atomic<bool> started{false};
    bool cancelled = false;
    ASSERT_TRUE(jobs.run(
        options,
        [&](JobControl& job) {
            job.progress(37, QStringLiteral("шаг 1"));
            reported = 1;
            started = true;
            while (!job.cancelled())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return true;
        },
        [&](bool r) { cancelled = r; }));
    waitUntil(started);
    ASSERT_TRUE(QTest::qWaitFor([&] { return seenPercent == 37; }, 5000));
    EXPECT_EQ(seenText, QStringLiteral("шаг 1"));
    auto* box = owner.findChild<QProgressDialog*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Работа"));
    EXPECT_EQ(box->value(), 37);
    auto* cancelButton = box->findChild<QPushButton*>();
    ASSERT_NE(cancelButton, nullptr);
    EXPECT_EQ(cancelButton->text(), QStringLiteral("Отмена"));
    QTest::mouseClick(cancelButton, Qt::LeftButton);
    jobs.wait();
    EXPECT_TRUE(cancelled);
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.findChild<QProgressDialog*>(), nullptr);
}

// A job without a box shows itself in the owner's caption and the task-bar
// title, and both are back before the result is handed on.
TEST(JobRunner, ProgressInTheCaptionIsPutBackBeforeTheResult) {
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Окно"));
    const QString titleBefore = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Программа"));
    JobRunner jobs(&owner);
    JobOptions options;
    options.label = QStringLiteral("Выполнено 0%");
    options.progressInCaption = true;
    options.progressInTaskBar = true;
    options.progressIntervalMs = 0;
    std::atomic<bool> go{false};
    QString captionAtDone, titleAtDone;
    ASSERT_TRUE(jobs.run(
        options,
        [&](JobControl& job) {
            job.progress(5, QStringLiteral("Выполнено 5%"), QStringLiteral("5%"));
            waitUntil(go);
            return 0;
        },
        [&](int) {
            captionAtDone = owner.windowTitle();
            titleAtDone = QGuiApplication::applicationDisplayName();
        }));
    EXPECT_EQ(owner.windowTitle(), QStringLiteral("Выполнено 0%"));
    EXPECT_EQ(owner.findChild<QProgressDialog*>(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return owner.windowTitle() == QStringLiteral("Выполнено 5%"); }, 5000));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("5%"));
    go = true;
    jobs.wait();
    EXPECT_EQ(captionAtDone, QStringLiteral("Окно"));
    EXPECT_EQ(titleAtDone, QStringLiteral("Программа"));

    // A job showing itself in the caption only leaves the task-bar title to
    // whoever set it, before and after.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("12%"));
    options.progressInTaskBar = false;
    ASSERT_TRUE(jobs.run(
        options,
        [](JobControl& job) {
            job.progress(50, QStringLiteral("Выполнено 50%"), QStringLiteral("50%"));
            return 0;
        },
        [](int) {}));
    jobs.wait();
    EXPECT_EQ(owner.windowTitle(), QStringLiteral("Окно"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("12%"));
    QGuiApplication::setApplicationDisplayName(
        titleBefore == QCoreApplication::applicationName() ? QString() : titleBefore);
}

namespace {

// The caption as the window system shows it, composed by Qt when the caption
// is set: the task-bar title follows after " — " unless the caption ends with it.
QString shownCaption(const QString& caption) {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() || caption.endsWith(name) ? caption
                                                    : caption + QStringLiteral(" — ") + name;
}

int percentFigures(const QString& caption) {
    static const QRegularExpression figure(QStringLiteral("\\d+(\\.\\d+)?%"));
    int n = 0;
    for (auto it = figure.globalMatch(caption); it.hasNext(); it.next())
        ++n;
    return n;
}

} // namespace

// Where the window system shows the task-bar title after the caption, the
// player sees one figure while the job runs and the caption as it was after it.
TEST(JobRunner, TheShownCaptionCarriesOneFigureAndNoneAfterTheJob) {
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Окно"));
    const QString titleBefore = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Программа"));
    const QString shownBefore = shownCaption(owner.windowTitle());
    QStringList shown; // every caption shown from now on
    QObject::connect(&owner, &QWidget::windowTitleChanged,
                     [&shown](const QString& c) { shown << shownCaption(c); });
    JobRunner jobs(&owner);
    JobOptions options;
    options.progressInCaption = true;
    options.progressInTaskBar = true;
    options.progressIntervalMs = 0;
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "finished");
        shown.clear();
        std::atomic<bool> go{false};
        ASSERT_TRUE(jobs.run(
            options,
            [&](JobControl& job) {
                for (int p = 10; p <= 30; p += 10)
                    job.progress(p, QStringLiteral("Выполнено: %1.5%").arg(p),
                                 QStringLiteral("%1.5%").arg(p));
                waitUntil(go);
                return 0;
            },
            [](int) {}));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return owner.windowTitle() == QStringLiteral("Выполнено: 30.5%"); }, 5000));
        if (cancel)
            jobs.cancel();
        go = true;
        jobs.wait();
        ASSERT_GE(shown.size(), 4);
        for (const QString& c : shown.mid(0, shown.size() - 1))
            EXPECT_EQ(percentFigures(c), 1) << c.toStdString();
        EXPECT_EQ(shown.back(), shownBefore);
        EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Программа"));
    }
    QGuiApplication::setApplicationDisplayName(
        titleBefore == QCoreApplication::applicationName() ? QString() : titleBefore);
}
