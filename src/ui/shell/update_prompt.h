// The update check of the program's start: asks the update server, offers the
// new version, and ends the program when the update takes over.
#pragma once

#include <functional>

class QWidget;

namespace kav::io {
struct UpdateSettings;
}

namespace kav::ui {

void checkForUpdateAtStart(QWidget* window);

// For tests: a change to the settings the check at start uses (a loopback
// server's plain HTTP, a key of their own); empty: none.
void setUpdateSettingsHook(std::function<void(kav::io::UpdateSettings&)> hook);

} // namespace kav::ui
