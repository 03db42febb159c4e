#include "ui/tot_lin_web1.h"

namespace kav::ui {

TForm2::TForm2(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kavendix V1.4.2"));
}

} // namespace kav::ui
