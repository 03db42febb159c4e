// MainWindow: the variant analysis command.
#include "ui/main_window.h"
#include "ui/variant_analysis_window.h"

#include <QAction>

namespace kav::ui {

void MainWindow::toggleVariantAnalysis() {
    if (variantAnalysis_)
        variantAnalysis_->openVariantAnalysis();
}

void MainWindow::connectVariantAnalysis() {
    if (!variantAnalysis_)
        return;
    connect(variantAnalysis_, &VariantAnalysisWindow::visibilityChanged, this, [this](bool shown) {
        variantAnalysisAction_->setText(shown ? QStringLiteral("Скрыть анализ вариантов")
                                              : QStringLiteral("Показать анализ вариантов"));
    });
}

} // namespace kav::ui
