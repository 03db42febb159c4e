#include "ui/tot_help.h"

namespace kav::ui {

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Справка"));
    resize(399, 364);
}

} // namespace kav::ui
