// Message boxes of the program, behind a seam so window tests run unattended.
#pragma once

#include "core/base/message.h"
#include "core/base/player_text.h"
#include "ui/common/program_language.h"

#include <QString>

#include <vector>

class QWidget;

namespace kav::ui {

// Shows a modal box for the message; true when the player answered OK or Yes.
bool showMessage(QWidget* parent, const kav::Message& message);

// The answer to "save the changes?" before work is closed or replaced.
enum class SaveAnswer { Save, Discard, Cancel };
// Asks with "Сохранить", "Не сохранять" and "Отмена".
SaveAnswer askToSave(QWidget* parent, const QString& text);

// While one of these lives, showMessage shows nothing: it records the message and
// answers with `answer`. Meant for tests; an inner guard hides the outer one while it lives.
class MessageBoxHook {
public:
    explicit MessageBoxHook(bool answer = true);
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    void setAnswer(bool answer) { answer_ = answer; }
    // How askToSave is answered while the hook lives (each question is
    // recorded in shown() with the caption "Сохранение").
    void setSaveAnswer(SaveAnswer answer) { saveAnswer_ = answer; }
    const std::vector<kav::Message>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    friend bool showMessage(QWidget*, const kav::Message&);
    friend SaveAnswer askToSave(QWidget*, const QString&);
    bool answer_;
    SaveAnswer saveAnswer_ = SaveAnswer::Cancel;
    std::vector<kav::Message> shown_;
    MessageBoxHook* previous_;
};

} // namespace kav::ui
