// The building blocks the main window's top bar is made of: a mint panel, a
// named spin box, a field with its small caption under it, a panel's row.
#pragma once

#include <QFrame>
#include <QScrollArea>
#include <QString>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QSpinBox;
class QVBoxLayout;

namespace kav::ui {

// Light green panel; `framed` gives it the raised border of the outer bars.
void styleAsPanel(QFrame* frame, const char* objectName, bool framed);

template <class W> W* named(W* widget, const char* objectName) {
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QSpinBox* namedSpin(const char* objectName, int value, int min, int max, QWidget* parent);

// A field with its small caption under it.
QVBoxLayout* captioned(QWidget* field, QLabel* caption);

// The row of controls a panel lays out, with the bar's margins and spacing.
QHBoxLayout* panelRow(QWidget* owner);

// A bar that keeps its content's height and, in a window narrower than the
// content, scrolls sideways instead of widening the window. It shows and
// hides with its content.
class SideScrollArea final : public QScrollArea {
public:
    SideScrollArea(QWidget* content, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // The content's height, and the scroll bar's under it when it is needed.
    void fitHeight();
};

// A tooltip written with Windows line breaks.
QString tooltipText(const QString& text);

} // namespace kav::ui
