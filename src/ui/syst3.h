// TForm3: the nearest brief systems, shown beside the main window when no
// template fits the marked outcomes.
#pragma once

#include <QWidget>

namespace kav::ui {

class TForm3 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

} // namespace kav::ui
