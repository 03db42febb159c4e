// The language the windows speak: Russian (the texts in the code), Ukrainian
// or English. The system's language decides unless the player chose one in
// "Настройки…"; a choice takes effect at the next start. The command line and
// the files keep their Russian words whatever the windows speak.
#pragma once

#include "core/base/player_text.h"

#include <QString>
#include <QStringList>

#include <string>

class QCoreApplication;
class QLocale;

namespace kav::ui {

// The choice kept with the settings: "" follows the system, else "ru", "uk" or "en".
QString savedLanguage();
void saveLanguage(const QString& code);

// The language of a start: the saved choice, or the system's: Ukrainian for
// uk, Russian for ru, English for anything else.
QString startLanguage(const QString& saved, const QLocale& system);

// The folders the program's translations are looked for in: beside the
// program (the build tree) and in the installed data folder.
QStringList translationFolders();

// Installs the program's translation and the toolkit's for `language` into
// `app`. Russian needs none; false when the translation cannot be loaded,
// and the windows then stay Russian.
bool installProgramLanguage(QCoreApplication& app, const QString& language,
                            const QStringList& folders = translationFolders());

// A core text (marked with kav::Text::tr) in the windows' language; a text
// the translation does not know is shown as it is.
QString coreText(const std::string& text);
QString coreText(const QString& text);
QString coreText(const char* text);

} // namespace kav::ui
