// NearestSystemsWindow, the nearest-systems window: its rows, "Нет", the self-sizing grid and
// the painted header.
#include "support/shown_main_window.h"
#include "ui/forming/nearest_systems_window.h"

#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using kav::test::child;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}

TEST(NearestSystemsWindow, StaysOnTopWithoutTitleBarButtons) {
    kav::ui::NearestSystemsWindow f;
    const auto flags = f.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(str(f.windowTitle()), "Ближайшие варианты");
    EXPECT_FALSE(f.isVisible());
}

TEST(NearestSystemsWindow, ListsRowsUnderTheHeaderAndSaysNetWhenEmpty) {
    kav::ui::NearestSystemsWindow f;
    f.showNearestSystems({{3, 0, 2, 2}, {0, 2, 2, 9}, {4, 1, 3, 27}});
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.rowCount(), 4);
    EXPECT_EQ(str(f.cellText(0, 0)), "«2»");
    EXPECT_EQ(str(f.cellText(1, 0)), "«3»");
    EXPECT_EQ(str(f.cellText(2, 0)), "Ставок");
    EXPECT_EQ(str(f.cellText(0, 3)), "4");
    EXPECT_EQ(str(f.cellText(1, 3)), "1");
    EXPECT_EQ(str(f.cellText(2, 3)), "27");

    f.showNearestSystems({});
    EXPECT_EQ(f.rowCount(), 2);
    EXPECT_EQ(str(f.cellText(0, 1)), "Нет");
    EXPECT_EQ(str(f.cellText(1, 1)), "");
    EXPECT_EQ(str(f.cellText(2, 1)), "");

    std::vector<kav::TemplateEntry> many(8, kav::TemplateEntry{1, 1, 1, 5});
    f.showNearestSystems(many);
    EXPECT_EQ(f.rowCount(), 9);
}

TEST(NearestSystemsWindow, ColumnsGrowToTheirTextsAndTheWindowFollows) {
    kav::ui::NearestSystemsWindow f;
    f.showNearestSystems({{3, 0, 2, 2}});
    const int before = f.columnWidthOf(2);
    f.showNearestSystems({{3, 0, 2, 2147483647}});
    const QFontMetrics fm(f.cellFont(false));
    EXPECT_EQ(f.columnWidthOf(2),
              std::max(before, fm.horizontalAdvance(QStringLiteral("2147483647")) + 4));
    EXPECT_EQ(child<QTableWidget>(f, "systemsTable")->width(),
              f.columnWidthOf(0) + f.columnWidthOf(1) + f.columnWidthOf(2) + 10);
    EXPECT_GE(f.width(), child<QTableWidget>(f, "systemsTable")->width());
    f.showNearestSystems({{3, 0, 2, 2}});
    EXPECT_EQ(f.columnWidthOf(2),
              std::max(before, fm.horizontalAdvance(QStringLiteral("2147483647")) + 4));
}

TEST(NearestSystemsWindow, PaintsTheHeaderGreyAndTheRowsWhite) {
    kav::ui::NearestSystemsWindow f;
    f.showNearestSystems({{3, 0, 2, 2}});
    QImage img = child<QTableWidget>(f, "systemsTable")->viewport()->grab().toImage();
    const QRect header =
        child<QTableWidget>(f, "systemsTable")
            ->visualRect(child<QTableWidget>(f, "systemsTable")->model()->index(0, 0));
    const QRect row =
        child<QTableWidget>(f, "systemsTable")
            ->visualRect(child<QTableWidget>(f, "systemsTable")->model()->index(1, 0));
    EXPECT_EQ(img.pixelColor(header.x() + 2, header.bottom() - 2), QColor(204, 204, 204));
    EXPECT_EQ(img.pixelColor(row.x() + 2, row.bottom() - 2), QColor(Qt::white));
}

} // namespace
