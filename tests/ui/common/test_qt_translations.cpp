// The toolkit's own texts (file dialogs, standard buttons) follow the player's
// language when its translations are installed, and their absence is no fault.
#include "ui/common/qt_translations.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

QString cancelButtonText() {
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

TEST(QtTranslations, RussianDialogTextsWhenInstalledEnglishOtherwise) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/qtbase_ru.qm")))
        << "qt6-translations-l10n is missing (tools/deps.sh installs it)";
    ASSERT_EQ(cancelButtonText(), QStringLiteral("Cancel"));

    QTranslator* russian = kav::ui::installQtTranslations(
        *QCoreApplication::instance(), QLocale(QLocale::Russian, QLocale::Russia));
    ASSERT_NE(russian, nullptr);
    EXPECT_EQ(russian->parent(), QCoreApplication::instance());
    EXPECT_EQ(cancelButtonText(), QStringLiteral("Отмена"));
    QCoreApplication::removeTranslator(russian);
    delete russian;

    // No translation for the language: nothing installed, the texts stay English.
    for (const QLocale& locale :
         std::initializer_list<QLocale>{QLocale::c(), QLocale(QLocale::Esperanto)})
        EXPECT_EQ(kav::ui::installQtTranslations(*QCoreApplication::instance(), locale), nullptr)
            << locale.name().toStdString();
    EXPECT_EQ(cancelButtonText(), QStringLiteral("Cancel"));
}

} // namespace
