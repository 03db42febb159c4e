// The sensations mode's panel: "Добавить в список", how many sensations a bet
// holds (from, to), the quote below which an outcome is a sensation, and
// whether that is judged by the bookmaker's quotes or by the pool.
#pragma once

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
