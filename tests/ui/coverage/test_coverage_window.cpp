// The coverage map driven as a player drives it: the menu command, clicks in
// the zone grid, pointer moves and clicks on the map, the space bar, the links;
// colours read from the painted pixels, texts from the labels and the bet list.
#include "support/shown_main_window.h"
#include "ui/coverage/coverage_map_view.h"
#include "ui/coverage/coverage_map_window.h"
#include "ui/coverage/zone_grid.h"
#include "ui/shell/main_window.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using kav::ui::CoverageMapWindow;
using kav::ui::MainWindow;

using kav::test::child;
using kav::ui::CoverageMapView;
using kav::ui::LinkLabel;
using kav::ui::ZoneGrid;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kGrey(204, 204, 204);
const QColor kRed(255, 0, 0);
const QColor kPink(255, 221, 221);
const QColor kYellow(255, 255, 0);

std::string str(const QString& s) {
    return s.toStdString();
}

// Fifteen groups of one letter each; `first` for event 1, `rest` for the others.
std::string singleBet(const std::string& amount, const std::string& letters) {
    std::string s = amount;
    for (int e = 0; e < 15; ++e)
        s += std::string(";") + std::to_string(e + 1) + "-(" +
             letters[static_cast<std::size_t>(e)] + ")";
    return s + ".";
}

class CoverageWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<MainWindow>();
        map = new CoverageMapWindow(w->session(), w.get());
        w->setSideWindows(nullptr, map, nullptr, nullptr);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    // Marks outcomes in the main window and opens the map through its menu item.
    void openWith(const std::vector<std::pair<int, int>>& extraMarks, int category = 13) {
        auto& m = w->session().draw();
        for (int e = 0; e < 15; ++e)
            m.selection[e] = {1, 0, 0};
        for (auto [e, o] : extraMarks)
            m.selection[e][o] = 1;
        child<QSpinBox>(w, "briefCategorySpin")->setValue(category);
        child<QAction>(w, "coverageMapAction")->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    }

    QWidget* mapSurface() { return child<CoverageMapView>(map, "mapView")->viewport(); }
    QPoint cellCentre(int index) {
        const int cols = child<CoverageMapView>(map, "mapView")->columnCount(),
                  s = child<CoverageMapView>(map, "mapView")->cellSize();
        return child<CoverageMapView>(map, "mapView")->cellOrigin(index % cols, index / cols) +
               QPoint(s / 2, s / 2);
    }
    QPoint cellCorner(int index) {
        const int cols = child<CoverageMapView>(map, "mapView")->columnCount();
        return child<CoverageMapView>(map, "mapView")->cellOrigin(index % cols, index / cols) +
               QPoint(1, 1);
    }
    QColor pixel(QPoint at) { return mapSurface()->grab().toImage().pixelColor(at); }
    QColor zonePixel(int col, int row) {
        return child<ZoneGrid>(map, "zoneGrid")
            ->grab()
            .toImage()
            .pixelColor(child<ZoneGrid>(map, "zoneGrid")->cellRect(col, row).topLeft() +
                        QPoint(2, 2));
    }
    // A pointer move as the window system delivers it (QTest's first move into a
    // window on the offscreen platform only enters it).
    void moveTo(QPoint at) {
        QMouseEvent ev(QEvent::MouseMove, at, mapSurface()->mapToGlobal(at), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(mapSurface(), &ev);
    }
    void point(int index) { moveTo(cellCentre(index)); }
    void click(int index, Qt::MouseButton b) {
        QTest::mouseClick(mapSurface(), b, {}, cellCentre(index));
    }
    kav::Lines lines() { return w->session().betLines(); }

    std::unique_ptr<MainWindow> w;
    CoverageMapWindow* map = nullptr;
};

} // namespace

