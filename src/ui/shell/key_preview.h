// KeyPreview: the main window sees key presses before the focused control.
// Ctrl+C copies the whole bet list and Ctrl+X clears it, except where a text
// field has a selection: there the keys copy and cut that selection as usual.
// The other list and quotes shortcuts win over the text fields' own bindings
// (Ctrl+K, Ctrl+Y...); Ctrl+Z undoes the typing of a one-line field that has
// some, elsewhere the last step of the work; F11 repaints the coverage map.
#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QKeyEvent;
class QWidget;

namespace kav::ui {

class KeyPreview final : public QObject {
    Q_OBJECT
public:
    struct Keys {
        QList<QAction*> listActions; // win over the text fields' bindings
        QAction* undo = nullptr;
        std::function<void()> copyBetList;
        std::function<void()> repaintCoverageMap;
    };
    KeyPreview(QWidget* window, Keys keys);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // True when a clipboard key pressed in `watched` belongs to that text field
    // (it has a selection to copy or cut), not to the bet-list commands.
    static bool textFieldOwnsKey(QObject* watched, const QKeyEvent* e);
    bool overridesShortcut(QObject* watched, const QKeyEvent* e) const;

    QWidget* window_;
    Keys keys_;
};

} // namespace kav::ui
