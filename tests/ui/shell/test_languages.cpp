// The windows in Ukrainian and in English: every window the player opens shows
// no text left in another language, and the main window's title, menus and
// messages follow the language; with no translation to load they stay Russian.
#include "core/check/result_block.h"
#include "core/coverage/coverage_actions.h"
#include "core/kombin/compute.h"
#include "io/files/project_file.h"
#include "io/files/quotes_file_io.h"
#include "support/clipped_texts.h"
#include "support/shown_main_window.h"
#include "ui/analysis/variant_analysis_window.h"
#include "ui/common/program_language.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/shell/help_window.h"
#include "ui/widgets/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

using kav::test::child;

// The Russian texts the translation file gives another text for.
QSet<QString> translatedSources(const QString& language) {
    QFile file(qEnvironmentVariable("KAVENDIX_SOURCE_DIR") +
               QStringLiteral("/translations/kavendix_%1.ts").arg(language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QSet<QString> sources;
    QString source;
    for (QXmlStreamReader xml(&file); !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && xml.readElementText() != source)
            sources.insert(source);
    }
    return sources;
}

void addMenuTexts(const QList<QAction*>& actions, QStringList& texts) {
    for (const QAction* a : actions) {
        texts << a->text();
        if (a->menu())
            addMenuTexts(a->menu()->actions(), texts);
    }
}

// What the shown windows say: titles, captions, tooltips, headers, menus, help.
QStringList shownTexts() {
    QStringList texts;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        texts << top->windowTitle();
        for (QWidget* w : top->findChildren<QWidget*>()) {
            if (!w->isVisible())
                continue;
            texts << w->toolTip();
            if (auto* l = qobject_cast<QLabel*>(w))
                texts << QTextDocumentFragment::fromHtml(l->text()).toPlainText();
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                texts << b->text();
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                texts << g->title();
            else if (auto* c = qobject_cast<QComboBox*>(w))
                texts << c->currentText();
            else if (auto* e = qobject_cast<QLineEdit*>(w))
                texts << e->placeholderText();
            else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
                texts << p->toPlainText().split(QLatin1Char('\n'));
            else if (auto* h = qobject_cast<QHeaderView*>(w))
                for (int i = 0; i < h->count(); ++i)
                    texts << h->model()->headerData(i, h->orientation()).toString();
            else if (auto* m = qobject_cast<QMenuBar*>(w))
                addMenuTexts(m->actions(), texts);
        }
    }
    for (QString& t : texts)
        t.remove(QLatin1Char('&')); // the access keys the menus get
    return texts;
}

class Languages : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        language = QString::fromLatin1(GetParam());
        ASSERT_TRUE(translator.load(QStringLiteral("kavendix_") + language,
                                    QStringLiteral(KAVENDIX_TRANSLATIONS_DIR)));
        QCoreApplication::installTranslator(&translator);
        w = std::make_unique<kav::ui::MainWindow>();
        w->setSideWindows(new kav::ui::NearestSystemsWindow(w.get()),
                          new kav::ui::CoverageMapWindow(w->session(), w.get()),
                          new kav::ui::VariantAnalysisWindow(w->session(), w.get()),
                          new kav::ui::HelpWindow(w.get()));
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    void TearDown() override {
        w.reset();
        QCoreApplication::removeTranslator(&translator);
        kav::ui::setArchivePath({});
    }
    void trigger(const char* action) { child<QAction>(w, action)->trigger(); }

    QString language;
    QTranslator translator;
    std::unique_ptr<kav::ui::MainWindow> w;
};

TEST_P(Languages, EveryWindowSpeaksTheLanguage) {
    const bool english = language == QLatin1String("en");
    // The main window: its menus, its title and a message it shows.
    QStringList menus;
    for (const QAction* a : w->menuBar()->actions())
        menus << a->text().remove(QLatin1Char('&'));
    EXPECT_EQ(menus.join(QLatin1Char(' ')).toStdString(),
              english ? "File Edit Currency Actions Windows Results Value Help"
                      : "Файл Правка Валюта Дії Вікна Підсумки Цінність Довідка");
    EXPECT_TRUE(w->windowTitle().contains(english ? QStringLiteral("Russian draw")
                                                  : QStringLiteral("російський тираж")))
        << w->windowTitle().toStdString();
    kav::ui::MessageBoxHook boxes;
    trigger("historyAction"); // no archive is set
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              english ? "No draw archive is set." : "Архів тиражів не задано.");
    EXPECT_EQ(boxes.shown()[0].caption, english ? "Draw archive" : "Архів тиражів");

    // Every window the player opens, each mode of the main window.
    QTemporaryDir dir;
    kav::ui::setArchivePath(dir.filePath(QStringLiteral("archive.sqlite")));
    for (const char* action : {"coverageMapAction", "variantAnalysisAction", "helpAction",
                               "drawCheckAction", "historyAction", "expectedReturnAction",
                               "simulationAction", "settingsAction", "enterDrawAction"})
        trigger(action);
    QStringList texts;
    std::set<std::string> cut;
    auto* modes = child<QComboBox>(w, "modeCombo");
    for (int m = 0; m < modes->count(); ++m) {
        modes->setCurrentIndex(m);
        texts << shownTexts();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && !top->inherits("QMenu"))
                cut.merge(kav::test::clippedTexts(top));
    }
    // Nothing is cut in the longer words of either language.
    for (const std::string& t : cut)
        ADD_FAILURE() << "cut: " << t;
    EXPECT_TRUE(boxes.shown().size() == 1u) << boxes.shown().back().text;

    const QSet<QString> untranslated = translatedSources(language);
    const QRegularExpression foreign(english ? QStringLiteral("[А-яЁёІіЇїЄєҐґ]")
                                             : QStringLiteral("[ыэъёЫЭЪЁ]"));
    const QRegularExpression money(QStringLiteral("руб\\.|грн\\."));
    int checked = 0;
    for (const QString& text : texts) {
        if (text.trimmed().isEmpty())
            continue;
        ++checked;
        EXPECT_FALSE(QString(text).remove(money).contains(foreign)) << text.toStdString();
        EXPECT_FALSE(untranslated.contains(text)) << text.toStdString();
    }
    EXPECT_GT(checked, 300);
}

