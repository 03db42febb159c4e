// MainWindow: brief systems ("Добавить в список" of mode 0), the template index and
// the selection summary.
#include "ui/brief_system_panel.h"
#include "ui/data_places.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/nearest_systems_window.h"

#include "core/forming/selection_summary.h"

#include <QLabel>

namespace kav::ui {

void MainWindow::indexTemplates() {
    if (templateFolder_.empty())
        templateFolder_ = shippedTemplateFolder();
    kav::TemplateIndexResult r = kav::indexTemplates(templateFolder_, ownTemplateFolder_);
    templateIndex_ = std::move(r.index);
    if (r.message)
        showMessage(this, *r.message);
}

// The nearest-systems window changes in place while it has something to show:
// closing and opening it again on every click would bring it up over the
// other windows each time.
void MainWindow::updateSelectionSummary() {
    scheduleConditionCount(); // the marks or quotes changed
    const std::string stake = stakeText();
    const kav::SelectionSummary s =
        kav::updateSelectionSummary({model(), stake, briefSystemPanel_->category(), mode(),
                                     templateFolder_, templateIndex_, ownTemplateFolder_});
    kav::storeSummaryCounts(model(), s);
    if (s.markedVariantsLine)
        couponSummaryLabel_->setText(QString::fromStdString(*s.markedVariantsLine));
    if (s.systemVariantsLine)
        systemSummaryLabel_->setText(QString::fromStdString(*s.systemVariantsLine));
    if (!nearestSystems_)
        return;
    if (s.nearest)
        nearestSystems_->showNearestSystems(*s.nearest, s.computable,
                                            s.computeNote ? QString::fromStdString(*s.computeNote)
                                                          : QString());
    else
        nearestSystems_->hide();
}

void MainWindow::addBriefSystem() {
    const kav::Lines before = betLines();
    const std::string stake = stakeText();
    kav::BriefResult r = kav::expandBriefSystem({model(), stake, briefSystemPanel_->category(),
                                                 briefSystemPanel_->startsWithForcedBet(),
                                                 templateFolder_, before, ownTemplateFolder_},
                                                rng_, briefState_);
    if (r.message) {
        showMessage(this, *r.message);
        return;
    }
    // appendBetLines parses only the new lines, which gives what one parse of the
    // whole list at the end of a bulk append gives.
    if (!r.appended.empty())
        appendBetLines(r.appended);
    else if (r.bulk)
        parseBetList();
}

} // namespace kav::ui
