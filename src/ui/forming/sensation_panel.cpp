#include "ui/forming/sensation_panel.h"

#include "ui/widgets/link_label.h"
#include "ui/widgets/mode_panel.h"

#include <QBoxLayout>
#include <QRadioButton>
#include <QSpinBox>

namespace kav::ui {

SensationPanel::SensationPanel(QWidget* parent) : QFrame(parent) {
    styleAsPanel(this, "sensationPanel", false);
    createLayout();
    connectLayout();
}

void SensationPanel::createLayout() {
    auto* row = panelRow(this);
    addSensationsLink_ = named(new LinkLabel(tr("Добавить\nв список"), this), "addSensationsLink");
    minSensationsSpin_ = namedSpin("minSensationsSpin", 3, 0, 15, this);
    minSensationsSpin_->setToolTip(tr("Сенсаций не менее"));
    maxSensationsSpin_ = namedSpin("maxSensationsSpin", 5, 0, 15, this);
    maxSensationsSpin_->setToolTip(tr("Сенсаций не более"));
    sensationThresholdSpin_ = namedSpin("sensationThresholdSpin", 25, 0, 34, this);
    sensationThresholdSpin_->setToolTip(
        tooltipText(tr("Значение котировки,\nниже которого событие\nсчитаем сенсацией")));
    byQuotesRadio_ = named(new QRadioButton(tr("БК"), this), "byQuotesRadio");
    byQuotesRadio_->setToolTip(tooltipText(tr("Критерий сенсаций\nпо букмекерским котировкам")));
    byQuotesRadio_->setChecked(true);
    byPoolRadio_ = named(new QRadioButton(tr("пул"), this), "byPoolRadio");
    byPoolRadio_->setToolTip(tooltipText(tr("Критерий сенсаций\nпо распределению пула")));
    auto* range = new QWidget(this);
    auto* rangeRow = new QHBoxLayout(range);
    rangeRow->setContentsMargins(0, 0, 0, 0);
    rangeRow->setSpacing(2);
    rangeRow->addWidget(minSensationsSpin_);
    rangeRow->addWidget(maxSensationsSpin_);
    auto* radios = new QVBoxLayout;
    radios->setSpacing(0);
    radios->addWidget(byQuotesRadio_);
    radios->addWidget(byPoolRadio_);
    row->addWidget(addSensationsLink_);
    row->addLayout(captioned(range, fieldCaption(tr("кол-во  сенсаций"), this)));
    row->addLayout(captioned(sensationThresholdSpin_, fieldCaption(tr("которые<"), this)));
    row->addLayout(radios);
    row->addStretch(1);
}

void SensationPanel::connectLayout() {
    connect(addSensationsLink_, &LinkLabel::clicked, this, &SensationPanel::addRequested);
    for (QSpinBox* s : {minSensationsSpin_, maxSensationsSpin_})
        connect(s, &QSpinBox::valueChanged, this, &SensationPanel::boundsChanged);
    connect(sensationThresholdSpin_, &QSpinBox::valueChanged, this,
            &SensationPanel::criterionChanged);
    // The two buttons are each other's opposite, whichever is clicked.
    connect(byQuotesRadio_, &QRadioButton::clicked, this, [this] {
        byPoolRadio_->setChecked(!byQuotesRadio_->isChecked());
        Q_EMIT criterionChanged();
    });
    connect(byPoolRadio_, &QRadioButton::clicked, this, [this] {
        byQuotesRadio_->setChecked(!byPoolRadio_->isChecked());
        Q_EMIT criterionChanged();
    });
}

int SensationPanel::minSensations() const {
    return minSensationsSpin_->value();
}

int SensationPanel::maxSensations() const {
    return maxSensationsSpin_->value();
}

int SensationPanel::threshold() const {
    return sensationThresholdSpin_->value();
}

bool SensationPanel::byQuotes() const {
    return byQuotesRadio_->isChecked();
}

bool SensationPanel::byPool() const {
    return byPoolRadio_->isChecked();
}

kav::SensationSettings SensationPanel::settings() const {
    return {minSensations(), maxSensations(), threshold(),
            byPool() ? kav::SensationCriterion::Pool : kav::SensationCriterion::Quotes};
}

void SensationPanel::applySettings(const kav::SensationSettings& s) {
    minSensationsSpin_->setValue(s.lo);
    maxSensationsSpin_->setValue(s.hi);
    sensationThresholdSpin_->setValue(s.threshold);
    (s.criterion == kav::SensationCriterion::Pool ? byPoolRadio_ : byQuotesRadio_)
        ->setChecked(true);
}

} // namespace kav::ui
