// The update check of the program's start: asks the update server, offers the
// new version, and ends the program when the update takes over.
#pragma once

class QWidget;

namespace kav::ui {

void checkForUpdateAtStart(QWidget* window);

} // namespace kav::ui
