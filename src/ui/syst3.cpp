#include "ui/syst3.h"

namespace kav::ui {

// Always on top and without title-bar buttons: it only follows the main window.
TForm3::TForm3(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Ближайшие варианты"));
}

} // namespace kav::ui