TEST_F(CoverageWindow, MenuShowsAndHidesWithTheSelectionAndCategory) {
    EXPECT_EQ(str(child<QAction>(w, "coverageMapAction")->text().remove(QLatin1Char('&'))),
              "Показать карту покрытия");
    openWith({{0, 1}, {1, 2}}, 14);
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(str(child<QAction>(w, "coverageMapAction")->text().remove(QLatin1Char('&'))),
              "Скрыть карту покрытия");
    EXPECT_EQ(str(map->windowTitle()), "Карта покрытия");
    EXPECT_EQ(child<QSpinBox>(map, "categorySpin")->value(), 14);
    EXPECT_EQ(str(child<ZoneGrid>(map, "zoneGrid")->cellText(2, 1)), "x");
    EXPECT_EQ(str(child<ZoneGrid>(map, "zoneGrid")->cellText(3, 1)), "");
    EXPECT_EQ(str(child<ZoneGrid>(map, "zoneGrid")->cellText(0, 1)), "Матч 1");
    EXPECT_EQ(map->zone().size(), 4);
    EXPECT_TRUE(child<CoverageMapView>(map, "mapView")->isVisible());
    EXPECT_FALSE(child<QLabel>(map, "mapMessageLabel")->isVisible());
    EXPECT_EQ(child<CoverageMapView>(map, "mapView")->columnCount(), 2);
    EXPECT_EQ(child<CoverageMapView>(map, "mapView")->cellSize(), 50);
    EXPECT_EQ(str(child<QLabel>(map, "statisticsLabel")->text()),
              "Покрытие ставками\nПо количеству 0%\nПо вероятности 0%");
    child<QAction>(w, "coverageMapAction")->trigger();
    EXPECT_FALSE(map->isVisible());
    EXPECT_EQ(str(child<QAction>(w, "coverageMapAction")->text().remove(QLatin1Char('&'))),
              "Показать карту покрытия");
}

TEST_F(CoverageWindow, ZoneGridClicksRebuildAndReportBadZones) {
    openWith({{0, 1}});
    auto clickZone = [&](int col, int row) {
        QTest::mouseClick(child<ZoneGrid>(map, "zoneGrid"), Qt::LeftButton, {},
                          child<ZoneGrid>(map, "zoneGrid")->cellRect(col, row).center());
    };
    clickZone(1, 1); // event 1 keeps "X" only: one result
    EXPECT_EQ(map->zone().resultCount, 1);
    EXPECT_FALSE(child<CoverageMapView>(map, "mapView")->isVisible());
    EXPECT_EQ(str(child<QLabel>(map, "mapMessageLabel")->text()),
              "ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА \n(нужные подстраховки в каждом матче)");
    EXPECT_EQ(str(child<QLabel>(map, "statisticsLabel")->text()), ""); // no misleading 0 %
    clickZone(2, 1);                                                   // event 1 empty
    EXPECT_EQ(map->zone().resultCount, 0);
    EXPECT_EQ(str(child<QLabel>(map, "statisticsLabel")->text()), "");
    clickZone(2, 1);
    clickZone(3, 1);
    EXPECT_EQ(map->zone().resultCount, 2);
    EXPECT_TRUE(child<CoverageMapView>(map, "mapView")->isVisible());
    for (int row = 2; row <= 12; ++row) {
        clickZone(2, row);
        clickZone(3, row);
    }
    EXPECT_EQ(str(child<QLabel>(map, "mapMessageLabel")->text()),
              "ЗОНА ИСХОДОВ СЛИШКОМ ВЕЛИКА ДЛЯ ПРОСМОТРА");
    EXPECT_FALSE(child<CoverageMapView>(map, "mapView")->isVisible());
    EXPECT_TRUE(child<QLabel>(map, "mapMessageLabel")->isVisible());
}

// The red explanation in place of the map lies inside the window and its
// wrapped text fits its label, at the designed size and when widened.
TEST_F(CoverageWindow, TheExplanationIsWholeInsideTheWindowAtAnyLargerSize) {
    openWith({{0, 1}});
    auto clickZone = [&](int col, int row) {
        QTest::mouseClick(child<ZoneGrid>(map, "zoneGrid"), Qt::LeftButton, {},
                          child<ZoneGrid>(map, "zoneGrid")->cellRect(col, row).center());
    };
    auto* label = child<QLabel>(map, "mapMessageLabel");
    auto expectWhole = [&] {
        QApplication::processEvents();
        ASSERT_TRUE(label->isVisible());
        const QRect at(label->mapTo(map, QPoint(0, 0)), label->size());
        EXPECT_TRUE(map->rect().contains(at))
            << at.x() << "," << at.y() << " " << at.width() << "x" << at.height() << " in "
            << map->width() << "x" << map->height();
        const QRect room = label->contentsRect();
        const QRect needed =
            QFontMetrics(label->font())
                .boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text());
        EXPECT_LE(needed.width(), room.width());
        EXPECT_LE(needed.height(), room.height());
        EXPECT_GT(room.width(), 100);
    };
    EXPECT_EQ(map->width(), 751);
    for (int row = 2; row <= 12; ++row) {
        clickZone(2, row);
        clickZone(3, row);
    }
    ASSERT_EQ(str(label->text()), "ЗОНА ИСХОДОВ СЛИШКОМ ВЕЛИКА ДЛЯ ПРОСМОТРА");
    expectWhole();
    for (QSize size : {QSize(900, 700), QSize(1200, 800), QSize(760, 1000)}) {
        map->resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return map->size() == size; }, 2000));
        SCOPED_TRACE(size.width());
        expectWhole();
    }
}

