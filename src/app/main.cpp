// kavendix: the desktop program. The main window first (its creation runs the
// update check), then the side windows in their fixed order, hidden; the main
// window shows and loads the first draw.
#include "io/servers.h"
#include "ui/coverage_map_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/nearest_systems_window.h"
#include "ui/variant_analysis_window.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {

kav::io::ServerSettings serversFromCommandLine(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kavendix: пакеты ставок тотализатора"));
    parser.addHelpOption();
    const QCommandLineOption dataServer(
        QStringLiteral("data-server"),
        QStringLiteral("the bookmaker's data server, e.g. https://host"), QStringLiteral("URL"));
    const QCommandLineOption updateServer(QStringLiteral("update-server"),
                                          QStringLiteral("the update server, e.g. https://host"),
                                          QStringLiteral("URL"));
    const QCommandLineOption noUpdateCheck(QStringLiteral("no-update-check"),
                                           QStringLiteral("do not ask the update server at start"));
    parser.addOptions({dataServer, updateServer, noUpdateCheck});
    parser.process(app);
    kav::io::ServerSettings s;
    if (parser.isSet(dataServer))
        s.dataServer = parser.value(dataServer).toStdString();
    if (parser.isSet(updateServer))
        s.updateServer = parser.value(updateServer).toStdString();
    s.updateCheck = !parser.isSet(noUpdateCheck);
    return s;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kav::ui::MainWindow::setServers(serversFromCommandLine(app));
    kav::ui::MainWindow form2;
    // Owned by the main window, so they close and end with it.
    auto* form3 = new kav::ui::NearestSystemsWindow(&form2);
    auto* form4 = new kav::ui::CoverageMapWindow(&form2);
    auto* form5 = new kav::ui::VariantAnalysisWindow(form2.model(), &form2);
    auto* form6 = new kav::ui::HelpWindow(&form2);
    form2.setSideWindows(form3, form4, form5, form6);
    form2.show();
    return app.exec();
}
