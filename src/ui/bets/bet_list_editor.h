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

protected:
    bool event(QEvent* e) override;
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
    // Where the document stored some line otherwise than given, the list
    // takes the text the player sees (without an undo step).
    void readBackIfChanged();

    Session& session_;
    QPointer<QLabel> statusLabel_;
    QPointer<QLabel> skippedLabel_;
    // While set, text changes are the program's own and not parsed.
    bool quiet_ = false;
    bool readingBack_ = false;
    // Appended lines not yet written into the text (already parsed), with their breaks.
    std::string pendingText_;
    QTimer* flushTimer_ = nullptr;
};

} // namespace kav::ui
