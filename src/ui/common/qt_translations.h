// The toolkit's own texts in the player's language: file dialogs, standard
// buttons, context menus of the text fields.
#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace kav::ui {

// Loads the toolkit's translation for `locale` from the folder the toolkit
// keeps its translations in and installs it into `app`, which owns it. Null
// when there is none for that language (the package is not installed, or the
// language is English or "C"): the dialogs then stay in English and the
// program runs on.
QTranslator* installQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

} // namespace kav::ui
