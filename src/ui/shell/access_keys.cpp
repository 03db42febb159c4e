#include "ui/shell/access_keys.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace kav::ui {

namespace {

// The position of the letter after a single '&', or -1.
int accessKeyAt(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return i + 1;
        ++i; // "&&" is a literal ampersand
    }
    return -1;
}

int freeLetter(const QString& text, const QSet<QChar>& used) {
    auto isFree = [&](int i) {
        return text[i].isLetterOrNumber() && !used.contains(text[i].toLower());
    };
    for (int i = 0; i < text.size(); ++i)
        if ((i == 0 || text[i - 1] == QLatin1Char(' ')) && isFree(i))
            return i;
    for (int i = 0; i < text.size(); ++i)
        if (isFree(i))
            return i;
    return -1;
}

void followMenu(QMenu* menu) {
    assignAccessKeys(menu->actions());
    QObject::connect(menu, &QMenu::aboutToShow, menu,
                     [menu] { assignAccessKeys(menu->actions()); });
    for (QAction* a : menu->actions())
        if (a->menu())
            followMenu(a->menu());
}

} // namespace

void assignAccessKeys(const QList<QAction*>& actions) {
    QSet<QChar> used;
    for (const QAction* a : actions) {
        const int at = accessKeyAt(a->text());
        if (at >= 0)
            used.insert(a->text()[at].toLower());
    }
    for (QAction* a : actions) {
        const QString text = a->text();
        if (a->isSeparator() || text.isEmpty() || accessKeyAt(text) >= 0)
            continue;
        const int at = freeLetter(text, used);
        if (at < 0)
            continue;
        used.insert(text[at].toLower());
        a->setText(text.left(at) + QLatin1Char('&') + text.mid(at));
    }
}

void giveAccessKeys(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    assignAccessKeys(bar->actions());
    for (QAction* a : bar->actions())
        if (a->menu())
            followMenu(a->menu());
    auto* f10 = new QAction(&window);
    f10->setObjectName(QStringLiteral("menuBarAction"));
    f10->setShortcut(QKeySequence(Qt::Key_F10));
    f10->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(f10, &QAction::triggered, bar, [bar] {
        bar->setFocus(Qt::MenuBarFocusReason);
        if (!bar->actions().isEmpty())
            bar->setActiveAction(bar->actions().constFirst());
    });
    window.addAction(f10);
}

} // namespace kav::ui
