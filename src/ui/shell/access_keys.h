// Access keys for the menus: every entry of the menu bar and every item of its
// menus gets an underlined letter (Alt+letter on the bar, the letter in an open
// menu), no two alike within one menu. A caption that already names its key
// ("&1 ...") keeps it; the others take the first free word start, else the
// first free letter. Menus rebuilt or renamed later get their keys anew each
// time they open. F10 opens the menu bar as Alt does.
#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace kav::ui {

// Underlines a free letter in each caption of `actions` that has none.
void assignAccessKeys(const QList<QAction*>& actions);

void giveAccessKeys(QMainWindow& window);

} // namespace kav::ui
