// MainWindow: the coverage map's commands and its link to the bet list.
#include "ui/coverage_map_window.h"
#include "ui/main_window.h"

#include <QAction>

namespace kav::ui {

void MainWindow::toggleCoverageMap() {
    if (coverageMap_)
        coverageMap_->openCoverageMap();
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
