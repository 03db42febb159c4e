// A test fixture holding a main window that is shown and active, so that
// clicks and key presses reach it as they would reach the player's window;
// and child(), which finds a window's widget by its object name.
#pragma once

#include "ui/bets/bet_list_editor.h"
#include "ui/common/program_places.h"
#include "ui/draw/draw_source.h"
#include "ui/forming/autoforming.h"
#include "ui/forming/brief_systems.h"
#include "ui/forming/mode_bar.h"
#include "ui/project/project_document.h"
#include "ui/results/package_archive.h"
#include "ui/shell/main_window.h"

#include <QObject>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace kav::test {

inline const QObject* asParent(const QObject* parent) {
    return parent;
}
inline const QObject* asParent(const QObject& parent) {
    return &parent;
}
template <class W> const QObject* asParent(const std::unique_ptr<W>& parent) {
    return parent.get();
}

// The widget (or action, menu, timer) of `parent` named `name`. A missing one
// fails the test at once instead of crashing the test program.
template <class T, class Parent> T* child(const Parent& parent, const char* name) {
    T* found = asParent(parent)->template findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        ADD_FAILURE() << "no child named " << name << " of the expected type";
        throw std::runtime_error(std::string("missing child ") + name);
    }
    return found;
}

class ShownMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<kav::ui::MainWindow>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    template <class T> T* child(const char* name) const { return kav::test::child<T>(w, name); }

    std::unique_ptr<kav::ui::MainWindow> w;
};

} // namespace kav::test
