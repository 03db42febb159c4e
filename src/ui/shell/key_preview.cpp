#include "ui/shell/key_preview.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace kav::ui {

KeyPreview::KeyPreview(QWidget* window, Keys keys)
    : QObject(window), window_(window), keys_(std::move(keys)) {
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() {
    qApp->removeEventFilter(this);
}

bool KeyPreview::textFieldOwnsKey(QObject* watched, const QKeyEvent* e) {
    if (e->key() != Qt::Key_C && e->key() != Qt::Key_X)
        return false;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(watched))
        return memo->textCursor().hasSelection();
    if (auto* line = qobject_cast<QLineEdit*>(watched))
        return line->hasSelectedText();
    return false;
}

// True: the event is not offered to the field, so the window's shortcut runs.
bool KeyPreview::overridesShortcut(QObject* watched, const QKeyEvent* e) const {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::ControlModifier || textFieldOwnsKey(watched, e))
        return false;
    if (e->key() == Qt::Key_Z) {
        if (auto* line = qobject_cast<QLineEdit*>(watched))
            if (line->isUndoAvailable())
                return false;
        return keys_.undo && keys_.undo->isEnabled();
    }
    const QKeySequence pressed(e->keyCombination());
    for (QAction* a : keys_.listActions)
        if (a->shortcut() == pressed)
            return true;
    return false;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != window_)
        return false;
    auto* ke = static_cast<QKeyEvent*>(e);
    if (e->type() == QEvent::ShortcutOverride)
        return overridesShortcut(watched, ke);
    if (ke->key() == Qt::Key_F11) {
        if (keys_.repaintCoverageMap)
            keys_.repaintCoverageMap();
        return true;
    }
    // Ctrl+C on any layout: the Latin key or the Cyrillic letter on the same key.
    const bool ctrlOnly = (ke->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    const bool copyKey =
        ke->key() == Qt::Key_C || ke->key() == 0x0421 /* С */ || ke->key() == 0x0441 /* с */;
    if (ctrlOnly && copyKey && !textFieldOwnsKey(watched, ke)) {
        if (keys_.copyBetList)
            keys_.copyBetList();
        return true;
    }
    return false;
}

} // namespace kav::ui
