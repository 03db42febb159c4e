// kavendix: the desktop program.
#include "ui/tot_lin_web1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kav::ui::TForm2 w;
    w.show();
    return app.exec();
}
