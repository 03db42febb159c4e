// The auto-forming mode's panel: "Добавить в список", the category, the most
// bets to add, the coverage to reach and the search method.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/project/project_state.h"
#endif

#include <QFrame>

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace kav {
enum class AutoformMethod;
}

namespace kav::ui {

class LinkLabel;

class AutoformPanel final : public QFrame {
    Q_OBJECT
public:
    explicit AutoformPanel(QWidget* parent = nullptr);

    int category() const;
    int betLimit() const;
    // Percent, 1..100.
    double coverageTarget() const;
    kav::AutoformMethod searchMethod() const;
    // The panel's fields as a project keeps them, and back.
    kav::AutoformPanelSettings settings() const;
    void applySettings(const kav::AutoformPanelSettings& s);

Q_SIGNALS:
    void startRequested();
    void categoryChanged(int category);

private:
    void createLayout();
    void connectLayout();

    LinkLabel* startAutoformLink_ = nullptr;
    QSpinBox* autoformCategorySpin_ = nullptr;
    QSpinBox* betLimitSpin_ = nullptr;
    QDoubleSpinBox* coverageTargetSpin_ = nullptr;
    QComboBox* searchMethodCombo_ = nullptr;
};

} // namespace kav::ui
