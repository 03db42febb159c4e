// DrawSource: where the draw shown comes from. The country menu, the two
// pages of the current draw downloaded off the window's thread (the draw shown
// stays until both have arrived whole), the quotes file written and read, and
// the draw's part of a project. A draw that replaces the one shown starts
// afresh: the country's stake, no marks, an empty bet list.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/draw/draw_page.h"
#include "core/project/project_state.h"
#include "io/pages/draw_download.h"
#endif

#include <QObject>

#include <cstdint>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QSettings;
class QWidget;

namespace kav::ui {

class DrawDownloader;
class JobRunner;
class ModeBar;
class Session;

class DrawSource final : public QObject {
    Q_OBJECT
public:
    DrawSource(Session& session, ModeBar& modeBar, JobRunner& jobs, QWidget* window);

    // "Россия" and "Украина" of the currency menu.
    void fillCountryMenu(QMenu* menu);
    // "Ввести тираж…" (Ctrl+Shift+T): the draw typed or pasted by the player.
    void addEntryAction(QMenu* menu);
    // Opens the entry dialog with the draw shown; `paste` reads the clipboard's table into it.
    void openDrawEntry(bool paste);
    // "Котировки в файл" (Ctrl+K) and "Котировки из файла" (Ctrl+L).
    void addQuotesActions(QMenu* menu);

    // Loads the current draw of a country; the default draw without a data server.
    void switchCountry(std::uint8_t drawCountry);
    // The country the player left the program with.
    std::uint8_t savedCountry() const;
    void saveSettings(QSettings& settings) const;
    // 0 before the first request, 1 event list, 2 totals.
    int pageKind() const { return pageKind_; }
    // True while a draw page is on its way.
    bool drawLoading() const { return drawLoading_; }

    void saveQuotesFile();
    void loadQuotesFile();

    // The draw's part of a project: the draw with its marks, the titles, the
    // totals and the caption; a draw still on its way is dropped. The caller
    // notes the draw replaced once every part of the project is applied.
    void storeInto(kav::ProjectState& s) const;
    void applyFrom(const kav::ProjectState& s);

Q_SIGNALS:
    void loadingChanged(bool loading);
    // A draw arrived whole from the data server (it is kept in the archive).
    void drawDownloaded();
    // Any draw is shown anew (downloaded, the default one, from a file).
    void drawShown();

private:
    void loadCountry(std::uint8_t drawCountry, const QString& action);
    void requestPage(int kind, const std::string& url);
    // A page has arrived (or failed): the event list is read whole and kept
    // until the totals have arrived too; then both replace the draw shown.
    void onDrawPageLoaded(const kav::io::PageDownload& page);
    // A page that cannot be used: the draw shown stays (the default draw
    // while none is shown yet) and one message says why.
    void failDrawLoad(const kav::io::PageDownload& page);
    // The loaded draw's country, events and totals replace the draw shown;
    // without events, the default draw of the loading country.
    void showLoadedDraw(const kav::EventListDraw* events, const kav::DrawTotals* totals);
    void setDrawLoading(bool loading);
    // A draw from elsewhere (a quotes file, a project) wins over the one on its way.
    void cancelDrawLoad();
    void setHomeRowTitles();
    void setDefaultRowTitles();

    Session& session_;
    ModeBar& modeBar_;
    JobRunner& jobs_;
    QWidget* window_;
    DrawDownloader* downloader_ = nullptr;
    int pageKind_ = 0;
    std::uint8_t loadingCountry_ = kav::kRussia;
    std::string pageUrl_;
    std::optional<kav::EventListDraw> loadedEvents_;
    bool drawLoading_ = false;
    bool drawShown_ = false; // a draw (loaded, from a file or the default) is on the grid
    bool standIn_ = false;   // the draw on the grid is the default one
    unsigned drawLoad_ = 0;  // counts the loads started, so a superseded one applies nothing
};

} // namespace kav::ui
