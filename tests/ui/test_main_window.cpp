#include "ui/tot_lin_web1.h"

#include <gtest/gtest.h>

TEST(MainWindow, StartsWithItsCaption) {
    kav::ui::TForm2 w;
    EXPECT_EQ(w.windowTitle().toStdString(), "Kavendix V1.4.2");
}
