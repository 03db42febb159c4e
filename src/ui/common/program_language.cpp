#include "ui/common/program_language.h"

#include "ui/common/program_places.h"
#include "ui/common/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QTranslator>

#include <iterator>
#include <optional>
#include <vector>

namespace kav::ui {

namespace {

const QString kLanguageKey = QStringLiteral("language");

// Core texts the windows show that the core builds from parts, each as the
// pattern it follows (line breaks as the windows show them): the pattern is
// translated and the parts put back in, each a core text itself. The rest of
// the core's texts are marked where the core writes them.
const char* const kCorePatterns[] = {
    // The progress of auto-forming, shown in the caption and the box.
    kav::Text::tr("Подготовка..."),
    kav::Text::tr("Подготовка %1%"),
    kav::Text::tr("Выполнено: %1%"),
    kav::Text::tr("Выбрано ставок: %1 из %2"),
    kav::Text::tr("Ставок в списке %1 (%2)"),
    kav::Text::tr("Всего вариантов по отмеченным исходам %1 (%2)"),
    kav::Text::tr("Число вариантов по системе %1 (%2)"),
    kav::Text::tr("Строка %1 списка ставок не читается: %2"),
    kav::Text::tr("Не учтены строки: %1"),
    kav::Text::tr("в строке слишком много групп исходов"),
    kav::Text::tr("сумма \"%1\" не число или слишком велика"),
    kav::Text::tr("нет «;» перед исходами"),
    kav::Text::tr("событий %1 из %2"),
    kav::Text::tr("у события %1 нет исхода 1, X или 2"),
    kav::Text::tr("сумма не читается"),
    kav::Text::tr("Покрытие ставками\nПо количеству %1%\nПо вероятности %2%"),
    kav::Text::tr("Покрытие ставками\nПо количеству %1%\n(+%2%)\nПо вероятности %3%\n(+%4%)"),
    kav::Text::tr("ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА \n(нужные подстраховки в каждом матче)"),
    kav::Text::tr("ЗОНА ИСХОДОВ СЛИШКОМ ВЕЛИКА ДЛЯ ПРОСМОТРА"),
    kav::Text::tr("Категорий в пакете\nпри %1:\n%2"),
    kav::Text::tr("Категории"),
    kav::Text::tr("Вероятность, %"),
    kav::Text::tr("Выгодность"),
    kav::Text::tr("Всего"),
    kav::Text::tr("Тираж не загружен: страница не получена (%1).\n%2\nАдрес: %3"),
    kav::Text::tr("Тираж не загружен: страница не получена (%1).\nАдрес: %2"),
    kav::Text::tr("Тираж не загружен: страница не в формате данных (%1).\nАдрес: %2"),
    kav::Text::tr("список событий"),
    kav::Text::tr("итоги тиража"),
    kav::Text::tr("ошибка сети"),
    kav::Text::tr("сервер не найден: нет сети или неверный адрес"),
    kav::Text::tr("прокси-сервер не найден"),
    kav::Text::tr("не удалось соединиться с сервером"),
    kav::Text::tr("сервер не ответил вовремя"),
    kav::Text::tr("защищённое соединение не установлено: сертификат сервера не принят"),
    kav::Text::tr("слишком много перенаправлений"),
    kav::Text::tr("адрес не начинается с http:// или https://"),
    kav::Text::tr("неверный адрес"),
    kav::Text::tr("сервер закрыл соединение, ничего не ответив"),
    kav::Text::tr("соединение с сервером прервалось"),
    kav::Text::tr("ответ сервера пришёл не полностью"),
    kav::Text::tr("ответ не удалось сохранить"),
    kav::Text::tr("сервер ответил ошибкой %1 (страница не найдена)"),
    kav::Text::tr("сервер ответил ошибкой %1"),
    kav::Text::tr("Измените число подстраховок"),
    kav::Text::tr("Нет подходящей бриф-системы"),
    kav::Text::tr("Для каждого матча должно быть проставлено от 1 до 3 выборов"),
    kav::Text::tr("Сумма на одну ставку должна быть числом не меньше нуля"),
    kav::Text::tr("Сумма на одну ставку должна быть числом"),
    kav::Text::tr("Сумма меньше ставки: добавить нечего"),
    kav::Text::tr("Ни одна ставка поля не добавляет ценности больше своей суммы"),
    kav::Text::tr("Не удалось прочитать шаблон бриф-системы %1"),
    kav::Text::tr(
        "Строка %1 шаблона %2 не читается: символ стоит дальше 16-й позиции от конца строки"),
    kav::Text::tr("Папка \"Kombin\",которая содержит шаблоны используемых бриф-систем, должна "
                  "помещаться в той же папке, что и основная программа"),
    kav::Text::tr("нет трёх чисел после названия"),
    kav::Text::tr("доля пула вне 0..100"),
    kav::Text::tr("процент вне 0..100"),
    kav::Text::tr("коэффициент не больше 1"),
    kav::Text::tr("коэффициент больше 100000"),
    kav::Text::tr("больше 15 матчей"),
    kav::Text::tr("в таблице нет ни одного матча"),
    kav::Text::tr("Строка %1: %2"),
    kav::Text::tr("%1 «%2» — не число. Введите число, например 50 или 50/38."),
    kav::Text::tr("%1 не может быть отрицательной: «%2»."),
    kav::Text::tr("%1 %2 больше %3: вместе с другими исходами события получится больше 100."),
    kav::Text::tr("Доля пула"),
    kav::Text::tr("Пул не является числом: «%1»."),
    kav::Text::tr("Джек-пот не является числом: «%1»."),
    kav::Text::tr("Пул не может быть равен -1."),
    kav::Text::tr("Анализ невозможен: число ставок из одних «%1» в тираже равно 0."),
    kav::Text::tr("Анализ невозможен: доля пула исхода «%1» в событии %2 равна 0."),
    kav::Text::tr("Анализ невозможен: доля пула исхода «%1» в событии %2 отрицательна."),
    kav::Text::tr("Анализ невозможен: с этими пулом, джек-потом и числами ставок расчёт не даёт "
                  "конечного результата."),
    kav::Text::tr("Анализ невозможен: расчёт не даёт конечного результата."),
    kav::Text::tr("В списке ставок больше 20 000 вариантов: для формирования по ценности список "
                  "слишком велик."),
    kav::Text::tr("Не удалось записать файл %1"),
    kav::Text::tr("Недопустимое имя набора условий: %1"),
    kav::Text::tr("Не удалось создать папку %1"),
    kav::Text::tr("Не удалось прочитать файл проекта %1"),
    kav::Text::tr("Архив тиражей занят другой программой: %1. Закройте её или повторите позже."),
    kav::Text::tr("Архив тиражей недоступен для записи: %1 (%2)."),
    kav::Text::tr("Архив тиражей повреждён: %1 (%2)."),
    kav::Text::tr("Не удалось записать архив тиражей: %1 (%2)."),
    kav::Text::tr("Ошибка архива тиражей: %1 (%2)."),
    kav::Text::tr("В архиве нет тиража %1."),
    kav::Text::tr("В архиве нет пакета %1."),
    kav::Text::tr("Обновление отклонено: %1"),
    kav::Text::tr("файл новой версии больше, чем в подписанном описании (%1 байт)."),
    kav::Text::tr("файл новой версии больше %1 байт."),
    kav::Text::tr("размер файла новой версии (%1 байт) не совпадает с подписанным описанием (%2)."),
    kav::Text::tr("файл новой версии не совпадает с подписанным описанием (SHA-256): он изменён "
                  "или подменён."),
    kav::Text::tr("Не удалось загрузить новую версию: %1"),
    kav::Text::tr("Не удалось запустить обновление."),
    kav::Text::tr("ответ больше %1 байт"),
    // A project file's faults, the file's path on the next line.
    kav::Text::tr("Файл проекта повреждён: %1:\n%2"),
    kav::Text::tr("Файл проекта записан более новой версией программы (формат %1). Обновите "
                  "программу, чтобы открыть его."),
    kav::Text::tr("Файл проекта %1 больше %2 МБ: такие проекты программа не открывает"),
    kav::Text::tr("неверный номер формата"),
    kav::Text::tr("поле \"%1\" должно быть объектом"),
    kav::Text::tr("поле \"%1\": %2"),
    kav::Text::tr("(документ)"),
    kav::Text::tr("ожидается строка"),
    kav::Text::tr("ожидается true или false"),
    kav::Text::tr("ожидается целое число"),
    kav::Text::tr("ожидается число"),
    kav::Text::tr("число вне допустимых пределов"),
    kav::Text::tr("число %1 вне пределов %2..%3"),
    kav::Text::tr("ожидается одно из: %1"),
    kav::Text::tr("ожидаются три числа (П1, Х, П2)"),
    kav::Text::tr("число не может быть отрицательным"),
    kav::Text::tr("ожидаются буквы 1, X, 2"),
    kav::Text::tr("ожидается 15 знаков 1, X, 2, _ или пробел"),
    kav::Text::tr("ожидается %1 событий"),
    kav::Text::tr("ожидаются три целых числа"),
    kav::Text::tr("ожидается диапазон a:b из целых чисел, a <= b"),
    kav::Text::tr("ожидается список строк ROW:a:b"),
    kav::Text::tr("ожидается строка из 15 знаков 1, X, 2, - и диапазон a:b"),
    kav::Text::tr("ставка не может быть отрицательной"),
    kav::Text::tr("Система %1 не рассчитывается: в любой такой системе больше %2 ставок."),
    kav::Text::tr("Система %1 не рассчитывается: неизвестно ни одной такой системы не более чем "
                  "из %2 ставок."),
    kav::Text::tr("Для этой выборки нет системы не более чем из %1 ставок."),
    kav::Text::tr("Для этой выборки неизвестно системы не более чем из %1 ставок."),
    kav::Text::tr("Рассчитанная система не прошла проверку и не сохранена."),
    kav::Text::tr("Найдена система только из %1 ставок, больше %2; она не сохранена."),
    kav::Text::tr("Не удалось записать систему в папку %1."),
    kav::Text::tr("Не удалось рассчитать систему: %1"),
    kav::Text::tr("Оценка выигрышей невозможна: пул не больше 0."),
    kav::Text::tr("Оценка выигрышей невозможна: доля пула исхода «%1» в событии %2 не больше 0."),
    kav::Text::tr("Оценка выигрышей невозможна: число ставок из одних «%1» в тираже равно 0."),
    kav::Text::tr("Оценка выигрышей невозможна: с этими пулом, джек-потом и числами ставок расчёт "
                  "не даёт конечного результата."),
    kav::Text::tr("выигрыш за %1 указан дважды"),
    kav::Text::tr("в тексте нет результата из 15 исходов"),
    kav::Text::tr("Неверный формат загружаемого файла"),
    kav::Text::tr("Неверный формат загружаемого файла: %1."),
    kav::Text::tr("событие %1, исход %2: %3"),
    kav::Text::tr("отрицательная котировка %1"),
    kav::Text::tr("отрицательная доля пула %1"),
    kav::Text::tr("Моделирование невозможно: котировки события %1 не дают вероятностей."),
    kav::Text::tr("Выбрано недостаточно исходов для формирования пакета"),
    kav::Text::tr("Удалено вариантов: %1"),
    kav::Text::tr("Условия"),
    kav::Text::tr("Время поиска одной ставки ~ %1 мин %2 сек"),
    kav::Text::tr("Внимание! Продолжать?"),
    kav::Text::tr("Строка %1 списка ставок содержит больше 16 событий: автоформирование "
                  "остановлено"),
    kav::Text::tr("сумма \"%1\" не является числом"),
    kav::Text::tr("Архив тиражей создан более новой версией программы (версия %1, эта программа "
                  "знает до %2): %3."),
    kav::Text::tr("файл только для чтения"),
    // The reasons after "Не учтены строки: ", one by one.
    kav::Text::tr("%1 — %2; %3"),
    kav::Text::tr("%1 — %2"),
    kav::Text::tr("и ещё %1"),
    // A message with a file's path on its next line.
    kav::Text::tr("%1:\n%2"),
    // Last: a text with a detail in brackets, e.g. a network fault and its cause.
    kav::Text::tr("%1 (%2)"),
};

// `text` read by `pattern`; the translated pattern with the parts put back,
// or nothing when the text does not follow the pattern.
const QRegularExpression kMarker(QStringLiteral("%(\\d)"));

// The pattern as an expression: its words as they are, each %n any text.
QRegularExpression patternExpression(const char* pattern) {
    const QString source = QString::fromUtf8(pattern);
    QString expression;
    qsizetype from = 0;
    for (auto m = kMarker.globalMatch(source); m.hasNext();) {
        const auto found = m.next();
        expression += QRegularExpression::escape(source.mid(from, found.capturedStart() - from)) +
                      QStringLiteral("(.*?)");
        from = found.capturedEnd();
    }
    expression += QRegularExpression::escape(source.mid(from));
    // A pattern of several lines may have a part of several lines.
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              source.contains(QLatin1Char('\n'))
                                  ? QRegularExpression::DotMatchesEverythingOption
                                  : QRegularExpression::NoPatternOption);
}

std::optional<QString> byPattern(const QString& text, std::size_t i) {
    static const std::vector<QRegularExpression> expressions = [] {
        std::vector<QRegularExpression> all;
        for (const char* pattern : kCorePatterns)
            all.push_back(patternExpression(pattern));
        return all;
    }();
    const auto read = expressions[i].match(text);
    if (!read.hasMatch())
        return std::nullopt;
    const QString translated = QCoreApplication::translate("kav::Text", kCorePatterns[i]);
    QString out;
    qsizetype from = 0;
    for (auto m = kMarker.globalMatch(translated); m.hasNext();) {
        const auto found = m.next();
        out += translated.mid(from, found.capturedStart() - from) +
               coreText(read.captured(found.captured(1).toInt()));
        from = found.capturedEnd();
    }
    return out + translated.mid(from);
}

} // namespace

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

QString coreText(const QString& text) {
    const QByteArray source = text.toUtf8();
    const QString translated = QCoreApplication::translate("kav::Text", source.constData());
    if (translated != text || text.isEmpty() ||
        QCoreApplication::translate("kav::Text", kCorePatterns[0]) ==
            QString::fromUtf8(kCorePatterns[0]))
        return translated; // known as it is, or no translation installed
    for (std::size_t i = 0; i < std::size(kCorePatterns); ++i)
        if (auto shown = byPattern(text, i))
            return *shown;
    // A list of faults, one a line: each line on its own.
    if (text.contains(QLatin1Char('\n'))) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = coreText(line);
        return lines.join(QLatin1Char('\n'));
    }
    return text;
}

QString coreText(const char* text) {
    return coreText(QString::fromUtf8(text));
}

QString coreText(const std::string& text) {
    return coreText(QString::fromStdString(text));
}

} // namespace kav::ui
