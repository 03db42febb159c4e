#include "ui/bets/bet_list_editor.h"

#include "ui/common/program_language.h"

#include "ui/common/session.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

namespace kav::ui {

namespace {

// Text the document stores differently from how it was given (line breaks,
// no-break spaces, other controls, bytes that are no UTF-8): after such lines
// are written, the list is compared with the text the player sees.
bool storedAsGiven(const std::string& line) {
    for (QChar ch : QString::fromStdString(line)) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || u == 0x7F || u == 0xA0 || u == 0x2028 || u == 0x2029 || u == 0xFFFD)
            return false;
    }
    return true;
}

bool allStoredAsGiven(const kav::Lines& lines) {
    return std::all_of(lines.begin(), lines.end(), storedAsGiven);
}

// Keeps the editor's change handling quiet while the program itself writes the text.
class QuietMemo {
public:
    explicit QuietMemo(bool& quiet) : quiet_(quiet), was_(quiet) { quiet_ = true; }
    ~QuietMemo() { quiet_ = was_; }
    QuietMemo(const QuietMemo&) = delete;
    QuietMemo& operator=(const QuietMemo&) = delete;

private:
    bool& quiet_;
    bool was_;
};

bool isUndoKey(const QKeyEvent* e) {
    return e->matches(QKeySequence::Undo);
}

// Ctrl+Y is the program's "Изъять варианты из списка", though some desktops
// also bind it to redo.
bool isProgramKey(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    return e->key() == Qt::Key_Y && mods == Qt::ControlModifier;
}

bool isRedoKey(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    return (e->matches(QKeySequence::Redo) && !isProgramKey(e)) ||
           (e->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier));
}

// The text shows `lines` when it is their joined form, or that form with the
// line break the player typed after the last line.
bool showsLines(const std::string& text, const kav::Lines& lines) {
    const std::string joined = kav::joinLines(lines);
    return text == joined || text == joined + '\n';
}

} // namespace

