#include "ui/widgets/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kav::ui {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont f = font();
    f.setBold(true);
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    // Tab reaches the link, Space or Enter follows it.
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::keyPressEvent(QKeyEvent* e) {
    const bool follow =
        e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!follow || (e->modifiers() & ~Qt::KeypadModifier)) {
        QLabel::keyPressEvent(e);
        return;
    }
    e->accept();
    Q_EMIT clicked();
}

void LinkLabel::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LinkLabel::mousePressEvent(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    e->accept();
}

// Like a button: the click counts when the mouse is released over the label.
void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
    bool wasPressed = pressed_;
    pressed_ = false;
    e->accept();
    if (wasPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

QLabel* fieldCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(128, 128, 128));
    label->setPalette(p);
    return label;
}

} // namespace kav::ui
