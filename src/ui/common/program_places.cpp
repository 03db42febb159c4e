#include "ui/common/program_places.h"

#include <QSettings>

namespace kav::ui {

namespace {

struct Places {
    Persistence persistence;
    kav::io::ServerSettings servers{"", "", false, ""};
    QString archivePath;
};

Places& places() {
    static Places p;
    return p;
}

} // namespace

void setPersistence(const Persistence& p) {
    places().persistence = p;
}

const Persistence& persistence() {
    return places().persistence;
}

void setServers(const kav::io::ServerSettings& servers) {
    places().servers = servers;
}

const kav::io::ServerSettings& servers() {
    return places().servers;
}

void setArchivePath(const QString& path) {
    places().archivePath = path;
}

const QString& archivePath() {
    return places().archivePath;
}

namespace {

const QString kDataServerKey = QStringLiteral("servers/data");
const QString kUpdateServerKey = QStringLiteral("servers/update");

std::string savedAddress(const QSettings& settings, const QString& key) {
    const std::string address = settings.value(key).toString().toStdString();
    return kav::io::isServerAddress(address) ? address : std::string();
}

} // namespace

SavedServers savedServers() {
    const auto settings = openSettings();
    if (!settings)
        return {};
    return {savedAddress(*settings, kDataServerKey), savedAddress(*settings, kUpdateServerKey)};
}

void saveServers(const SavedServers& saved) {
    const auto settings = openSettings();
    if (!settings)
        return;
    settings->setValue(kDataServerKey, QString::fromStdString(saved.dataServer));
    settings->setValue(kUpdateServerKey, QString::fromStdString(saved.updateServer));
}

kav::io::ServerSettings startServers(kav::io::ServerSettings base,
                                     const std::optional<std::string>& dataOption,
                                     const std::optional<std::string>& updateOption) {
    const SavedServers saved = savedServers();
    if (!saved.dataServer.empty())
        base.dataServer = saved.dataServer;
    if (!saved.updateServer.empty())
        base.updateServer = saved.updateServer;
    if (dataOption)
        base.dataServer = *dataOption;
    if (updateOption)
        base.updateServer = *updateOption;
    return base;
}

std::unique_ptr<QSettings> openSettings() {
    const QString file = persistence().settingsFile;
    if (file.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace kav::ui
