#include "ui/common/work_guards.h"

#include "ui/common/job_runner.h"
#include "ui/common/session.h"
#include "ui/common/ui_text.h"
#include "ui/widgets/message_box.h"

namespace kav::ui {

bool refuseWhileJobRuns(const JobRunner& jobs, QWidget* window) {
    if (!jobs.running())
        return false;
    showMessage(window, {kav::Text::tr("Дождитесь окончания расчёта или прервите его (Esc).")});
    return true;
}

bool confirmBetListLoss(const Session& session, QWidget* window, const QString& action) {
    if (session.betList().empty())
        return true;
    const QString what = session.betStatus().empty()
                             ? UiText::tr("Строк в списке %1.").arg(session.betList().size())
                             : QString::fromStdString(session.betStatus()) + QLatin1Char('.');
    return showMessage(
        window,
        {UiText::tr("%1 очистит список ставок.\n%2\nПродолжить?").arg(action, what).toStdString(),
         kav::Text::tr("Подтверждение"), kav::Buttons::YesNo});
}

} // namespace kav::ui
