#include "ui/common/program_language.h"

#include "ui/common/program_places.h"
#include "ui/common/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace kav::ui {

namespace {
const QString kLanguageKey = QStringLiteral("language");
}

QString savedLanguage() {
    const auto settings = openSettings();
    const QString code = settings ? settings->value(kLanguageKey).toString() : QString();
    return code == QLatin1String("ru") || code == QLatin1String("uk") || code == QLatin1String("en")
               ? code
               : QString();
}

void saveLanguage(const QString& code) {
    if (const auto settings = openSettings())
        settings->setValue(kLanguageKey, code);
}

QString startLanguage(const QString& saved, const QLocale& system) {
    if (!saved.isEmpty())
        return saved;
    switch (system.language()) {
    case QLocale::Ukrainian:
        return QStringLiteral("uk");
    case QLocale::Russian:
        return QStringLiteral("ru");
    default:
        return QStringLiteral("en");
    }
}

QStringList translationFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {QDir(program).filePath(QStringLiteral("translations")),
            QDir(program).filePath(QStringLiteral("../share/kavendix/translations"))};
}

bool installProgramLanguage(QCoreApplication& app, const QString& language,
                            const QStringList& folders) {
    if (language == QLatin1String("ru")) {
        installQtTranslations(app, QLocale(QLocale::Russian));
        return true;
    }
    auto* translator = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("kavendix_") + language, folder)) {
            QCoreApplication::installTranslator(translator);
            installQtTranslations(app, QLocale(language));
            return true;
        }
    }
    delete translator;
    // No translation: the windows stay Russian, and so do the toolkit's dialogs.
    installQtTranslations(app, QLocale(QLocale::Russian));
    return false;
}

QString coreText(const std::string& text) {
    return QCoreApplication::translate("kav::Text", text.c_str());
}

} // namespace kav::ui
