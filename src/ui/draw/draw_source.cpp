#include "ui/draw/draw_source.h"

#include "core/draw/quotes_file.h"
#include "io/files/quotes_file_io.h"
#include "ui/common/job_runner.h"
#include "ui/common/program_places.h"
#include "ui/common/session.h"
#include "ui/common/work_guards.h"
#include "ui/draw/draw_downloader.h"
#include "ui/draw/draw_entry_dialog.h"
#include "ui/forming/mode_bar.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSettings>
#include <QWidget>

namespace kav::ui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QAction* addNamedAction(QMenu* menu, const char* name, const QString& caption,
                        const QKeySequence& keys = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty())
        a->setShortcut(keys);
    return a;
}

} // namespace

DrawSource::DrawSource(Session& session, ModeBar& modeBar, JobRunner& jobs, QWidget* window)
    : QObject(window), session_(session), modeBar_(modeBar), jobs_(jobs), window_(window) {
    // An entered draw of the other country (or its undo) brings that country's stake.
    connect(&session_, &Session::drawCountryChanged, this,
            [this](std::uint8_t country) { modeBar_.setStakeForCountry(country); });
}

void DrawSource::fillCountryMenu(QMenu* menu) {
    connect(addNamedAction(menu, "russianDrawAction", tr("Россия")), &QAction::triggered, this,
            [this] { loadCountry(kav::kRussia, tr("Загрузка российского тиража")); });
    connect(addNamedAction(menu, "ukrainianDrawAction", tr("Украина")), &QAction::triggered, this,
            [this] { loadCountry(kav::kUkraine, tr("Загрузка украинского тиража")); });
}

void DrawSource::addEntryAction(QMenu* menu) {
    connect(addNamedAction(menu, "enterDrawAction", tr("Ввести тираж…"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)),
            &QAction::triggered, this, [this] { openDrawEntry(false); });
}

