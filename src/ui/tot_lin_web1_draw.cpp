// TForm2: the draw (country switch and loading), the quotes file, the exports,
// the help command and the window's close.
#include "ui/outcome_grid.h"
#include "ui/tot_lin_web1.h"

namespace kav::ui {

// Until the draw download exists, the Russian draw starts with the default quotes.
void TForm2::Label8Click() {
    setStakeForCountry(kav::kRussia);
    Label10Click();
    clearBetList();
    model_.drawCountry = kav::kRussia;
    kav::applyDefaultDraw(model_);
    showDraw();
    StringGrid1->show();
}

void TForm2::Label9Click() {}

void TForm2::MN2Click() {
    Label8Click();
}

void TForm2::MN8Click() {
    Label9Click();
}

void TForm2::N2cClick() {}

void TForm2::N3cClick() {}

void TForm2::Label12Click() {}

void TForm2::MN28Click() {}

void TForm2::N25Click() {}

void TForm2::mN22Click() {}

void TForm2::FormClose() {}

} // namespace kav::ui
