// TForm2: the variant analysis command.
#include "ui/analiz.h"
#include "ui/tot_lin_web1.h"

#include <QAction>

namespace kav::ui {

void TForm2::MN12Click() {
    if (form5_)
        form5_->openVariantAnalysis();
}

void TForm2::connectVariantAnalysis() {
    if (!form5_)
        return;
    connect(form5_, &TForm5::visibilityChanged, this, [this](bool shown) {
        MN12->setText(shown ? QStringLiteral("Скрыть анализ вариантов")
                            : QStringLiteral("Показать анализ вариантов"));
    });
}

} // namespace kav::ui
