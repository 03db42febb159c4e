// TForm2: brief systems ("Добавить в список" of mode 0), the template index and
// the selection summary.
#include "ui/tot_lin_web1.h"

namespace kav::ui {

void TForm2::Label13Click() {}

void TForm2::updateSelectionSummary() {}

void TForm2::indexTemplates() {}

} // namespace kav::ui
