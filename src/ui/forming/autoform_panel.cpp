#include "ui/forming/autoform_panel.h"

#include "core/forming/autoform.h"

#include "ui/widgets/decimal_spin_box.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/mode_panel.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <algorithm>

namespace kav::ui {

AutoformPanel::AutoformPanel(QWidget* parent) : QFrame(parent) {
    styleAsPanel(this, "autoformPanel", false);
    createLayout();
    connectLayout();
}

void AutoformPanel::createLayout() {
    auto* row = panelRow(this);
    startAutoformLink_ = named(new LinkLabel(tr("Добавить\nв список"), this), "startAutoformLink");
    startAutoformLink_->setToolTip(tr("Добавить в список ставок"));
    autoformCategorySpin_ = namedSpin("autoformCategorySpin", 13, 9, 15, this);
    betLimitSpin_ = namedSpin("betLimitSpin", 1000, 1, 10000000, this);
    betLimitSpin_->setSingleStep(10);
    coverageTargetSpin_ = named(new DecimalSpinBox(this), "coverageTargetSpin");
    coverageTargetSpin_->setRange(1, 100);
    coverageTargetSpin_->setDecimals(2);
    coverageTargetSpin_->setValue(75);
    coverageTargetSpin_->setAlignment(Qt::AlignRight);
    searchMethodCombo_ = named(new QComboBox(this), "searchMethodCombo");
    searchMethodCombo_->addItems({tr("% вариантов"), tr("% по вероятности"), tr("% по пулу"),
                                  tr("без пересечений "), tr("по ценности")});
    row->addWidget(startAutoformLink_);
    row->addLayout(captioned(autoformCategorySpin_, fieldCaption(tr("катег."), this)));
    row->addLayout(captioned(betLimitSpin_, fieldCaption(tr("ставок макс"), this)));
    row->addLayout(captioned(coverageTargetSpin_, fieldCaption(tr("покр. %"), this)));
    row->addLayout(captioned(searchMethodCombo_, fieldCaption(tr("способ поиска"), this)));
    row->addStretch(1);
}

void AutoformPanel::connectLayout() {
    connect(startAutoformLink_, &LinkLabel::clicked, this, &AutoformPanel::startRequested);
    connect(autoformCategorySpin_, &QSpinBox::valueChanged, this, &AutoformPanel::categoryChanged);
}

int AutoformPanel::category() const {
    return autoformCategorySpin_->value();
}

int AutoformPanel::betLimit() const {
    return betLimitSpin_->value();
}

double AutoformPanel::coverageTarget() const {
    return coverageTargetSpin_->value();
}

kav::AutoformMethod AutoformPanel::searchMethod() const {
    return kav::autoformMethodOfList(searchMethodCombo_->currentIndex());
}

kav::AutoformPanelSettings AutoformPanel::settings() const {
    return {category(), betLimit(), coverageTarget(), searchMethod()};
}

void AutoformPanel::applySettings(const kav::AutoformPanelSettings& s) {
    autoformCategorySpin_->setValue(s.category);
    betLimitSpin_->setValue(static_cast<int>(
        std::clamp<std::int64_t>(s.betLimit, betLimitSpin_->minimum(), betLimitSpin_->maximum())));
    coverageTargetSpin_->setValue(s.coveragePercent);
    searchMethodCombo_->setCurrentIndex(static_cast<int>(s.method));
}

} // namespace kav::ui
