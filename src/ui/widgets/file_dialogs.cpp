#include "ui/widgets/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>

namespace kav::ui {

namespace {
FileDialogHook* activeHook = nullptr;
QString lastFolder;

QString remembered(const QString& chosen) {
    if (!chosen.isEmpty())
        lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

// The dialog speaks the player's language (sizes, dates, "Папка"), though the
// window it opens over writes its own numbers with ".".
QString chosenFile(QFileDialog& dialog) {
    dialog.setLocale(QLocale::system());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return remembered(dialog.selectedFiles().front());
}
} // namespace

QString dialogFolder() {
    return lastFolder;
}

void setDialogFolder(const QString& folder) {
    lastFolder = folder;
}

FileDialogHook::FileDialogHook(QString answer) : answer_(std::move(answer)) {
    activeHook = this;
}

FileDialogHook::~FileDialogHook() {
    if (activeHook == this)
        activeHook = nullptr;
}

QString answerFromHook(const QString& caption, bool& hooked) {
    hooked = activeHook != nullptr;
    if (!hooked)
        return {};
    activeHook->requests_.push_back(caption);
    return activeHook->answer_;
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& defaultSuffix) {
    bool hooked = false;
    QString hookAnswer = answerFromHook(caption, hooked);
    if (hooked)
        return hookAnswer;
    QFileDialog dialog(parent, caption, lastFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    return chosenFile(dialog);
}

QString openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    bool hooked = false;
    QString hookAnswer = answerFromHook(caption, hooked);
    if (hooked)
        return hookAnswer;
    QFileDialog dialog(parent, caption, lastFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog);
}

} // namespace kav::ui
