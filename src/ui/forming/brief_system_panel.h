// The brief-system mode's panel: "Добавить в список", the minimal category and
// "Начать с..." (the system starts with the forced bet).
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/project/project_state.h"
#endif

#include <QFrame>

class QCheckBox;
class QSpinBox;

namespace kav::ui {

class LinkLabel;

class BriefSystemPanel final : public QFrame {
    Q_OBJECT
public:
    explicit BriefSystemPanel(QWidget* parent = nullptr);

    int category() const;
    bool startsWithForcedBet() const;
    // The panel's fields as a project keeps them, and back.
    kav::BriefSettings settings() const;
    void applySettings(const kav::BriefSettings& s);
    // The check box shows the forced bet while checked, its caption otherwise.
    void showForcedBet(const QString& forcedBet);
    // Category 15 (every combination of the marks) is shown light red.
    void colourCategory();

Q_SIGNALS:
    void addRequested();
    void categoryChanged();
    void startWithToggled();

private:
    void createLayout();
    void connectLayout();

    LinkLabel* addBriefSystemLink_ = nullptr;
    QSpinBox* briefCategorySpin_ = nullptr;
    QCheckBox* startWithCheck_ = nullptr;
};

} // namespace kav::ui
