// MainWindow: the conditions mode ("Условия") — the live count of the passing
// variants, "Добавить в список", "Применить к списку" and the named sets.
#include "core/forming/condition_filter.h"
#include "io/condition_presets.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

#include "ui/conditions_panel.h"

#include <QDir>
#include <QTimer>

namespace kav::ui {

void MainWindow::connectConditions() {
    conditionCountTimer_ = new QTimer(this);
    conditionCountTimer_->setSingleShot(true);
    // Edits in quick succession (a spin box held down) are counted once.
    conditionCountTimer_->setInterval(60);
    connect(conditionCountTimer_, &QTimer::timeout, this, [this] { showConditionCount(); });
    connect(conditionsPanel_, &ConditionsPanel::conditionsChanged, this,
            [this] { scheduleConditionCount(); });
    connect(conditionsPanel_, &ConditionsPanel::addRequested, this,
            [this] { addConditionVariants(); });
    connect(conditionsPanel_, &ConditionsPanel::applyRequested, this,
            [this] { applyConditionsToList(); });
    connect(conditionsPanel_, &ConditionsPanel::presetSaveRequested, this,
            [this](const QString& name) { saveConditionPreset(name); });
    connect(conditionsPanel_, &ConditionsPanel::presetChosen, this,
            [this](const QString& name) { loadConditionPreset(name); });
    conditionsPanel_->setPresetNames(conditionPresetNames());
}

void MainWindow::scheduleConditionCount() {
    if (conditionCountTimer_ && mode() == kav::PacketMode::Conditions)
        conditionCountTimer_->start();
}

// Counting the whole field takes a few milliseconds (the head and tail split
// of the core), so it runs here rather than on a worker.
void MainWindow::showConditionCount() {
    const kav::ConditionSet c = conditionsPanel_->conditions();
    const std::uint64_t n = kav::countPassingVariants(model(), kav::markedField(model()), c);
    const auto stake = kav::stakePerBet(stakeText());
    const kav::Fixed4 cost =
        stake ? kav::Fixed4::fromRaw(stake->raw() * static_cast<std::int64_t>(n)) : kav::Fixed4();
    conditionsPanel_->showCount(
        n, QString::fromStdString(cost.moneyText() + kav::currencySuffixFor(model().drawCountry)));
}

// Beyond this many bets the player is asked first: a list of millions of
// lines is rarely meant and takes long to show.
constexpr std::uint64_t kLargeAppend = 100'000;

void MainWindow::addConditionVariants() {
    flushPendingLines();
    const kav::ConditionSet c = conditionsPanel_->conditions();
    const std::uint64_t n = kav::countPassingVariants(model(), kav::markedField(model()), c);
    if (n > kLargeAppend &&
        !showMessage(this, kav::Message{"Условиям отвечают " + std::to_string(n) +
                                            " вариантов. Добавить их все в список?",
                                        "Условия", kav::Buttons::YesNo}))
        return;
    const kav::FormResult r = kav::addConditionVariants(model(), stakeText(), betLines(), c);
    appendBetLines(r.added);
    if (r.message)
        showMessage(this, *r.message);
}

void MainWindow::applyConditionsToList() {
    if (jobRunningRefusal())
        return;
    flushPendingLines();
    const kav::ConditionListResult r =
        kav::applyConditionsToList(model(), betLines(), conditionsPanel_->conditions());
    // Replaced as one step that Ctrl+Z takes back; an unchanged list stays as it is.
    if (r.replacedLines > 0)
        session_.replaceBets(r.lines);
    showMessage(this, kav::conditionListReport(r));
}

QString MainWindow::conditionPresetFolder() {
    const QString data = persistenceSettings().autosaveFolder;
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("conditions"));
}

QStringList MainWindow::conditionPresetNames() {
    QStringList names;
    const QString folder = conditionPresetFolder();
    if (!folder.isEmpty())
        for (const auto& n : kav::io::conditionPresetNames(folder.toStdString()))
            names << QString::fromStdString(n);
    return names;
}

void MainWindow::saveConditionPreset(const QString& name) {
    const QString folder = conditionPresetFolder();
    if (folder.isEmpty())
        return;
    if (const auto failed = kav::io::saveConditionPreset(folder.toStdString(), name.toStdString(),
                                                         conditionsPanel_->conditions())) {
        showMessage(this, *failed);
        return;
    }
    conditionsPanel_->setPresetNames(conditionPresetNames());
}

void MainWindow::loadConditionPreset(const QString& name) {
    const QString folder = conditionPresetFolder();
    if (folder.isEmpty())
        return;
    const auto c = kav::io::loadConditionPreset(folder.toStdString(), name.toStdString());
    if (!c) {
        showMessage(this, kav::Message{"Не удалось прочитать набор условий " + name.toStdString()});
        return;
    }
    conditionsPanel_->applyConditions(*c);
}

} // namespace kav::ui
