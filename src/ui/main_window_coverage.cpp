// MainWindow: the coverage map's commands and its link to the bet list.
#include "ui/coverage_map_window.h"
#include "ui/main_window.h"

#include <QAction>

namespace kav::ui {

void MainWindow::toggleCoverageMap() {
    if (coverageMap_)
        coverageMap_->openCoverageMap();
}

// Called after every parse; the map coalesces a burst of them (typing) into one
// count, and the counts always end up matching the final text.
void MainWindow::recountCoverage() {
    if (coverageMap_)
        coverageMap_->scheduleRecount();
}

void MainWindow::repaintCoverageMap() {
    if (coverageMap_)
        coverageMap_->repaintMap();
}

void MainWindow::syncCoverageMapCategory(int category) {
    if (coverageMap_)
        coverageMap_->setCategory(category);
}

void MainWindow::connectCoverageMap() {
    if (!coverageMap_)
        return;
    connect(coverageMap_, &CoverageMapWindow::visibilityChanged, this, [this](bool shown) {
        coverageMapAction_->setText(shown ? QStringLiteral("Скрыть карту покрытия")
                                          : QStringLiteral("Показать карту покрытия"));
    });
}

} // namespace kav::ui
