// File open and save dialogs, behind a seam so window tests run unattended.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kav::ui {

// The chosen file name, or an empty text when the player cancelled.
// `filter` uses the toolkit's form, e.g. "Текстовые файлы (*.txt)".
QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& defaultSuffix = {});
QString openFileName(QWidget* parent, const QString& caption, const QString& filter);

// The folder the dialogs open in: the one of the last file chosen, which the
// program keeps between sessions.
QString dialogFolder();
void setDialogFolder(const QString& folder);

// While one of these lives, the dialogs are not shown: each request is recorded
// (its caption) and answered with `answer` (empty = cancelled). Meant for tests.
class FileDialogHook {
public:
    explicit FileDialogHook(QString answer = {});
    ~FileDialogHook();
    FileDialogHook(const FileDialogHook&) = delete;
    FileDialogHook& operator=(const FileDialogHook&) = delete;

    void setAnswer(const QString& answer) { answer_ = answer; }
    const QStringList& requests() const { return requests_; }

private:
    friend QString answerFromHook(const QString& caption, bool& hooked);
    QString answer_;
    QStringList requests_;
};

} // namespace kav::ui
