// CoverageMapWindow: the coverage map. For every result of the zone chosen in the
// zone grid a cell of the map shows how many bet-list coupons win the chosen
// category; the pointer, the buttons, the space bar and the "+P" / "+N"
// links act on the bet list of the main window.
#pragma once

#ifndef Q_MOC_RUN
#include "core/coverage/coverage.h"
#include "core/coverage/coverage_actions.h"
#include "core/coverage/coverage_search.h"
#endif

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QFrame;
class QKeyEvent;
class QLabel;
class QSpinBox;
class QSplitter;
class QTimer;

namespace kav::ui {

class CoverageMapView;
class JobRunner;
class LinkLabel;
class Session;
class ZoneGrid;

class CoverageMapWindow final : public QWidget {
    Q_OBJECT
public:
    // The session holds the draw, the stake and the bet list the map works on;
    // the parent is the main window, with which the map closes.
    explicit CoverageMapWindow(Session& session, QWidget* parent = nullptr);
    ~CoverageMapWindow() override;

    // "Показать карту покрытия": hides a visible map; otherwise copies the marked
    // outcomes and the active category of the main window and builds.
    void openCoverageMap();
    // Rebuilds the zone from zoneGrid_, lays out the map, counts and writes the statistics.
    void buildZone();
    // Counts again for the current zone (after a bet-list change, a category change,
    // a click on the map).
    void recountCoverage();
    // The session's bet list changed: recount soon, once for a burst of changes.
    void scheduleRecount();
    // Runs a scheduled recount now (tests, and before acting on the counts).
    void flushScheduledRecount();
    // The category the map counts; a change recounts (or builds) like a typed one.
    void setCategory(int category);
    // F11 of the main window: paints the window and the map anew.
    void repaintMap();

    const kav::Zone& zone() const { return zone_; }
    const std::array<std::array<std::uint8_t, kOutcomes>, kEvents>& hoverOutcomes() const {
        return hoverOutcomes_;
    }
    bool searching() const;
    // Waits for a running "+P" / "+N" search and applies its result (tests).
    void waitForSearch();

Q_SIGNALS:
    // Shown (true) or hidden (false): the main menu's item follows it.
    void visibilityChanged(bool shown);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void createLayout();
    void createZonePanel();
    void connectLayout();
    void toggleZoneCell(int col, int row);
    void onCategoryChanged();
    void pointAt(int x, int y);
    void clickMap(Qt::MouseButton button, int x, int y);
    void addBestByProbability(); // "+P"
    void addBestByCount();       // "+N"
    int mapCategory() const;
    void showStatistics(const std::string& text);
    void showMapMessage(const std::string& text);
    void sizeCells();
    void repaintResults(const std::vector<int>& indices);
    // describeResult: the result's outcomes yellow in the zone grid.
    void describeResult(int index);
    // The categories panel: how the bet list's coupons score on result p.
    void showCategoryTally(int p);
    // The title of an event's row follows the session's.
    void setRowTitle(int event0, const QString& title);
    void toggleMarkerUnderPointer();
    void startBestSearch(kav::BestBy by);
    void finishBestSearch(const kav::BestBet& result, unsigned generation);

    Session& session_;
    QSplitter* splitter_ = nullptr;
    QFrame* zonePanel_ = nullptr;
    ZoneGrid* zoneGrid_ = nullptr;
    QSpinBox* categorySpin_ = nullptr;
    LinkLabel* addBestByProbabilityLink_ = nullptr;
    LinkLabel* addBestByCountLink_ = nullptr;
    QLabel* statisticsLabel_ = nullptr;
    QLabel* categoryTallyLabel_ = nullptr;
    CoverageMapView* mapView_ = nullptr;
    QLabel* mapMessageLabel_ = nullptr;
    const QKeyEvent* lastKey_ = nullptr;
    unsigned long lastKeyTime_ = 0;
    QPointer<QWidget> lastKeyAt_;
    kav::Zone zone_;
    kav::HoveredList hovered_;
    std::array<std::array<std::uint8_t, kOutcomes>, kEvents> hoverOutcomes_{};
    int lastHoverCol_ = -1;
    int lastHoverRow_ = -1;
    // The result the categories panel describes; -1 when it describes none of this zone.
    int tallyResult_ = -1;
    QTimer* recountTimer_ = nullptr;
    // Bumped by every build, so a search result for an older zone is dropped.
    unsigned zoneGeneration_ = 0;
    // The "+P" / "+N" search. Last, so destroyed first: stopped and joined
    // before the members the result would reach go.
    std::unique_ptr<JobRunner> jobs_;
};

} // namespace kav::ui
