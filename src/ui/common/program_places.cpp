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

std::unique_ptr<QSettings> openSettings() {
    const QString file = persistence().settingsFile;
    if (file.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace kav::ui
