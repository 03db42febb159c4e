// The conditions mode's panel ("Условия"): in the control bar "Добавить в
// список", "Применить к списку", the tolerance, the live count of passing
// variants and the named sets; under the bar its editor — every range as a
// check box with a pair of spin boxes, and the base rows as a small table.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/forming/condition_set.h"
#endif

#include <QFrame>
#include <QStringList>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace kav::ui {

class LinkLabel;

class ConditionsPanel final : public QFrame {
    Q_OBJECT
public:
    explicit ConditionsPanel(QWidget* parent = nullptr);

    // The editor of the ranges and base rows; the main window places it
    // under the control bar and shows it in this mode only.
    QFrame* editor() const { return editor_; }

    // The conditions as the controls hold them; a base row whose text is not
    // 15 letters of 1, X, 2, - is left out (and shown red).
    kav::ConditionSet conditions() const;
    void applyConditions(const kav::ConditionSet& c);

    // The live counter: how many variants of the field pass and what they cost.
    void showCount(std::uint64_t variants, const QString& cost);
    // The named sets the combo offers.
    void setPresetNames(const QStringList& names);
    QString presetName() const;

Q_SIGNALS:
    void addRequested();
    void applyRequested();
    void conditionsChanged();
    void presetSaveRequested(const QString& name);
    void presetChosen(const QString& name);

private:
    void createLayout();
    void createEditor();
    void connectLayout();
    void addBaseRow(const QString& row, int from, int to);
    void markBaseRows() const;

    struct RangeControls {
        QCheckBox* check = nullptr;
        QSpinBox* from = nullptr;
        QSpinBox* to = nullptr;
    };

    LinkLabel* addConditionVariantsLink_ = nullptr;
    LinkLabel* applyConditionsLink_ = nullptr;
    QSpinBox* toleranceSpin_ = nullptr;
    QLabel* conditionCountLabel_ = nullptr;
    QComboBox* presetCombo_ = nullptr;
    LinkLabel* savePresetLink_ = nullptr;
    QFrame* editor_ = nullptr;
    std::array<RangeControls, kav::kMeasures> ranges_{};
    QTableWidget* baseRowsTable_ = nullptr;
    LinkLabel* addBaseRowLink_ = nullptr;
    LinkLabel* removeBaseRowLink_ = nullptr;
    bool applying_ = false;
};

} // namespace kav::ui
