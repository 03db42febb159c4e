#include "ui/bets/bet_list_editor.h"

#include "ui/common/program_language.h"

#include "ui/common/session.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <limits>
#include <utility>

namespace kav::ui {

namespace {

// Text the document stores differently from how it was given (line breaks,
// no-break spaces, other controls, bytes that are no UTF-8): after such lines
// are written, the list is compared with the text the player sees.
bool storedAsGiven(const std::string& line) {
    if (std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        return true;
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

// Lines written into the text in one go while the event loop waits: about
// 40 ms of the document's work.
constexpr std::size_t kChunkLines = 10000;

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

bool isMoveKey(const QKeyEvent* e) {
    if (e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
        return false;
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

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
    connect(flushTimer_, &QTimer::timeout, this, [this] {
        writePendingChunk(kChunkLines);
        if (pendingLines_ > 0)
            flushTimer_->start();
    });
    connect(document(), &QTextDocument::contentsChange, this, [this](int from, int, int added) {
        if (quiet_)
            return;
        ++changes_;
        changeFrom_ = from;
        changeAdded_ = added;
    });
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

// Before the player's input changes the text, it must hold every line: an
// edit in a text without the pending lines would land elsewhere than in the
// list. Moving and clicking in the lines shown can go on while the rest is
// written.
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
        // Moving through the lines shown needs no more of them; a key that
        // edits, selects all or goes to the end does.
        if (!isMoveKey(static_cast<QKeyEvent*>(e)))
            flushPendingLines();
        break;
    case QEvent::InputMethod:
        flushPendingLines();
        break;
    default:
        break;
    }
    return QPlainTextEdit::event(e);
}

bool BetListEditor::viewportEvent(QEvent* e) {
    const QEvent::Type t = e->type();
    if (t == QEvent::DragEnter || t == QEvent::Drop)
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

void BetListEditor::setPending(std::string text, std::size_t lines,
                               std::optional<std::size_t> before) {
    pendingText_ = std::move(text);
    pendingOffset_ = 0;
    pendingLines_ = pendingTotal_ = lines;
    pendingBefore_ = before;
    flushTimer_->start();
}

// Writes up to `maxLines` of the pending lines where they belong.
void BetListEditor::writePendingChunk(std::size_t maxLines) {
    if (pendingLines_ == 0)
        return;
    const std::string& p = pendingText_;
    std::size_t end = pendingOffset_;
    std::size_t lines = 0;
    if (pendingBefore_) {
        // Each line with its break after it.
        while (end < p.size() && lines < maxLines) {
            end = p.find('\n', end);
            end = end == std::string::npos ? p.size() : end + 1;
            ++lines;
        }
    } else {
        // Each line with its break before it, but the list's first line.
        lines = p[end] == '\n' ? 0 : 1;
        end = p[end] == '\n' ? end : p.find('\n', end);
        while (end != std::string::npos && end < p.size() && lines < maxLines) {
            end = p.find('\n', end + 1);
            ++lines;
        }
        if (end == std::string::npos)
            end = p.size();
    }
    const QString text =
        QString::fromUtf8(p.data() + pendingOffset_, static_cast<qsizetype>(end - pendingOffset_));
    pendingOffset_ = end;
    pendingLines_ = end >= p.size() ? 0 : pendingLines_ - std::min(pendingLines_, lines);
    if (pendingBefore_) {
        const QuietMemo quiet(quiet_);
        QTextCursor cursor(document());
        cursor.setPosition(
            document()->findBlockByNumber(static_cast<int>(*pendingBefore_)).position());
        cursor.insertText(text);
        *pendingBefore_ += lines;
    } else {
        insertAtEnd(text);
    }
    if (pendingLines_ == 0) {
        std::string().swap(pendingText_);
        pendingOffset_ = pendingTotal_ = 0;
        pendingBefore_.reset();
        flushTimer_->stop();
    }
    showBetStatus();
}

void BetListEditor::flushPendingLines() {
    writePendingChunk(std::numeric_limits<std::size_t>::max());
}

QString BetListEditor::fullText() {
    flushPendingLines();
    return toPlainText();
}

void BetListEditor::onTextChanged() {
    const int changes = std::exchange(changes_, 0);
    if (quiet_ || isHidden())
        return;
    if (changes == 1 && pendingLines_ == 0 && typeChangedLines())
        return;
    flushPendingLines();
    session_.typeBetText(toPlainText().toStdString());
}

// One change of the document: the lines of the blocks it spans replace as
// many lines of the list as the document gained or lost beside them.
bool BetListEditor::typeChangedLines() {
    QTextDocument* doc = document();
    const QTextBlock a = doc->findBlock(changeFrom_);
    const QTextBlock b = doc->findBlock(changeFrom_ + changeAdded_);
    if (!a.isValid() || !b.isValid())
        return false;
    // A last empty block is the break typed after the last line, no line.
    const std::size_t docLines =
        static_cast<std::size_t>(doc->blockCount()) - (doc->lastBlock().length() == 1 ? 1 : 0);
    const auto first = static_cast<std::size_t>(a.blockNumber());
    const std::size_t spanEnd = std::min(static_cast<std::size_t>(b.blockNumber()) + 1, docLines);
    const std::size_t span = spanEnd > first ? spanEnd - first : 0;
    const std::size_t listed = session_.betLines().size();
    if (first > listed || docLines - span > listed)
        return false;
    kav::Lines typed;
    typed.reserve(span);
    for (QTextBlock block = a; typed.size() < span; block = block.next()) {
        typed.push_back(block.text().toStdString());
        if (!storedAsGiven(typed.back()))
            return false;
    }
    session_.typeBetLines(first, listed - (docLines - span), std::move(typed));
    return true;
}

void BetListEditor::insertFromMimeData(const QMimeData* source) {
    const QString text = source && source->hasText() ? source->text() : QString();
    if (isReadOnly() || static_cast<std::size_t>(text.count(QLatin1Char('\n'))) < kChunkLines) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // A long paste: the list takes the lines the paste makes of the lines it
    // touches, and the text follows a chunk at a time.
    flushPendingLines();
    const QTextCursor cursor = textCursor();
    const QTextBlock a = document()->findBlock(cursor.selectionStart());
    const QTextBlock b = document()->findBlock(cursor.selectionEnd());
    const QString whole = a.text().left(cursor.selectionStart() - a.position()) + text +
                          b.text().mid(cursor.selectionEnd() - b.position());
    const auto first = static_cast<std::size_t>(a.blockNumber());
    session_.typeBetLines(first, static_cast<std::size_t>(b.blockNumber()) - first + 1,
                          kav::splitLines(whole.toStdString()), false);
}

// The counts of the list, or while it does not parse, the line that breaks it.
void BetListEditor::showBetStatus() {
    if (!statusLabel_)
        return;
    const std::string& fault = session_.betFault();
    statusLabel_->setText(coreText(fault.empty() ? session_.betStatus() : fault));
    if (skippedLabel_ && pendingLines_ > 0 && pendingTotal_ > kChunkLines) {
        // The counts are whole already; the text is still being written.
        const auto shown = (pendingTotal_ - pendingLines_) * 100 / pendingTotal_;
        skippedLabel_->setText(tr("Список показывается: %1 %").arg(shown));
        skippedLabel_->setToolTip(QString());
    } else if (skippedLabel_) {
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
    if (pendingBefore_)
        flushPendingLines();
    // The lines shown before: the document holds one block per line, and one
    // more, empty, where the player typed a break after the last line.
    const std::size_t before = session_.betLines().size() - lines.size();
    const bool needBreak =
        pendingLines_ > 0 ||
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
    std::string text = needBreak ? std::string("\n") : std::string();
    text += kav::joinLines(lines);
    if (pendingLines_ == 0) {
        setPending(std::move(text), lines.size(), std::nullopt);
        return;
    }
    pendingText_ += text;
    pendingLines_ += lines.size();
    pendingTotal_ += lines.size();
}

void BetListEditor::showReplacedBets() {
    setPending({}, 0, std::nullopt);
    flushTimer_->stop();
    const kav::Lines& lines = session_.betLines();
    const bool chunked = lines.size() > kChunkLines && allStoredAsGiven(lines);
    {
        const QuietMemo quiet(quiet_);
        if (!chunked) {
            setPlainText(QString::fromStdString(kav::joinLines(lines)));
        } else {
            // A long list shows its first lines at once and the rest as the
            // event loop runs.
            const auto cut = lines.begin() + static_cast<std::ptrdiff_t>(kChunkLines);
            setPlainText(QString::fromStdString(kav::joinLines(kav::Lines(lines.begin(), cut))));
            std::string rest = "\n" + kav::joinLines(kav::Lines(cut, lines.end()));
            setPending(std::move(rest), lines.size() - kChunkLines, std::nullopt);
        }
    }
    if (!chunked && !allStoredAsGiven(lines))
        readBackIfChanged();
    showBetStatus();
}

// Only the blocks of the lines that changed are rewritten: the player's
// cursor and scroll position stay, and a long list is not laid out again.
void BetListEditor::showSplicedBets(std::size_t first, std::size_t removed,
                                    const kav::Lines& inserted) {
    flushPendingLines();
    const std::size_t before = session_.betLines().size() + removed - inserted.size();
    if (inserted.size() > kChunkLines && allStoredAsGiven(inserted)) {
        // A long insertion writes its first lines now and the rest a chunk
        // at a time, where they belong.
        const auto cut = inserted.begin() + static_cast<std::ptrdiff_t>(kChunkLines);
        const kav::Lines head(inserted.begin(), cut);
        const kav::Lines rest(cut, inserted.end());
        const std::size_t shownBefore =
            before == 0 ? 0 : std::min(before, static_cast<std::size_t>(document()->blockCount()));
        const bool atEnd = std::min(first, shownBefore) + removed >= shownBefore;
        writeSplice(first, removed, head, before);
        if (atEnd)
            setPending("\n" + kav::joinLines(rest), rest.size(), std::nullopt);
        else
            setPending(kav::joinLines(rest) + '\n', rest.size(), first + head.size());
        showBetStatus();
        return;
    }
    writeSplice(first, removed, inserted, before);
}

void BetListEditor::writeSplice(std::size_t first, std::size_t removed, const kav::Lines& inserted,
                                std::size_t before) {
    QTextDocument* doc = document();
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
