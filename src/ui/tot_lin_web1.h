// TForm2: the main window.
#pragma once

#include <QMainWindow>

namespace kav::ui {

class TForm2 final : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};

} // namespace kav::ui
