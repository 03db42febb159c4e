#include "ui/forming/conditions_panel.h"

#include "ui/widgets/link_label.h"
#include "ui/widgets/mode_panel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>

namespace kav::ui {

namespace {

struct MeasureControl {
    const char* name;    // object names: <name>Check, <name>FromSpin, <name>ToSpin
    const char* caption; // beside the check box
    const char* tooltip;
    int min, max, from, to;
};
// In the order of kav::Measure.
constexpr MeasureControl kMeasureControls[kav::kMeasures] = {
    {"ones", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "единиц"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "Сколько событий с исходом 1"), 0, 15, 4, 8},
    {"draws", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "ничьих"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "Сколько событий с исходом X"), 0, 15, 2, 6},
    {"twos", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "двоек"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "Сколько событий с исходом 2"), 0, 15, 3, 7},
    {"favourites", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "фаворитов"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel",
                       "Сколько исходов с наибольшей котировкой события"),
     0, 15, 5, 10},
    {"outsiders", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "аутсайдеров"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel",
                       "Сколько исходов с наименьшей котировкой события"),
     0, 15, 0, 4},
    {"points", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "очки БК"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel",
                       "Сумма котировок исходов (числа сетки слева от /)"),
     -100000, 100000, 450, 600},
    {"poolPoints", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "очки пула"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel",
                       "Сумма долей пула исходов (числа сетки справа от /)"),
     -100000, 100000, 450, 600},
    {"longestRun", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "серия"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel",
                       "Самая длинная серия событий подряд с одним исходом"),
     1, 15, 2, 5},
    {"changes", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "смен"),
     QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel",
                       "Сколько раз исход события отличается от предыдущего"),
     0, 14, 6, 12},
    {"valuePoints", QT_TRANSLATE_NOOP("kav::ui::ConditionsPanel", "очки ценности"),
     QT_TRANSLATE_NOOP(
         "kav::ui::ConditionsPanel",
         "Сумма ценности исходов в сотых: котировка / доля пула, как в виде «Показывать ценность "
         "исходов» (исход без доли пула — 0)"),
     -1000000, 1000000, 1200, 1800},
};

constexpr int kRowColumn = 0, kFromColumn = 1, kToColumn = 2;

QSpinBox* rangeSpin(const std::string& name, int value, int min, int max, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromStdString(name));
    s->setRange(min, max);
    s->setValue(value);
    s->setAlignment(Qt::AlignRight);
    // Wide enough for the values players type (five digits at most), not
    // for the whole range: the editor fits the window's default width.
    const int digits = std::max(max, -min) >= 1000 ? 5 : 2;
    s->setMaximumWidth(s->fontMetrics().horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) +
                       s->sizeHint().width() -
                       s->fontMetrics().horizontalAdvance(QString::number(std::min(min, -max))));
    return s;
}

} // namespace

ConditionsPanel::ConditionsPanel(QWidget* parent) : QFrame(parent) {
    styleAsPanel(this, "conditionsPanel", false);
    createLayout();
    createEditor();
    connectLayout();
}

void ConditionsPanel::createLayout() {
    auto* row = panelRow(this);
    addConditionVariantsLink_ =
        named(new LinkLabel(tr("Добавить\nв список"), this), "addConditionVariantsLink");
    addConditionVariantsLink_->setToolTip(
        tr("Добавить в список проходящие варианты выбранных исходов"));
    applyConditionsLink_ =
        named(new LinkLabel(tr("Применить\nк списку"), this), "applyConditionsLink");
    applyConditionsLink_->setToolTip(tr("Заменить строки списка их проходящими вариантами"));
    toleranceSpin_ = namedSpin("toleranceSpin", 0, 0, kav::kMeasures + 20, this);
    toleranceSpin_->setToolTip(tr("Сколько условий вариант может нарушить"));
    conditionCountLabel_ = named(new QLabel(this), "conditionCountLabel");
    conditionCountLabel_->setMinimumWidth(170);
    conditionCountLabel_->setToolTip(tr("Сколько вариантов поля проходят условия"));
    presetCombo_ = named(new QComboBox(this), "conditionPresetCombo");
    presetCombo_->setEditable(true);
    presetCombo_->setMinimumWidth(110);
    presetCombo_->setInsertPolicy(QComboBox::NoInsert);
    presetCombo_->setToolTip(tr("Набор условий: выбрать или ввести имя нового"));
    savePresetLink_ = named(new LinkLabel(tr("Сохранить\nнабор"), this), "saveConditionPresetLink");
    row->addWidget(addConditionVariantsLink_);
    row->addWidget(applyConditionsLink_);
    row->addLayout(captioned(toleranceSpin_, fieldCaption(tr("допуск"), this)));
    row->addLayout(captioned(conditionCountLabel_, fieldCaption(tr("проходят"), this)));
    row->addLayout(captioned(presetCombo_, fieldCaption(tr("набор"), this)));
    row->addWidget(savePresetLink_);
    row->addStretch(1);
}

