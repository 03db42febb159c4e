// HelpWindow: the help window, a read-only text that wraps to the window's width.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kav::ui {

// The help text, one paragraph per line.
QString helpText();

// "О программе" at the end of the help: the version and where the program
// keeps the templates, the player's computed systems, the autosave and the
// settings.
QString aboutText();

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    // The text is wrapped anew to the new width.
    void rewrapText();

    QPlainTextEdit* helpTextEdit_ = nullptr;
};

} // namespace kav::ui
