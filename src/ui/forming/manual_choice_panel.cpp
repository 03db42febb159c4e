#include "ui/forming/manual_choice_panel.h"

#include "core/forming/manual_selection.h"

#include "ui/widgets/link_label.h"
#include "ui/widgets/mode_panel.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>

namespace kav::ui {

namespace {

constexpr int kFavouritesDistribution = 4;

} // namespace

ManualChoicePanel::ManualChoicePanel(QWidget* parent) : QFrame(parent) {
    styleAsPanel(this, "manualChoicePanel", false);
    createLayout();
    connectLayout();
}

void ManualChoicePanel::createLayout() {
    auto* row = panelRow(this);
    takeAllVariantsLink_ =
        named(new LinkLabel(tr("Взять все\nварианты"), this), "takeAllVariantsLink");
    randomChoiceLink_ = named(new LinkLabel(tr("Случайный \nвыбор"), this), "randomChoiceLink");
    randomRepeatSpin_ = namedSpin("randomRepeatSpin", 1, 1, 10000000, this);
    randomRepeatSpin_->setToolTip(tooltipText(tr("Повторить \nслучайный \nвыбор, раз")));
    distributionCombo_ = named(new QComboBox(this), "distributionCombo");
    distributionCombo_->addItems({tr("По котировкам"), tr("По пулу"), tr("Произвольно"),
                                  tr("Против пула"), tr("Кол. фаворитов")});
    distributionCombo_->setToolTip(tr("Распределение"));
    favouritesSpin_ = namedSpin("favouritesSpin", 7, 0, 15, this);
    favouritesSpin_->setToolTip(tr("Число фаворитов"));
    favouritesCaption_ = named(fieldCaption(tr("фаворитов"), this), "favouritesCaption");
    favouritesSpin_->hide();
    favouritesCaption_->hide();
    row->addWidget(takeAllVariantsLink_);
    row->addWidget(randomChoiceLink_);
    row->addLayout(captioned(randomRepeatSpin_, fieldCaption(tr("повторить"), this)));
    row->addWidget(distributionCombo_);
    row->addLayout(captioned(favouritesSpin_, favouritesCaption_));
    row->addStretch(1);
}

void ManualChoicePanel::connectLayout() {
    connect(takeAllVariantsLink_, &LinkLabel::clicked, this, &ManualChoicePanel::takeAllRequested);
    connect(randomChoiceLink_, &LinkLabel::clicked, this, &ManualChoicePanel::randomRequested);
    connect(distributionCombo_, &QComboBox::currentIndexChanged, this,
            &ManualChoicePanel::showFavouritesField);
}

kav::RandomDistribution ManualChoicePanel::distribution() const {
    return kav::randomDistributionAt(distributionCombo_->currentIndex())
        .value_or(kav::RandomDistribution::ByQuotes);
}

int ManualChoicePanel::repeat() const {
    return randomRepeatSpin_->value();
}

int ManualChoicePanel::favourites() const {
    return favouritesSpin_->value();
}

kav::RandomSettings ManualChoicePanel::settings() const {
    return {distribution(), repeat(), favourites()};
}

void ManualChoicePanel::applySettings(const kav::RandomSettings& s) {
    distributionCombo_->setCurrentIndex(static_cast<int>(s.distribution));
    randomRepeatSpin_->setValue(static_cast<int>(std::clamp<std::int64_t>(
        s.repeat, randomRepeatSpin_->minimum(), randomRepeatSpin_->maximum())));
    favouritesSpin_->setValue(s.favourites);
}

void ManualChoicePanel::showFavouritesField() {
    const bool favourites = distributionCombo_->currentIndex() == kFavouritesDistribution;
    favouritesSpin_->setVisible(favourites);
    favouritesCaption_->setVisible(favourites);
}

} // namespace kav::ui
