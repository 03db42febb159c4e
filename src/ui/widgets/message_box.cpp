#include "ui/widgets/message_box.h"

#include "ui/common/program_language.h"
#include "ui/common/ui_text.h"

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
    // The core's texts and the windows' marked with kav::Text::tr are
    // translated here; a text already in the windows' language passes as it is.
    const QString caption = coreText(message.caption);
    const QString text = coreText(message.text);
    if (activeHook) {
        activeHook->shown_.push_back({text.toStdString(), caption.toStdString(), message.buttons});
        return activeHook->answer_;
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    QMessageBox::StandardButton yes = QMessageBox::Ok;
    switch (message.buttons) {
    case kav::Buttons::Ok:
        box.setIcon(message.caption == kav::Text::tr("Ошибка") ? QMessageBox::Warning
                                                               : QMessageBox::Information);
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
        activeHook->shown_.push_back(
            {text.toStdString(), UiText::tr("Сохранение").toStdString(), kav::Buttons::YesNo});
        return activeHook->saveAnswer_;
    }
    QMessageBox box(parent);
    box.setWindowTitle(UiText::tr("Сохранение"));
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    QPushButton* save = box.addButton(UiText::tr("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(UiText::tr("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(UiText::tr("Отмена"), QMessageBox::RejectRole);
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
