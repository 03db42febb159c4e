#include "ui/shell/update_prompt.h"

#include "io/update/update_check.h"
#include "ui/common/program_places.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QTimer>

namespace kav::ui {

void checkForUpdateAtStart(QWidget* window) {
    const auto& s = servers();
    if (!s.updateCheck || s.updateServer.empty())
        return;
    auto settings = kav::io::defaultUpdateSettings(s.updateServer);
    if (!s.updateFolder.empty())
        settings.folder = s.updateFolder;
    kav::io::UpdateHooks hooks;
    hooks.askYes = [window] {
        return showMessage(window, {"Доступна новая версия программы!\nОбновить?", "Информация",
                                    kav::Buttons::YesNo});
    };
    hooks.reportError = [window](const std::string& error) { showMessage(window, {error}); };
    if (kav::io::checkForUpdate(settings, hooks))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

} // namespace kav::ui
