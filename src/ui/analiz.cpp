#include "ui/analiz.h"

namespace kav::ui {

TForm5::TForm5(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form5"));
}

} // namespace kav::ui
