// The sensations mode's panel: "Добавить в список", how many sensations a bet
// holds (from, to), the quote below which an outcome is a sensation, and
// whether that is judged by the bookmaker's quotes or by the pool.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/project/project_state.h"
#endif

#include <QFrame>

class QRadioButton;
class QSpinBox;

namespace kav::ui {

class LinkLabel;

class SensationPanel final : public QFrame {
    Q_OBJECT
public:
    explicit SensationPanel(QWidget* parent = nullptr);

    int minSensations() const;
    int maxSensations() const;
    int threshold() const;
    bool byQuotes() const;
    bool byPool() const;
    // The panel's fields as a project keeps them, and back.
    kav::SensationSettings settings() const;
    void applySettings(const kav::SensationSettings& s);

Q_SIGNALS:
    void addRequested();
    // The number of sensations changed: the selection summary follows.
    void boundsChanged();
    // Threshold or criterion changed: the grid's colours follow.
    void criterionChanged();

private:
    void createLayout();
    void connectLayout();

    LinkLabel* addSensationsLink_ = nullptr;
    QSpinBox* minSensationsSpin_ = nullptr;
    QSpinBox* maxSensationsSpin_ = nullptr;
    QSpinBox* sensationThresholdSpin_ = nullptr;
    QRadioButton* byQuotesRadio_ = nullptr;
    QRadioButton* byPoolRadio_ = nullptr;
};

} // namespace kav::ui
