// BetListActions: the commands of the "Действия" menu that work on the whole
// bet list. Copy for the bookmaker (Ctrl+C), the workbook exports by columns
// and by rows (Ctrl+E, Ctrl+S), the text file (Ctrl+T), "Изъять варианты из
// списка" (Ctrl+Y) and "Очистить список ставок" (Ctrl+X).
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace kav::ui {

class BetListEditor;
class Session;

class BetListActions final : public QObject {
    Q_OBJECT
public:
    BetListActions(Session& session, BetListEditor& editor, QWidget* window);

    // Adds the commands to `menu` (the quotes-file commands come between
    // "Очистить список ставок" and the end, added by the draw's feature).
    void addActions(QMenu* menu);
    // The actions whose shortcuts win over the text fields' own bindings.
    const QList<QAction*>& actions() const { return actions_; }

    // "Скопировать для переноса": the whole list to the clipboard.
    void copyBetList();
    void removeMarkedVariants();
    void clearBetList();
    void saveWorkbook(bool byColumns);
    void saveTextFile();

private:
    Session& session_;
    BetListEditor& editor_;
    QWidget* window_;
    QList<QAction*> actions_;
};

} // namespace kav::ui
