#include "ui/widgets/message_box.h"

#include <QMessageBox>
#include <QPushButton>

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

SaveAnswer askToSave(QWidget* parent, const QString& text) {
    if (activeHook) {
        activeHook->shown_.push_back({text.toStdString(), "Сохранение", kav::Buttons::YesNo});
        return activeHook->saveAnswer_;
    }
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Сохранение"));
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

} // namespace kav::ui
