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

// The draw archive's file; empty keeps no archive.
void setArchivePath(const QString& path);
const QString& archivePath();

// The program settings; null while no settings file is set.
std::unique_ptr<QSettings> openSettings();

} // namespace kav::ui
