// Where the side windows of the main window go: in a column beside it, to
// its right, else to its left, else over its right part (where the bet list
// is) at the screen's edge, never over the part the player works in.
#pragma once

#include <vector>

class QWidget;

namespace kav::ui {

// Moves each visible window of `windows`, in order and one under the other,
// beside `owner`. `keepClearRight` is the owner's left part, in global x,
// that no window may cover (the outcome grid's right edge); below it nothing
// is kept clear.
void placeBeside(const QWidget* owner, const std::vector<QWidget*>& windows,
                 int keepClearRight = -1);

} // namespace kav::ui
