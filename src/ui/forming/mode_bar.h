// ModeBar: the bar over the grid. "Сбросить исходы", the packet mode, the five
// mode panels sharing one place (exactly one is visible), and the stake per
// bet. It owns the mode and the panels' settings: what the project file keeps
// of them and what the program settings remember (the mode, the stake).
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/base/fixed4.h"
#include "core/forming/packet_mode.h"
#include "core/project/project_state.h"
#endif

#include <QFrame>

#include <cstdint>

class QComboBox;
class QSettings;
class QStackedWidget;

namespace kav::ui {

class AutoformPanel;
class BriefSystemPanel;
class ConditionsPanel;
class LinkLabel;
class ManualChoicePanel;
class MoneyEdit;
class SensationPanel;
class Session;

class ModeBar final : public QFrame {
    Q_OBJECT
public:
    ModeBar(Session& session, QWidget* parent = nullptr);

    kav::PacketMode mode() const;
    void setMode(kav::PacketMode mode);
    // The category of the current mode: auto-forming's in auto-forming,
    // otherwise the brief systems' one.
    int activeCategory() const;

    BriefSystemPanel& briefPanel() const { return *briefSystemPanel_; }
    SensationPanel& sensationPanel() const { return *sensationPanel_; }
    ManualChoicePanel& manualPanel() const { return *manualChoicePanel_; }
    AutoformPanel& autoformPanel() const { return *autoformPanel_; }
    ConditionsPanel& conditionsPanel() const { return *conditionsPanel_; }

    // The stake field: its value, minimum and currency for a draw country, or
    // as a file or project gives them.
    void setStakeForCountry(std::uint8_t drawCountry);
    void setStake(kav::Fixed4 value, kav::Fixed4 minimum, const QString& suffix);
    kav::Fixed4 stakeValue() const;
    kav::Fixed4 stakeMinimum() const;
    // What the field shows, with its currency ("20.00 руб.").
    QString stakeFieldText() const;

    // The mode, the panels' settings and the stake, into and out of a project.
    void storeInto(kav::ProjectState& s) const;
    void applyFrom(const kav::ProjectState& s);
    // The mode and stake the player left the program with.
    void restoreSavedMode();
    void restoreSavedStake();
    void saveSettings(QSettings& settings) const;

Q_SIGNALS:
    void modeChanged(kav::PacketMode mode);
    void resetRequested();
    // A field of the bar changed (the project is modified).
    void edited();

private:
    void createLayout();
    void connectLayout();
    void switchMode();

    Session& session_;
    LinkLabel* resetOutcomesLink_ = nullptr;
    QComboBox* modeCombo_ = nullptr;
    QStackedWidget* modePanelStack_ = nullptr;
    BriefSystemPanel* briefSystemPanel_ = nullptr;
    SensationPanel* sensationPanel_ = nullptr;
    ManualChoicePanel* manualChoicePanel_ = nullptr;
    AutoformPanel* autoformPanel_ = nullptr;
    ConditionsPanel* conditionsPanel_ = nullptr;
    MoneyEdit* stakeEdit_ = nullptr;
};

} // namespace kav::ui
