#include "ui/forming/mode_bar.h"

#include "ui/common/program_places.h"
#include "ui/common/session.h"
#include "ui/forming/autoform_panel.h"
#include "ui/forming/brief_system_panel.h"
#include "ui/forming/conditions_panel.h"
#include "ui/forming/manual_choice_panel.h"
#include "ui/forming/sensation_panel.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/mode_panel.h"
#include "ui/widgets/money_edit.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>

namespace kav::ui {

ModeBar::ModeBar(Session& session, QWidget* parent) : QFrame(parent), session_(session) {
    createLayout();
    connectLayout();
}

void ModeBar::createLayout() {
    styleAsPanel(this, "controlBar", true);
    setFixedHeight(49);
    auto* row = panelRow(this);
    resetOutcomesLink_ = named(new LinkLabel(tr("Сбросить\nисходы"), this), "resetOutcomesLink");
    resetOutcomesLink_->setToolTip(tr("Очистить все выбранные исходы"));
    modeCombo_ = named(new QComboBox(this), "modeCombo");
    modeCombo_->addItems({tr("Бриф-системы"), tr("По сенсациям"), tr("Ручной набор"),
                          tr("Автоформир."), tr("Условия")});
    modeCombo_->setToolTip(tr("Способ формирования пакета"));
    row->addWidget(resetOutcomesLink_);
    row->addWidget(modeCombo_);

    modePanelStack_ = named(new QStackedWidget(this), "modePanelStack");
    briefSystemPanel_ = new BriefSystemPanel(modePanelStack_);
    sensationPanel_ = new SensationPanel(modePanelStack_);
    manualChoicePanel_ = new ManualChoicePanel(modePanelStack_);
    autoformPanel_ = new AutoformPanel(modePanelStack_);
    conditionsPanel_ = new ConditionsPanel(modePanelStack_);
    for (QFrame* p :
         std::initializer_list<QFrame*>{briefSystemPanel_, sensationPanel_, manualChoicePanel_,
                                        autoformPanel_, conditionsPanel_})
        modePanelStack_->addWidget(p);
    modePanelStack_->setCurrentWidget(briefSystemPanel_);
    row->addWidget(modePanelStack_, 1);

    auto* stakePanel = new QFrame(this);
    styleAsPanel(stakePanel, "stakePanel", false);
    auto* stakeRow = panelRow(stakePanel);
    stakeEdit_ = named(new MoneyEdit(stakePanel), "stakeEdit");
    stakeEdit_->setToolTip(tr("Сумма на одну ставку"));
    stakeEdit_->setBaseWidth(110);
    stakeRow->addLayout(captioned(stakeEdit_, fieldCaption(tr("за ставку"), stakePanel)));
    row->addWidget(stakePanel);
}

// Every field of the bar marks the project modified; the side windows read the
// stake and the category from the session.
void ModeBar::connectLayout() {
    connect(resetOutcomesLink_, &LinkLabel::clicked, this, &ModeBar::resetRequested);
    connect(modeCombo_, &QComboBox::currentIndexChanged, this, [this] { switchMode(); });
    connect(stakeEdit_, &MoneyEdit::stakeChanged, this, [this] {
        session_.setStakeText(stakeEdit_->stakeText());
        Q_EMIT edited();
    });
    const auto publishCategory = [this] { session_.setActiveCategory(activeCategory()); };
    connect(briefSystemPanel_, &BriefSystemPanel::categoryChanged, this, publishCategory);
    connect(autoformPanel_, &AutoformPanel::categoryChanged, this, publishCategory);
    connect(conditionsPanel_, &ConditionsPanel::conditionsChanged, this, &ModeBar::edited);
    for (QFrame* panel : std::initializer_list<QFrame*>{briefSystemPanel_, sensationPanel_,
                                                        manualChoicePanel_, autoformPanel_}) {
        for (auto* spin : panel->findChildren<QAbstractSpinBox*>())
            if (auto* s = qobject_cast<QSpinBox*>(spin))
                connect(s, &QSpinBox::valueChanged, this, &ModeBar::edited);
            else if (auto* d = qobject_cast<QDoubleSpinBox*>(spin))
                connect(d, &QDoubleSpinBox::valueChanged, this, &ModeBar::edited);
        for (auto* combo : panel->findChildren<QComboBox*>())
            connect(combo, &QComboBox::currentIndexChanged, this, &ModeBar::edited);
        for (auto* button : panel->findChildren<QAbstractButton*>())
            connect(button, &QAbstractButton::toggled, this, &ModeBar::edited);
    }
}

void ModeBar::switchMode() {
    const kav::PacketMode m = mode();
    QWidget* panel = briefSystemPanel_;
    if (m == kav::PacketMode::Sensations)
        panel = sensationPanel_;
    else if (m == kav::PacketMode::Manual)
        panel = manualChoicePanel_;
    else if (m == kav::PacketMode::Autoform)
        panel = autoformPanel_;
    else if (m == kav::PacketMode::Conditions)
        panel = conditionsPanel_;
    modePanelStack_->setCurrentWidget(panel);
    conditionsPanel_->editor()->setVisible(m == kav::PacketMode::Conditions);
    session_.setActiveCategory(activeCategory());
    Q_EMIT modeChanged(m);
    Q_EMIT edited();
}

kav::PacketMode ModeBar::mode() const {
    return kav::packetModeAt(modeCombo_->currentIndex()).value_or(kav::PacketMode::BriefSystems);
}

void ModeBar::setMode(kav::PacketMode mode) {
    const int index = static_cast<int>(mode);
    if (modeCombo_->currentIndex() == index)
        switchMode(); // the mode's views follow the state just applied
    else
        modeCombo_->setCurrentIndex(index);
}

int ModeBar::activeCategory() const {
    return mode() == kav::PacketMode::Autoform ? autoformPanel_->category()
                                               : briefSystemPanel_->category();
}

void ModeBar::setStakeForCountry(std::uint8_t drawCountry) {
    const kav::Fixed4 start = kav::minimumStake(drawCountry);
    setStake(start, start, QString::fromStdString(kav::currencySuffixFor(drawCountry)));
}

void ModeBar::setStake(kav::Fixed4 value, kav::Fixed4 minimum, const QString& suffix) {
    stakeEdit_->setMinimum(kav::Fixed4());
    stakeEdit_->setValue(value);
    stakeEdit_->setMinimum(minimum);
    stakeEdit_->setSuffix(suffix);
}

kav::Fixed4 ModeBar::stakeValue() const {
    return stakeEdit_->value();
}

kav::Fixed4 ModeBar::stakeMinimum() const {
    return stakeEdit_->minimum();
}

QString ModeBar::stakeFieldText() const {
    return stakeEdit_->text();
}

void ModeBar::storeInto(kav::ProjectState& s) const {
    s.mode = mode();
    s.brief = briefSystemPanel_->settings();
    s.sensation = sensationPanel_->settings();
    s.random = manualChoicePanel_->settings();
    s.autoform = autoformPanel_->settings();
    s.conditions = conditionsPanel_->conditions();
    s.stakeText = stakeEdit_->value().moneyText();
    s.stakeMinimum = stakeEdit_->minimum();
}

void ModeBar::applyFrom(const kav::ProjectState& s) {
    briefSystemPanel_->applySettings(s.brief);
    sensationPanel_->applySettings(s.sensation);
    manualChoicePanel_->applySettings(s.random);
    autoformPanel_->applySettings(s.autoform);
    conditionsPanel_->applyConditions(s.conditions);
    setMode(s.mode);
    briefSystemPanel_->showForcedBet(QString::fromStdString(session_.draw().forcedBet));
    setStake(*kav::Fixed4::parse(s.stakeText), s.stakeMinimum,
             QString::fromStdString(session_.draw().currencySuffix));
}

void ModeBar::restoreSavedMode() {
    const auto settings = openSettings();
    const int index = settings ? settings->value(QStringLiteral("mode"), 0).toInt() : 0;
    modeCombo_->setCurrentIndex(kav::packetModeAt(index) ? index : 0);
}

void ModeBar::restoreSavedStake() {
    const auto settings = openSettings();
    if (!settings)
        return;
    const auto stake =
        kav::Fixed4::parse(settings->value(QStringLiteral("stake")).toString().toStdString());
    if (stake)
        stakeEdit_->setValue(*stake);
}

void ModeBar::saveSettings(QSettings& settings) const {
    settings.setValue(QStringLiteral("mode"), modeCombo_->currentIndex());
    settings.setValue(QStringLiteral("stake"),
                      QString::fromStdString(stakeEdit_->value().moneyText()));
}

} // namespace kav::ui
