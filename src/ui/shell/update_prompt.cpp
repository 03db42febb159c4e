#include "ui/shell/update_prompt.h"

#include "io/update/update_check.h"
#include "ui/common/job_runner.h"
#include "ui/common/program_places.h"
#include "ui/common/ui_text.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace kav::ui {

namespace {

std::function<void(kav::io::UpdateSettings&)>& settingsHook() {
    static std::function<void(kav::io::UpdateSettings&)> hook;
    return hook;
}

// The download as a job: progress in a box with "Отмена"; the start waits for
// it (the box is modal to the whole program).
kav::io::PreparedUpdate downloadUpdate(QWidget* window, const kav::io::UpdateSettings& settings,
                                       const kav::io::ReleaseDescriptor& release) {
    JobRunner runner(window);
    QEventLoop loop;
    kav::io::PreparedUpdate result;
    JobOptions options;
    options.title = kav::ui::UiText::tr("Обновление");
    options.label =
        kav::ui::UiText::tr("Загрузка версии %1…").arg(QString::fromStdString(release.version));
    options.modality = Qt::ApplicationModal;
    runner.run(
        options,
        [&settings, &release](JobControl& job) {
            return kav::io::prepareUpdate(
                settings, release, [&job](std::int64_t received, std::int64_t expected) {
                    const std::int64_t total = expected > 0 ? expected : 1;
                    job.progress(static_cast<int>(100 * received / total),
                                 kav::ui::UiText::tr("%1 из %2 КБ")
                                     .arg(received / 1024)
                                     .arg(expected / 1024));
                    return !job.cancelled();
                });
        },
        [&](kav::io::PreparedUpdate prepared) {
            result = std::move(prepared);
            loop.quit();
        });
    loop.exec();
    return result;
}

} // namespace

void setUpdateSettingsHook(std::function<void(kav::io::UpdateSettings&)> hook) {
    settingsHook() = std::move(hook);
}

void checkForUpdateAtStart(QWidget* window) {
    const auto& s = servers();
    if (!s.updateCheck || s.updateServer.empty())
        return;
    auto settings = kav::io::defaultUpdateSettings(s.updateServer);
    if (!s.updateFolder.empty())
        settings.folder = s.updateFolder;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        settings.arguments.push_back(arguments[i].toStdString());
    if (settingsHook())
        settingsHook()(settings);
    kav::io::UpdateHooks hooks;
    hooks.askYes = [window](const kav::io::ReleaseDescriptor& release) {
        return showMessage(
            window,
            {kav::ui::UiText::tr("Доступна новая версия программы %1 от %2!\nОбновить?")
                 .arg(QString::fromStdString(release.version), QString::fromStdString(release.date))
                 .toStdString(),
             kav::Text::tr("Информация"), kav::Buttons::YesNo});
    };
    hooks.reportError = [window](const std::string& error) { showMessage(window, {error}); };
    hooks.noteRefusal = [](const std::string& why) {
        std::fprintf(stderr, "kavendix: обновление не предложено: %s\n", why.c_str());
    };
    hooks.prepare = [window](const kav::io::UpdateSettings& settings,
                             const kav::io::ReleaseDescriptor& release) {
        return downloadUpdate(window, settings, release);
    };
    if (kav::io::checkForUpdate(settings, hooks))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

} // namespace kav::ui
