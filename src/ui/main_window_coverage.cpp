// MainWindow: the coverage map's commands and its link to the bet list.
#include "ui/coverage_map_view.h"
#include "ui/coverage_map_window.h"
#include "ui/main_window.h"

#include <QSpinBox>

namespace kav::ui {

void MainWindow::MN10Click() {
    if (form4_)
        form4_->openCoverageMap();
}

// Called after every parse; the map coalesces a burst of them (typing) into one
// count, and the counts always end up matching the final text.
void MainWindow::recountCoverage() {
    if (form4_)
        form4_->scheduleRecount();
}

void MainWindow::repaintCoverageMap() {
    if (form4_)
        form4_->update();
    if (form4_ && form4_->stringGrid1)
        form4_->stringGrid1->viewport()->update();
}

void MainWindow::RxSpinEdit6Change() {
    if (form4_)
        form4_->RxSpinEdit1->setValue(RxSpinEdit6->value());
}

} // namespace kav::ui
