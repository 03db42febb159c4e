#include "ui/widgets/mode_panel.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QScrollBar>
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

SideScrollArea::SideScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setObjectName(content->objectName() + QStringLiteral("Scroll"));
    setFrameShape(QFrame::NoFrame);
    // The controls take the focus, never the strip around them (a click on
    // the strip would take it from a field being typed in).
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    // Setting the content shows it: it keeps what it was.
    const bool hidden = content->isHidden();
    setWidget(content);
    content->setHidden(hidden);
    setHidden(hidden);
    content->installEventFilter(this);
    fitHeight();
}

QSize SideScrollArea::sizeHint() const {
    const QWidget* content = widget();
    return {content ? content->sizeHint().width() : 0, height()};
}

QSize SideScrollArea::minimumSizeHint() const {
    return {0, height()};
}

bool SideScrollArea::eventFilter(QObject* watched, QEvent* e) {
    if (watched == widget()) {
        switch (e->type()) {
        case QEvent::ShowToParent:
            show();
            break;
        case QEvent::HideToParent:
            hide();
            break;
        case QEvent::LayoutRequest:
            fitHeight();
            break;
        default:
            break;
        }
    }
    return QScrollArea::eventFilter(watched, e);
}

void SideScrollArea::resizeEvent(QResizeEvent* e) {
    QScrollArea::resizeEvent(e);
    fitHeight();
}

void SideScrollArea::fitHeight() {
    const QWidget* content = widget();
    if (!content)
        return;
    const bool narrow = width() < content->minimumSizeHint().width();
    const int h = std::max(content->minimumSizeHint().height(), content->minimumHeight()) +
                  (narrow ? horizontalScrollBar()->sizeHint().height() : 0);
    if (h != height())
        setFixedHeight(h);
}

} // namespace kav::ui