void ConditionsPanel::createEditor() {
    editor_ = new QFrame;
    styleAsPanel(editor_, "conditionEditor", true);
    auto* outer = new QHBoxLayout(editor_);
    outer->setContentsMargins(6, 3, 6, 3);
    outer->setSpacing(12);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int k = 0; k < kav::kMeasures; ++k) {
        const MeasureControl& m = kMeasureControls[k];
        const std::string name = m.name;
        RangeControls& c = ranges_[k];
        c.check = new QCheckBox(tr(m.caption), editor_);
        c.check->setObjectName(QString::fromStdString(name + "Check"));
        c.check->setToolTip(tr(m.tooltip));
        c.from = rangeSpin(name + "FromSpin", m.from, m.min, m.max, editor_);
        c.to = rangeSpin(name + "ToSpin", m.to, m.min, m.max, editor_);
        c.from->setToolTip(tr("не менее"));
        c.to->setToolTip(tr("не более"));
        // Three rows of three, and the value points under the quote points.
        const bool value = k == static_cast<int>(kav::Measure::ValuePoints);
        const int r = value ? 3 : k % 3, col = value ? 4 : (k / 3) * 4;
        grid->addWidget(c.check, r, col);
        grid->addWidget(c.from, r, col + 1);
        grid->addWidget(c.to, r, col + 2);
        grid->setColumnMinimumWidth(col + 3, 10);
    }
    outer->addLayout(grid);

    baseRowsTable_ = named(new QTableWidget(0, 3, editor_), "baseRowsTable");
    baseRowsTable_->setHorizontalHeaderLabels({tr("Базовая строка"), tr("от"), tr("до")});
    baseRowsTable_->setToolTip(
        tr("Совпадений с базовой строкой (15 знаков 1, X, 2 или -) от и до"));
    baseRowsTable_->verticalHeader()->setDefaultSectionSize(20);
    baseRowsTable_->verticalHeader()->setVisible(false);
    baseRowsTable_->horizontalHeader()->setSectionResizeMode(kRowColumn, QHeaderView::Stretch);
    baseRowsTable_->setColumnWidth(kFromColumn, 36);
    baseRowsTable_->setColumnWidth(kToColumn, 36);
    baseRowsTable_->setMinimumWidth(200);
    baseRowsTable_->setFixedHeight(64);
    auto* rowLinks = new QHBoxLayout;
    rowLinks->setSpacing(12);
    addBaseRowLink_ = named(new LinkLabel(tr("+ строка"), editor_), "addBaseRowLink");
    removeBaseRowLink_ = named(new LinkLabel(tr("- строка"), editor_), "removeBaseRowLink");
    rowLinks->addWidget(addBaseRowLink_);
    rowLinks->addWidget(removeBaseRowLink_);
    rowLinks->addStretch(1);
    // The base rows with their links under them.
    auto* baseRows = new QVBoxLayout;
    baseRows->setSpacing(2);
    baseRows->addWidget(baseRowsTable_);
    baseRows->addLayout(rowLinks);
    outer->addLayout(baseRows, 1);
}

void ConditionsPanel::connectLayout() {
    connect(addConditionVariantsLink_, &LinkLabel::clicked, this, &ConditionsPanel::addRequested);
    connect(applyConditionsLink_, &LinkLabel::clicked, this, &ConditionsPanel::applyRequested);
    const auto changed = [this] {
        if (!applying_)
            Q_EMIT conditionsChanged();
    };
    for (const RangeControls& c : ranges_) {
        connect(c.check, &QCheckBox::toggled, this, changed);
        // A range stays in order: the other end follows one moved past it.
        connect(c.from, &QSpinBox::valueChanged, this, [c, changed](int v) {
            if (c.to->value() < v)
                c.to->setValue(v);
            changed();
        });
        connect(c.to, &QSpinBox::valueChanged, this, [c, changed](int v) {
            if (c.from->value() > v)
                c.from->setValue(v);
            changed();
        });
    }
    connect(toleranceSpin_, &QSpinBox::valueChanged, this, changed);
    connect(baseRowsTable_, &QTableWidget::cellChanged, this, [this, changed] {
        if (applying_)
            return;
        markBaseRows();
        changed();
    });
    connect(addBaseRowLink_, &LinkLabel::clicked, this, [this, changed] {
        addBaseRow(QString(kav::kEvents, QLatin1Char('-')), 0, kav::kEvents);
        changed();
    });
    connect(removeBaseRowLink_, &LinkLabel::clicked, this, [this, changed] {
        const int row = baseRowsTable_->currentRow() >= 0 ? baseRowsTable_->currentRow()
                                                          : baseRowsTable_->rowCount() - 1;
        if (row < 0)
            return;
        baseRowsTable_->removeRow(row);
        changed();
    });
    connect(savePresetLink_, &LinkLabel::clicked, this,
            [this] { Q_EMIT presetSaveRequested(presetName()); });
    connect(presetCombo_, &QComboBox::activated, this,
            [this](int index) { Q_EMIT presetChosen(presetCombo_->itemText(index)); });
}

