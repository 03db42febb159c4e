#include "ui/widgets/mode_panel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace kav::ui {

void styleAsPanel(QFrame* frame, const char* objectName, bool framed) {
    frame->setObjectName(QString::fromLatin1(objectName));
    if (framed)
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, QColor(192, 220, 192));
    frame->setPalette(pal);
}

QSpinBox* namedSpin(const char* objectName, int value, int min, int max, QWidget* parent) {
    auto* s = named(new QSpinBox(parent), objectName);
    s->setRange(min, max);
    s->setValue(value);
    s->setAlignment(Qt::AlignRight);
    return s;
}

QVBoxLayout* captioned(QWidget* field, QLabel* caption) {
    auto* box = new QVBoxLayout;
    box->setSpacing(1);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(field);
    box->addWidget(caption, 0, Qt::AlignHCenter);
    return box;
}

// Tight enough that the widest mode panel (random choice with the favourites
// field) fits the window's designed width beside the mode and the stake.
QHBoxLayout* panelRow(QWidget* owner) {
    auto* row = new QHBoxLayout(owner);
    row->setContentsMargins(2, 3, 2, 3);
    row->setSpacing(4);
    return row;
}

QString tooltipText(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace kav::ui
