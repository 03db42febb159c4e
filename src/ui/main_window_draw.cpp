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
#include "ui/job_runner.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/money_edit.h"
#include "ui/outcome_grid.h"
#include "ui/variant_analysis_window.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
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
    return drawLoading_;
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

// The draw of a country replaces the one shown only once both its pages have
// arrived whole: until then the window keeps working on the draw shown, and a
// page that cannot be used leaves it as it is.
void MainWindow::switchCountry(std::uint8_t drawCountry) {
    ++drawLoad_;
    loadingCountry_ = drawCountry;
    loadedEvents_.reset();
    if (servers().dataServer.empty()) {
        cancelDrawLoad();
        showLoadedDraw(nullptr, nullptr);
        return;
    }
    showDrawLoading(true);
    requestEventList();
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
    requestPage(1, kav::io::eventListUrl(servers().dataServer, loadingCountry_));
}

void MainWindow::requestTotals() {
    requestPage(2, kav::io::totalsUrl(servers().dataServer, loadingCountry_));
}

void MainWindow::requestPage(int kind, const std::string& url) {
    pageKind_ = kind;
    pageUrl_ = url;
    if (!downloader_)
        downloader_ = new DrawDownloader(this);
    downloader_->fetch(url, [this](const kav::io::PageDownload& page) { onDrawPageLoaded(page); });
}

void MainWindow::onDrawPageLoaded(const kav::io::PageDownload& page) {
    if (pageKind_ == 1) {
        if (page.text)
            loadedEvents_ = kav::readEventListDraw(*page.text);
        if (!loadedEvents_) {
            failDrawLoad(page);
            return;
        }
        requestTotals();
        return;
    }
    std::optional<kav::DrawTotals> totals;
    if (page.text)
        totals = kav::parseTotals(*page.text);
    if (!totals || !loadedEvents_) {
        failDrawLoad(page);
        return;
    }
    // A draw never changes under a running auto-forming or system computing:
    // it waits for the job's result, which belongs to the draw it started on.
    if (jobs_->running()) {
        connect(
            jobs_.get(), &JobRunner::finished, this,
            [this, events = *loadedEvents_, totals = *totals, load = drawLoad_] {
                if (load == drawLoad_ && drawLoading_)
                    showLoadedDraw(&events, &totals);
            },
            Qt::SingleShotConnection);
        return;
    }
    const kav::EventListDraw events = *loadedEvents_;
    loadedEvents_.reset();
    showLoadedDraw(&events, &*totals);
}

void MainWindow::failDrawLoad(const kav::io::PageDownload& page) {
    const kav::Message why = kav::io::drawPageFailureMessage(
        pageKind_ == 1 ? kav::io::DrawPage::EventList : kav::io::DrawPage::Totals, pageUrl_, page);
    loadedEvents_.reset();
    showDrawLoading(false);
    if (!drawShown_)
        showLoadedDraw(nullptr, nullptr);
    showMessage(this, why);
}

// Choosing a draw starts afresh on it: the country's stake, no marks, an
// empty bet list.
void MainWindow::showLoadedDraw(const kav::EventListDraw* events, const kav::DrawTotals* totals) {
    showDrawLoading(false);
    const std::uint8_t country = loadingCountry_;
    const bool first = !drawShown_;
    setStakeForCountry(country);
    // The first draw of a session keeps the stake the player left the program with.
    if (first)
        restoreSavedStake();
    resetOutcomes();
    clearBetList();
    couponSummaryLabel_->clear();
    systemSummaryLabel_->clear();
    model().drawCountry = country;
    model().currencySuffix = kav::currencySuffixFor(country);
    if (events) {
        kav::applyEventListDraw(model(), *events);
        showDraw();
        setHomeRowTitles(kav::kEvents);
    } else {
        kav::applyDefaultDraw(model());
        showDraw();
        setDefaultRowTitles();
    }
    if (totals)
        session_.setTotals(*totals);
    setDrawTitle(qs(kav::drawWindowTitle(country)));
    drawShown_ = true;
    // Every draw that arrived whole is kept in the archive.
    if (events && totals)
        keepLoadedDraw();
    outcomeGrid_->show();
    if (variantAnalysis_)
        variantAnalysis_->showSnapshotTime(snapshotTime());
}

void MainWindow::showDrawLoading(bool loading) {
    drawLoading_ = loading;
    if (!loading && !drawLoadingLabel_)
        return;
    if (!drawLoadingLabel_) {
        drawLoadingLabel_ = new QLabel(QStringLiteral("Загрузка тиража…"), menuBar());
        drawLoadingLabel_->setObjectName(QStringLiteral("drawLoadingLabel"));
        drawLoadingLabel_->setContentsMargins(0, 0, 8, 0);
        menuBar()->setCornerWidget(drawLoadingLabel_, Qt::TopRightCorner);
    }
    drawLoadingLabel_->setVisible(loading);
}

void MainWindow::cancelDrawLoad() {
    ++drawLoad_;
    if (downloader_)
        downloader_->cancel();
    loadedEvents_.reset();
    showDrawLoading(false);
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
    cancelDrawLoad();
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
    drawShown_ = true;
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
    const std::string path = kav::io::workbookExportPath(chosen.toStdString());
    if (auto message = kav::io::saveWorkbook(path, lines, how)) {
        showMessage(this, *message);
        return;
    }
    kav::io::openWithDesktop(path);
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
