#include "ui/forming/conditions_forming.h"

#include "core/forming/condition_filter.h"
#include "io/files/condition_presets.h"
#include "ui/common/job_report.h"
#include "ui/common/job_runner.h"
#include "ui/common/program_places.h"
#include "ui/common/session.h"
#include "ui/common/work_guards.h"
#include "ui/forming/conditions_panel.h"
#include "ui/forming/mode_bar.h"
#include "ui/widgets/message_box.h"

#include <QDir>
#include <QTimer>

namespace kav::ui {

ConditionsForming::ConditionsForming(Session& session, ModeBar& modeBar, JobRunner& jobs,
                                     QWidget* window)
    : QObject(window), session_(session), modeBar_(modeBar), panel_(modeBar.conditionsPanel()),
      jobs_(jobs), window_(window) {
    countTimer_ = new QTimer(this);
    countTimer_->setSingleShot(true);
    // Edits in quick succession (a spin box held down) are counted once.
    countTimer_->setInterval(60);
    connectParts();
    panel_.setPresetNames(conditionPresetNames());
}

void ConditionsForming::connectParts() {
    connect(countTimer_, &QTimer::timeout, this, [this] { showConditionCount(); });
    connect(&panel_, &ConditionsPanel::conditionsChanged, this,
            [this] { scheduleConditionCount(); });
    connect(&panel_, &ConditionsPanel::addRequested, this, [this] { addConditionVariants(); });
    connect(&panel_, &ConditionsPanel::applyRequested, this, [this] { applyConditionsToList(); });
    connect(&panel_, &ConditionsPanel::presetSaveRequested, this,
            [this](const QString& name) { saveConditionPreset(name); });
    connect(&panel_, &ConditionsPanel::presetChosen, this,
            [this](const QString& name) { loadConditionPreset(name); });
    const auto schedule = [this] { scheduleConditionCount(); };
    connect(&modeBar_, &ModeBar::modeChanged, this, schedule);
    connect(&session_, &Session::marksChanged, this, schedule);
    connect(&session_, &Session::quotesChanged, this, schedule);
    connect(&session_, &Session::stakeTextChanged, this, schedule);
    connect(&session_, &Session::drawReplaced, this, schedule);
}

void ConditionsForming::scheduleConditionCount() {
    if (modeBar_.mode() == kav::PacketMode::Conditions)
        countTimer_->start();
}

// Counting the whole field takes a few milliseconds (the head and tail split
// of the core), so it runs here rather than on a worker.
void ConditionsForming::showConditionCount() {
    const kav::DrawModel& model = session_.draw();
    const std::uint64_t n =
        kav::countPassingVariants(model, kav::markedField(model), panel_.conditions());
    const auto stake = kav::stakePerBet(session_.stakeText());
    const kav::Fixed4 cost =
        stake ? kav::Fixed4::fromRaw(stake->raw() * static_cast<std::int64_t>(n)) : kav::Fixed4();
    panel_.showCount(
        n, QString::fromStdString(cost.moneyText() + kav::currencySuffixFor(model.drawCountry)));
}

void ConditionsForming::addConditionVariants() {
    const kav::DrawModel& model = session_.draw();
    const kav::ConditionSet c = panel_.conditions();
    // Asked before the lines are made: a list of millions of lines is rarely
    // meant and takes long to make and show.
    const std::uint64_t n = kav::countPassingVariants(model, kav::markedField(model), c);
    const auto stake = kav::stakePerBet(session_.stakeText());
    const kav::Fixed4 amount =
        stake ? kav::Fixed4::fromRaw(stake->raw() * static_cast<std::int64_t>(n)) : kav::Fixed4();
    if (!confirmLargeAppend(window_, session_, tr("Условия"),
                            tr("Условиям отвечают %1 вариантов на %2 Добавить их все в список?"),
                            {n, amount}))
        return;
    const ListChange change(session_);
    const kav::FormResult r =
        kav::addConditionVariants(model, session_.stakeText(), session_.betLines(), c);
    session_.appendBets(r.added);
    showStatus(window_, tr("Условия: %1").arg(change.change()));
    if (r.message)
        showMessage(window_, *r.message);
}

void ConditionsForming::applyConditionsToList() {
    if (refuseWhileJobRuns(jobs_, window_))
        return;
    const kav::ConditionListResult r =
        kav::applyConditionsToList(session_.draw(), session_.betLines(), panel_.conditions());
    // Replaced as one step that Ctrl+Z takes back; an unchanged list stays as it is.
    const ListChange change(session_);
    if (r.replacedLines > 0)
        session_.replaceBets(r.lines);
    showStatus(window_, tr("Условия к списку: %1").arg(change.change()));
    showMessage(window_, kav::conditionListReport(r));
}

QString ConditionsForming::conditionPresetFolder() {
    const QString data = persistence().autosaveFolder;
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("conditions"));
}

QStringList ConditionsForming::conditionPresetNames() {
    QStringList names;
    const QString folder = conditionPresetFolder();
    if (!folder.isEmpty())
        for (const auto& n : kav::io::conditionPresetNames(folder.toStdString()))
            names << QString::fromStdString(n);
    return names;
}

void ConditionsForming::saveConditionPreset(const QString& name) {
    const QString folder = conditionPresetFolder();
    if (folder.isEmpty())
        return;
    if (const auto failed = kav::io::saveConditionPreset(folder.toStdString(), name.toStdString(),
                                                         panel_.conditions())) {
        showMessage(window_, *failed);
        return;
    }
    panel_.setPresetNames(conditionPresetNames());
}

void ConditionsForming::loadConditionPreset(const QString& name) {
    const QString folder = conditionPresetFolder();
    if (folder.isEmpty())
        return;
    const auto c = kav::io::loadConditionPreset(folder.toStdString(), name.toStdString());
    if (!c) {
        showMessage(
            window_,
            kav::Message{tr("Не удалось прочитать набор условий %1").arg(name).toStdString()});
        return;
    }
    panel_.applyConditions(*c);
}

} // namespace kav::ui
