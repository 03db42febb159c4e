// TForm4: the coverage map.
#pragma once

#include <QWidget>

namespace kav::ui {

class TForm4 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

} // namespace kav::ui
