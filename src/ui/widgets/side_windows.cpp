#include "ui/widgets/side_windows.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kav::ui {

void placeBeside(const QWidget* owner, const std::vector<QWidget*>& windows, int keepClearRight) {
    if (!owner || !owner->isVisible())
        return;
    const QRect main = owner->frameGeometry();
    // The frame a side window will get: the owner's, as the window system draws both.
    const QMargins frame(
        owner->geometry().left() - main.left(), owner->geometry().top() - main.top(),
        main.right() - owner->geometry().right(), main.bottom() - owner->geometry().bottom());
    const QScreen* screen = owner->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(main.topLeft(), QSize(1, 1));
    constexpr int kGap = 4;
    int top = std::max(main.top(), room.top());
    for (QWidget* w : windows) {
        if (!w || !w->isVisible())
            continue;
        const QSize outer = w->size().grownBy(frame);
        int x = main.right() + 1 + kGap;
        if (x + outer.width() - 1 > room.right()) {
            const int left = main.left() - kGap - outer.width();
            // Without room on either side: over the right of the main window
            // at the screen's edge, and never left of the part kept clear.
            x = left >= room.left()
                    ? left
                    : std::max(room.right() + 1 - outer.width(), keepClearRight + 1);
        }
        // One under the other; in a column that runs out of screen the last
        // ones rest on the screen's bottom edge.
        const int y =
            std::clamp(top, room.top(), std::max(room.top(), room.bottom() + 1 - outer.height()));
        w->move(x, y);
        top = y + outer.height() + kGap;
    }
}

} // namespace kav::ui
