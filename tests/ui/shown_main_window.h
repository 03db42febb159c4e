// A test fixture holding a main window that is shown and active, so that
// clicks and key presses reach it as they would reach the player's window.
#pragma once

#include "ui/main_window.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace kav::test {

class ShownMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<kav::ui::MainWindow>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    std::unique_ptr<kav::ui::MainWindow> w;
};

} // namespace kav::test
