// The manual mode's panel: "Взять все варианты", "Случайный выбор" with its
// repetitions, the distribution of the random choice and, for "Кол. фаворитов",
// the number of favourites.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/project/project_state.h"
#endif

#include <QFrame>

class QComboBox;
class QLabel;
class QSpinBox;

namespace kav {
enum class RandomDistribution;
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
    // The panel's fields as a project keeps them, and back.
    kav::RandomSettings settings() const;
    void applySettings(const kav::RandomSettings& s);

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
