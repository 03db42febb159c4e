// The translation context of the windows' texts written outside a window's
// class: free functions, undo steps, message helpers.
#pragma once

#include <QCoreApplication>

namespace kav::ui {

struct UiText {
    Q_DECLARE_TR_FUNCTIONS(kav::ui::UiText)
};

} // namespace kav::ui
