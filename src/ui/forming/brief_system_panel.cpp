#include "ui/forming/brief_system_panel.h"

#include "ui/common/ui_text.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/mode_panel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QSpinBox>

namespace kav::ui {

namespace {

QString startWithCaption() {
    return BriefSystemPanel::tr("Начать с...");
}

} // namespace

BriefSystemPanel::BriefSystemPanel(QWidget* parent) : QFrame(parent) {
    styleAsPanel(this, "briefSystemPanel", false);
    createLayout();
    connectLayout();
}

void BriefSystemPanel::createLayout() {
    auto* row = panelRow(this);
    addBriefSystemLink_ =
        named(new LinkLabel(tr("Добавить\nв список"), this), "addBriefSystemLink");
    addBriefSystemLink_->setToolTip(tr("Добавить систему в список ставок"));
    briefCategorySpin_ = namedSpin("briefCategorySpin", 13, 9, 15, this);
    briefCategorySpin_->setToolTip(tr("Минимальная категория"));
    startWithCheck_ = named(new QCheckBox(startWithCaption(), this), "startWithCheck");
    startWithCheck_->setToolTip(
        tooltipText(tr("Установите отметку для включения \nв бриф-систему конкретной "
                       "ставки.\nДля каждого события активизируется исход,\nвключенный "
                       "в подстраховку последним")));
    row->addWidget(addBriefSystemLink_);
    row->addLayout(captioned(briefCategorySpin_, fieldCaption(tr("категория"), this)));
    row->addWidget(startWithCheck_);
    row->addStretch(1);
}

void BriefSystemPanel::connectLayout() {
    connect(addBriefSystemLink_, &LinkLabel::clicked, this, &BriefSystemPanel::addRequested);
    connect(briefCategorySpin_, &QSpinBox::valueChanged, this, &BriefSystemPanel::categoryChanged);
    connect(startWithCheck_, &QCheckBox::toggled, this, &BriefSystemPanel::startWithToggled);
}

int BriefSystemPanel::category() const {
    return briefCategorySpin_->value();
}

bool BriefSystemPanel::startsWithForcedBet() const {
    return startWithCheck_->isChecked();
}

kav::BriefSettings BriefSystemPanel::settings() const {
    return {category(), startsWithForcedBet()};
}

void BriefSystemPanel::applySettings(const kav::BriefSettings& s) {
    briefCategorySpin_->setValue(s.category);
    startWithCheck_->setChecked(s.startWith);
}

void BriefSystemPanel::showForcedBet(const QString& forcedBet) {
    startWithCheck_->setText(startWithCheck_->isChecked() ? forcedBet : startWithCaption());
}

void BriefSystemPanel::colourCategory() {
    const int v = briefCategorySpin_->value();
    QColor background;
    if (v >= 9 && v <= 14)
        background = Qt::white;
    else if (v == 15)
        background = QColor(255, 170, 170);
    else
        return;
    QPalette p = briefCategorySpin_->palette();
    p.setColor(QPalette::Base, background);
    briefCategorySpin_->setPalette(p);
}

} // namespace kav::ui
