// Where the program keeps its files: the templates shipped with it (read
// only), the player's own computed systems, the autosave and the settings.
#pragma once

#include <QString>

#include <filesystem>

namespace kav::ui {

// "Kombin" beside the executable when it is there (the build folder, also when
// the program is started from another folder), else the installed
// share/kavendix/Kombin next to the executable's bin folder, else "Kombin" in
// the working folder.
std::filesystem::path shippedTemplateFolder();

struct DataPlaces {
    QString dataFolder;   // the autosave and its lock (QStandardPaths' AppDataLocation)
    QString ownTemplates; // the player's computed systems: "Kombin" in the data folder
    QString settingsFile; // the INI file of the settings (in AppConfigLocation)
    QString archiveFile;  // the draw archive, unless --archive names another
};
// From QStandardPaths, after the organisation and program names are set.
DataPlaces dataPlaces();

} // namespace kav::ui
