// VariantForming: the modes that add variants in one go. "Взять все варианты"
// and "Случайный выбор" of the manual mode, and the sensation filter's
// "Добавить в список".
#pragma once

#include <QObject>

class QWidget;

namespace kav::ui {

class ModeBar;
class Session;

class VariantForming final : public QObject {
    Q_OBJECT
public:
    VariantForming(Session& session, ModeBar& modeBar, QWidget* window);

    void takeAllVariants();
    void addRandomBets();
    void addSensationVariants();

private:
    Session& session_;
    ModeBar& modeBar_;
    QWidget* window_;
};

} // namespace kav::ui
