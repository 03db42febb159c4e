// PackageArchive: after the draw. The draw archive (every loaded draw, the
// packages kept, the results typed), the check of the package against the
// result, and the history of played packages, from which a package opens
// again as unnamed work.
#pragma once

// moc cannot parse the standard headers the io layer pulls in.
#ifndef Q_MOC_RUN
#include "core/check/package_check.h"
#include "io/archive/draw_archive.h"
#endif

#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>

class QMenu;
class QWidget;

namespace kav::ui {

class DrawCheckWindow;
class HistoryWindow;
class JobRunner;
class ProjectDocument;
class Session;

class PackageArchive final : public QObject {
    Q_OBJECT
public:
    PackageArchive(Session& session, ProjectDocument& project, JobRunner& jobs, QWidget* window);
    ~PackageArchive() override;

    // "Проверить пакет по результату", "Сохранить пакет в архив", "История пакетов".
    void fillMenu(QMenu* menu);
    // The archive's record of the session's draw; 0 while it has none.
    std::int64_t archivedDrawId() const { return archivedDrawId_; }

    // A draw has finished loading: it is kept in the archive.
    void keepLoadedDraw();
    void savePackageToArchive();
    void showDrawCheck();
    void showHistory();

private:
    // The history window's rows from the archive; false when it cannot be read.
    bool fillHistory();
    void refreshHistory();
    // The open archive, opened on first use; null (after saying why, unless
    // `quiet`) when it cannot be used.
    kav::io::DrawArchive* drawArchive(bool quiet = false);
    kav::io::ArchivedDraw sessionDraw() const;
    void keepCheckedResult(const kav::DrawResult& result, const kav::TypedPrizes& prizes);
    void openArchivedPackage(std::int64_t packageId);

    Session& session_;
    ProjectDocument& project_;
    JobRunner& jobs_;
    QWidget* window_;
    std::unique_ptr<kav::io::DrawArchive> archive_;
    bool archiveProblemShown_ = false;
    std::int64_t archivedDrawId_ = 0;
    DrawCheckWindow* drawCheck_ = nullptr;
    HistoryWindow* history_ = nullptr;
};

} // namespace kav::ui
