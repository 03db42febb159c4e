// The bet list with a long list in it, as the player meets it: a paste of
// 100,052 lines (how long the window is blocked at most, and in all), typing
// in a list of 100,000 lines (how long a keystroke takes to show), and opening
// a project of 1,000,000 lines (time and peak memory). One scenario per run,
// so that the peak memory is the scenario's own:
//   bench_long_list paste | type | open [lines]
// Run it offscreen with a scratch HOME (the program keeps its settings there):
//   HOME=$(mktemp -d) QT_QPA_PLATFORM=offscreen build/bench/bench_long_list open
#include "core/project/project_state.h"
#include "io/files/project_file.h"
#include "ui/bets/bet_list_editor.h"
#include "ui/common/program_places.h"
#include "ui/common/session.h"
#include "ui/project/project_document.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double peakMegabytes() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return static_cast<double>(use.ru_maxrss) / 1024.0;
}

// Distinct lines, as a long package holds them: every one of the 3^15 results
// is a line of its own.
std::string betLines(int count) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 24);
    for (int i = 0; i < count; ++i) {
        int r = i;
        for (int e = 0; e < 15; ++e) {
            text += "1X2"[r % 3];
            r /= 3;
        }
        text += " 20\n";
    }
    return text;
}

// The longest time the event loop was kept from running while `work` ran
// and until the list settled: a timer asks to run every 5 ms.
struct LoopWatch {
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer tick;
    LoopWatch() {
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout,
                         [this] { longest = std::max(longest, sinceTick.restart()); });
        sinceTick.start();
        tick.start();
    }
};

// Until the text shows the whole list and nothing has changed the list's
// count for `quietMs`; returns when the text showed the whole list.
qint64 settle(kav::ui::MainWindow& w, const QElapsedTimer& clock, qint64 quietMs) {
    qint64 lastChange = clock.elapsed();
    std::size_t last = w.session().betLines().size();
    qint64 shown = -1;
    while (shown < 0 || clock.elapsed() - lastChange < quietMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const std::size_t now = w.session().betLines().size();
        if (now != last) {
            last = now;
            lastChange = clock.elapsed();
        }
        if (shown < 0 && w.betListEditor().linesToShow() == 0)
            shown = clock.elapsed();
    }
    return shown;
}

int paste(kav::ui::MainWindow& w, int lines) {
    QApplication::clipboard()->setText(QString::fromStdString(betLines(lines)));
    auto& editor = w.betListEditor();
    editor.setFocus();
    LoopWatch watch;
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    const qint64 returned = clock.elapsed();
    const qint64 shown = settle(w, clock, 300);
    std::printf("paste %d lines: the key returned after %lld ms, the list holds %zu lines, the "
                "text shows them all after %lld ms, the event loop waited at most %lld ms, peak "
                "%.0f MB\n",
                lines, static_cast<long long>(returned), w.session().betLines().size(),
                static_cast<long long>(shown), static_cast<long long>(watch.longest),
                peakMegabytes());
    return 0;
}

int type(kav::ui::MainWindow& w, int lines) {
    w.session().loadBets(betLines(lines));
    auto& editor = w.betListEditor();
    editor.setFocus();
    QElapsedTimer shown;
    shown.start();
    settle(w, shown, 0);
    // In the middle of the list, a new line typed key by key.
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(editor.document()->findBlockByNumber(lines / 2).position());
    editor.setTextCursor(cursor);
    const char* keys = "1X21X21X21X21X2 20";
    qint64 longest = 0;
    qint64 total = 0;
    int count = 0;
    for (const char* k = keys; *k; ++k, ++count) {
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(&editor, *k);
        editor.viewport()->repaint();
        const qint64 took = clock.nsecsElapsed() / 1000;
        longest = std::max(longest, took);
        total += took;
    }
    QElapsedTimer clock;
    clock.start();
    settle(w, clock, 600);
    std::printf("typing in %d lines: a keystroke took %.1f ms on average, %.1f ms at most; the "
                "list then holds %zu lines\n",
                lines, static_cast<double>(total) / count / 1000.0,
                static_cast<double>(longest) / 1000.0, w.session().betLines().size());
    return 0;
}

int open(kav::ui::MainWindow& w, int lines) {
    const QString path = QDir::temp().filePath(QStringLiteral("bench_long_list.kvp"));
    {
        kav::ProjectState state;
        state.betText = betLines(lines);
        if (auto m = kav::io::saveProjectFile(path.toStdString(), state)) {
            std::fprintf(stderr, "%s\n", m->text.c_str());
            return 1;
        }
    }
    const double before = peakMegabytes();
    LoopWatch watch;
    QElapsedTimer clock;
    clock.start();
    const bool opened = w.project().openProjectFile(path);
    const qint64 returned = clock.elapsed();
    watch.sinceTick.restart();
    watch.longest = 0;
    const qint64 shown = settle(w, clock, 0);
    std::printf("open a project of %d lines: %s after %lld ms, the text shows every line after "
                "%lld ms, the event loop then waited at most %lld ms; peak %.0f MB (%.0f MB before "
                "the file was read)\n",
                lines, opened ? "opened" : "refused", static_cast<long long>(returned),
                static_cast<long long>(shown), static_cast<long long>(watch.longest),
                peakMegabytes(), before);
    QFile::remove(path);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const std::string scenario = argc > 1 ? argv[1] : "";
    kav::ui::MessageBoxHook unattended;
    kav::ui::setServers(kav::io::ServerSettings{"", "", false, ""});
    kav::ui::MainWindow w;
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    QCoreApplication::processEvents();
    if (scenario == "paste")
        return paste(w, argc > 2 ? std::atoi(argv[2]) : 100052);
    if (scenario == "type")
        return type(w, argc > 2 ? std::atoi(argv[2]) : 100000);
    if (scenario == "open")
        return open(w, argc > 2 ? std::atoi(argv[2]) : 1000000);
    std::fprintf(stderr, "usage: bench_long_list paste|type|open [lines]\n");
    return 2;
}
