// TForm2: auto-forming ("Добавить в список" of mode 3).
#include "ui/tot_lin_web1.h"

namespace kav::ui {

void TForm2::Label12_Click() {}

} // namespace kav::ui
