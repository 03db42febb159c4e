#include "ui/bets/bet_list_actions.h"

#include "core/bets/bet_table.h"
#include "io/files/bet_export.h"
#include "ui/bets/bet_list_editor.h"
#include "ui/common/job_report.h"
#include "ui/common/session.h"
#include "ui/common/work_guards.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace kav::ui {

BetListActions::BetListActions(Session& session, BetListEditor& editor, QWidget* window)
    : QObject(window), session_(session), editor_(editor), window_(window) {}

void BetListActions::addActions(QMenu* menu) {
    auto add = [this, menu](const char* name, const QString& caption, Qt::Key key, auto handler) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(QKeySequence(Qt::CTRL | key));
        connect(a, &QAction::triggered, this, handler);
        actions_.append(a);
    };
    add("copyBetListAction", tr("Скопировать для переноса"), Qt::Key_C, [this] { copyBetList(); });
    add("exportByColumnsAction", tr("Сохранить для Excell"), Qt::Key_E,
        [this] { saveWorkbook(true); });
    add("exportByRowsAction", tr("Сохранить для Excell построчно"), Qt::Key_S,
        [this] { saveWorkbook(false); });
    add("saveTextFileAction", tr("Сохранить в текст. файл"), Qt::Key_T, [this] { saveTextFile(); });
    add("removeMarkedAction", tr("Изъять варианты из списка"), Qt::Key_Y,
        [this] { removeMarkedVariants(); });
    add("clearBetListAction", tr("Очистить список ставок"), Qt::Key_X, [this] { clearBetList(); });
}

// The whole list goes to the clipboard; the list is not selected, so the next
// key typed cannot replace it.
void BetListActions::copyBetList() {
    editor_.flushPendingLines();
    QGuiApplication::clipboard()->setText(editor_.toPlainText());
}

void BetListActions::removeMarkedVariants() {
    kav::RemovalResult r = kav::removeMarkedVariants(session_.draw(), session_.betLines());
    if (r.message)
        showMessage(window_, *r.message);
    if (!r.ran)
        return;
    const ListChange change(session_);
    session_.replaceBets(r.lines);
    showStatus(window_, tr("Изъятие вариантов: %1").arg(change.change()));
}

// Unlike a list the program empties for another draw, the player's own clear
// leaves the count of the empty list in the status line.
void BetListActions::clearBetList() {
    if (confirmBetListLoss(session_, window_, tr("Команда \"Очистить список ставок\"")))
        session_.replaceBets({}, tr("Очистка списка ставок"));
}

void BetListActions::saveWorkbook(bool byColumns) {
    const kav::Lines& lines = session_.betLines();
    // The by-columns limit is known before the player picks a file.
    if (auto refusal = kav::exportLineLimitMessage(lines.size(), byColumns)) {
        showMessage(window_, *refusal);
        return;
    }
    const QString caption =
        byColumns ? tr("Сохранить для Excell") : tr("Сохранить для Excell построчно");
    const QString chosen = saveFileName(window_, caption, {});
    if (chosen.isEmpty())
        return;
    kav::io::WorkbookExport how;
    how.layout = byColumns ? kav::io::SheetLayout::ByColumns : kav::io::SheetLayout::ByRows;
    how.doublesCount = session_.draw().doublesCount;
    how.shownTriplesCount = session_.draw().shownTriplesCount;
    const std::string path = kav::io::workbookExportPath(chosen.toStdString());
    if (auto message = kav::io::saveWorkbook(path, session_.betLines(), how)) {
        showMessage(window_, *message);
        return;
    }
    kav::io::openWithDesktop(path);
}

void BetListActions::saveTextFile() {
    const QString chosen = saveFileName(window_, tr("Сохранить в текст. файл"), {});
    if (chosen.isEmpty())
        return;
    if (auto message = kav::io::saveTextExport(chosen.toStdString(), session_.betLines()))
        showMessage(window_, *message);
}

} // namespace kav::ui
