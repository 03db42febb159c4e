// kavendix: the desktop program. The main window first, then the side windows
// in their fixed order, hidden; the main window shows and loads the first draw.
#include "ui/analiz.h"
#include "ui/card.h"
#include "ui/syst3.h"
#include "ui/tot_help.h"
#include "ui/tot_lin_web1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kav::ui::TForm2 form2;
    // Owned by the main window, so they close and end with it.
    auto* form3 = new kav::ui::TForm3(&form2);
    auto* form4 = new kav::ui::TForm4(&form2);
    auto* form5 = new kav::ui::TForm5(form2.model(), &form2);
    auto* form6 = new kav::ui::TForm6(&form2);
    form2.setSideWindows(form3, form4, form5, form6);
    form2.show();
    return app.exec();
}