INSTANTIATE_TEST_SUITE_P(Translations, Languages, ::testing::Values("uk", "en"));

TEST(ProgramLanguage, FollowsTheSystemOrTheChoiceAndStaysRussianWithoutATranslation) {
    using kav::ui::startLanguage;
    EXPECT_EQ(startLanguage({}, QLocale(QLocale::Ukrainian)), QStringLiteral("uk"));
    EXPECT_EQ(startLanguage({}, QLocale(QLocale::Russian)), QStringLiteral("ru"));
    for (const QLocale& other : {QLocale::c(), QLocale(QLocale::German), QLocale(QLocale::English)})
        EXPECT_EQ(startLanguage({}, other), QStringLiteral("en"));
    EXPECT_EQ(startLanguage(QStringLiteral("uk"), QLocale(QLocale::English)), QStringLiteral("uk"));

    QTemporaryDir dir;
    kav::ui::setPersistence({{}, dir.filePath(QStringLiteral("kavendix.ini"))});
    EXPECT_EQ(kav::ui::savedLanguage(), QString());
    kav::ui::saveLanguage(QStringLiteral("en"));
    EXPECT_EQ(kav::ui::savedLanguage(), QStringLiteral("en"));
    kav::ui::setPersistence({});

    // No translation where it is looked for: the windows stay Russian.
    QCoreApplication& app = *QCoreApplication::instance();
    EXPECT_FALSE(kav::ui::installProgramLanguage(app, QStringLiteral("uk"), {dir.path()}));
    EXPECT_EQ(kav::ui::coreText(kav::Text::tr("Ошибка")), QStringLiteral("Ошибка"));
    ASSERT_TRUE(kav::ui::installProgramLanguage(app, QStringLiteral("uk"),
                                                {QStringLiteral(KAVENDIX_TRANSLATIONS_DIR)}));
    // Plain texts, texts built from parts (the pattern translated, the parts put back and
    // themselves translated), and texts as the core and io write them.
    const std::pair<std::string, const char*> known[] = {
        {kav::Text::tr("Ошибка"), "Помилка"},
        {"Выполнено: 42.5%", "Виконано: 42.5%"},
        {"Строка 2 списка ставок не читается: сумма не читается",
         "Рядок 2 списку ставок не читається: сума не читається"},
        {"Строка 3: доля пула вне 0..100\nДоля пула «a» — не число. Введите число, например 50 "
         "или 50/38.",
         "Рядок 3: частка пулу поза 0..100\nЧастка пулу «a» — не число. Введіть число, наприклад "
         "50 або 50/38."},
        {"Тираж не загружен: страница не получена (итоги тиража).\nне удалось соединиться с "
         "сервером (Connection refused)\nАдрес: http://h/x",
         "Тираж не завантажено: сторінку не отримано (підсумки тиражу).\nне вдалося з'єднатися із "
         "сервером (Connection refused)\nАдреса: http://h/x"},
        {kav::io::readProjectJson(R"({"format":"kavendix-project","bets":1})").error + ":\n/p.kvp",
         "Файл проєкту пошкоджений: поле \"bets\": очікується рядок:\n/p.kvp"},
        {"Не учтены строки: 2 — сумма не читается; 5 — событий 3 из 15; и ещё 4",
         "Не враховано рядки: 2 — сума не читається; 5 — подій 3 з 15; і ще 4"},
        {"Не удалось загрузить новую версию: ответ больше 9 байт",
         "Не вдалося завантажити нову версію: відповідь більша за 9 байт"},
        {kav::io::badQuotesFileText("событие 2, исход X: отрицательная котировка -1"),
         "Хибний формат завантажуваного файлу: подія 2, результат X: від'ємне котирування -1."},
    };
    for (const auto& [russian, ukrainian] : known)
        EXPECT_EQ(kav::ui::coreText(russian), QString::fromUtf8(ukrainian)) << russian;
    const auto shown = [](const std::string& text) { return kav::ui::coreText(text); };
    for (const std::string& text :
         {kav::kombin::systemOfferNote({2, 3, 4}, kav::kombin::SystemOffer::OverLimit),
          kav::readResultBlock("1").fault,
          std::string("Оценка выигрышей невозможна: пул не больше 0."),
          std::string("Моделирование невозможно: котировки события 3 не дают вероятностей."),
          std::string("Обновление отклонено: файл новой версии больше 9 байт.")})
        EXPECT_NE(shown(text), QString::fromStdString(text));
    const QString tally = QString::fromStdString(kav::categoryTallyText("1X2", {1, 2}))
                              .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(kav::ui::coreText(tally),
              QString(tally).replace(QStringLiteral("Категорий в пакете\nпри "),
                                     QStringLiteral("Категорій у пакеті\nза ")));
    for (QTranslator* t : app.findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    EXPECT_EQ(kav::ui::coreText(kav::Text::tr("Ошибка")), QStringLiteral("Ошибка"));
}

} // namespace
