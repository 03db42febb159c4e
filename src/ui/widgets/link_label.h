// A label used as a link: bold, underlined, emits clicked() like a button:
// on a click, or on Space or Enter while it has the focus (a dotted frame).
#pragma once

#include <QLabel>

namespace kav::ui {

class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool pressed_ = false;
};

// A small bold grey caption under a field ("категория", "за ставку").
QLabel* fieldCaption(const QString& text, QWidget* parent);

} // namespace kav::ui
