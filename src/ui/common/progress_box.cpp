#include "ui/common/progress_box.h"
#include "ui/common/ui_text.h"

namespace kav::ui {

QProgressDialog* newProgressBox(QWidget* parent, const QString& title, Qt::WindowModality modality,
                                int minimumDurationMs) {
    auto* d = new QProgressDialog(parent);
    d->setWindowTitle(title);
    d->setCancelButtonText(UiText::tr("Отмена"));
    d->setWindowModality(modality);
    d->setMinimumDuration(minimumDurationMs);
    d->setRange(0, 100);
    d->setAutoReset(false);
    d->setAutoClose(false);
    return d;
}

} // namespace kav::ui
