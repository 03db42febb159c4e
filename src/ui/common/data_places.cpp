#include "ui/common/data_places.h"

#include "core/forming/templates.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace kav::ui {

std::filesystem::path shippedTemplateFolder() {
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    for (const auto& folder : {exeDir / "Kombin", exeDir.parent_path() / "share/kavendix/Kombin"})
        if (kav::resolveTemplateFolder(folder))
            return folder;
    return "Kombin";
}

DataPlaces dataPlaces() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return {data, QDir(data).filePath(QStringLiteral("Kombin")),
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                .filePath(QStringLiteral("kavendix.ini")),
            QDir(data).filePath(QStringLiteral("archive.sqlite"))};
}

} // namespace kav::ui
