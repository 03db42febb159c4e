// TForm5: the variant analysis; its caption is set at each draw load.
#pragma once

#include <QWidget>

namespace kav::ui {

class TForm5 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

} // namespace kav::ui
