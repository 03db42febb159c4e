// TForm6: the help window.
#pragma once

#include <QWidget>

namespace kav::ui {

class TForm6 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
};

} // namespace kav::ui
