// kavendix: the desktop program. The main window first (its creation runs the
// update check), then the side windows in their fixed order, hidden; the main
// window shows and loads the first draw.
#include "core/base/version.h"
#include "io/files/text_file.h"
#include "io/pages/servers.h"
#include "ui/analysis/variant_analysis_window.h"
#include "ui/common/data_places.h"
#include "ui/common/program_language.h"
#include "ui/common/program_places.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/forming/brief_systems.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/shell/help_window.h"
#include "ui/shell/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>
#include <cstdlib>

#include <clocale>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct CommandLine {
    kav::io::ServerSettings servers;
    // --data-server and --update-server: they win over the saved addresses.
    std::optional<std::string> dataServer;
    std::optional<std::string> updateServer;
    QString projectFile;
    QString archiveFile; // --archive; empty: the one in the data folder
};

CommandLine readCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kavendix: пакеты ставок тотализатора"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dataServer(
        QStringLiteral("data-server"),
        QStringLiteral("the bookmaker's data server, e.g. https://host"), QStringLiteral("URL"));
    const QCommandLineOption updateServer(QStringLiteral("update-server"),
                                          QStringLiteral("the update server, e.g. https://host"),
                                          QStringLiteral("URL"));
    const QCommandLineOption noUpdateCheck(QStringLiteral("no-update-check"),
                                           QStringLiteral("do not ask the update server at start"));
    parser.addOptions({dataServer, updateServer, noUpdateCheck});
    const QCommandLineOption archive(QStringLiteral("archive"),
                                     QStringLiteral("the draw archive (an SQLite database)"),
                                     QStringLiteral("FILE"));
    parser.addOption(archive);
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("a project file (.kvp) to open"),
                                 QStringLiteral("[project]"));
    // An unknown option or a missing value: the reason and the usage, exit 2.
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "kavendix: %s\n\n%s", qPrintable(parser.errorText()),
                     qPrintable(parser.helpText()));
        std::exit(2);
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    CommandLine line;
    if (!parser.positionalArguments().isEmpty())
        line.projectFile = parser.positionalArguments().front();
    kav::io::ServerSettings& s = line.servers;
    if (parser.isSet(dataServer))
        line.dataServer = parser.value(dataServer).toStdString();
    if (parser.isSet(updateServer))
        line.updateServer = parser.value(updateServer).toStdString();
    s.updateCheck = !parser.isSet(noUpdateCheck);
    line.archiveFile = parser.value(archive);
    return line;
}

void setProgramNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Kavendix"));
    QCoreApplication::setApplicationName(QStringLiteral("kavendix"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(
        kav::kCurrentVersion.data(), static_cast<qsizetype>(kav::kCurrentVersion.size())));
}

// --help and --version answer on the terminal, also where no display exists.
bool asksOnlyForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--")
            break;
        if (a == "-h" || a == "-?" || a == "--help" || a == "--help-all" || a == "-v" ||
            a == "--version")
            return true;
    }
    return false;
}

// Whether the window system can be reached: a display, or a platform named
// on the command line or in the environment.
bool hasDisplay(int argc, char** argv) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "-platform" || std::string_view(argv[i]) == "--platform")
            return true;
    return false;
}

void removeStaleTempFiles(const QString& folder) {
    if (!folder.isEmpty())
        kav::io::removeStaleTempFiles(QFileInfo(folder).absoluteFilePath().toStdString());
}

} // namespace

int main(int argc, char** argv) {
    if (asksOnlyForText(argc, argv) || !hasDisplay(argc, argv)) {
        QCoreApplication app(argc, argv);
        setProgramNames();
        readCommandLine(app); // --help, --version and a bad command line end here
        std::fprintf(stderr,
                     "kavendix: нет экрана (DISPLAY и WAYLAND_DISPLAY не заданы).\n"
                     "Запустите программу в графическом сеансе, или с QT_QPA_PLATFORM=offscreen "
                     "без окон на экране; для работы из терминала есть kavendix-cli.\n");
        return 1;
    }
    QApplication app(argc, argv);
    // The toolkit took the C library's locale from the environment; numbers
    // written or read through the C library (the workbook writer, libxml2,
    // SQLite) keep the "." of the "C" locale, whatever the player's language.
    std::setlocale(LC_NUMERIC, "C");
    setProgramNames();
    const CommandLine line = readCommandLine(app);
    // The autosave and the player's computed systems live in the user's data
    // folder, the settings in his configuration folder.
    const kav::ui::DataPlaces places = kav::ui::dataPlaces();
    kav::ui::setPersistence({places.dataFolder, places.settingsFile});
    // The windows, file dialogs and standard buttons in the language chosen
    // in the settings or the system's; without its translation they stay Russian.
    kav::ui::installProgramLanguage(
        app, kav::ui::startLanguage(kav::ui::savedLanguage(), QLocale::system()));
    kav::ui::setServers(kav::ui::startServers(line.servers, line.dataServer, line.updateServer));
    // What a crash during a save left behind.
    removeStaleTempFiles(places.dataFolder);
    if (!line.projectFile.isEmpty())
        removeStaleTempFiles(QFileInfo(line.projectFile).absolutePath());
    kav::ui::setArchivePath(!line.archiveFile.isEmpty() ? line.archiveFile : places.archiveFile);
    kav::ui::MainWindow mainWindow;
    mainWindow.briefSystems().setOwnTemplateFolder(places.ownTemplates.toStdString());
    // Owned by the main window, so they close and end with it.
    auto* nearestSystems = new kav::ui::NearestSystemsWindow(&mainWindow);
    auto* coverageMap = new kav::ui::CoverageMapWindow(mainWindow.session(), &mainWindow);
    auto* variantAnalysis = new kav::ui::VariantAnalysisWindow(mainWindow.session(), &mainWindow);
    auto* help = new kav::ui::HelpWindow(&mainWindow);
    mainWindow.setSideWindows(nearestSystems, coverageMap, variantAnalysis, help);
    mainWindow.setStartProject(line.projectFile);
    mainWindow.show();
    return app.exec();
}
