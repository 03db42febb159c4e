// MainWindow: the variant analysis command.
#include "ui/main_window.h"
#include "ui/variant_analysis_window.h"

#include <QAction>

namespace kav::ui {

void MainWindow::MN12Click() {
    if (form5_)
        form5_->openVariantAnalysis();
}

void MainWindow::connectVariantAnalysis() {
    if (!form5_)
        return;
    connect(form5_, &VariantAnalysisWindow::visibilityChanged, this, [this](bool shown) {
        MN12->setText(shown ? QStringLiteral("Скрыть анализ вариантов")
                            : QStringLiteral("Показать анализ вариантов"));
    });
}

} // namespace kav::ui