TEST_F(CoverageWindow, LeftClickAddsTheBetRightClickRemovesItsCoupons) {
    openWith({{0, 1}, {1, 2}}, 15);
    const std::string first = singleBet("20.00", "121111111111111");
    click(1, Qt::LeftButton); // event 1 varies fastest: result 1 has "X" there
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0], singleBet("20.00", "X11111111111111"));
    EXPECT_EQ(pixel(cellCorner(1)), kGreen);
    EXPECT_EQ(pixel(cellCorner(0)), kWhite);
    click(1, Qt::LeftButton);
    EXPECT_EQ(pixel(cellCorner(1)), kBlue); // the same bet twice
    w->session().appendBets({first});
    map->flushScheduledRecount();
    EXPECT_EQ(pixel(cellCorner(2)), kGreen);
    click(1, Qt::RightButton); // both copies of that bet go, the other stays
    EXPECT_EQ(lines(), (kav::Lines{first}));
    EXPECT_EQ(pixel(cellCorner(1)), kWhite);
    EXPECT_EQ(str(child<QLabel>(map, "statisticsLabel")->text()),
              "Покрытие ставками\nПо количеству 25%\nПо вероятности 28.72%");
}

TEST_F(CoverageWindow, PointerShowsDiscsOutcomesAndTally) {
    openWith({{0, 1}, {1, 2}}, 14);
    w->session().appendBets({singleBet("20.00", "121111111111111")});
    map->flushScheduledRecount();
    point(0);
    EXPECT_EQ(pixel(cellCentre(0)), kRed);
    EXPECT_EQ(pixel(cellCentre(1)), kPink);
    EXPECT_EQ(pixel(cellCentre(2)), kPink);
    EXPECT_EQ(pixel(cellCentre(3)), kGreen); // two events away: no disc
    EXPECT_EQ(zonePixel(1, 1), kYellow);     // "1" of event 1
    EXPECT_EQ(zonePixel(2, 1), kWhite);
    EXPECT_EQ(str(child<QLabel>(map, "categoryTallyLabel")->text()),
              "Категорий в пакете\nпри 111111111111111:\n15 - 0;   14 - 1;   13 - 0;\n"
              "12 - 0;   11 - 0;   10 - 0;\n9 - 0;   ");
    EXPECT_EQ(str(child<QLabel>(map, "statisticsLabel")->text()),
              "Покрытие ставками\nПо количеству 75%\n(+25%)\nПо вероятности 79.49%\n(+20.51%)");
    // Off the map: discs go, the labels stay.
    const QString tally = child<QLabel>(map, "categoryTallyLabel")->text();
    moveTo(QPoint(mapSurface()->width() - 2, mapSurface()->height() - 2));
    EXPECT_EQ(pixel(cellCentre(0)), kGreen);
    EXPECT_EQ(pixel(cellCentre(1)), kWhite);
    EXPECT_EQ(child<QLabel>(map, "categoryTallyLabel")->text(), tally);

    // A click adds the very bet under the pointer: the panel counts it at once.
    point(0);
    click(0, Qt::LeftButton);
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(str(child<QLabel>(map, "categoryTallyLabel")->text()),
              "Категорий в пакете\nпри 111111111111111:\n15 - 1;   14 - 1;   13 - 0;\n"
              "12 - 0;   11 - 0;   10 - 0;\n9 - 0;   ");
}

TEST_F(CoverageWindow, SpaceTogglesTheMarker) {
    openWith({{0, 1}, {1, 2}}, 15);
    w->session().appendBets({singleBet("20.00", "111111111111111")});
    map->flushScheduledRecount();
    point(3);
    QTest::keyClick(child<CoverageMapView>(map, "mapView"), Qt::Key_Space);
    EXPECT_EQ(pixel(cellCorner(3)), kGrey);
    QTest::keyClick(child<QSpinBox>(map, "categorySpin"), Qt::Key_Space);
    EXPECT_EQ(pixel(cellCorner(3)), kWhite);
    point(0);
    QTest::keyClick(child<CoverageMapView>(map, "mapView"), Qt::Key_Space);
    EXPECT_EQ(pixel(cellCorner(0)), QColor(0, 204, 0));
    QTest::keyClick(child<CoverageMapView>(map, "mapView"), Qt::Key_A); // other keys change nothing
    EXPECT_EQ(pixel(cellCorner(0)), QColor(0, 204, 0));
}

