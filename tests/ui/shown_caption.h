// A window's caption as the window system shows it. Qt composes it when the
// caption is set: the task-bar title (the application display name) follows
// after " — ", unless the caption already ends with it or none was set.
// Recording this at every caption change shows what the player saw.
#pragma once

#include <QCoreApplication>
#include <QGuiApplication>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace kav::test {

inline QString shownCaption(const QString& caption) {
    const QString name = QGuiApplication::applicationDisplayName();
    if (name.isEmpty() || name == QCoreApplication::applicationName() || caption.endsWith(name))
        return caption;
    return caption + QStringLiteral(" — ") + name;
}

// The percent figures in a caption ("Выполнено: 12.5% — 12%" holds two).
inline int percentFigures(const QString& caption) {
    static const QRegularExpression figure(QStringLiteral("\\d+(\\.\\d+)?%"));
    int n = 0;
    for (auto it = figure.globalMatch(caption); it.hasNext(); it.next())
        ++n;
    return n;
}

// Every caption `window` shows from now on, composed as above.
class ShownCaptions {
public:
    explicit ShownCaptions(QWidget* window) {
        QObject::connect(window, &QWidget::windowTitleChanged, &context_,
                         [this](const QString& caption) { shown_ << shownCaption(caption); });
    }
    const QStringList& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    QObject context_; // the connection ends with this recorder
    QStringList shown_;
};

} // namespace kav::test
