// TForm2: the coverage map's commands and its link to the bet list.
#include "ui/tot_lin_web1.h"

namespace kav::ui {

void TForm2::MN10Click() {}

void TForm2::recountCoverage() {}

void TForm2::repaintCoverageMap() {}

void TForm2::RxSpinEdit6Change() {}

} // namespace kav::ui