void ConditionsPanel::addBaseRow(const QString& row, int from, int to) {
    const bool was = applying_;
    applying_ = true;
    const int r = baseRowsTable_->rowCount();
    baseRowsTable_->insertRow(r);
    baseRowsTable_->setItem(r, kRowColumn, new QTableWidgetItem(row));
    baseRowsTable_->setItem(r, kFromColumn, new QTableWidgetItem(QString::number(from)));
    baseRowsTable_->setItem(r, kToColumn, new QTableWidgetItem(QString::number(to)));
    applying_ = was;
    markBaseRows();
}

namespace {

// A row of the table as a condition; nothing when a cell is not readable.
std::optional<kav::BaseRowCondition> tableRow(const QTableWidget* t, int r) {
    const auto text = [&](int c) {
        const QTableWidgetItem* item = t->item(r, c);
        return item ? item->text().trimmed() : QString();
    };
    const std::string row = text(kRowColumn)
                                .toUpper()
                                .replace(QChar(0x0425), QLatin1Char('X'))
                                .toStdString(); // a Cyrillic "Х" typed for X
    return kav::parseBaseRowCondition(row + ':' + text(kFromColumn).toStdString() + ':' +
                                      text(kToColumn).toStdString());
}

} // namespace

void ConditionsPanel::markBaseRows() const {
    for (int r = 0; r < baseRowsTable_->rowCount(); ++r) {
        const bool ok = tableRow(baseRowsTable_, r).has_value();
        for (int c = 0; c < 3; ++c)
            if (QTableWidgetItem* item = baseRowsTable_->item(r, c))
                item->setForeground(ok ? palette().text() : QBrush(Qt::red));
    }
}

kav::ConditionSet ConditionsPanel::conditions() const {
    kav::ConditionSet c;
    for (int k = 0; k < kav::kMeasures; ++k) {
        const RangeControls& r = ranges_[k];
        if (r.check->isChecked())
            c.ranges[k] = kav::ConditionRange{r.from->value(), r.to->value()};
    }
    for (int r = 0; r < baseRowsTable_->rowCount(); ++r)
        if (auto b = tableRow(baseRowsTable_, r))
            c.baseRows.push_back(*b);
    c.tolerance = toleranceSpin_->value();
    return c;
}

void ConditionsPanel::applyConditions(const kav::ConditionSet& c) {
    applying_ = true;
    for (int k = 0; k < kav::kMeasures; ++k) {
        const RangeControls& r = ranges_[k];
        r.check->setChecked(c.ranges[k].has_value());
        if (c.ranges[k]) {
            r.from->setValue(static_cast<int>(
                std::clamp<std::int64_t>(c.ranges[k]->lo, r.from->minimum(), r.from->maximum())));
            r.to->setValue(static_cast<int>(
                std::clamp<std::int64_t>(c.ranges[k]->hi, r.to->minimum(), r.to->maximum())));
        }
    }
    baseRowsTable_->setRowCount(0);
    for (const auto& b : c.baseRows)
        addBaseRow(QString::fromStdString(b.row), static_cast<int>(b.range.lo),
                   static_cast<int>(b.range.hi));
    toleranceSpin_->setValue(c.tolerance);
    applying_ = false;
    Q_EMIT conditionsChanged();
}

void ConditionsPanel::showCount(std::uint64_t variants, const QString& cost) {
    conditionCountLabel_->setText(QString::number(variants) + QStringLiteral(" (") + cost +
                                  QLatin1Char(')'));
}

void ConditionsPanel::setPresetNames(const QStringList& names) {
    const QString current = presetCombo_->currentText();
    presetCombo_->clear();
    presetCombo_->addItems(names);
    presetCombo_->setEditText(current);
}

QString ConditionsPanel::presetName() const {
    return presetCombo_->currentText().trimmed();
}

} // namespace kav::ui
