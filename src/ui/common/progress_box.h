// The progress box of a long run on a worker thread: percent bar, "Отмена",
// shown only when the run lasts, and kept open until the run's end closes it.
#pragma once

#include <QProgressDialog>

namespace kav::ui {

QProgressDialog* newProgressBox(QWidget* parent, const QString& title, Qt::WindowModality modality,
                                int minimumDurationMs);

} // namespace kav::ui
