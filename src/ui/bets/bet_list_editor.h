// BetListEditor: the bet list as the player sees and types it. It shows what
// the session holds (appends written in batches when the event loop next runs,
// whole rewrites, and the splices of undo and redo), hands the player's typing
// to the session as undo steps, shows the list's status in its status label,
// and sends Ctrl+Z / Ctrl+Shift+Z to the session's one history instead of an
// undo of its own.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <optional>
#include <string>

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/bets/bet_list.h"
#endif

class QLabel;
class QTimer;

namespace kav::ui {

class Session;

class BetListEditor final : public QPlainTextEdit {
    Q_OBJECT
public:
    BetListEditor(Session& session, QWidget* parent = nullptr);

    // The label that shows "Ставок в списке …" or the line that breaks the parse,
    // and the one that names the lines the counts leave out (optional).
    void setStatusLabel(QLabel* label, QLabel* skippedLabel = nullptr);
    // Writes the lines appended but not yet shown; code that reads the text
    // itself calls this first.
    void flushPendingLines();
    // The whole text as the player sees it once pending lines are written.
    QString fullText();

    // Lines that a long change leaves to be written, a chunk each time the
    // event loop runs (0 when the list shows everything).
    std::size_t linesToShow() const { return pendingLines_; }

protected:
    bool event(QEvent* e) override;
    // A paste of many lines goes to the list, which the text then follows
    // chunk by chunk.
    void insertFromMimeData(const QMimeData* source) override;
    bool viewportEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void connectSession();
    // The editor's change handling: the session's list follows the text.
    void onTextChanged();
    void showAppendedBets(const kav::Lines& lines);
    void showReplacedBets();
    void showSplicedBets(std::size_t first, std::size_t removed, const kav::Lines& inserted);
    void showBetStatus();
    void insertAtEnd(const QString& text);
    // Pending lines are written before line `before` (or at the end).
    void setPending(std::string text, std::size_t lines, std::optional<std::size_t> before);
    void writePendingChunk(std::size_t maxLines);
    // Lines [first, first + removed) of the `before` lines shown become `inserted`.
    void writeSplice(std::size_t first, std::size_t removed, const kav::Lines& inserted,
                     std::size_t before);
    // The typing the document reported, taken over by the lines it touched;
    // false where only the whole text can tell.
    bool typeChangedLines();
    // Where the document stored some line otherwise than given, the list
    // takes the text the player sees (without an undo step).
    void readBackIfChanged();

    Session& session_;
    QPointer<QLabel> statusLabel_;
    QPointer<QLabel> skippedLabel_;
    // While set, text changes are the program's own and not parsed.
    bool quiet_ = false;
    bool readingBack_ = false;
    // Lines not yet written into the text (already in the list), with their
    // breaks: at the end (the text starts with the break after the lines
    // shown), or before line `pendingBefore_` (each line ends with its break).
    std::string pendingText_;
    std::size_t pendingOffset_ = 0;
    std::size_t pendingLines_ = 0;
    std::size_t pendingTotal_ = 0;
    std::optional<std::size_t> pendingBefore_;
    QTimer* flushTimer_ = nullptr;
    // The document's changes since the last text change: how many, and the
    // last one's place in the new text.
    int changes_ = 0;
    int changeFrom_ = 0;
    int changeAdded_ = 0;
};

} // namespace kav::ui