// The dialog is window-modal and does not block: the window goes on
// receiving its pages while the player types.
void DrawSource::openDrawEntry(bool paste) {
    auto apply = [this](Session::DrawView view) {
        if (!confirmBetListLoss(session_, window_, tr("Ввод тиража")))
            return false;
        cancelDrawLoad();
        drawShown_ = true;
        standIn_ = false;
        session_.enterDraw(std::move(view), true);
        Q_EMIT drawShown();
        return true;
    };
    auto* dialog = new DrawEntryDialog(session_.drawView(), apply, window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    if (paste)
        dialog->pasteTable(QApplication::clipboard()->text());
}

void DrawSource::addQuotesActions(QMenu* menu) {
    connect(addNamedAction(menu, "saveQuotesAction", tr("Котировки в файл"),
                           QKeySequence(Qt::CTRL | Qt::Key_K)),
            &QAction::triggered, this, [this] { saveQuotesFile(); });
    connect(addNamedAction(menu, "loadQuotesAction", tr("Котировки из файла"),
                           QKeySequence(Qt::CTRL | Qt::Key_L)),
            &QAction::triggered, this, [this] { loadQuotesFile(); });
}

void DrawSource::loadCountry(std::uint8_t drawCountry, const QString& action) {
    if (confirmBetListLoss(session_, window_, action))
        switchCountry(drawCountry);
}

// The draw of a country replaces the one shown only once both its pages have
// arrived whole: until then the window keeps working on the draw shown, and a
// page that cannot be used leaves it as it is.
void DrawSource::switchCountry(std::uint8_t drawCountry) {
    ++drawLoad_;
    loadingCountry_ = drawCountry;
    loadedEvents_.reset();
    if (servers().dataServer.empty()) {
        cancelDrawLoad();
        showLoadedDraw(nullptr, nullptr);
        return;
    }
    setDrawLoading(true);
    requestPage(1, kav::io::eventListUrl(servers().dataServer, loadingCountry_));
}

std::uint8_t DrawSource::savedCountry() const {
    const auto settings = openSettings();
    if (!settings)
        return kav::kRussia;
    return settings->value(QStringLiteral("country")).toString() == QStringLiteral("ua")
               ? kav::kUkraine
               : kav::kRussia;
}

void DrawSource::saveSettings(QSettings& settings) const {
    settings.setValue(QStringLiteral("country"), session_.draw().drawCountry == kav::kUkraine
                                                     ? QStringLiteral("ua")
                                                     : QStringLiteral("ru"));
}

void DrawSource::requestPage(int kind, const std::string& url) {
    pageKind_ = kind;
    pageUrl_ = url;
    if (!downloader_)
        downloader_ = new DrawDownloader(this);
    downloader_->fetch(url, [this](const kav::io::PageDownload& page) { onDrawPageLoaded(page); });
}

void DrawSource::onDrawPageLoaded(const kav::io::PageDownload& page) {
    if (pageKind_ == 1) {
        if (page.text)
            loadedEvents_ = kav::readEventListDraw(*page.text);
        if (!loadedEvents_) {
            failDrawLoad(page);
            return;
        }
        requestPage(2, kav::io::totalsUrl(servers().dataServer, loadingCountry_));
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
    if (jobs_.running()) {
        connect(
            &jobs_, &JobRunner::finished, this,
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

void DrawSource::failDrawLoad(const kav::io::PageDownload& page) {
    const kav::Message why = kav::io::drawPageFailureMessage(
        pageKind_ == 1 ? kav::io::DrawPage::EventList : kav::io::DrawPage::Totals, pageUrl_, page);
    loadedEvents_.reset();
    setDrawLoading(false);
    if (!drawShown_) {
        showLoadedDraw(nullptr, nullptr);
        // The stand-in "Матч 1…15" is no draw of the server: the title says so.
        session_.setDrawTitle(tr("%1 (тираж не загружен)").arg(session_.drawTitle()));
    }
    if (!standIn_) {
        showMessage(window_, why);
        return;
    }
    // With only the stand-in draw to work on, the player may type his own.
    kav::Message offer = why;
    offer.text = tr("%1\n\nВвести тираж вручную?").arg(coreText(why.text)).toStdString();
    offer.buttons = kav::Buttons::YesNo;
    if (showMessage(window_, offer))
        openDrawEntry(false);
}

void DrawSource::showLoadedDraw(const kav::EventListDraw* events, const kav::DrawTotals* totals) {
    setDrawLoading(false);
    const std::uint8_t country = loadingCountry_;
    modeBar_.setStakeForCountry(country);
    // The first draw of a session keeps the stake the player left the program with.
    if (!drawShown_)
        modeBar_.restoreSavedStake();
    kav::DrawModel& model = session_.draw();
    kav::resetSelection(model);
    session_.clearBets();
    model.drawCountry = country;
    model.currencySuffix = kav::currencySuffixFor(country);
    standIn_ = events == nullptr;
    if (events) {
        kav::applyEventListDraw(model, *events);
        setHomeRowTitles();
    } else {
        kav::applyDefaultDraw(model);
        setDefaultRowTitles();
    }
    if (totals)
        session_.setTotals(*totals);
    session_.setDrawTitle(qs(kav::drawWindowTitle(country)));
    drawShown_ = true;
    session_.noteDrawReplaced();
    // Every draw that arrived whole is kept in the archive.
    if (events && totals)
        Q_EMIT drawDownloaded();
    Q_EMIT drawShown();
}

void DrawSource::setDrawLoading(bool loading) {
    if (drawLoading_ == loading)
        return;
    drawLoading_ = loading;
    Q_EMIT loadingChanged(loading);
}

void DrawSource::cancelDrawLoad() {
    ++drawLoad_;
    if (downloader_)
        downloader_->cancel();
    loadedEvents_.reset();
    setDrawLoading(false);
}

void DrawSource::setHomeRowTitles() {
    for (int e = 0; e < kav::kEvents; ++e)
        session_.setRowTitle(e, qs(kav::homeTitle(session_.draw().eventTitles[e])));
}

void DrawSource::setDefaultRowTitles() {
    for (int e = 0; e < kav::kEvents; ++e)
        session_.setRowTitle(e, qs(session_.draw().eventTitles[e]));
}

void DrawSource::saveQuotesFile() {
    const QString chosen = saveFileName(window_, tr("Котировки в файл"), {});
    if (chosen.isEmpty())
        return;
    const std::string path = kav::io::quotesFilePath(chosen.toStdString());
    const kav::DrawSettings settings{modeBar_.stakeFieldText().toStdString(),
                                     modeBar_.stakeMinimum(),
                                     // the draw's caption, not the project's name before it
                                     session_.drawTitle().toStdString()};
    if (auto message = kav::io::writeQuotesFile(path, session_.draw(), settings, session_.totals()))
        showMessage(window_, *message);
}

// The whole file is read and checked first: a broken file leaves the draw,
// the marks and the bet list exactly as they were.
void DrawSource::loadQuotesFile() {
    const QString chosen = openFileName(window_, tr("Котировки из файла"), {});
    if (chosen.isEmpty())
        return;
    std::string problem;
    const auto content = kav::io::readQuotesFile(chosen.toStdString(), &problem);
    if (!content) {
        showMessage(window_, {kav::io::badQuotesFileText(problem)});
        return;
    }
    if (!confirmBetListLoss(session_, window_, tr("Загрузка котировок из файла")))
        return;
    cancelDrawLoad();
    standIn_ = false;
    kav::DrawModel& model = session_.draw();
    kav::resetSelection(model);
    session_.clearBets();
    kav::applyQuotesFile(model, *content);
    setHomeRowTitles();
    const auto stake =
        kav::stakeAfterFile({modeBar_.stakeValue(), modeBar_.stakeMinimum()}, content->settings);
    modeBar_.setStake(stake.value, stake.minimum,
                      qs(model.drawCountry == kav::kRussia ? " руб." : " грн."));
    session_.setDrawTitle(qs(content->settings.windowTitle));
    session_.setTotals(content->totals);
    drawShown_ = true;
    session_.noteDrawReplaced();
}

void DrawSource::storeInto(kav::ProjectState& s) const {
    s.draw = session_.draw();
    s.draw.betMasks.clear();
    s.drawTitle = session_.drawTitle().toStdString();
    for (int e = 0; e < kav::kEvents; ++e)
        s.rowTitles[e] = session_.rowTitle(e).toStdString();
    s.totals = session_.totals();
}

void DrawSource::applyFrom(const kav::ProjectState& s) {
    // A draw still on its way belongs to the work being replaced.
    cancelDrawLoad();
    drawShown_ = true;
    standIn_ = false;
    kav::assignDrawAndMarks(session_.draw(), s.draw);
    for (int e = 0; e < kav::kEvents; ++e)
        session_.setRowTitle(e, qs(s.rowTitles[e]));
    session_.setTotals(s.totals);
    session_.setDrawTitle(qs(s.drawTitle));
}

} // namespace kav::ui
