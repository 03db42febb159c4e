// MainWindow: the draw (country switch, page download and parsing), the quotes
// file, the exports, the update check and the help command.
#include "core/base/version.h"
#include "core/bets/bet_table.h"
#include "core/draw/quotes_file.h"
#include "io/bet_export.h"
#include "io/quotes_file_io.h"
#include "io/servers.h"
#include "io/update_check.h"
#include "ui/coverage_map_window.h"
#include "ui/draw_downloader.h"
#include "ui/file_dialogs.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/money_edit.h"
#include "ui/outcome_grid.h"
#include "ui/variant_analysis_window.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

namespace kav::ui {

namespace {

// Windows made without the program's entry (tests, tools) stay off the
// network: no update check, and the default draw instead of a download.
kav::io::ServerSettings& serverSettings() {
    static kav::io::ServerSettings s{"", "", false, ""};
    return s;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// "06.12.2026 12:34:56" on a Russian system: the short date and the long time
// without a time zone.
QString snapshotTime() {
    const QLocale loc = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    QString timeFormat = loc.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return loc.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           loc.toString(now.time(), timeFormat.trimmed());
}

} // namespace

void MainWindow::setServers(const kav::io::ServerSettings& servers) {
    serverSettings() = servers;
}

const kav::io::ServerSettings& MainWindow::servers() {
    return serverSettings();
}

bool MainWindow::drawLoading() const {
    return downloader_ && downloader_->busy();
}

void MainWindow::checkForUpdate() {
    const auto& s = servers();
    if (!s.updateCheck || s.updateServer.empty())
        return;
    auto settings = kav::io::defaultUpdateSettings(s.updateServer);
    if (!s.updateFolder.empty())
        settings.folder = s.updateFolder;
    kav::io::UpdateHooks hooks;
    hooks.askYes = [this] {
        return showMessage(this, {"Доступна новая версия программы!\nОбновить?", "Информация",
                                  kav::Buttons::YesNo});
    };
    hooks.reportError = [this](const std::string& error) { showMessage(this, {error}); };
    if (kav::io::checkForUpdate(settings, hooks))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void MainWindow::switchCountry(std::uint8_t drawCountry) {
    setStakeForCountry(drawCountry);
    resetOutcomes();
    clearBetList();
    couponSummaryLabel_->clear();
    systemSummaryLabel_->clear();
    setDrawTitle(QStringLiteral("Загрузка..."));
    model().drawCountry = drawCountry;
    model().currencySuffix = kav::currencySuffixFor(drawCountry);
    requestEventList();
    setDrawTitle(qs(kav::drawWindowTitle(drawCountry)));
}

void MainWindow::loadRussianDraw() {
    if (confirmBetListLoss(QStringLiteral("Загрузка российского тиража")))
        switchCountry(kav::kRussia);
}

void MainWindow::loadUkrainianDraw() {
    if (confirmBetListLoss(QStringLiteral("Загрузка украинского тиража")))
        switchCountry(kav::kUkraine);
}

void MainWindow::requestEventList() {
    requestPage(1, kav::io::eventListUrl(servers().dataServer, model().drawCountry));
}

void MainWindow::requestTotals() {
    requestPage(2, kav::io::totalsUrl(servers().dataServer, model().drawCountry));
}

// Without a data server the page "arrives" at once as a failed one.
void MainWindow::requestPage(int kind, const std::string& url) {
    pageKind_ = kind;
    if (servers().dataServer.empty()) {
        onDrawPageLoaded({});
        return;
    }
    if (!downloader_)
        downloader_ = new DrawDownloader(this);
    downloader_->fetch(url, [this](const kav::io::PageDownload& page) { onDrawPageLoaded(page); });
}

// A page that did not arrive is handled as the error page a browser would
// show in its place: it breaks the format, so the draw falls back to the
// defaults and the chain goes on.
void MainWindow::onDrawPageLoaded(const kav::io::PageDownload& page) {
    bool parsed = false;
    int titled = 0;
    kav::DrawTotals totals = session_.totals();
    if (pageKind_ == 2)
        parsed = page.text && kav::applyTotalsPage(model(), totals, *page.text);
    else if (pageKind_ == 1)
        parsed = page.text && kav::applyEventListPage(model(), *page.text, &titled);
    if (!parsed && pageKind_ != 0) {
        kav::applyDefaultDraw(model());
        showDraw();
        setDefaultRowTitles();
    } else if (pageKind_ == 2) {
        session_.setTotals(totals);
        keepLoadedDraw();
    } else {
        showDraw();
        setHomeRowTitles(titled);
    }
    outcomeGrid_->show();
    if (variantAnalysis_)
        variantAnalysis_->showSnapshotTime(snapshotTime());
    if (pageKind_ == 1)
        requestTotals();
}

void MainWindow::setRowTitle(int event0, const QString& title) {
    session_.setRowTitle(event0, title);
}

void MainWindow::setHomeRowTitles(int events) {
    for (int e = 0; e < events && e < kav::kEvents; ++e)
        setRowTitle(e, qs(kav::homeTitle(model().eventTitles[e])));
}

void MainWindow::setDefaultRowTitles() {
    for (int e = 0; e < kav::kEvents; ++e)
        setRowTitle(e, qs(model().eventTitles[e]));
}

void MainWindow::saveQuotesFile() {
    const QString chosen = saveFileName(this, QStringLiteral("Котировки в файл"), {});
    if (chosen.isEmpty())
        return;
    const std::string path = kav::io::quotesFilePath(chosen.toStdString());
    kav::DrawSettings settings{stakeEdit_->text().toStdString(), stakeEdit_->minimum(),
                               windowTitle().toStdString()};
    const kav::DrawTotals& totals = session_.totals();
    if (auto message = kav::io::writeQuotesFile(path, model(), settings, totals))
        showMessage(this, *message);
}

// The whole file is read and checked first: a broken file leaves the draw,
// the marks and the bet list exactly as they were.
void MainWindow::loadQuotesFile() {
    const QString chosen = openFileName(this, QStringLiteral("Котировки из файла"), {});
    if (chosen.isEmpty())
        return;
    const auto content = kav::io::readQuotesFile(chosen.toStdString());
    if (!content) {
        showMessage(this, {kav::io::kBadQuotesFileText});
        return;
    }
    if (!confirmBetListLoss(QStringLiteral("Загрузка котировок из файла")))
        return;
    resetOutcomes();
    clearBetList();
    couponSummaryLabel_->clear();
    systemSummaryLabel_->clear();
    kav::applyQuotesFile(model(), *content);
    showDraw();
    setHomeRowTitles(kav::kEvents);
    const auto stake =
        kav::stakeAfterFile({stakeEdit_->value(), stakeEdit_->minimum()}, content->settings);
    stakeEdit_->setMinimum(kav::Fixed4());
    stakeEdit_->setValue(stake.value);
    stakeEdit_->setMinimum(stake.minimum);
    stakeEdit_->setSuffix(qs(model().drawCountry == kav::kRussia ? " руб." : " грн."));
    setDrawTitle(qs(content->settings.windowTitle));
    session_.setTotals(content->totals);
}

void MainWindow::saveWorkbook(bool byColumns) {
    const kav::Lines lines = betLines();
    // The by-columns limit is known before the player picks a file.
    if (auto refusal = kav::exportLineLimitMessage(lines.size(), byColumns)) {
        showMessage(this, *refusal);
        return;
    }
    const QString caption = byColumns ? QStringLiteral("Сохранить для Excell")
                                      : QStringLiteral("Сохранить для Excell построчно");
    const QString chosen = saveFileName(this, caption, {});
    if (chosen.isEmpty())
        return;
    kav::io::WorkbookExport how;
    how.layout = byColumns ? kav::io::SheetLayout::ByColumns : kav::io::SheetLayout::ByRows;
    how.doublesCount = model().doublesCount;
    how.shownTriplesCount = model().shownTriplesCount;
    if (auto message = kav::io::saveWorkbook(chosen.toStdString(), lines, how)) {
        showMessage(this, *message);
        return;
    }
    kav::io::openWithDesktop(chosen.toStdString());
}

void MainWindow::exportWorkbookByColumns() {
    saveWorkbook(true);
}

void MainWindow::exportWorkbookByRows() {
    saveWorkbook(false);
}

void MainWindow::saveTextFile() {
    const QString chosen = saveFileName(this, QStringLiteral("Сохранить в текст. файл"), {});
    if (chosen.isEmpty())
        return;
    if (auto message = kav::io::saveTextExport(chosen.toStdString(), betLines()))
        showMessage(this, *message);
}

void MainWindow::showHelp() {
    if (help_ && !help_->isVisible())
        help_->show();
}

} // namespace kav::ui
