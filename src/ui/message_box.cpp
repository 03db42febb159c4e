#include "ui/message_box.h"

#include <QMessageBox>

namespace kav::ui {

namespace {
MessageBoxHook* activeHook = nullptr;
}

MessageBoxHook::MessageBoxHook(bool answer) : answer_(answer), previous_(activeHook) {
    activeHook = this;
}

MessageBoxHook::~MessageBoxHook() {
    if (activeHook == this)
        activeHook = previous_;
}

bool showMessage(QWidget* parent, const kav::Message& message) {
    if (activeHook) {
        activeHook->shown_.push_back(message);
        return activeHook->answer_;
    }
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(message.caption));
    box.setText(QString::fromStdString(message.text));
    QMessageBox::StandardButton yes = QMessageBox::Ok;
    switch (message.buttons) {
    case kav::Buttons::Ok:
        box.setIcon(message.caption == "Ошибка" ? QMessageBox::Warning : QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case kav::Buttons::OkCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case kav::Buttons::YesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        yes = QMessageBox::Yes;
        break;
    }
    return box.exec() == yes;
}

} // namespace kav::ui
