// Where the program's parts find what the program's entry decides before any
// window is made: the servers, the folders that outlive a session and the draw
// archive's file. Windows made without the entry (tests, tools) get empty
// places: no network, no autosave, no settings, no archive.
#pragma once

// moc cannot parse the standard headers the io layer pulls in.
#ifndef Q_MOC_RUN
#include "io/pages/servers.h"
#endif

#include <QString>

#include <memory>
#include <optional>
#include <string>

class QSettings;

namespace kav::ui {

struct Persistence {
    QString autosaveFolder; // the autosave, its lock and the named condition sets
    QString settingsFile;   // an INI file of QSettings
};

void setPersistence(const Persistence& p);
const Persistence& persistence();

// Where draws and updates come from; set before the main window is created,
// since the update check runs during its creation.
void setServers(const kav::io::ServerSettings& servers);
const kav::io::ServerSettings& servers();

// The server addresses the player set in "Настройки…", kept with the
// settings; empty where none is set (or what is kept is no address).
struct SavedServers {
    std::string dataServer;
    std::string updateServer;
};
SavedServers savedServers();
void saveServers(const SavedServers& saved);
// The servers of a start: `base` (the defaults), the saved addresses over
// it, and the command line's options over those, for this run only.
kav::io::ServerSettings startServers(kav::io::ServerSettings base,
                                     const std::optional<std::string>& dataOption,
                                     const std::optional<std::string>& updateOption);

// The draw archive's file; empty keeps no archive.
void setArchivePath(const QString& path);
const QString& archivePath();

// The program settings; null while no settings file is set.
std::unique_ptr<QSettings> openSettings();

} // namespace kav::ui
