// The manual mode's panel: "Взять все варианты", "Случайный выбор" with its
// repetitions, the distribution of the random choice and, for "Кол. фаворитов",
// the number of favourites.
#pragma once

#include <QFrame>

class QComboBox;
class QLabel;
class QSpinBox;

namespace kav {
enum class RandomDistribution : int;
}

namespace kav::ui {

class LinkLabel;

class ManualChoicePanel final : public QFrame {
    Q_OBJECT
public:
    explicit ManualChoicePanel(QWidget* parent = nullptr);

    kav::RandomDistribution distribution() const;
    int repeat() const;
    int favourites() const;

Q_SIGNALS:
    void takeAllRequested();
    void randomRequested();

private:
    void createLayout();
    void connectLayout();
    // The favourites field shows for "Кол. фаворитов" only.
    void showFavouritesField();

    LinkLabel* takeAllVariantsLink_ = nullptr;
    LinkLabel* randomChoiceLink_ = nullptr;
    QSpinBox* randomRepeatSpin_ = nullptr;
    QComboBox* distributionCombo_ = nullptr;
    QSpinBox* favouritesSpin_ = nullptr;
    QLabel* favouritesCaption_ = nullptr;
};

} // namespace kav::ui
