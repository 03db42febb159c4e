// BriefSystems: the brief-system mode. The template index, the selection
// summary under the grid (the variants of the marks, the system's bets) with
// the nearest systems when no template fits, "Добавить в список", and a
// missing system computed on request through the job runner.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/forming/brief_system.h"
#include "core/forming/packet_mode.h"
#include "core/forming/templates.h"
#endif

#include <QObject>

#include <filesystem>

class QLabel;
class QWidget;

namespace kav::ui {

class JobRunner;
class ModeBar;
class NearestSystemsWindow;
class Session;

class BriefSystems final : public QObject {
    Q_OBJECT
public:
    // `couponSummary` and `systemSummary` are the two lines under the grid.
    BriefSystems(Session& session, ModeBar& modeBar, JobRunner& jobs, QLabel& couponSummary,
                 QLabel& systemSummary, QWidget* window);

    // The template folder: "Kombin" beside the program, else the installed
    // share/kavendix/Kombin, else in the working folder. The index is built
    // from it when the window is first shown.
    void setTemplateFolder(const std::filesystem::path& folder) { templateFolder_ = folder; }
    const std::filesystem::path& templateFolder() const { return templateFolder_; }
    // The player's own folder of computed systems, read with the template
    // folder and written by "Рассчитать систему"; empty: the template folder is both.
    void setOwnTemplateFolder(const std::filesystem::path& folder) { ownTemplateFolder_ = folder; }
    const kav::TemplateIndex& templateIndex() const { return templateIndex_; }
    void setNearestSystemsWindow(NearestSystemsWindow* window);

    // Builds the index; the window runs it once when first shown.
    void indexTemplates();
    void updateSelectionSummary();
    void addBriefSystem();

    // "Рассчитать систему" of the nearest-systems window: the generator runs on
    // a worker thread behind a progress box with "Отмена"; the checked system is
    // saved into the template folder, the index refreshed, the summary redone.
    void computeBriefSystem();
    bool systemComputing() const;
    void cancelSystemComputing();

private:
    void connectParts();
    void onModeChanged(kav::PacketMode mode);

    Session& session_;
    ModeBar& modeBar_;
    JobRunner& jobs_;
    QLabel& couponSummary_;
    QLabel& systemSummary_;
    QWidget* window_;
    NearestSystemsWindow* nearestSystems_ = nullptr;
    std::filesystem::path templateFolder_;
    std::filesystem::path ownTemplateFolder_;
    kav::TemplateIndex templateIndex_;
    kav::BriefState briefState_;
    bool computing_ = false; // the running job is this feature's
};

} // namespace kav::ui
