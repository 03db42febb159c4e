// TForm2: manual and random selection ("Взять все варианты", "Случайный выбор")
// and the sensation filter's "Добавить в список".
#include "ui/tot_lin_web1.h"

namespace kav::ui {

void TForm2::Label16Click() {}

void TForm2::Label11Click() {}

void TForm2::Label14Click() {}

} // namespace kav::ui
