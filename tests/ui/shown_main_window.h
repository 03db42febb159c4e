// A test fixture holding a main window that is shown and active, so that
// clicks and key presses reach it as they would reach the player's window.
#pragma once

#include "ui/tot_lin_web1.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace kav::test {

class ShownMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<kav::ui::TForm2>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    std::unique_ptr<kav::ui::TForm2> w;
};

} // namespace kav::test
