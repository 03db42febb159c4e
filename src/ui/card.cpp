#include "ui/card.h"

namespace kav::ui {

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Карта покрытия"));
}

} // namespace kav::ui
