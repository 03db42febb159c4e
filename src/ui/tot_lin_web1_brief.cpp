// TForm2: brief systems ("Добавить в список" of mode 0), the template index and
// the selection summary.
#include "ui/message_box.h"
#include "ui/syst3.h"
#include "ui/tot_lin_web1.h"

#include "core/forming/selection_summary.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSpinBox>

namespace kav::ui {

namespace {

// "Kombin" beside the executable when it is there (also when the program is
// started from another folder), else in the working folder.
std::filesystem::path defaultTemplateFolder() {
    const std::filesystem::path beside =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "Kombin";
    return kav::resolveTemplateFolder(beside) ? beside : std::filesystem::path("Kombin");
}

} // namespace

void TForm2::indexTemplates() {
    if (templateFolder_.empty())
        templateFolder_ = defaultTemplateFolder();
    kav::TemplateIndexResult r = kav::indexTemplates(templateFolder_);
    templateIndex_ = std::move(r.index);
    if (r.message)
        showMessage(this, *r.message);
}

void TForm2::updateSelectionSummary() {
    if (form3_)
        form3_->hide();
    const std::string stake = stakeText();
    const kav::SelectionSummary s = kav::updateSelectionSummary(
        {model_, stake, RxSpinEdit8->value(), static_cast<kav::PacketMode>(mode()), templateFolder_, templateIndex_});
    kav::storeSummaryCounts(model_, s);
    if (s.markedVariantsLine)
        Label2->setText(QString::fromStdString(*s.markedVariantsLine));
    if (s.systemVariantsLine)
        Label3->setText(QString::fromStdString(*s.systemVariantsLine));
    if (s.nearest && form3_)
        form3_->showNearestSystems(*s.nearest, s.computable);
}

void TForm2::Label13Click() {
    const kav::Lines before = betLines();
    const std::string stake = stakeText();
    kav::BriefResult r = kav::expandBriefSystem(
        {model_, stake, RxSpinEdit8->value(), CheckBox1->isChecked(), templateFolder_, before},
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
