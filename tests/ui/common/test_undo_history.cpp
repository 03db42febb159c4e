// The one undo history of the player's work: the session's steps and the
// bet-list editor that shows them. A journey through bets, marks and quotes
// undone and redone key by key, random histories compared with a plain model
// of snapshots, and the memory budget that drops the oldest steps.
#include "ui/bets/bet_list_editor.h"
#include "ui/common/session.h"
#include "ui/common/undo_steps.h"

#include "core/bets/bet_list.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QUndoStack>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace {

using kav::Lines;
using kav::ui::BetListEditor;
using kav::ui::Session;
using namespace std::chrono_literals;

std::string single(char first, char last) {
    std::string line = "20;1-(";
    line += first;
    line += ")";
    for (int e = 2; e <= 14; ++e)
        line += ";" + std::to_string(e) + "-(1)";
    line += ";15-(";
    line += last;
    line += ").";
    return line;
}

const std::string kSingle = single('1', '1');
const std::string kCoupon = "40;1-(1X);2-(X);3-(2);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(1);13-(1);14-(1);15-(12).";
const std::string kTyped = single('2', 'X');
// A complete line whose amount is no number: the list stops parsing.
const std::string kBroken = "ab" + kSingle.substr(2);

// A clock moved by hand: the typing steps measure the player's pauses with it.
std::chrono::steady_clock::time_point fakeNow;
std::chrono::steady_clock::time_point readFakeClock() {
    return fakeNow;
}
struct FakeStepClock {
    FakeStepClock() { kav::ui::setStepClock(&readFakeClock); }
    ~FakeStepClock() { kav::ui::setStepClock(nullptr); }
};

::testing::AssertionResult derivedFromFullParse(const Session& s) {
    const Lines& lines = s.betLines();
    const auto full = kav::parseBetList(lines);
    if (!full) {
        const auto fault = kav::firstBetLineFault(lines);
        if (s.betStatus().empty() && fault && s.betFault() == fault->text())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "a list that does not parse shows \""
                                             << s.betStatus() << "\" / \"" << s.betFault() << '"';
    }
    if (s.draw().betCount != full->count || s.draw().betTotal != full->total ||
        s.draw().betMasks != full->masks || !s.betFault().empty())
        return ::testing::AssertionFailure() << "counts differ from a full parse";
    const std::string status = kav::betListStatus(full->count, full->total, " руб.");
    // A cleared list shows no status at all.
    if (s.betStatus() != status && !(lines.empty() && s.betStatus().empty()))
        return ::testing::AssertionFailure() << "status \"" << s.betStatus() << '"';
    return ::testing::AssertionSuccess();
}

