// HelpWindow: the help window, a read-only text that wraps to the window's width.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kav::ui {

// The help text, one paragraph per line.
QString helpText();

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void FormResize();
};

} // namespace kav::ui
