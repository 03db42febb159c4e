// TForm2: the variant analysis command.
#include "ui/tot_lin_web1.h"

namespace kav::ui {

void TForm2::MN12Click() {}

} // namespace kav::ui
