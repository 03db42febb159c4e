// Message boxes of the program, behind a seam so window tests run unattended.
#pragma once

#include "core/base/message.h"

#include <vector>

class QWidget;

namespace kav::ui {

// Shows a modal box for the message; true when the player answered OK or Yes.
bool showMessage(QWidget* parent, const kav::Message& message);

// While one of these lives, showMessage shows nothing: it records the message and
// answers with `answer`. Meant for tests; an inner guard hides the outer one while it lives.
class MessageBoxHook {
public:
    explicit MessageBoxHook(bool answer = true);
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    void setAnswer(bool answer) { answer_ = answer; }
    const std::vector<kav::Message>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    friend bool showMessage(QWidget*, const kav::Message&);
    bool answer_;
    std::vector<kav::Message> shown_;
    MessageBoxHook* previous_;
};

} // namespace kav::ui
