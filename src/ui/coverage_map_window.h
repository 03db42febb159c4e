// CoverageMapWindow: the coverage map. For every result of the zone chosen in StringGrid2
// a cell of the map shows how many bet-list coupons win the category of
// RxSpinEdit1; the pointer, the buttons, the space bar and the "+P" / "+N"
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
#include <atomic>
#include <string>
#include <thread>

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QSpinBox;
class QSplitter;
class QTimer;

namespace kav::ui {

class CoverageMapView;
class LinkLabel;
class MainWindow;
class ZoneGrid;

class CoverageMapWindow final : public QWidget {
    Q_OBJECT
public:
    // The main window holds the draw, the stake and the bet list the map works on.
    explicit CoverageMapWindow(MainWindow* mainWindow = nullptr);
    ~CoverageMapWindow() override;

    // "Показать карту покрытия": hides a visible map; otherwise copies the marked
    // outcomes and the active category of the main window and builds.
    void openCoverageMap();
    // Rebuilds the zone from StringGrid2, lays out the map, counts and writes the statistics.
    void buildZone();
    // Counts again for the current zone (after a bet-list change, a category change,
    // a click on the map).
    void recountCoverage();
    // The main window's bet list changed: recount soon, once for a burst of changes.
    void scheduleRecount();
    // Runs a scheduled recount now (tests, and before acting on the counts).
    void flushScheduledRecount();
    // The title of an event's row, set by the main window whenever a draw loads.
    void setRowTitle(int event0, const QString& title);

    // Handlers, named after their controls.
    void StringGrid2SelectCell(int col, int row);
    void RxSpinEdit1Change();
    void stringGrid1MouseMove(int x, int y);
    void stringGrid1MouseUp(Qt::MouseButton button, int x, int y);
    void Label5Click(); // "+P"
    void Label6Click(); // "+N"

    const kav::Zone& zone() const { return zone_; }
    const std::array<std::array<std::uint8_t, kOutcomes>, kEvents>& hoverOutcomes() const {
        return hoverOutcomes_;
    }
    bool searching() const { return searching_; }
    // Waits for a running "+P" / "+N" search and applies its result (tests).
    void waitForSearch();

    QFrame* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    ZoneGrid* StringGrid2 = nullptr;
    QSpinBox* RxSpinEdit1 = nullptr;
    QLabel* Label1 = nullptr;
    LinkLabel* Label5 = nullptr;
    LinkLabel* Label6 = nullptr;
    LinkLabel* Label7 = nullptr;
    LinkLabel* Label8 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label9 = nullptr;
    QSplitter* Splitter1 = nullptr;
    CoverageMapView* stringGrid1 = nullptr;
    QLabel* Label3 = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void createControls();
    void connectControls();
    int mapCategory() const;
    void showStatistics(const std::string& text);
    void showMapMessage(const std::string& text);
    void sizeCells();
    void repaintResults(const std::vector<int>& indices);
    // describeResult: the result's outcomes yellow in the zone grid.
    void describeResult(int index);
    void toggleMarkerUnderPointer();
    void startBestSearch(kav::BestBy by);
    void finishBestSearch(kav::BestBet result, unsigned generation);

    MainWindow* main_ = nullptr;
    // MN10, whose caption follows the window; gone first when the program ends.
    QPointer<QAction> menuItem_;
    const QKeyEvent* lastKey_ = nullptr;
    unsigned long lastKeyTime_ = 0;
    QPointer<QWidget> lastKeyAt_;
    kav::Zone zone_;
    kav::HoveredList hovered_;
    std::array<std::array<std::uint8_t, kOutcomes>, kEvents> hoverOutcomes_{};
    int lastHoverCol_ = -1;
    int lastHoverRow_ = -1;
    QTimer* recountTimer_ = nullptr;
    // Bumped by every build, so a search result for an older zone is dropped.
    unsigned zoneGeneration_ = 0;
    bool searching_ = false;
    std::atomic<bool> cancelSearch_{false};
    std::thread searchThread_;
};

} // namespace kav::ui
