// ConditionsForming: the conditions mode ("Условия"). The live count of the
// passing variants, "Добавить в список", "Применить к списку" and the named
// sets of conditions.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QTimer;
class QWidget;

namespace kav::ui {

class ConditionsPanel;
class JobRunner;
class ModeBar;
class Session;

class ConditionsForming final : public QObject {
    Q_OBJECT
public:
    ConditionsForming(Session& session, ModeBar& modeBar, JobRunner& jobs, QWidget* window);

    // The live count follows every change of the conditions, marks, quotes
    // or stake, a moment after the last one.
    void scheduleConditionCount();
    void addConditionVariants();
    void applyConditionsToList();

private:
    void connectParts();
    void showConditionCount();
    // Named sets: files in "conditions" beside the autosave; none without it.
    static QString conditionPresetFolder();
    static QStringList conditionPresetNames();
    void saveConditionPreset(const QString& name);
    void loadConditionPreset(const QString& name);

    Session& session_;
    ModeBar& modeBar_;
    ConditionsPanel& panel_;
    JobRunner& jobs_;
    QWidget* window_;
    QTimer* countTimer_ = nullptr;
};

} // namespace kav::ui