TEST_F(CoverageWindow, BestLinksAddTheBestBetOffTheWindowThread) {
    openWith({{0, 1}, {1, 2}, {2, 1}, {2, 2}}, 14); // 12 results
    QTest::mouseClick(child<LinkLabel>(map, "addBestByCountLink"), Qt::LeftButton);
    EXPECT_TRUE(map->searching() || lines().size() == 1);
    map->waitForSearch();
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0], singleBet("20.00", "111111111111111")); // ties: the first result
    EXPECT_EQ(str(map->windowTitle()), "Карта покрытия");
    // The panel describes the result the search pointed at, with the bet just added.
    EXPECT_EQ(str(child<QLabel>(map, "categoryTallyLabel")->text())
                  .rfind("Категорий в пакете\nпри 111111111111111:\n15 - 1;", 0),
              0u);
    QTest::mouseClick(child<LinkLabel>(map, "addBestByProbabilityLink"), Qt::LeftButton);
    map->waitForSearch();
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(str(map->windowTitle()), "Карта покрытия");
    EXPECT_EQ(str(child<QLabel>(map, "statisticsLabel")->text()).rfind("Покрытие ставками", 0), 0u);
}

TEST_F(CoverageWindow, HidingTheMapStopsARunningSearch) {
    std::vector<std::pair<int, int>> marks;
    for (int e = 0; e < 10; ++e)
        marks.insert(marks.end(), {{e, 1}, {e, 2}});
    openWith(marks, 9); // 3^10 results with wide balls: a search of a while
    QTest::mouseClick(child<LinkLabel>(map, "addBestByCountLink"), Qt::LeftButton);
    ASSERT_TRUE(map->searching());
    map->hide();
    map->waitForSearch();
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(str(map->windowTitle()), "Карта покрытия");
    EXPECT_TRUE(child<QWidget>(map, "zonePanel")->isEnabled());
    EXPECT_TRUE(child<CoverageMapView>(map, "mapView")->isEnabled());
}

TEST_F(CoverageWindow, TypedBetsAndCategoryFieldsRecount) {
    openWith({{0, 1}, {1, 2}}, 15);
    child<QPlainTextEdit>(w, "betListEdit")
        ->setPlainText(QString::fromStdString(singleBet("20.00", "111111111111111")));
    map->flushScheduledRecount();
    EXPECT_EQ(pixel(cellCorner(0)), kGreen);
    EXPECT_EQ(pixel(cellCorner(1)), kWhite);
    child<QComboBox>(w, "modeCombo")->setCurrentIndex(3);
    child<QSpinBox>(w, "autoformCategorySpin")->setValue(14);
    EXPECT_EQ(child<QSpinBox>(map, "categorySpin")->value(), 14);
    EXPECT_EQ(pixel(cellCorner(1)), kGreen);
    EXPECT_EQ(pixel(cellCorner(3)), kWhite);
}

TEST_F(CoverageWindow, TypingIsCountedOnceTheBurstEndsAndResizingFitsTheCells) {
    openWith({{0, 1}, {1, 2}, {2, 1}, {3, 1}, {4, 1}}, 15); // 32 results
    const std::string bet = singleBet("20.00", "111111111111111");
    child<QPlainTextEdit>(w, "betListEdit")->setFocus();
    QTest::keyClicks(child<QPlainTextEdit>(w, "betListEdit"), QString::fromStdString(bet));
    EXPECT_EQ(w->session().draw().betMasks.size(), 1u);
    // No count per keystroke: the map catches up once the typing pauses.
    EXPECT_TRUE(QTest::qWaitFor([&] { return pixel(cellCorner(0)) == kGreen; }, 2000));
    // 1 of 32 is 3.125%, which rounds half to even.
    EXPECT_EQ(str(child<QLabel>(map, "statisticsLabel")->text()).find("По количеству 3.12%"),
              std::string("Покрытие ставками\n").size());

    const int before = child<CoverageMapView>(map, "mapView")->cellSize();
    map->resize(300, 200);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return child<CoverageMapView>(map, "mapView")->cellSize() < before; }, 2000));
    EXPECT_EQ(child<CoverageMapView>(map, "mapView")->cellSize(),
              child<CoverageMapView>(map, "mapView")->fittingCellSize());
    EXPECT_GE(child<CoverageMapView>(map, "mapView")->cellSize(), 5);
}