BetListEditor::BetListEditor(Session& session, QWidget* parent)
    : QPlainTextEdit(parent), session_(session) {
    setObjectName(QStringLiteral("betListEdit"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setToolTip(tr("Список ставок"));
    setMinimumWidth(120);
    // The session's one history undoes the typing together with every other
    // change of the list; an undo of the document's own would bypass it.
    document()->setUndoRedoEnabled(false);
    flushTimer_ = new QTimer(this);
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(0);
    connect(flushTimer_, &QTimer::timeout, this, &BetListEditor::flushPendingLines);
    connect(this, &QPlainTextEdit::textChanged, this, &BetListEditor::onTextChanged);
    connectSession();
    showReplacedBets();
}

void BetListEditor::connectSession() {
    connect(&session_, &Session::betsAppended, this, &BetListEditor::showAppendedBets);
    connect(&session_, &Session::betsReplaced, this, &BetListEditor::showReplacedBets);
    connect(&session_, &Session::betsSpliced, this, &BetListEditor::showSplicedBets);
    connect(&session_, &Session::betListChanged, this, &BetListEditor::showBetStatus);
}

void BetListEditor::setStatusLabel(QLabel* label, QLabel* skippedLabel) {
    statusLabel_ = label;
    skippedLabel_ = skippedLabel;
    showBetStatus();
}

// Before the player's input touches the text, it must hold every line: an
// edit or a cursor placed in a text without the pending lines would land
// elsewhere than the player sees.
bool BetListEditor::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::ShortcutOverride: {
        // Taken here, the keys reach keyPressEvent rather than a window's
        // action on the same keys. A text edit also takes every redo key for
        // its own redo: the program's Ctrl+Y is left to the window.
        auto* ke = static_cast<QKeyEvent*>(e);
        if (isUndoKey(ke) || isRedoKey(ke)) {
            ke->accept();
            return true;
        }
        if (isProgramKey(ke)) {
            ke->ignore();
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::FocusIn:
        flushPendingLines();
        break;
    default:
        break;
    }
    return QPlainTextEdit::event(e);
}

bool BetListEditor::viewportEvent(QEvent* e) {
    const QEvent::Type t = e->type();
    if (t == QEvent::MouseButtonPress || t == QEvent::DragEnter || t == QEvent::Drop)
        flushPendingLines();
    return QPlainTextEdit::viewportEvent(e);
}

void BetListEditor::keyPressEvent(QKeyEvent* e) {
    if (isUndoKey(e)) {
        session_.undoStack().undo();
        e->accept();
        return;
    }
    if (isRedoKey(e)) {
        session_.undoStack().redo();
        e->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void BetListEditor::insertAtEnd(const QString& text) {
    const QuietMemo quiet(quiet_);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void BetListEditor::flushPendingLines() {
    if (pendingText_.empty())
        return;
    const QString text = QString::fromStdString(pendingText_);
    pendingText_.clear();
    insertAtEnd(text);
}

QString BetListEditor::fullText() {
    flushPendingLines();
    return toPlainText();
}

void BetListEditor::onTextChanged() {
    if (quiet_ || isHidden())
        return;
    flushPendingLines();
    session_.typeBetText(toPlainText().toStdString());
}

// The counts of the list, or while it does not parse, the line that breaks it.
void BetListEditor::showBetStatus() {
    if (!statusLabel_)
        return;
    const std::string& fault = session_.betFault();
    statusLabel_->setText(coreText(fault.empty() ? session_.betStatus() : fault));
    if (skippedLabel_) {
        // Lines left out of the counts are named: the first here, more on hover.
        const auto& list = session_.betList();
        const std::string first = fault.empty() && list.inSync()
                                      ? kav::skippedLinesText(list.lines(), list.masks(), 1)
                                      : std::string();
        skippedLabel_->setText(coreText(first));
        // The list is walked a second time only when some line was left out.
        skippedLabel_->setToolTip(
            first.empty()
                ? QString()
                : QString::fromStdString(kav::skippedLinesText(list.lines(), list.masks(), 20))
                      .replace(QStringLiteral("; "), QStringLiteral("\n")));
    }
    statusLabel_->setStyleSheet(fault.empty() ? QString() : QStringLiteral("color: #c00000;"));
}

// Laying out the text costs far more than parsing a line, so lines appended
// one at a time are written together, when the event loop next runs or as
// soon as anything reads the text. Lines the document would store otherwise
// than given are written at once and compared with the list.
void BetListEditor::showAppendedBets(const kav::Lines& lines) {
    // The lines shown before: the document holds one block per line, and one
    // more, empty, where the player typed a break after the last line.
    const std::size_t before = session_.betLines().size() - lines.size();
    const bool needBreak =
        !pendingText_.empty() ||
        (before > 0 && static_cast<std::size_t>(document()->blockCount()) <= before);
    if (!allStoredAsGiven(lines)) {
        flushPendingLines();
        QString text = QString::fromStdString(kav::joinLines(lines));
        if (needBreak)
            text.prepend(QLatin1Char('\n'));
        insertAtEnd(text);
        readBackIfChanged();
        return;
    }
    if (needBreak)
        pendingText_ += '\n';
    pendingText_ += kav::joinLines(lines);
    flushTimer_->start();
}

void BetListEditor::showReplacedBets() {
    pendingText_.clear();
    const kav::Lines& lines = session_.betLines();
    {
        const QuietMemo quiet(quiet_);
        setPlainText(QString::fromStdString(kav::joinLines(lines)));
    }
    if (!allStoredAsGiven(lines))
        readBackIfChanged();
}

// Only the blocks of the lines that changed are rewritten: the player's
// cursor and scroll position stay, and a long list is not laid out again.
void BetListEditor::showSplicedBets(std::size_t first, std::size_t removed,
                                    const kav::Lines& inserted) {
    flushPendingLines();
    QTextDocument* doc = document();
    const std::size_t before = session_.betLines().size() + removed - inserted.size();
    const std::size_t shown =
        before == 0 ? 0 : std::min(before, static_cast<std::size_t>(doc->blockCount()));
    first = std::min(first, shown);
    removed = std::min(removed, shown - first);
    const auto start = [doc](std::size_t line) {
        return doc->findBlockByNumber(static_cast<int>(line)).position();
    };
    const auto end = [doc](std::size_t line) {
        const QTextBlock b = doc->findBlockByNumber(static_cast<int>(line));
        return b.position() + b.length() - 1;
    };
    const QString text = QString::fromStdString(kav::joinLines(inserted));
    int from = 0;
    int to = 0;
    QString with;
    if (removed > 0 && !inserted.empty()) {
        from = start(first);
        to = end(first + removed - 1);
        with = text;
    } else if (removed > 0) {
        if (first + removed < shown) {
            from = start(first);
            to = start(first + removed);
        } else if (first > 0) {
            from = end(first - 1);
            to = end(shown - 1);
        } else {
            // The whole list goes, with any break the player typed after it.
            from = 0;
            to = doc->characterCount() - 1;
        }
    } else if (!inserted.empty()) {
        if (first < shown) {
            from = to = start(first);
            with = text + QLatin1Char('\n');
        } else if (shown > 0) {
            from = to = end(shown - 1);
            with = QLatin1Char('\n') + text;
        } else {
            to = doc->characterCount() - 1;
            with = text;
        }
    } else {
        return;
    }
    {
        const QuietMemo quiet(quiet_);
        QTextCursor cursor(doc);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        cursor.insertText(with);
    }
    if (!allStoredAsGiven(inserted))
        readBackIfChanged();
}

void BetListEditor::readBackIfChanged() {
    if (readingBack_)
        return;
    const std::string text = toPlainText().toStdString();
    if (showsLines(text, session_.betLines()))
        return;
    readingBack_ = true;
    session_.loadBets(text);
    readingBack_ = false;
}

} // namespace kav::ui