// What the editor shows is the list: its lines joined, or with a break the
// player typed after the last line.
::testing::AssertionResult editorShowsList(BetListEditor& editor, const Session& s) {
    const std::string text = editor.fullText().toStdString();
    const std::string joined = kav::joinLines(s.betLines());
    if (text == joined || (text == joined + '\n' && kav::splitLines(text) == s.betLines()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "editor shows\n" << text << "\nlist is\n" << joined;
}

} // namespace

TEST(UndoHistory, AJourneyOfBetsMarksAndQuotesUndoesAndRedoesStepByStep) {
    FakeStepClock clock;
    Session s;
    QUndoStack& stack = s.undoStack();
    QWidget window;
    auto* editor = new BetListEditor(s, &window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    editor->setFocus();

    struct Shown {
        std::string text;
        Lines lines;
        Session::Selection selection;
        std::string forcedBet;
        Session::QuoteRow quotes;
    };
    const auto shownAs = [&](const std::string& text) {
        return Shown{text, s.betLines(), s.draw().selection, s.draw().forcedBet,
                     s.draw().quotes[0]};
    };
    const auto shown = [&] { return shownAs(editor->fullText().toStdString()); };
    const auto expectShown = [&](const Shown& want, int index) {
        SCOPED_TRACE(index);
        ASSERT_EQ(stack.index(), index);
        const Shown now = shown();
        EXPECT_EQ(now.text, want.text);
        EXPECT_EQ(now.lines, want.lines);
        EXPECT_EQ(now.selection, want.selection);
        EXPECT_EQ(now.forcedBet, want.forcedBet);
        EXPECT_EQ(now.quotes, want.quotes);
        EXPECT_TRUE(derivedFromFullParse(s));
    };

    // List A, a mark, the list cleared, list B, a quote, more of B not yet
    // written, and a line the player types after it: one step each.
    std::vector<Shown> byIndex{shown()};
    const auto record = [&] { byIndex.push_back(shown()); };
    s.appendBets({kSingle, kCoupon});
    record();
    s.appendBets({kBroken});
    record();
    Session::Selection marks{};
    marks[0][0] = 1;
    marks[3][2] = 1;
    s.setMarks(marks, "1" + std::string(kav::kEvents - 1, ' '), QStringLiteral("Отметка исхода"));
    record();
    s.clearBets();
    record();
    s.appendBets({kSingle});
    record();
    s.setQuote(0, 0, kav::Fixed4::fromInt(50));
    record();
    s.appendBets({kCoupon, kSingle});
    // Not written yet: the lines wait for the event loop or the player's key.
    EXPECT_EQ(editor->toPlainText().toStdString(), kSingle);
    byIndex.push_back(shownAs(kav::joinLines(s.betLines())));
    editor->moveCursor(QTextCursor::End);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QString::fromStdString(kTyped));
    record();
    ASSERT_EQ(stack.count(), 8);
    EXPECT_EQ(byIndex[8].text, kav::joinLines({kSingle, kCoupon, kSingle, kTyped}));

    // Ctrl+Z and Ctrl+Shift+Z in the editor go to the one history: twice back
    // and twice forward ends on B and the typed line, byte for byte.
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    expectShown(byIndex[6], 6);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    expectShown(byIndex[8], 8);
    for (int i = 7; i >= 0; --i) {
        stack.undo();
        expectShown(byIndex[static_cast<std::size_t>(i)], i);
    }
    for (int i = 1; i <= 8; ++i) {
        stack.redo();
        expectShown(byIndex[static_cast<std::size_t>(i)], i);
    }

    // Another draw replaces the one shown: its marks and quotes are no longer
    // undone, the bet list's steps still are, and no undo is a step that
    // changes nothing.
    s.draw().selection = Session::Selection{};
    s.noteDrawReplaced();
    int undos = 0;
    while (stack.canUndo()) {
        const std::string before = editor->fullText().toStdString();
        stack.undo();
        ++undos;
        EXPECT_NE(editor->fullText().toStdString(), before) << "undo " << undos;
    }
    EXPECT_EQ(undos, 6);
    EXPECT_EQ(s.draw().selection, Session::Selection{});
    while (stack.canRedo())
        stack.redo();
    EXPECT_EQ(editor->fullText().toStdString(), byIndex[8].text);
}

// Random histories of every bet-list change, undo and redo, against a plain
// model: the list of each state and the step that led there. With the editor,
// typing goes through its document and plain lines; without, lines hold any
// bytes and must come back from undo and redo unchanged.
class UndoHistoryModel : public ::testing::TestWithParam<bool> {};

TEST_P(UndoHistoryModel, EveryHistoryMatchesAPlainModel) {
    const bool withEditor = GetParam();
    FakeStepClock clock;
    Session s;
    QUndoStack& stack = s.undoStack();
    std::unique_ptr<BetListEditor> editor;
    if (withEditor) {
        editor = std::make_unique<BetListEditor>(s);
        editor->show();
    }
    std::mt19937 rng(withEditor ? 20240611u : 77u);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::vector<std::string> plain = {kSingle, kCoupon, kTyped, kBroken, "", "abc", "15-(1)"};
    const auto randomLine = [&] {
        if (withEditor)
            return plain[pick(plain.size())];
        std::string line(pick(8), ' ');
        for (char& c : line)
            c = "\r\n\t\0 a1;\xff\xd0"[pick(10)];
        return pick(3) == 0 ? plain[pick(plain.size())] : line;
    };
    const auto randomLines = [&](std::size_t most) {
        Lines lines(pick(most + 1));
        for (auto& l : lines)
            l = randomLine();
        return lines;
    };

    struct State {
        Lines lines;
        bool typing = false;
        std::size_t first = 0, inserted = 0;
        std::chrono::steady_clock::time_point lastEdit;
    };
    std::vector<State> states(1);
    std::size_t at = 0;
    const auto push = [&](const Lines& lines) {
        states.resize(at + 1);
        states.push_back({lines});
        ++at;
    };
    // Typing inside one line of the step before, without a pause, carries on
    // that step; typed back to where it began, the step is gone.
    const auto pushTyped = [&](const Lines& lines) {
        const Lines& old = states[at].lines;
        std::size_t head = 0, tail = 0;
        while (head < old.size() && head < lines.size() && old[head] == lines[head])
            ++head;
        while (tail < old.size() - head && tail < lines.size() - head &&
               old[old.size() - 1 - tail] == lines[lines.size() - 1 - tail])
            ++tail;
        const std::size_t removed = old.size() - head - tail, inserted = lines.size() - head - tail;
        states.resize(at + 1);
        State& top = states[at];
        if (at > 0 && top.typing && removed == 1 && inserted == 1 && head >= top.first &&
            head < top.first + top.inserted && fakeNow - top.lastEdit < 1s) {
            top.lines = lines;
            top.lastEdit = fakeNow;
            if (top.lines == states[at - 1].lines) {
                states.pop_back();
                --at;
            }
            return;
        }
        states.push_back({lines, true, head, inserted, fakeNow});
        ++at;
    };

    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        fakeNow += pick(4) == 0 ? 1500ms : 300ms;
        const Lines& now = states[at].lines;
        switch (pick(9)) {
        case 0: {
            const Lines lines = randomLines(3);
            s.appendBets(lines);
            if (!lines.empty()) {
                Lines after = now;
                after.insert(after.end(), lines.begin(), lines.end());
                push(after);
            }
            break;
        }
        case 1: {
            const Lines lines = pick(4) == 0 ? now : randomLines(6);
            s.replaceBets(lines);
            if (lines != now)
                push(lines);
            break;
        }
        case 2:
            s.clearBets();
            if (!now.empty())
                push({});
            break;
        case 3:
        case 4: {
            // Lines cut out and typed in somewhere, all at once (a paste).
            Lines typed = now;
            const std::size_t first = pick(typed.size() + 1);
            const std::size_t count = std::min(pick(3), typed.size() - first);
            const Lines in = randomLines(2);
            typed.erase(typed.begin() + static_cast<std::ptrdiff_t>(first),
                        typed.begin() + static_cast<std::ptrdiff_t>(first + count));
            typed.insert(typed.begin() + static_cast<std::ptrdiff_t>(first), in.begin(), in.end());
            std::string text = kav::joinLines(typed);
            if (withEditor) {
                // Pasted over the whole text in one edit.
                QTextCursor cursor(editor->document());
                cursor.select(QTextCursor::Document);
                cursor.insertText(QString::fromStdString(text));
            } else {
                s.typeBetText(text);
            }
            if (kav::splitLines(text) != now)
                pushTyped(kav::splitLines(text));
            break;
        }
        case 5:
        case 6: {
            // A key typed inside a line, mostly one the last step typed.
            if (now.empty())
                break;
            const State& top = states[at];
            const std::size_t line = top.typing && top.inserted > 0 && pick(4) != 0
                                         ? top.first + pick(top.inserted)
                                         : pick(now.size());
            Lines typed = now;
            std::string& text = typed[line];
            const std::size_t pos = pick(text.size() + 1);
            const bool erase = pos > 0 && pick(2) == 0;
            if (erase)
                text.erase(pos - 1, 1);
            else
                text.insert(pos, 1, 'x');
            std::string after = kav::joinLines(typed);
            if (withEditor) {
                // A break the player typed after the last line stays.
                if (editor->fullText().toStdString() == kav::joinLines(now) + '\n')
                    after += '\n';
                QTextCursor cursor(editor->document()->findBlockByNumber(static_cast<int>(line)));
                cursor.setPosition(cursor.position() + static_cast<int>(pos));
                editor->setTextCursor(cursor);
                QTest::keyClick(editor.get(), erase ? Qt::Key_Backspace : Qt::Key_X);
            } else {
                s.typeBetText(after);
            }
            if (kav::splitLines(after) != now)
                pushTyped(kav::splitLines(after));
            break;
        }
        case 7:
            if (pick(6) == 0) {
                // A project opened: its list, and a history that starts afresh.
                const std::string text = kav::joinLines(randomLines(4));
                s.loadBets(text);
                stack.clear();
                states = {State{kav::splitLines(text)}};
                at = 0;
                break;
            }
            stack.undo();
            at -= at > 0 ? 1 : 0;
            break;
        default:
            stack.redo();
            at += at + 1 < states.size() ? 1 : 0;
            break;
        }
        ASSERT_EQ(s.betLines(), states[at].lines);
        ASSERT_EQ(stack.index(), static_cast<int>(at));
        ASSERT_EQ(stack.count(), static_cast<int>(states.size() - 1));
        ASSERT_TRUE(derivedFromFullParse(s));
        if (editor) {
            ASSERT_TRUE(editorShowsList(*editor, s));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(UndoHistory, UndoHistoryModel, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Editor" : "AnyBytes"; });

TEST(UndoHistory, TheBudgetDropsTheOldestStepsAndNeverTheListShown) {
    // Consecutive rewrites share the lists between them: each list is held once.
    {
        Session s;
        std::vector<Lines> lists(6, Lines(500, kCoupon));
        for (std::size_t i = 0; i < lists.size(); ++i) {
            lists[i][i] = kSingle;
            s.replaceBets(lists[i]);
        }
        const std::size_t list = kav::ui::PackedLines::pack(lists[0])->bytes();
        EXPECT_GT(s.undoBytes(), 6 * list);
        EXPECT_LT(s.undoBytes(), 7 * list);
    }

    Session s;
    QUndoStack& stack = s.undoStack();
    BetListEditor editor(s);
    editor.show();
    std::unique_ptr<QAction> redo(stack.createRedoAction(nullptr));
    const std::size_t budget = 4000;
    s.setUndoBudget(budget);
    Lines all;
    for (int i = 0; i < 60; ++i) {
        const Lines lines(5, i % 2 ? kSingle : kCoupon);
        s.appendBets(lines);
        all.insert(all.end(), lines.begin(), lines.end());
        ASSERT_LE(s.undoBytes(), budget);
        ASSERT_EQ(editor.fullText().toStdString(), kav::joinLines(all));
    }
    // Undo stops at the oldest step kept, on the list that step started from.
    int undos = 0;
    while (stack.canUndo()) {
        stack.undo();
        ++undos;
        ASSERT_EQ(s.betLines(), Lines(all.begin(), all.end() - 5 * undos));
        ASSERT_EQ(editor.fullText().toStdString(), kav::joinLines(s.betLines()));
    }
    EXPECT_GT(undos, 1);
    EXPECT_LT(undos, 60);
    while (stack.canRedo())
        stack.redo();
    EXPECT_EQ(s.betLines(), all);

    // Steps still to be redone go when the budget shrinks past them, and with
    // one of them every later one: a redo never builds on a step that is gone.
    stack.undo();
    stack.undo();
    EXPECT_TRUE(redo->isEnabled());
    const Lines shown = s.betLines();
    const std::size_t oneStep = kav::ui::PackedLines::pack(Lines(5, kCoupon))->bytes();
    s.setUndoBudget(oneStep + oneStep / 2);
    EXPECT_EQ(s.betLines(), shown);
    EXPECT_EQ(editor.fullText().toStdString(), kav::joinLines(shown));
    while (stack.canRedo()) {
        stack.redo();
        ASSERT_EQ(s.betLines(), Lines(all.begin(), all.begin() + s.betLines().size()));
    }
    EXPECT_FALSE(redo->isEnabled());
}

// Long lists are written into the text a chunk at a time. A journey of
// openings, appends, pastes at either end and in the middle, moves and keys
// while the text is still being written, undone and redone, against a plain
// model: the list is always the model, and the text the list once written.
TEST(UndoHistory, LongListsWrittenAChunkAtATimeStayTheList) {
    FakeStepClock clock;
    Session s;
    BetListEditor editor(s);
    editor.resize(300, 200);
    editor.show();
    std::mt19937 rng(5150);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const auto longLines = [&](std::size_t n) {
        Lines lines(n, kSingle);
        for (auto& l : lines)
            l = pick(3) == 0 ? kCoupon : single("1X2"[pick(3)], "1X2"[pick(3)]);
        return lines;
    };
    const auto at = [](const Lines& l, std::size_t i) {
        return l.begin() + static_cast<std::ptrdiff_t>(i);
    };
    std::vector<Lines> history{Lines{}};
    std::size_t now = 0;
    const auto push = [&](Lines lines) {
        history.resize(now + 1);
        history.push_back(std::move(lines));
        ++now;
    };
    bool sawPending = false;
    for (int step = 0; step < 24; ++step) {
        SCOPED_TRACE(step);
        fakeNow += 2s;
        const Lines& list = history[now];
        switch (step % 6) {
        case 0:
            if (step == 0) {
                const Lines opened = longLines(25000);
                s.loadBets(kav::joinLines(opened));
                s.undoStack().clear();
                history = {opened};
                now = 0;
            } else {
                const Lines more = longLines(pick(2) ? 12000 : 7);
                Lines after = list;
                after.insert(after.end(), more.begin(), more.end());
                s.appendBets(more);
                push(std::move(after));
            }
            break;
        case 1:
        case 2: {
            // A paste of many lines over a selection, at the end or inside.
            const bool atEnd = step % 6 == 1;
            const Lines pasted = longLines(atEnd ? 10000 + pick(3000) : 20000 + pick(5000));
            const std::size_t first = atEnd ? list.size() : pick(list.size());
            const std::size_t count =
                atEnd ? 0 : std::min<std::size_t>(pick(4), list.size() - first);
            editor.flushPendingLines();
            QTextCursor cursor(editor.document());
            if (atEnd) {
                cursor.movePosition(QTextCursor::End);
                QApplication::clipboard()->setText(
                    QString::fromStdString("\n" + kav::joinLines(pasted)));
            } else {
                cursor.setPosition(
                    editor.document()->findBlockByNumber(static_cast<int>(first)).position());
                cursor.setPosition(editor.document()
                                       ->findBlockByNumber(static_cast<int>(first + count))
                                       .position(),
                                   QTextCursor::KeepAnchor);
                QApplication::clipboard()->setText(
                    QString::fromStdString(kav::joinLines(pasted) + "\n"));
            }
            editor.setTextCursor(cursor);
            editor.setFocus();
            QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
            sawPending = sawPending || editor.linesToShow() > 0;
            Lines after(list.begin(), at(list, first));
            after.insert(after.end(), pasted.begin(), pasted.end());
            after.insert(after.end(), at(list, first + count), list.end());
            push(std::move(after));
            break;
        }
        case 3: {
            // Moving through the lines shown while the rest is written keeps
            // the text a part of the list; a key typed writes the rest first.
            QTest::keyClick(&editor, Qt::Key_PageDown);
            QTest::keyClick(&editor, Qt::Key_Down, Qt::ShiftModifier);
            const Lines shown = kav::splitLines(editor.toPlainText().toStdString());
            ASSERT_LE(shown.size(), list.size());
            QTextCursor cursor = editor.textCursor();
            cursor.clearSelection();
            cursor.movePosition(QTextCursor::StartOfBlock);
            editor.setTextCursor(cursor);
            const auto line = static_cast<std::size_t>(cursor.blockNumber());
            QTest::keyClick(&editor, Qt::Key_X);
            Lines after = list;
            after[line].insert(0, 1, 'x');
            push(std::move(after));
            break;
        }
        case 4:
            s.undoStack().undo();
            --now;
            if (pick(2)) {
                s.undoStack().undo();
                --now;
            }
            break;
        default:
            s.undoStack().redo();
            ++now;
            break;
        }
        ASSERT_EQ(s.betLines(), history[now]);
        ASSERT_TRUE(derivedFromFullParse(s));
        if (pick(2))
            QTest::qWait(pick(60)); // some chunks written by the event loop
        if (step % 3 == 2) {
            ASSERT_TRUE(editorShowsList(editor, s));
            ASSERT_EQ(editor.linesToShow(), 0u);
        }
    }
    EXPECT_TRUE(sawPending);
    ASSERT_TRUE(editorShowsList(editor, s));
}
