// The questions and refusals that keep the player's work: asked by every
// feature that would drop a list or change state under a running job.
#pragma once

#include <QString>

class QWidget;

namespace kav::ui {

class JobRunner;
class Session;

// True (and says so) while a long job runs.
bool refuseWhileJobRuns(const JobRunner& jobs, QWidget* window);

// Yes/No before `action` empties a non-empty bet list; true when the list is
// empty or the player agreed.
bool confirmBetListLoss(const Session& session, QWidget* window, const QString& action);

} // namespace kav::ui
